// Loads vessel modules from <root>/Modules like the simulator does: one
// library per module name, InitModule once at load, ExitModule (or
// opcDLLExit) at unload, GetModuleVersion read once, ovcInit/ovcExit per
// vessel.
//
// On Windows the library's own start-up code (the DllMain of the SDK's
// support library) calls InitModule and ExitModule as the library is loaded
// and freed; the loader routes the library's TextOutA through the text
// record. On Linux the loader calls them itself, and opens libraries with
// local symbol binding so that two modules never resolve symbols against
// each other.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <OrbiterAPI.h>
#include <VesselAPI.h>

namespace sim {

class LoadedModule {
public:
    std::string name;
    std::string path;
    void *handle = nullptr;
    void (*initModule)(HINSTANCE) = nullptr;
    void (*exitModule)(HINSTANCE) = nullptr;
    VESSEL *(*ovcInit)(OBJHANDLE, int) = nullptr;
    void (*ovcExit)(VESSEL *) = nullptr;
    int (*getModuleVersion)() = nullptr;
    int version = 0;
    HINSTANCE instance() const { return reinterpret_cast<HINSTANCE>(handle); }
};

class ModuleLoader {
public:
    explicit ModuleLoader(const std::string &rootDir);
    ~ModuleLoader();

    // The loaded module of that name, loading it on first use; null with a
    // message when the library or one of its entry points is missing.
    LoadedModule *load(const std::string &name, std::string &error);
    // Calls ExitModule of every library and closes them, last loaded first.
    void unloadAll();
    std::string libraryPath(const std::string &name) const;

private:
    std::string rootDir_;
    std::map<std::string, std::unique_ptr<LoadedModule>> modules_;
    std::vector<LoadedModule *> loadOrder_;
};

}  // namespace sim
