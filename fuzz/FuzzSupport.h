#pragma once

#include "platform/Dialogs.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Answers every message box with its first button and cancels every file dialog, keeping each
// message's caption and text so that a target can check what the user was told.
class FirstButtonDialogs : public Dialogs
{
public:
    std::optional<QString> showOpen(QWidget *parent, const FileDialogRequest &request) override;
    std::optional<QString> showSave(QWidget *parent, const FileDialogRequest &request) override;
    MsgAnswer message(QWidget *parent,
                      const QString &text,
                      const QString &caption,
                      MsgButtons buttons,
                      MsgIcon icon,
                      MsgAnswer defaultButton) override;
    void runModal(QDialog &window) override;

    QStringList texts;
    QStringList captions;
};

// The one QApplication of a run, on the headless platform.
void StartFuzzApplication();

// A folder for the run's files, removed when the run ends normally. Kept in memory where the
// machine offers it: every save is synced to disk.
QString FuzzFolder();

// An application folder with the default tileset and background and a few other tilesets and
// backgrounds that the seed levels name (see fuzz/README.md).
QString MakeFuzzAppFolder();

// A 24-bit Windows bitmap of any size, 0 x 0 included, written byte by byte so that sizes the
// image classes refuse can be written too. Each 32 x 16 cell has its own colour.
QByteArray MakeBitmap(int width, int height);

void WriteFileOrDie(const QString &path, const QByteArray &bytes);
QByteArray ReadFileOrDie(const QString &path);

// Reports a broken promise of the code under test and aborts, which libFuzzer records as a crash.
[[noreturn]] void FuzzFail(const char *what, const QString &detail = QString());

// True when `text` is one of the given messages followed by CR LF and a path.
bool IsMessageWithPath(const QString &text, std::initializer_list<const char *> messages);
