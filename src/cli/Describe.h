#pragma once

#include <QString>

// A short description of a level, tileset or levelset for people: what it names, holds and
// uses. Throws VorpexError when the file cannot be read.
QString Describe(const QString &path, const QString &appFolder);
