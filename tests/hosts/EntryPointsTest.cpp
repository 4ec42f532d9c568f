// Entry points of the vessel modules as the simulator calls them, and the
// ones a module must survive being called with odd arguments.
#include <gtest/gtest.h>
#include <dlfcn.h>

#include <string>

#include "TestInstallation.h"
#include "core/Simulation.h"

namespace {

// InitModule once per library however many vessels it makes, the version
// read once, ovcInit and ovcExit once per vessel, ExitModule once at the end.
TEST(EntryPointsTest, EachEntryPointIsCalledExactlyAsOftenAsItShould) {
    testsupport::TestInstallation installation;
    installation.linkModules(ENTRY_PROBE_DIR);
    installation.writeClass("EntryProbe", "ClassName = EntryProbe\nModule = EntryProbe\n");
    std::string ship = "  STATUS Orbiting Earth\n  RPOS 6571000 0 0\n  RVEL 0 0 7788.5\n  AROT 0 0 0\nEND\n";
    const std::string scenario =
        installation.writeScenario("probe.scn",
                                   "BEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 42680.2\nEND_ENVIRONMENT\n"
                                   "BEGIN_SHIPS\nP1:EntryProbe\n" +
                                       ship + "P2:EntryProbe\n" + ship + "END_SHIPS\n");
    void *library = nullptr;
    const int *counts = nullptr;
    {
        sim::Simulation simulation(installation.root(), installation.work());
        std::string error;
        ASSERT_TRUE(simulation.loadScenario(scenario, error)) << error;
        // Keep the library loaded past the simulation's end to read the counts.
        library =
            dlopen((std::string(ENTRY_PROBE_DIR) + "/libEntryProbe.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
        ASSERT_NE(library, nullptr);
        auto countsOf = reinterpret_cast<const int *(*)()>(dlsym(library, "EntryProbeCounts"));
        ASSERT_NE(countsOf, nullptr);
        counts = countsOf();
        for (int i = 0; i < 10; ++i) simulation.frame();
        EXPECT_EQ(counts[0], 1);  // InitModule
        EXPECT_EQ(counts[1], 0);  // ExitModule
        EXPECT_EQ(counts[2], 2);  // ovcInit
        EXPECT_EQ(counts[3], 0);  // ovcExit
        EXPECT_EQ(counts[4], 1);  // GetModuleVersion
    }
    EXPECT_EQ(counts[0], 1);
    EXPECT_EQ(counts[1], 1);
    EXPECT_EQ(counts[2], 2);
    EXPECT_EQ(counts[3], 2);
    EXPECT_EQ(counts[4], 1);
    dlclose(library);
}

// The real modules: a null vessel is ignored and the interface date is the
// simulator's integer form of 25 April 2006; only the entry points are
// exported.
TEST(EntryPointsTest, ModulesIgnoreANullVesselAndReportTheInterfaceDate) {
    for (const char *name : {"K12_OKUL", "Tavr12", "Q4varK_RN"}) {
        std::string path = std::string(OKUL_ROOT_DIR) + "/Modules/lib" + name + ".so";
        void *library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        auto ovcExit = reinterpret_cast<void (*)(void *)>(dlsym(library, "ovcExit"));
        auto version = reinterpret_cast<int (*)()>(dlsym(library, "GetModuleVersion"));
        ASSERT_NE(ovcExit, nullptr) << name;
        ASSERT_NE(version, nullptr) << name;
        ovcExit(nullptr);
        EXPECT_EQ(version(), 60425) << name;
        EXPECT_EQ(version(), 60425) << name;
        for (const char *entry : {"InitModule", "ExitModule", "ovcInit"})
            EXPECT_NE(dlsym(library, entry), nullptr) << name << " " << entry;
        EXPECT_EQ(dlsym(library, "HostInterfaceVersion"), nullptr) << name;
        dlclose(library);
    }
}

}  // namespace
