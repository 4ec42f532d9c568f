#include "core/ModuleLoader.h"

#include <dlfcn.h>

#include <cstdio>

namespace sim {

ModuleLoader::ModuleLoader(const std::string &rootDir) : rootDir_(rootDir) {}

ModuleLoader::~ModuleLoader() { unloadAll(); }

std::string ModuleLoader::libraryPath(const std::string &name) const {
    return rootDir_ + "/Modules/lib" + name + ".so";
}

LoadedModule *ModuleLoader::load(const std::string &name, std::string &error) {
    auto found = modules_.find(name);
    if (found != modules_.end()) return found->second.get();

    auto module = std::make_unique<LoadedModule>();
    module->name = name;
    module->path = libraryPath(name);
    module->handle = dlopen(module->path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module->handle) {
        const char *why = dlerror();
        error = "cannot load module " + module->path + (why ? std::string(": ") + why : std::string());
        return nullptr;
    }
    auto symbol = [&](const char *entry) { return dlsym(module->handle, entry); };
    module->ovcInit = reinterpret_cast<VESSEL *(*)(OBJHANDLE, int)>(symbol("ovcInit"));
    module->ovcExit = reinterpret_cast<void (*)(VESSEL *)>(symbol("ovcExit"));
    module->getModuleVersion = reinterpret_cast<int (*)()>(symbol("GetModuleVersion"));
    module->initModule = reinterpret_cast<void (*)(HINSTANCE)>(symbol("InitModule"));
    module->exitModule = reinterpret_cast<void (*)(HINSTANCE)>(symbol("ExitModule"));
    if (!module->exitModule) module->exitModule = reinterpret_cast<void (*)(HINSTANCE)>(symbol("opcDLLExit"));
    const char *missing = !module->ovcInit ? "ovcInit" : !module->ovcExit ? "ovcExit" : nullptr;
    if (missing) {
        error = "module " + module->path + " has no entry point " + missing;
        dlclose(module->handle);
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
        dlclose(module->handle);
    }
    loadOrder_.clear();
    modules_.clear();
}

}  // namespace sim
