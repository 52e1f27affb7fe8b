#pragma once

#include "platform/Dialogs.h"

#include <QString>
#include <deque>
#include <functional>
#include <vector>

// A Dialogs double for tests: answers every prompt from a script given in advance, records
// what each prompt showed, and fails the test on a prompt the script did not expect, on an
// answer that is not among the buttons shown, and on script steps left unused.
class ScriptedDialogs : public Dialogs
{
public:
    enum class Kind { Open, Save, Message, Modal };

    struct Shown
    {
        Kind kind;
        FileDialogRequest request; // Open, Save
        QString text;              // Message
        QString caption;           // Message
        MsgButtons buttons = MsgButtons::Ok;
        MsgIcon icon = MsgIcon::None;
        MsgAnswer defaultButton = MsgAnswer::Ok;
        QString window; // Modal: the window's objectName
    };

    ~ScriptedDialogs() override;

    // Script steps, taken in order.
    ScriptedDialogs &open(const QString &path);
    ScriptedDialogs &cancelOpen();
    ScriptedDialogs &save(const QString &path);
    ScriptedDialogs &cancelSave();
    ScriptedDialogs &answer(MsgAnswer answer);
    // The window is shown (not modally) and the action works it; it is hidden afterwards if
    // the action did not close it.
    ScriptedDialogs &modal(std::function<void(QDialog &)> action);

    // Every prompt shown so far, in order.
    const std::vector<Shown> &shown() const { return log; }
    // Message boxes only, in order.
    const std::vector<Shown> &messages() const { return messageLog; }
    bool scriptUsed() const { return script.empty(); }

    std::optional<QString> showOpen(QWidget *parent, const FileDialogRequest &request) override;
    std::optional<QString> showSave(QWidget *parent, const FileDialogRequest &request) override;
    MsgAnswer message(QWidget *parent,
                      const QString &text,
                      const QString &caption,
                      MsgButtons buttons,
                      MsgIcon icon,
                      MsgAnswer defaultButton) override;
    void runModal(QDialog &window) override;

private:
    struct Step
    {
        Kind kind;
        std::optional<QString> path;
        MsgAnswer answer = MsgAnswer::Ok;
        std::function<void(QDialog &)> action;
    };
    std::optional<Step> take(Kind kind, const QString &what);

    std::deque<Step> script;
    std::vector<Shown> log;
    std::vector<Shown> messageLog;
};

const char *KindName(ScriptedDialogs::Kind kind);
