#pragma once

#include "render/Picture.h"

#include <QByteArray>
#include <QList>

// Qt's picture reader and writers, loaded from the module beside the program the first time a
// picture needs them, so that the command starts without Qt Gui. Each throws VorpexError when
// the module cannot be loaded or the picture not read or written.
Picture QtModuleDecode(const QByteArray &bytes);
QByteArray QtModuleEncode(const Picture &picture, const QByteArray &format);
QList<QByteArray> QtModuleFormats();
