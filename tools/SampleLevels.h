#pragma once

#include "model/BrickTable.h"

#include <QString>

// Writes the sample levels over the default tileset into Lvl/ of the application folder, their
// levelset Lvl/Samples.vxs in play order, and the second background they use into Bgd/.
// `bricks` is the default tileset's table of `count` bricks: the levels' maps name bricks by
// what they do, and together must use every brick a designer would place. Throws VorpexError.
void WriteSampleLevels(const QString &appFolder, const BrickTable &bricks, int count);
