#pragma once

#include "Dialogs.h"

#include <QString>
#include <optional>

class QWidget;

// A window's one file-dialog object: set up before each use, and it keeps the last file name
// chosen, so each dialog starts with the file last chosen in any of the window's dialogs.
class CommonDialog
{
public:
    CommonDialog(Dialogs &dialogs, QWidget *owner) : backend(dialogs), parent(owner) {}

    QString Filter;
    bool OverwritePrompt = false;
    QString FileName;
    QString InitDir; // where the dialog starts while FileName names no file

    // The chosen full path, or nullopt on Cancel.
    std::optional<QString> ShowOpen() { return show(false); }
    std::optional<QString> ShowSave() { return show(true); }
    // Several files chosen at once; FileName keeps the first.
    std::optional<QStringList> ShowOpenFiles();

private:
    std::optional<QString> show(bool save);
    FileDialogRequest request(bool save) const;

    Dialogs &backend;
    QWidget *parent;
};
