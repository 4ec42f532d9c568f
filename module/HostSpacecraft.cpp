#include "HostSpacecraft.h"

#include <cstring>

SHIPprg *HostProgramOf(VESSEL *host) {
    if (!host || host->Version() < 1) return nullptr;
    const char *className = host->GetClassName();
    if (!className) return nullptr;
    VESSEL2 *vessel2 = static_cast<VESSEL2 *>(host);
    // The SHIPprg part follows the VESSEL2 part in both host classes.
    if (std::strcmp(className, "Tavr12") == 0) return static_cast<Tavr12 *>(vessel2);
    if (std::strcmp(className, "q4varK_RN") == 0) return static_cast<q4varK_RN *>(vessel2);
    return nullptr;
}
