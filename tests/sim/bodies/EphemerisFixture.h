// Shared set-up of the body tests: the DE405 slice as the build installs it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "bodies/SolarSystemEphemeris.h"

inline std::string installedEphemerisPath() {
    return std::string(OKUL_ROOT_DIR) + "/Config/Ephemeris/de405_1970_1989.bin";
}

// Loaded once for all tests of the binary.
inline const sim::SolarSystemEphemeris &installedEphemeris() {
    static sim::SolarSystemEphemeris eph;
    static bool tried = false;
    if (!tried) {
        tried = true;
        std::string error;
        EXPECT_TRUE(eph.load(installedEphemerisPath(), error)) << error;
    }
    return eph;
}
