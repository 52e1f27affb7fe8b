#pragma once

#include "Dialogs.h"

// The real dialogs of the program, on Qt.
class QtDialogs : public Dialogs
{
public:
    std::optional<QString> showOpen(QWidget *parent, const FileDialogRequest &request) override;
    std::optional<QString> showSave(QWidget *parent, const FileDialogRequest &request) override;
    std::optional<QString>
    showFolder(QWidget *parent, const QString &caption, const QString &startFolder) override;
    std::optional<QStringList> showOpenFiles(QWidget *parent,
                                             const FileDialogRequest &request) override;
    MsgAnswer message(QWidget *parent,
                      const QString &text,
                      const QString &caption,
                      MsgButtons buttons,
                      MsgIcon icon,
                      MsgAnswer defaultButton) override;
    std::optional<int> askNumber(QWidget *parent,
                                 const QString &prompt,
                                 const QString &caption,
                                 int value,
                                 int minimum,
                                 int maximum) override;
    void runModal(QDialog &window) override;
};
