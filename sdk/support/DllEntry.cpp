// The start-up code the SDK's support library links into every module on
// Windows: when the library is loaded it calls the module's InitModule, when
// it is freed the module's ExitModule (or, in modules written for older
// interfaces, opcDLLExit). Both are looked up among the library's exports,
// so a module may define either, both or none.
#include <windows.h>

namespace {

typedef void (*ModuleCallback)(HINSTANCE);

ModuleCallback exitCallback = 0;

ModuleCallback Export(HINSTANCE module, const char *name) {
    return reinterpret_cast<ModuleCallback>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    switch (reason) {
        case DLL_PROCESS_ATTACH: {
            DisableThreadLibraryCalls(module);
            ModuleCallback init = Export(module, "InitModule");
            exitCallback = Export(module, "ExitModule");
            if (!exitCallback) exitCallback = Export(module, "opcDLLExit");
            if (init) init(module);
            break;
        }
        case DLL_PROCESS_DETACH:
            if (exitCallback) exitCallback(module);
            exitCallback = 0;
            break;
        default:
            break;
    }
    return TRUE;
}
