// The simulator core through its public face: scenario files, vessels,
// attachments, gravity and thrust.
#include <gtest/gtest.h>

#include <cmath>

#include "FileContents.h"
#include "TestInstallation.h"
#include "core/GravityModel.h"
#include "core/Rotation.h"
#include "core/Simulation.h"

using testsupport::ReadFile;
using testsupport::TestInstallation;

namespace {

const char kProbeClass[] =
    "ClassName = Probe\n"
    "Size = 2\n"
    "Mass = 500\n"
    "BEGIN_ATTACHMENT\n"
    "C 0 0 2  0 0 1  1 0 0  TOP\n"
    "P 0 0 -1  0 0 -1  0 1 0  BASE\n"
    "END_ATTACHMENT\n";

// A second probe hanging from the first by its base.
const char kChild[] =
    "P2:Probe\n  STATUS Orbiting Earth\n  RPOS 0 0 0\n  RVEL 0 0 0\n  ATTACHED 0:0,P1\nEND\n";

// A circular low Earth orbit at 6771 km in the ecliptic plane.
std::string leoScenario(const std::string &extraShips = "") {
    return "BEGIN_DESC\nTest world\nEND_DESC\n\n"
           "BEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 43100.5\nEND_ENVIRONMENT\n\n"
           "BEGIN_FOCUS\n  Ship P1\nEND_FOCUS\n\n"
           "BEGIN_SHIPS\n"
           "P1:Probe\n  STATUS Orbiting Earth\n  RPOS 6771000 0 0\n  RVEL 0 0 7672.6\n  AROT 0 0 0\nEND\n" +
           extraShips + "END_SHIPS\n";
}

class SimulationTest : public ::testing::Test {
protected:
    void SetUp() override { installation.writeClass("Probe", kProbeClass); }
    bool load(const std::string &text, std::string &error) {
        return simulation.loadScenario(installation.writeScenario("test.scn", text), error);
    }
    TestInstallation installation;
    sim::Simulation simulation{installation.root(), installation.work()};
};

TEST_F(SimulationTest, BrokenScenariosGiveOneMessageNamingFileAndLine) {
    struct Case {
        std::string text;
        std::string expected;
    } cases[] = {
        {leoScenario().replace(leoScenario().find("P1:Probe"), 8, "P1 Probe"),
         "test.scn:15: expected a vessel line"},
        {leoScenario().replace(leoScenario().find("P1:Probe"), 8, "P1:Nothing"),
         "unknown vessel class \"Nothing\""},
        {leoScenario().replace(leoScenario().find("Date MJD 43100.5"), 16, "Date MJD 30000"),
         "test.scn:7: date MJD 30000.00000 is outside the ephemeris"},
        {leoScenario().replace(leoScenario().find("Date MJD 43100.5"), 16, "Date MJD x"),
         "test.scn:7: malformed date"},
        {leoScenario().replace(leoScenario().find("END_SHIPS"), 9, ""), "not closed"},
        {leoScenario().replace(leoScenario().find("RPOS 6771000 0 0"), 16, "RPOS 1 2"), "malformed RPOS"},
        {leoScenario().replace(leoScenario().find("STATUS Orbiting Earth"), 21, "STATUS Orbiting Vulcan"),
         "unknown body \"Vulcan\""},
        // Numbers that are none: sscanf would take them.
        {leoScenario().replace(leoScenario().find("RPOS 6771000 0 0"), 16, "RPOS nan 0 0"), "malformed RPOS"},
        {leoScenario().replace(leoScenario().find("RVEL 0 0 7672.6"), 15, "RVEL 0 inf 0"), "malformed RVEL"},
        {leoScenario().replace(leoScenario().find("RVEL 0 0 7672.6"), 15, "RVEL 0 1e999 0"),
         "malformed RVEL"},
        // A key glued to its number is no RPOS line: the vessel would start
        // at the Earth's centre.
        {leoScenario().replace(leoScenario().find("RPOS 6771000 0 0"), 16, "RPOS-6771000 0 0"),
         "test.scn:15: vessel \"P1\" starts inside Earth: RPOS 0 m from its centre, radius 6371010 m"},
        {leoScenario().replace(leoScenario().find("RPOS 6771000 0 0"), 16, "RPOS 6000000 0 0"),
         "starts inside Earth"},
        {leoScenario().replace(leoScenario().find("RVEL 0 0 7672.6"), 15, "RVEL 0 0 299792458"),
         "test.scn:15: vessel \"P1\": RVEL is not below the speed of light"},
        {leoScenario(kChild).replace(leoScenario(kChild).find("ATTACHED 0:0,P1"), 15, "ATTACHED 1:0,P1"),
         "test.scn:21: ATTACHED names an attachment point that does not exist"},
        {leoScenario(std::string(kChild) + "P3:Probe\n  STATUS Orbiting Earth\n  RPOS 0 0 0\n  RVEL 0 0 0\n"
                                           "  ATTACHED 0:0,P1\nEND\n"),
         "test.scn:27: ATTACHED cannot be made: a point is taken"},
    };
    for (const Case &c : cases) {
        sim::Simulation fresh(installation.root(), installation.work());
        std::string error;
        EXPECT_FALSE(fresh.loadScenario(installation.writeScenario("test.scn", c.text), error)) << c.expected;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
        EXPECT_NE(error.find("test.scn"), std::string::npos) << error;
    }
    std::string error;
    EXPECT_FALSE(simulation.loadScenario(installation.root() + "/missing.scn", error));
    EXPECT_NE(error.find("missing.scn"), std::string::npos);
}

TEST_F(SimulationTest, WhiteSpaceLinesAndTheFocusNameReadAsWritten) {
    // A line of a vertical tab and a form feed is blank; the focus name is
    // everything after "Ship", even when it begins like "Ship".
    std::string text =
        leoScenario("Sh:Probe\n  STATUS Orbiting Earth\n  RPOS 0 7e6 0\n  RVEL 7600 0 0\nEND\n");
    text.replace(text.find("  System Sol"), 0, "\v\f\n");
    text.replace(text.find("Ship P1"), 7, "Ship Sh");
    std::string error;
    ASSERT_TRUE(load(text, error)) << error;
    EXPECT_EQ(simulation.focus()->name(), "Sh");
}

TEST_F(SimulationTest, HugeButFiniteNumbersAreSavedWhole) {
    std::string text = leoScenario();
    text.replace(text.find("RPOS 6771000 0 0"), 16, "RPOS 1e308 -1e308 1e308");
    std::string error;
    ASSERT_TRUE(load(text, error)) << error;
    const std::string saved = installation.workFile("saved.scn");
    ASSERT_TRUE(simulation.saveScenario(saved, error)) << error;
    sim::Simulation reloaded(installation.root(), installation.work());
    ASSERT_TRUE(reloaded.loadScenario(saved, error)) << error;
    EXPECT_EQ(reloaded.vesselByName("P1")->position.y, simulation.vesselByName("P1")->position.y);
}

TEST_F(SimulationTest, AMalformedClassFileIsNamedWithItsLine) {
    installation.writeClass(
        "Probe", std::string(kProbeClass).replace(std::string(kProbeClass).find("C 0 0 2"), 7, "C 0 zero 2"));
    std::string error;
    EXPECT_FALSE(load(leoScenario(), error));
    EXPECT_NE(error.find("test.scn:15: vessel \"P1\" of class \"Probe\": "), std::string::npos) << error;
    EXPECT_NE(error.find("Probe.cfg:5: malformed attachment line"), std::string::npos) << error;
}

TEST_F(SimulationTest, GenericCapsAndConfigAttachmentsApply) {
    std::string error;
    ASSERT_TRUE(load(leoScenario(), error)) << error;
    Vessel *probe = simulation.vesselByName("P1");
    ASSERT_NE(probe, nullptr);
    EXPECT_DOUBLE_EQ(probe->emptyMass, 500.0);
    EXPECT_DOUBLE_EQ(probe->size, 2.0);
    EXPECT_EQ(probe->attachmentCount(false), 1u);
    EXPECT_EQ(probe->attachmentCount(true), 1u);
    EXPECT_EQ(probe->attachmentByIndex(false, 0)->id, "TOP");
    EXPECT_EQ(probe->gravityRef, simulation.body(sim::BodyId::Earth));
}

TEST_F(SimulationTest, SaveLoadSaveIsStable) {
    std::string error;
    std::string ships =
        "P2:Probe\n  STATUS Orbiting Earth\n  RPOS 0 0 0\n  RVEL 0 0 0\n  ATTACHED 0:0,P1\nEND\n";
    ASSERT_TRUE(load(leoScenario(ships), error)) << error;
    for (int i = 0; i < 50; ++i) simulation.frame();
    std::string first = installation.workFile("first.scn"), second = installation.workFile("second.scn");
    ASSERT_TRUE(simulation.saveScenario(first, error)) << error;
    const VECTOR3 position = simulation.vesselByName("P1")->position;

    sim::Simulation reloaded(installation.root(), installation.work());
    ASSERT_TRUE(reloaded.loadScenario(first, error)) << error;
    ASSERT_TRUE(reloaded.saveScenario(second, error)) << error;
    EXPECT_EQ(ReadFile(first), ReadFile(second));
    EXPECT_LT(length(reloaded.vesselByName("P1")->position - position), 1e-3);
    EXPECT_EQ(reloaded.vesselByName("P2")->parent(), reloaded.vesselByName("P1"));
    EXPECT_NE(ReadFile(first).find("  ATTACHED 0:0,P1\n"), std::string::npos);
}

TEST_F(SimulationTest, AttachedChildFollowsItsParentThroughATurn) {
    std::string error;
    std::string ships =
        "P2:Probe\n  STATUS Orbiting Earth\n  RPOS 0 0 0\n  RVEL 0 0 0\n  ATTACHED 0:0,P1\nEND\n";
    ASSERT_TRUE(load(leoScenario(ships), error)) << error;
    Vessel *parent = simulation.vesselByName("P1");
    Vessel *child = simulation.vesselByName("P2");
    // The child's base point (0,0,-1) sits on the parent's top point (0,0,2),
    // the two directions facing each other: the child points along the parent.
    for (double angle : {0.0, 0.7, 2.0}) {
        parent->iface->SetRotationMatrix(sim::rotationFromEulerAngles(_V(angle, 0.3, -angle)));
        VECTOR3 parentTop = parent->localToGlobal(_V(0, 0, 2));
        VECTOR3 childBase = child->localToGlobal(_V(0, 0, -1));
        EXPECT_LT(length(parentTop - childBase), 1e-6);
        VECTOR3 parentZ = mul(parent->rotation, _V(0, 0, 1)), childZ = mul(child->rotation, _V(0, 0, 1));
        EXPECT_NEAR(dotp(parentZ, childZ), 1.0, 1e-12);
        // rotation references: parent x, child y (the child's base point's reference)
        VECTOR3 parentX = mul(parent->rotation, _V(1, 0, 0)), childY = mul(child->rotation, _V(0, 1, 0));
        EXPECT_NEAR(dotp(parentX, childY), 1.0, 1e-12);
    }
    simulation.frame();
    EXPECT_LT(length(child->velocity - parent->velocity), 1e-9);
    // Detach with a push along the parent's point direction.
    ASSERT_TRUE(parent->iface->DetachChild(parent->iface->GetAttachmentHandle(false, 0), 2.0));
    VECTOR3 push = child->velocity - parent->velocity;
    EXPECT_NEAR(length(push), 2.0, 1e-9);
    EXPECT_EQ(child->parent(), nullptr);
}

TEST_F(SimulationTest, CircularOrbitKeepsItsRadiusOverAnHourFrame) {
    std::string error;
    ASSERT_TRUE(load(leoScenario(), error)) << error;
    Vessel *probe = simulation.vesselByName("P1");
    simulation.setFrameLength(1.0);
    simulation.setTimeAcceleration(3600.0);
    simulation.frame();
    sim::Body *earth = simulation.body(sim::BodyId::Earth);
    double radius = length(probe->position - earth->position());
    // The Moon and the Sun perturb the orbit by some tens of metres in an hour.
    EXPECT_NEAR(radius, 6771000.0, 2000.0);
    EXPECT_NEAR(simulation.simTime(), 3600.0, 1e-9);
}

TEST_F(SimulationTest, MainEngineBurnFollowsTheRocketEquation) {
    std::string error;
    ASSERT_TRUE(load(leoScenario(), error)) << error;
    Vessel *probe = simulation.vesselByName("P1");
    VESSEL *v = probe->iface;
    PROPELLANT_HANDLE tank = v->CreatePropellantResource(500.0);
    THRUSTER_HANDLE engines[2];
    for (auto &e : engines) e = v->CreateThruster(_V(0, 0, -1), _V(0, 0, 1), 1000.0, tank, 3000.0);
    THGROUP_HANDLE main = v->CreateThrusterGroup(engines, 2, THGROUP_MAIN);
    EXPECT_EQ(v->GetGroupThrusterCount(THGROUP_MAIN), 2u);
    v->SetThrusterGroupLevel(main, 1.0);
    // Against a vessel without thrust, over the same ten seconds.
    VECTOR3 pos = probe->position, vel = probe->velocity;
    double mjd = simulation.mjd();
    simulation.setFrameLength(0.1);
    for (int i = 0; i < 100; ++i) simulation.frame();
    simulation.gravity().propagate(mjd, 10.0, pos, vel);
    double m0 = 1000.0, m1 = 1000.0 - 2000.0 / 3000.0 * 10.0;
    EXPECT_NEAR(v->GetPropellantMass(tank), 500.0 - (m0 - m1), 1e-6);
    EXPECT_NEAR(length(probe->velocity - vel), 3000.0 * std::log(m0 / m1), 1e-3);
    VECTOR3 thrustDir = unit(probe->velocity - vel);
    EXPECT_NEAR(dotp(thrustDir, mul(probe->rotation, _V(0, 0, 1))), 1.0, 1e-9);
}

TEST_F(SimulationTest, TimeAndFrameCallbacksAdvance) {
    std::string error;
    ASSERT_TRUE(load(leoScenario(), error)) << error;
    simulation.setFrameLength(0.5);
    simulation.setTimeAcceleration(10.0);
    double mjd0 = simulation.mjd();
    simulation.frame();
    EXPECT_DOUBLE_EQ(oapiGetSimTime(), 5.0);
    EXPECT_DOUBLE_EQ(oapiGetSimStep(), 5.0);
    EXPECT_NEAR(oapiGetSimMJD(), mjd0 + 5.0 / 86400.0, 1e-12);
    EXPECT_DOUBLE_EQ(oapiGetFrameRate(), 2.0);
    oapiSetTimeAcceleration(1e9);
    EXPECT_DOUBLE_EQ(oapiGetTimeAcceleration(), 100000.0);
}

}  // namespace
