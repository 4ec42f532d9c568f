// Shared set-up of the body tests: the DE405 slice as the build installs it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "TestInstallation.h"
#include "bodies/SolarSystemEphemeris.h"

// Loaded once for all tests of the binary.
inline const sim::SolarSystemEphemeris &installedEphemeris() {
    static sim::SolarSystemEphemeris eph;
    static bool tried = false;
    if (!tried) {
        tried = true;
        std::string error;
        EXPECT_TRUE(eph.load(testsupport::BuildEphemerisFile(), error)) << error;
    }
    return eph;
}
