#include "core/ModuleLoader.h"

#if defined(_WIN32)
#include <windows.h>

#include "gdi/windows/TextCapture.h"
#else
#include <dlfcn.h>
#endif

#include <cstdio>

namespace sim {

namespace {

#if defined(_WIN32)
const char *const kLibraryPrefix = "";
const char *const kLibrarySuffix = ".dll";
// The library's start-up code calls InitModule and ExitModule.
const bool kLoaderCallsStartup = false;

void *openLibrary(const std::string &path, std::string &why) {
    HMODULE library = LoadLibraryA(path.c_str());
    if (library == nullptr) {
        why = "error " + std::to_string(GetLastError());
        return nullptr;
    }
    captureTexts(library);
    return library;
}

void *librarySymbol(void *library, const char *name) {
    return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void closeLibrary(void *library) { FreeLibrary(static_cast<HMODULE>(library)); }
#else
const char *const kLibraryPrefix = "lib";
const char *const kLibrarySuffix = ".so";
const bool kLoaderCallsStartup = true;

void *openLibrary(const std::string &path, std::string &why) {
    void *library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char *message = dlerror();
        why = message != nullptr ? message : "";
    }
    return library;
}

void *librarySymbol(void *library, const char *name) { return dlsym(library, name); }

void closeLibrary(void *library) { dlclose(library); }
#endif

}  // namespace

ModuleLoader::ModuleLoader(const std::string &rootDir) : rootDir_(rootDir) {}

ModuleLoader::~ModuleLoader() { unloadAll(); }

std::string ModuleLoader::libraryPath(const std::string &name) const {
    return rootDir_ + "/Modules/" + kLibraryPrefix + name + kLibrarySuffix;
}

LoadedModule *ModuleLoader::load(const std::string &name, std::string &error) {
    auto found = modules_.find(name);
    if (found != modules_.end()) return found->second.get();

    auto module = std::make_unique<LoadedModule>();
    module->name = name;
    module->path = libraryPath(name);
    std::string why;
    module->handle = openLibrary(module->path, why);
    if (!module->handle) {
        error = "cannot load module " + module->path + (why.empty() ? std::string() : ": " + why);
        return nullptr;
    }
    auto symbol = [&](const char *entry) { return librarySymbol(module->handle, entry); };
    module->ovcInit = reinterpret_cast<VESSEL *(*)(OBJHANDLE, int)>(symbol("ovcInit"));
    module->ovcExit = reinterpret_cast<void (*)(VESSEL *)>(symbol("ovcExit"));
    module->getModuleVersion = reinterpret_cast<int (*)()>(symbol("GetModuleVersion"));
    if (kLoaderCallsStartup) {
        module->initModule = reinterpret_cast<void (*)(HINSTANCE)>(symbol("InitModule"));
        module->exitModule = reinterpret_cast<void (*)(HINSTANCE)>(symbol("ExitModule"));
        if (!module->exitModule)
            module->exitModule = reinterpret_cast<void (*)(HINSTANCE)>(symbol("opcDLLExit"));
    }
    const char *missing = !module->ovcInit ? "ovcInit" : !module->ovcExit ? "ovcExit" : nullptr;
    if (missing) {
        error = "module " + module->path + " has no entry point " + missing;
        closeLibrary(module->handle);
        return nullptr;
    }
    if (module->getModuleVersion) module->version = module->getModuleVersion();
    if (module->initModule) module->initModule(module->instance());
    LoadedModule *result = module.get();
    loadOrder_.push_back(result);
    modules_.emplace(name, std::move(module));
    return result;
}

void ModuleLoader::unloadAll() {
    for (auto it = loadOrder_.rbegin(); it != loadOrder_.rend(); ++it) {
        LoadedModule *module = *it;
        if (module->exitModule) module->exitModule(module->instance());
        closeLibrary(module->handle);
    }
    loadOrder_.clear();
    modules_.clear();
}

}  // namespace sim
