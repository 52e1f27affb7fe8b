#include "common/Text.h"
#include "common/AppFolders.h"
#include "common/Rounding.h"

#include "support/Fixtures.h"
#include "support/FullDisk.h"

#include <gtest/gtest.h>

TEST(Text, FileNamesAfterEitherSeparatorTrailingBlanksTrimmedAndLatinOneNamesSingleByte)
{
    EXPECT_EQ(FileNameOf("/mixed\\dir/x.bmp"), "x.bmp");
    EXPECT_EQ(FileNameOf("\\One.vxl"), "One.vxl");
    // No separator, a trailing one, or nothing at all give the empty text.
    EXPECT_EQ(FileNameOf("plain.vxl"), QString());
    EXPECT_EQ(FileNameOf("C:\\Games\\"), QString());
    EXPECT_EQ(TrimTrailingSpaces("  lead and mid  dle   "), "  lead and mid  dle");
    EXPECT_EQ(TrimTrailingSpaces("tab\t"), "tab\t");
    EXPECT_EQ(TrimTrailingSpaces(QString::fromLatin1("nul\0", 4)), QString::fromLatin1("nul\0", 4));
    // Blanks only, and a blank just before them that is not part of the text.
    const QString blanks =
        QString::fromRawData(reinterpret_cast<const QChar *>(u"x       ") + 2, 5);
    EXPECT_EQ(TrimTrailingSpaces(blanks), QString());
    const QString accented =
        QString::fromUtf8("Caf\xc3\xa9\xc3\xbf.bmp"); // the last Latin-1 letter too
    EXPECT_EQ(EncodeName(accented), QByteArray("Caf\xe9\xff.bmp"));
    EXPECT_EQ(DecodeName(QByteArray("Caf\xe9\xff.bmp")), accented);
    const QString cyrillic = QString::fromUtf8("\xd0\x9a\xd0\xb8\xd1\x80");
    EXPECT_EQ(DecodeName(EncodeName(cyrillic)), cyrillic);
}

TEST(Rounding, HalvesGoToTheEvenNeighbourAndInt32LimitsHold)
{
    for (auto [x, rounded] : {std::pair(0.5, 0.0), {1.5, 2.0}, {-2.5, -2.0}, {2.5001, 3.0}})
        EXPECT_EQ(RoundHalfEven(x), rounded) << x;
    EXPECT_EQ(RoundToInt32(2147483647.4), 2147483647);
    EXPECT_EQ(RoundToInt32(2147483647.6), std::nullopt);
    EXPECT_EQ(RoundToInt32(-2147483648.4), INT32_MIN);
    EXPECT_EQ(RoundToInt32(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
}

TEST(AppFolders, TheProgramsFolderWhereItMayWriteElseAUserFolderGivenWhatItLacks)
{
    int argc = 1;
    char name[] = "test_common", *argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    const QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    // An installed folder, read-only even to root: a bind mount in a child of its own.
    if (!RanInChild({"unshare", "--user", "--map-root-user", "--mount"},
                    "p=$1/p; mkdir -p $p/Tls $p/Bgd $p/Lvl && echo new >$p/Tls/A.vxt && "
                    "cp $p/Tls/A.vxt $p/Lvl/B.vxs && mount --bind $p $p && "
                    "mount -o remount,bind,ro $p || exit 77; echo ready; "
                    "d=$1; shift; VORPEX_CHILD_DIR=$d exec \"$@\"",
                    "cannot mount a read-only folder here (unshare -rm, mount)")) {
        const QString program = qEnvironmentVariable("VORPEX_CHILD_DIR") + "/p";
        const QString user = home.path() + "/VorpexEditor";
        QDir().mkpath(user + "/Tls");
        WriteBytes(user + "/Tls/A.vxt", "mine");
        EXPECT_EQ(AppFolders::DataFolder(program), user);
        EXPECT_EQ(ReadBytes(user + "/Tls/A.vxt"), "mine");
        EXPECT_EQ(ReadBytes(user + "/Lvl/B.vxs"), "new\n");
        // A home the user may not write either: the installed folder as it is.
        qputenv("XDG_DATA_HOME", QFile::encodeName(program));
        EXPECT_EQ(AppFolders::DataFolder(program), program);
        return;
    }
    EXPECT_EQ(AppFolders::DataFolder(), QCoreApplication::applicationDirPath());
    EXPECT_TRUE(EntriesOf(home.path()).isEmpty());
}
