#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QDialog;
class QWidget;

// What a file dialog is asked to show: a filter of the form "Description|*.ext" (the first one
// chosen), whether replacing an existing file is confirmed, the name it starts with, and the
// folder it starts in when that name gives none.
struct FileDialogRequest
{
    QString filter;
    bool overwritePrompt = false;
    QString fileName;
    QString folder{};
};

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { None, Question, Critical };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// The services that windows ask of the desktop: file and folder dialogs, message boxes and modal
// windows.
// The program shows real ones; tests answer from a script.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // nullopt = Cancel.
    virtual std::optional<QString> showOpen(QWidget *parent, const FileDialogRequest &request) = 0;
    virtual std::optional<QString> showSave(QWidget *parent, const FileDialogRequest &request) = 0;
    // A folder, the dialog opening at startFolder; nullopt = Cancel.
    virtual std::optional<QString>
    showFolder(QWidget *parent, const QString &caption, const QString &startFolder) = 0;
    // An Open dialog in which several files may be chosen at once.
    virtual std::optional<QStringList> showOpenFiles(QWidget *parent,
                                                     const FileDialogRequest &request);
    virtual MsgAnswer message(QWidget *parent,
                              const QString &text,
                              const QString &caption,
                              MsgButtons buttons,
                              MsgIcon icon,
                              MsgAnswer defaultButton) = 0;
    // A whole number from minimum to maximum, offered starting at value; nullopt = Cancel.
    virtual std::optional<int> askNumber(QWidget *parent,
                                         const QString &prompt,
                                         const QString &caption,
                                         int value,
                                         int minimum,
                                         int maximum) = 0;
    // Shows the window modally and returns once it has closed.
    virtual void runModal(QDialog &window) = 0;
};

// A message box with the application's title as caption unless one is given; the default button
// is the first one unless one is given.
MsgAnswer MsgBox(Dialogs &dialogs,
                 QWidget *parent,
                 const QString &text,
                 MsgButtons buttons = MsgButtons::Ok,
                 MsgIcon icon = MsgIcon::None,
                 const QString &caption = QString(),
                 std::optional<MsgAnswer> defaultButton = std::nullopt);

// A question whether to save, Yes (the default), No or Cancel: true when the work may be left,
// saved by `save` (which says whether it was) or given up.
bool MayLeave(Dialogs &dialogs,
              QWidget *parent,
              const QString &question,
              const QString &caption,
              const std::function<bool()> &save);

// "NAME already exists." CR LF "Do you want to replace it?", No the default: true for Yes.
bool AskToReplace(Dialogs &dialogs, QWidget *parent, const QString &name);

// Dialogs that first settle what the window has under way: a modal prompt takes the mouse, so
// a stroke in progress would otherwise never see its button released.
class SettlingDialogs : public Dialogs
{
public:
    SettlingDialogs(Dialogs &inner, std::function<void()> settle)
        : inner(inner), settle(std::move(settle))
    {}

    std::optional<QString> showOpen(QWidget *parent, const FileDialogRequest &request) override
    {
        settle();
        return inner.showOpen(parent, request);
    }
    std::optional<QString> showSave(QWidget *parent, const FileDialogRequest &request) override
    {
        settle();
        return inner.showSave(parent, request);
    }
    std::optional<QString>
    showFolder(QWidget *parent, const QString &caption, const QString &startFolder) override
    {
        settle();
        return inner.showFolder(parent, caption, startFolder);
    }
    std::optional<QStringList> showOpenFiles(QWidget *parent,
                                             const FileDialogRequest &request) override
    {
        settle();
        return inner.showOpenFiles(parent, request);
    }
    MsgAnswer message(QWidget *parent,
                      const QString &text,
                      const QString &caption,
                      MsgButtons buttons,
                      MsgIcon icon,
                      MsgAnswer defaultButton) override
    {
        settle();
        return inner.message(parent, text, caption, buttons, icon, defaultButton);
    }
    std::optional<int> askNumber(QWidget *parent,
                                 const QString &prompt,
                                 const QString &caption,
                                 int value,
                                 int minimum,
                                 int maximum) override
    {
        settle();
        return inner.askNumber(parent, prompt, caption, value, minimum, maximum);
    }
    void runModal(QDialog &window) override
    {
        settle();
        inner.runModal(window);
    }

private:
    Dialogs &inner;
    std::function<void()> settle;
};
