// How Check Files runs the checks; what each check finds is tested through vorpex (tests/cli).
#include "check/Checker.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

TEST(CheckerTest, GathersEachFileOnceAndTheLevelsSetsNameThenStopsAndGoesOnBetweenFiles)
{
    TempAppFolder app;
    for (const char *name : {"a.vxl", "b.vxl", "bonus.dat"}) // bonus.dat: named only by the set
        WriteBytes(app.lvl(name), "short");
    WriteBytes(app.lvl("Set.vxs"), "Set\r\n 2 \r\nA.VXL\r\nbonus.dat\r\n");
    Checker checker(app.path());
    ASSERT_EQ(checker.gather(app.lvl("")), "");
    ASSERT_EQ(checker.gather(app.path() + "/Tls/../Lvl/b.vxl"), ""); // b once more
    checker.finishGathering();
    EXPECT_EQ(checker.filesToCheck(), 4);

    std::stop_source stop;
    checker.stopWhen(stop.get_token());
    std::vector<std::pair<int, int>> steps;
    const auto progress = [&](int checked, int total) {
        steps.emplace_back(checked, total);
        if (checked == 2)
            stop.request_stop();
    };
    EXPECT_FALSE(checker.run(progress)); // Set.vxs (nothing wrong) and a.vxl
    EXPECT_EQ(checker.findings().size(), 1u);
    checker.stopWhen({});
    EXPECT_TRUE(checker.run(progress));
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{1, 4}, {2, 4}, {3, 4}, {4, 4}}));
    const std::vector<Checker::Finding> found = checker.findings();
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(std::tie(found[2].path, found[2].code, found[2].kind),
              std::tuple(app.lvl("bonus.dat"), "unreadable", Checker::Kind::Level));
}
