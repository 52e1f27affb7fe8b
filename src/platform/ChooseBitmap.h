#pragma once

#include <QImage>
#include <QString>
#include <optional>

class CommonDialog;
class Dialogs;
class QWidget;

struct ChosenBitmap
{
    QString path;
    QImage picture;
    QByteArray bytes; // the file, as it was read
};

// Asks for a bitmap with the window's file dialog and loads it. nullopt on Cancel, and after
// telling the user "Cannot load picture." with the path when the file is no loadable picture.
std::optional<ChosenBitmap> ChooseBitmap(CommonDialog &dialog, Dialogs &dialogs, QWidget *parent);
