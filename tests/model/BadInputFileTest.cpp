// The file readers and writers given what a user's disk can hold in place of their files.
#include "common/VorpexError.h"
#include "model/FileIO.h"
#include "model/LevelFile.h"
#include "model/TilesetFile.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(BadInputFiles, EmptyFilesAndFoldersAreRefusedAndLeftAsTheyAre)
{
    TempAppFolder app;
    const QString empty = app.tls(QStringLiteral("Empty.vxt"));
    WriteBytes(empty, QByteArray());
    const QString folder = app.tls(QStringLiteral("Folder.vxt"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString missing = app.tls(QStringLiteral("Missing.vxt"));
    const QString pipe = app.tls(QStringLiteral("Pipe.vxt"));
    MakeFifo(pipe);
    FifoWatchdog watchdog({pipe});
    // Links are followed: to a pipe it is refused, to a file it reads.
    const QString pipeLink = app.tls(QStringLiteral("PipeLink.vxt"));
    const QString fileLink = app.tls(QStringLiteral("FileLink.vxt"));
    ASSERT_TRUE(QFile::link(pipe, pipeLink) && QFile::link(app.path() + "/One.vxt", fileLink));
    WriteBytes(app.path() + "/One.vxt", Le32({1, 4, 1, 1, 1, 1, 0, 16}));
    EXPECT_EQ(ReadTilesetFile(fileLink).record(1), (BrickRecord{4, 1, 1, 1, 1, 0, 16}));

    for (const QString &path : {empty, folder, missing, pipe, pipeLink}) {
        EXPECT_THROW(ReadLevelFile(path), VorpexError) << path.toStdString();
        EXPECT_THROW(ReadTilesetFile(path), VorpexError) << path.toStdString();
    }
    EXPECT_THROW(WriteLevelFile(folder, LevelFileData()), VorpexError);

    // Reading created nothing, and the failed write left no part of a file behind.
    EXPECT_EQ(EntriesOf(app.tls(QString())),
              (QStringList{"Empty.vxt", "FileLink.vxt", "Folder.vxt", "Pipe.vxt", "PipeLink.vxt"}));
    EXPECT_TRUE(EntriesOf(folder).isEmpty() && ReadBytes(empty).isEmpty());
}

TEST(BadInputFiles, NameFieldsReadAndWrittenBackKeepTheirBytes)
{
    for (const QByteArray &name : {
             QByteArray("\xc3\x83\xc2\xa9.bmp"), // UTF-8 of text that Latin-1 can hold too
             QByteArray("\xef\xbb\xbfSky.bmp"),  // starts with a byte order mark
             QByteArray("Caf\xe9.bmp"),          // Latin-1
             QByteArray("\xe7\xa0\x96.bmp"),     // UTF-8 beyond Latin-1
         }) {
        const QByteArray bytes = LevelBytes({-1, 0, 0, 0}, "A.vxt", name);
        EXPECT_EQ(EncodeLevelFile(DecodeLevelFile(bytes)), bytes) << name.toHex().constData();
    }
    // Stray bytes (encoded surrogates too) come back; other letters, four-byte ones, stay.
    const QByteArray stray = "\xff\xc3\xa9t\xe9\xf0\x9f\x98\x80\xed\xbf\xbf\xed\xa0\x80\xc3\xa9";
    const QString decoded = QString::fromUtf16(
        u"\xdcff\u00e9t\xdce9\U0001F600\xdced\xdcbf\xdcbf\xdced\xdca0\xdc80\u00e9");
    EXPECT_EQ(DecodeFileName(stray), decoded);
    EXPECT_EQ(EncodeFileName(decoded), stray);
}
