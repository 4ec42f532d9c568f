// The last program's target point as the terminal shows it.
#include "ProgramTarget.h"

#include <gtest/gtest.h>

using okulsim::findProgramTarget;
using okulsim::ProgramTarget;

TEST(ProgramTargetTest, EachProgramsLinesGiveItsPointAndTheNewestWins) {
    // The terminal after PLE and then PLM (newest on top), as printed.
    const std::vector<std::string> lines = {
        ">|",
        "T 1727834 (43049.48500) R 3359.9 V 5123.4 ",
        "Д -177.84 Ш -10.22 В -30.0 км Rош 0.000135 км",
        " 3ш dV -0.180 0.100 -0.140",
        "Ответ 5.0",
        "PLM 5",
        "Err=<2> 0.0168 км (1.754) || NN 1.00 2.00 3.00 4.00",
        "Tar= MJD43644.3020 dT 1555000.0 R 4874.3 V 10821.5 ЭкН 52.10Д 95.12 Ш -25.30",
        "Tru= MJD43644.3011 dT 1554900.0 R 4875.0 V 10820.0 ЭкН 52.00Д 95.00 Ш -25.00",
    };
    ProgramTarget target;
    ASSERT_TRUE(findProgramTarget(lines, target));
    EXPECT_EQ(target.program, "PLM");
    EXPECT_EQ(target.body, "Mars");
    EXPECT_DOUBLE_EQ(target.mjd, 43049.485);
    EXPECT_DOUBLE_EQ(target.radiusKm, 3359.9);
    EXPECT_DOUBLE_EQ(target.longitudeDeg, -177.84);
    EXPECT_DOUBLE_EQ(target.latitudeDeg, -10.22);

    // Without PLM's lines, PLE's target line (not its "Tru=" line).
    ASSERT_TRUE(findProgramTarget(std::vector<std::string>(lines.begin() + 4, lines.end()), target));
    EXPECT_EQ(target.program, "PLE");
    EXPECT_EQ(target.body, "Earth");
    EXPECT_DOUBLE_EQ(target.mjd, 43644.302);
    EXPECT_DOUBLE_EQ(target.radiusKm, 4874.3);
    EXPECT_DOUBLE_EQ(target.longitudeDeg, 95.12);
    EXPECT_DOUBLE_EQ(target.latitudeDeg, -25.3);

    const std::vector<std::string> pie = {"REZ=Д 38.09 Ш -10.52 Выс 6112.6",
                                          "REZ=MJD 43640.302 R 12483.58 км V 8553.7 м/с", "Ответ 5566.0"};
    ASSERT_TRUE(findProgramTarget(pie, target));
    EXPECT_EQ(target.program, "PIE");
    EXPECT_EQ(target.body, "Earth");
    EXPECT_DOUBLE_EQ(target.radiusKm, 12483.58);
    EXPECT_DOUBLE_EQ(target.longitudeDeg, 38.09);
}

TEST(ProgramTargetTest, HalfAResultOrOtherTextIsNone) {
    ProgramTarget target;
    target.program = "kept";
    // A PLM point line whose time line scrolled away, a time line alone,
    // PIE's failure text, help lines.
    EXPECT_FALSE(
        findProgramTarget({"Д -177.84 Ш -10.22 В -30.0 км Rош 330 км", "a", "b", "c", "d", "e"}, target));
    EXPECT_FALSE(findProgramTarget({"T 1727834 (43049.48500) R 3359.9 V 5123.4 "}, target));
    EXPECT_FALSE(findProgramTarget({"REZ=Контрольные точки не установлены", "HLP - данная справка"}, target));
    EXPECT_FALSE(findProgramTarget({"Tar= MJDnan"}, target));
    EXPECT_FALSE(findProgramTarget({}, target));
    EXPECT_EQ(target.program, "kept");
}
