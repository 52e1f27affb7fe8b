#pragma once

#include "GridEdits.h"

#include <QByteArray>
#include <QString>
#include <optional>

// A block of cells on the clipboard: as our own type (its size, the tileset its bricks are
// numbered in, its bricks) and as plain text (one line per row, numbers between blanks), so
// that it goes between editor windows and to and from other programs.
inline constexpr const char *CellBlockMimeType = "application/x-vorpex-cells";

QByteArray EncodeCellBlock(const CellBlock &block, const QString &tilesetName);
QString CellBlockAsText(const CellBlock &block);

// None for anything that is not a block of 1..20 x 1..30 bricks numbered 0..32767 in rows of
// one length; large inputs are refused before they are read.
std::optional<CellBlock> DecodeCellBlock(const QByteArray &bytes);
std::optional<CellBlock> CellBlockFromText(const QString &text);
