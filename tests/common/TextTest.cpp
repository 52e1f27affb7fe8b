#include "common/Text.h"
#include "common/Rounding.h"

#include <gtest/gtest.h>

TEST(FileNameOf, TakesTheTextAfterTheLastSeparatorOfEitherKind)
{
    EXPECT_EQ(FileNameOf(QStringLiteral("C:\\Games\\Lvl\\One.vxl")), QStringLiteral("One.vxl"));
    EXPECT_EQ(FileNameOf(QStringLiteral("/home/a/Tls/Stone.vxt")), QStringLiteral("Stone.vxt"));
    EXPECT_EQ(FileNameOf(QStringLiteral("/mixed\\dir/x.bmp")), QStringLiteral("x.bmp"));
    EXPECT_EQ(FileNameOf(QStringLiteral("a/b\\c")), QStringLiteral("c"));
    // No separator, a trailing one, or nothing at all give the empty text.
    EXPECT_EQ(FileNameOf(QStringLiteral("plain.vxl")), QString());
    EXPECT_EQ(FileNameOf(QStringLiteral("C:\\Games\\")), QString());
    EXPECT_EQ(FileNameOf(QString()), QString());
}

TEST(TrimTrailingSpaces, RemovesOnlyTrailingBlanks)
{
    EXPECT_EQ(TrimTrailingSpaces(QStringLiteral("Stone.vxt      ")), QStringLiteral("Stone.vxt"));
    EXPECT_EQ(TrimTrailingSpaces(QStringLiteral("  lead and mid  dle ")),
              QStringLiteral("  lead and mid  dle"));
    EXPECT_EQ(TrimTrailingSpaces(QStringLiteral("tab\t")), QStringLiteral("tab\t"));
    EXPECT_EQ(TrimTrailingSpaces(QString::fromLatin1("nul\0", 4)), QString::fromLatin1("nul\0", 4));
    EXPECT_EQ(TrimTrailingSpaces(QStringLiteral("     ")), QString());
    EXPECT_EQ(TrimTrailingSpaces(QString()), QString());
}

TEST(NameEncoding, LatinOneStaysSingleByteAndOtherTextSurvivesARoundTrip)
{
    EXPECT_EQ(EncodeName(QStringLiteral("Stone.vxt")), QByteArray("Stone.vxt"));
    const QString accented = QString::fromUtf8("Caf\xc3\xa9.bmp");
    EXPECT_EQ(EncodeName(accented), QByteArray("Caf\xe9.bmp"));
    EXPECT_EQ(DecodeName(QByteArray("Caf\xe9.bmp")), accented);
    const QString cyrillic = QString::fromUtf8("\xd0\x9a\xd0\xb8\xd1\x80.bmp");
    EXPECT_EQ(DecodeName(EncodeName(cyrillic)), cyrillic);
}

TEST(IsBareFileName, RefusesWhatCouldLeaveTheDataFolder)
{
    EXPECT_TRUE(IsBareFileName(QStringLiteral("Stone.vxt")));
    EXPECT_TRUE(IsBareFileName(QStringLiteral("with blank.bmp")));
    for (const char *bad : {"", ".", "..", "../x.vxt", "..\\x.vxt", "sub/x.vxt", "/etc/passwd"})
        EXPECT_FALSE(IsBareFileName(QLatin1String(bad))) << bad;
}

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(1.5), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2.0);
    EXPECT_EQ(RoundHalfEven(2.4999), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5001), 3.0);
    EXPECT_EQ(RoundToInt32(2147483647.4), 2147483647);
    EXPECT_EQ(RoundToInt32(2147483647.6), std::nullopt);
    EXPECT_EQ(RoundToInt32(-2147483648.0), -2147483647 - 1);
    EXPECT_EQ(RoundToInt32(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
}
