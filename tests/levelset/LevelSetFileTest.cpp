#include "levelset/LevelSetFile.h"

#include <gtest/gtest.h>

// Expected bytes are spelt out line by line: text, CR LF.

TEST(LevelSetFile, NameCountFramedByBlanksThenBareNames)
{
    EXPECT_EQ(LevelSetFile::encode(QStringLiteral("Vorpex Levels"),
                                   {QStringLiteral("one.vxl"), QStringLiteral("two.vxl"),
                                    QStringLiteral("one.vxl")}),
              QByteArray("Vorpex Levels\r\n"
                         " 3 \r\n"
                         "one.vxl\r\n"
                         "two.vxl\r\n"
                         "one.vxl\r\n"));
    EXPECT_EQ(LevelSetFile::encode(QString(), {QStringLiteral("a.vxl")}),
              QByteArray("\r\n 1 \r\na.vxl\r\n"));
    const QStringList twelve(12, QStringLiteral("L.vxl"));
    EXPECT_TRUE(LevelSetFile::encode(QStringLiteral("S"), twelve).startsWith("S\r\n 12 \r\n"));
}

TEST(LevelSetFile, TextIsSingleByte)
{
    // Latin-1 where it can hold the text, UTF-8 for a name it cannot.
    EXPECT_EQ(LevelSetFile::encode(
                  QStringLiteral("Niveaux d\u00e9j\u00e0"),
                  {QStringLiteral("\u00e9t\u00e9.vxl"), QStringLiteral("\u0142\u00f3d\u017a.vxl")}),
              QByteArray("Niveaux d\xe9j\xe0\r\n"
                         " 2 \r\n"
                         "\xe9t\xe9.vxl\r\n"
                         "\xc5\x82\xc3\xb3\x64\xc5\xba.vxl\r\n"));
}
