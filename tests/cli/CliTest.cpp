// The vorpex command as a user runs it, with no display: what it writes and its exit codes.
#include "editor/EditorFixture.h"
#include "model/LevelSetFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class CliTest : public EditorTest
{
protected:
    struct Run
    {
        int status;
        QString out, err;
        QByteArray bytes; // stdout as it came
    };
    // Through wrapper (a command and its options) and with stdout to outFile, where given.
    Run vorpex(QStringList args, const QStringList &wrapper = {}, const QString &outFile = {})
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        process.setProcessEnvironment(env);
        if (!outFile.isEmpty())
            process.setStandardOutputFile(outFile);
        QStringList command =
            wrapper + QStringList{VORPEX_CLI, args.takeFirst(), "--data", app.path()} + args;
        process.start(command.takeFirst(), command);
        EXPECT_TRUE(process.waitForFinished(30000));
        const QByteArray out = process.readAllStandardOutput();
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(out), QString::fromLocal8Bit(process.readAllStandardError()),
                out};
    }
    void SetUp() override
    {
        EditorTest::SetUp();
        WriteBitmap(app.bgd("Odd.bmp"), markedPicture(101, 67)); // a background of an odd size
    }
};

} // namespace

TEST_F(CliTest, RenderDrawsWhatTheEditorShowsAndNothingForABadLevel)
{
    const QString path = writeLevel(
        "edges.vxl", {-1, -1, -1, -1},
        {{1, 1, 1}, {20, 1, 2}, {1, 30, 3}, {20, 30, 4}, {10, 15, 6}, {5, 5, 7}, {6, 6, -1}},
        "Odd.bmp");
    start();
    ASSERT_TRUE(editor->OpenFile(path));
    const QImage canvas = editor->LevelPic->surface().copy(0, 0, 640, 480);

    const QString out = app.path() + "/edges.png";
    ASSERT_EQ(vorpex({"render", path, out}).status, 0);
    EXPECT_TRUE(QImage(out).convertToFormat(QImage::Format_RGB32) == canvas);
    const Run piped = vorpex({"render", path, "-"});
    EXPECT_TRUE(QImage::fromData(piped.bytes, "PNG").convertToFormat(QImage::Format_RGB32) ==
                canvas);
    const Run full = vorpex({"render", path, "-"}, {}, "/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "vorpex: cannot write standard output: No space left on device\n");
    ASSERT_EQ(vorpex({"render", path, out, "--scale", "2"}).status, 0);
    const QImage twice(out);
    EXPECT_EQ(twice.size(), QSize(1280, 960));
    EXPECT_EQ(twice.pixelColor(1279, 959), canvas.pixelColor(639, 479));
    EXPECT_EQ(twice.pixelColor(2 * 321 + 1, 2 * 233), canvas.pixelColor(321, 233));
    ASSERT_EQ(vorpex({"render", path, app.path() + "/small.jpg", "--size", "160"}).status, 0);
    EXPECT_EQ(QImage(app.path() + "/small.jpg").size(), QSize(160, 120));
    ASSERT_EQ(vorpex({"render", path, out, "--no-paddles", "--scale", "1"}).status, 0);
    EXPECT_EQ(QImage(out).pixelColor(300, 465), canvas.pixelColor(300, 481 - 16 * 30));

    // A level the editor cannot open: its message, exit 1, nothing written.
    WriteBytes(app.lvl("short.vxl"), "short");
    const Run bad = vorpex({"render", app.lvl("short.vxl"), app.path() + "/bad.png"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "Cannot open level.\n" + app.lvl("short.vxl") + "\n");
    EXPECT_FALSE(QFile::exists(app.path() + "/bad.png"));
    // Levels drawn together, each named after itself; one that cannot be read is said.
    QDir().mkdir(app.path() + "/pictures");
    const Run many = vorpex({"render", path, app.lvl("short.vxl"), "--out-dir",
                             app.path() + "/pictures", "--format", "bmp"});
    EXPECT_EQ(std::tie(many.status, many.err), std::tie(bad.status, bad.err));
    EXPECT_EQ(EntriesOf(app.path() + "/pictures"), QStringList{"edges.bmp"});
    EXPECT_TRUE(ReadBytes(app.path() + "/pictures/edges.bmp").startsWith("BM"));
    EXPECT_TRUE(QImage(app.path() + "/pictures/edges.bmp").convertToFormat(QImage::Format_RGB32) ==
                canvas);
#ifndef __SANITIZE_ADDRESS__ // its shadow memory does not fit under a limit
    // Where memory is limited: too big a picture is refused, one that does not fit is said.
    const QStringList little{"prlimit", "--as=500000000"};
    EXPECT_EQ(vorpex({"render", path, out, "--scale", "64"}, little).status, 2);
    const Run starved = vorpex({"render", path, out, "--scale", "25"}, little);
    EXPECT_EQ(std::tie(starved.status, starved.err), std::tuple(1, "vorpex: out of memory\n"));
#endif
    QFile::link(path, app.path() + "/link.png");
    for (const QStringList &args : {QStringList{"render", path},
                                    {"render", path, out, "--scale", "0"},
                                    {"render", path, app.path() + "/x.xyz"},
                                    {"render", path, out, "--size", "9", "--scale", "2"},
                                    {"render", path, app.path() + "/link.png"},
                                    {"render", path, out, "--format", "bmp"},
                                    {"render", path, "--out-dir", app.path() + "/nowhere"},
                                    {"render", path, path, "--out-dir", app.path()},
                                    {"render", path, "--out-dir", app.path(), "--format", "gif"}})
        EXPECT_EQ(vorpex(args).status, 2) << args.join(' ').toStdString();
    EXPECT_EQ(ReadBytes(path).size(), 2672); // still the level, not a picture of it
}

TEST_F(CliTest, TheSampleLevelsCheckCleanRenderAndOpenAsTheLevelsetLists)
{
    // The data the build puts beside the program, over the fixture's.
    ASSERT_EQ(QProcess::execute(MAKE_DEFAULT_DATA, {app.path()}), 0);
    const QStringList levels = QDir(app.lvl("")).entryList({"*.vxl"}, QDir::Files, QDir::Name);
    ASSERT_GE(levels.size(), 6);
    EXPECT_EQ(LevelSetFile::read(app.lvl("Samples.vxs")).levels, levels);
    const Run check = vorpex({"check", "--strict", app.path()});
    EXPECT_EQ(check.out,
              QString("%1 files checked: 0 errors, 0 warnings\n").arg(levels.size() + 2));
    EXPECT_EQ(check.status, 0);
    QStringList all{"render", "--out-dir", app.path()};
    for (const QString &level : levels)
        all << app.lvl(level);
    EXPECT_EQ(vorpex(all).status, 0);
    for (const QString &level : levels) {
        const QString out = app.path() + '/' + QFileInfo(level).completeBaseName() + ".png";
        EXPECT_EQ(QImage(out).size(), QSize(640, 480)) << level.toStdString();
    }

    start();
    const QString walls = app.lvl("Sample1-Walls.vxl");
    ASSERT_TRUE(editor->OpenFile(walls));
    expectFresh(walls);
    // Red along the top wall, pink at the end of the lower one, the gap between its halves.
    EXPECT_EQ(std::tuple(brick(1, 3), brick(20, 12), brick(10, 10)), std::tuple(1, 8, 0));
    EXPECT_TRUE(editor->LevelPic->surface().copy(0, 0, 640, 480) ==
                QImage(app.path() + "/Sample1-Walls.png").convertToFormat(QImage::Format_RGB32));
}

TEST_F(CliTest, CheckFindsFaultsSortedAsLinesOrJsonWithItsExitCodes)
{
    writeLevel("a-good.vxl", {-1, 0, 0, 0}, {{3, 3, 6}});
    writeLevel("b-bad.vxl", {0, 0, 0, 0},
               {{4, 4, 7}, {5, 5, -2}, {6, 6, 7}, {7, 7, 7}, {8, 8, 7}, {9, 9, 7}, {10, 10, 7}},
               "Gone.bmp");
    QFile::link(app.lvl("a-good.vxl"), app.lvl("e-link.vxl")); // a link to a level is the level
    WriteBytes(app.tls("Broken.vxt"), Le32({3}) + Le32({20, 1, 2, 1, 1, 0, 0}) +
                                          Le32({1, 3, 1, 1, 1, 64, 0}) +
                                          Le32({1, 1, 1, 2, 1, 0, 40}));
    WriteBitmap(app.tls("Broken.bmp"), CellPicture(64, 48));
    WriteBytes(app.tls("Negative.vxt"), Le32({-4}));
    WriteBytes(app.tls("Huge.vxt"), Le32({100000}));
    WriteBytes(app.tls("Lone.vxt"), Le32({1, 1, 1, 1, 1, 1, 0, 0})); // no bitmap
    WriteBytes(app.lvl("d-lost.vxl"), LevelBytes({-1, 0, 0, 0}, "Lost.vxt", "Odd.bmp"));
    WriteBytes(app.lvl("Set.vxs"), "Set\r\n 2 \r\nA-GOOD.VXL\r\nlost.vxl\r\n");
    WriteBytes(app.lvl("Short.vxs"), "Short\r\n 3 \r\na-good.vxl\r\n");
    MakeFifo(app.lvl("c-pipe.vxl"));
    FifoWatchdog watchdog({app.lvl("c-pipe.vxl")});
    // A name that is not UTF-8, as copied from an old disk.
    const QByteArray latin1 = QFile::encodeName(app.lvl("")) + "niveau \xe9t\xe9.vxl";
    const QByteArray noPaddle =
        LevelBytes({0, 0, 0, 0}, "DefaultTileSet.vxt", "DefaultBackground.bmp");
    std::ofstream(latin1.constData()).write(noPaddle.constData(), noPaddle.size());

    const QStringList checked{app.lvl(""), app.tls("Broken.vxt"), app.tls("Negative.vxt"),
                              app.tls("Huge.vxt"), app.tls("Lone.vxt")};
    const Run lines = vorpex(QStringList{"check"} + checked);
    const QStringList said = lines.out.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(std::tie(lines.status, said.last()),
              std::tuple(1, "12 files checked: 16 errors, 0 warnings"));
    EXPECT_TRUE(lines.bytes.contains(latin1 + ": error: no paddle"));
    EXPECT_TRUE(lines.out.contains(" and 2 more\n"));
    QStringList paths;
    for (const QString &line : said.mid(0, said.size() - 1))
        paths << line.section(": ", 0, 0);
    EXPECT_TRUE(std::is_sorted(paths.begin(), paths.end()));

    const Run json = vorpex(QStringList{"check", "--json"} + checked);
    QStringList codes; // file name: code, in the order of their paths
    for (const QJsonValue &finding : QJsonDocument::fromJson(json.bytes).array()) {
        const QJsonObject f = finding.toObject();
        EXPECT_TRUE(f["severity"].toString() == "error" && !f["message"].toString().isEmpty());
        codes << QFileInfo(f["path"].toString()).fileName() + ": " + f["code"].toString();
    }
    std::remove(latin1.constData());
    EXPECT_EQ(codes.join(", "),
              QString::fromUtf16(
                  u"Set.vxs: level-missing, Short.vxs: format, b-bad.vxl: no-paddle, b-bad.vxl: "
                  u"background-missing, b-bad.vxl: unknown-brick, c-pipe.vxl: "
                  u"not-a-file, d-lost.vxl: tileset-missing, niveau \xdce9t\xdce9.vxl: no-paddle, "
                  u"Broken.vxt: action, Broken.vxt: frames, "
                  u"Broken.vxt: animation-past-end, Broken.vxt: stage-past-end, "
                  u"Broken.vxt: picture-outside, Huge.vxt: count, Lone.vxt: bitmap-missing, "
                  u"Negative.vxt: count"));

    // Warnings fail only with --strict; a path that is not there is 2.
    const QString odd = writeLevel("odd.vxl", {-1, 1, 0, 0}, {{0, 7, 3}});
    WriteBytes(odd, ReadBytes(odd) + "end");
    WriteFixtureTileset(app.tls("Tall.vxt"), 64, 50, 6);
    const Run warned = vorpex({"check", odd, app.tls("Tall.vxt")});
    EXPECT_EQ(warned.status, 0);
    for (const QString &line : {odd + ": warning: 3 bytes after the level's 2672\n",
                                QString("outside the playfield, are set: (0, 7) = 3\n"),
                                QString("bitmap of 64 x 50 is not cut into whole 32 x 16 cells\n"),
                                QString("\n2 files checked: 0 errors, 4 warnings\n")})
        EXPECT_TRUE(warned.out.contains(line)) << warned.out.toStdString();
    EXPECT_EQ(vorpex({"check", "--strict", odd}).status, 1);
    EXPECT_EQ(vorpex({"check", "--json", odd}, {}, "/dev/full").status, 1);
    const Run nowhere = vorpex({"check", app.lvl("nowhere")});
    EXPECT_TRUE(nowhere.status == 2 &&
                nowhere.err.startsWith("vorpex: " + app.lvl("nowhere does not exist\n")));

    // Folders a user may not read are errors, named or met inside another.
    const QStringList asUser =
        ::geteuid() ? QStringList()
                    : QStringList{"setpriv", "--bounding-set=-dac_override,-dac_read_search"};
    if (!asUser.isEmpty() && QProcess::execute(asUser[0], asUser.mid(1) << "true") != 0)
        GTEST_SKIP() << "root, and setpriv cannot take away its power to read everything";
    QDir(app.lvl("")).mkdir("closed");
    WriteBytes(app.lvl("closed/in.vxl"), "");
    QFile::setPermissions(app.lvl("closed"), {});
    const Run closed = vorpex({"check", app.lvl("closed")}, asUser);
    EXPECT_EQ(closed.status, 1);
    EXPECT_EQ(closed.out, app.lvl("closed: error: ") + app.lvl("closed: Permission denied\n") +
                              "0 files checked: 1 error, 0 warnings\n");
    EXPECT_TRUE(vorpex({"check", app.lvl("")}, asUser).out.contains(app.lvl("closed: error: ")));
    WriteBytes(app.tls("Locked.vxt"), Le32({0}));
    WriteBytes(app.lvl("Locked.vxs"), "Set\r\n 0 \r\n");
    QFile::setPermissions(app.tls("Locked.vxt"), {});
    QFile::setPermissions(app.lvl("Locked.vxs"), {});
    QFile::setPermissions(app.lvl("closed"), QFile::ReadOwner); // names seen, nothing reached
    EXPECT_TRUE(vorpex({"check", app.tls("Locked.vxt"), app.lvl("Locked.vxs"), app.lvl("closed"),
                        app.lvl("closed/in.vxl")},
                       asUser)
                    .out.endsWith("3 files checked: 4 errors, 0 warnings\n"));
    QFile::setPermissions(app.lvl("closed"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(CliTest, InfoDescribesEachKindAndUsageIsAnswered)
{
    const QString path =
        writeLevel("a.vxl", {-1, 0, -1, 0}, {{1, 1, 3}, {20, 1, 3}, {5, 30, 17}}, "Odd.bmp");
    const QString info = vorpex({"info", path}).out;
    for (const char *line :
         {"Tileset: DefaultTileSet.vxt", "Background: Odd.bmp", "Paddles: bottom, top",
          "Cells with a brick: 3 of 600", "  brick 3: 2 cells", "  brick 17: 1 cell"})
        EXPECT_TRUE(info.contains(line)) << line << '\n' << info.toStdString();
    // Names as a person reads them: no padding NULs, no raw control characters.
    WriteBytes(app.lvl("nul.vxl"), LevelBytes({-1, 0, 0, 0}, QByteArray(30, 0), "Odd\x01.bmp"));
    EXPECT_TRUE(
        vorpex({"info", app.lvl("nul.vxl")})
            .out.contains("\nTileset:  (" + app.path() + "/Tls)\nBackground: Odd\\x01.bmp\n"));
    const QString tileset = vorpex({"info", app.tls("DefaultTileSet.vxt")}).out;
    EXPECT_TRUE(tileset.contains("Bricks: 6 (bitmap 64 x 48, 6 cells)"));
    EXPECT_TRUE(tileset.contains(QRegularExpression("\n4 +Hittable +1/1 +1/1 +32, 0\n")));
    WriteBytes(app.tls("Kinds.vxt"),
               Le32({5}) + Le32({4, 1, 1, 1, 1, 0, 0}) + Le32({5, 1, 1, 1, 1, 0, 16}) +
                   Le32({19, 1, 1, 1, 1, 0, 32}) + Le32({0, 1, 1, 1, 1, 0, 0}) +
                   Le32({20, 1, 1, 1, 1, 0, 0}));
    WriteBytes(app.tls("Kinds.bmp"), QByteArray("BM") + Le32({1078, 0, 54, 40, 32, 16}) +
                                         Le16({1, 16}) + Le32({0, 1024, 0, 0, 0, 0}) +
                                         QByteArray(1024, '\0'));
    EXPECT_TRUE(vorpex({"info", app.tls("Kinds.vxt")})
                    .out.contains(QRegularExpression(
                        "Bricks: 5 \\(bitmap 32 x 16, 1 cells\\).*\n1 +Dynamite .*\n2 +Shooter top "
                        ".*\n3 +Shooter top\\+bottom .*\n4 +none .*\n5 +code 20 ",
                        QRegularExpression::DotMatchesEverythingOption)));
    WriteBytes(app.tls("Kinds.bmp"), "junk");
    EXPECT_TRUE(vorpex({"info", app.tls("Kinds.vxt")}).out.contains("Kinds.bmp cannot be read)"));
    WriteBytes(app.lvl("Set.vxs"), "Mine\n 2\na.vxl \nb.vxl\n\n");
    EXPECT_TRUE(vorpex({"info", app.lvl("Set.vxs")})
                    .out.endsWith("Name: Mine\nLevels: 2\n  1. a.vxl\n  2. b.vxl\n"));
    WriteBytes(app.lvl("Bad.vxs"), "Mine\r\n 3 \r\na.vxl\r\n");
    const Run counted = vorpex({"info", app.lvl("Bad.vxs")});
    EXPECT_EQ(std::tie(counted.status, counted.err),
              std::tuple(1, "vorpex: the file says 3 levels but names 1\n"));
    const Run full = vorpex({"info", path}, {}, "/dev/full"); // held back until the flush
    EXPECT_TRUE(full.status == 1 && full.err.endsWith("output: No space left on device\n"));

    EXPECT_TRUE(vorpex({"--help"}).out.contains("render LEVEL.vxl OUT"));
    const QStringList help{"render", "picture of a",       "info",  "holds.\n  FILE   ",
                           "check",  "levelsets.\n  PATH", "check", "--strict"};
    for (qsizetype i = 0; i < help.size(); i += 2)
        EXPECT_TRUE(vorpex({help[i], "--help"}).out.contains(help[i + 1])) << help[i].toStdString();
    EXPECT_EQ(vorpex({"--version"}).out, "vorpex 1.0.0\n");
    for (const QStringList &args :
         {QStringList{"paint"}, {"info"}, {"check"}, {"check", "--bogus", path}})
        EXPECT_EQ(vorpex(args).status, 2) << args.join(' ').toStdString();
}
