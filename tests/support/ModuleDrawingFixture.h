// The module's fonts and brush for the duration of a test, made by the
// library's own start-up code. For test programs linking the terminal.
#pragma once

#include <gtest/gtest.h>

#include "DrawingObjects.h"

namespace testsupport {

class ModuleDrawingFixture : public ::testing::Test {
protected:
    void SetUp() override { CreateModuleDrawingObjects(nullptr); }
    void TearDown() override { ReleaseModuleDrawingObjects(); }
};

}  // namespace testsupport
