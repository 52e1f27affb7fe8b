#pragma once

#include "CellGrid.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

inline constexpr int LevelFileSize = 2672;
inline constexpr int LevelNameFieldSize = 30;

// What a level file holds. Names are bare file names, trailing blanks removed on reading.
struct LevelFileData
{
    std::array<std::int16_t, 4> paddles{}; // bottom, right, top, left
    QString tilesetName;
    QString backgroundName;
    CellGrid grid;

    bool operator==(const LevelFileData &) const = default;
};

QByteArray EncodeLevelFile(const LevelFileData &level);

// Throws VorpexError when fewer than LevelFileSize bytes are given; bytes after them are ignored.
LevelFileData DecodeLevelFile(const QByteArray &bytes);

LevelFileData ReadLevelFile(const QString &path);
void WriteLevelFile(const QString &path, const LevelFileData &level);
