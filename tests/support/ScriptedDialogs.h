#pragma once

#include "platform/Dialogs.h"

#include <deque>
#include <functional>
#include <vector>

// Answers prompts as scripted and records them; fails on unscripted prompts, bad answers,
// leftovers.
class ScriptedDialogs : public Dialogs
{
public:
    enum class Kind { Open, Save, Message, Modal, Number, Folder };

    struct Shown
    {
        Kind kind;
        FileDialogRequest request; // Open, Save; Folder: the folder it starts in as fileName
        QString text;              // Message
        QString caption;           // Message, Folder
        MsgButtons buttons = MsgButtons::Ok;
        MsgIcon icon = MsgIcon::None;
        MsgAnswer defaultButton = MsgAnswer::Ok;
        int value = 0, minimum = 0, maximum = 0; // Number: offered, and the range (text: prompt)
    };

    ~ScriptedDialogs() override;

    // Script steps, taken in order.
    ScriptedDialogs &open(const QString &path) { return add({Kind::Open, path, {}, {}}); }
    ScriptedDialogs &cancelOpen() { return add({Kind::Open, {}, {}, {}}); }
    ScriptedDialogs &openFiles(const QStringList &paths)
    {
        return add({Kind::Open, paths.value(0), {}, {}, std::nullopt, paths});
    }
    ScriptedDialogs &save(const QString &path) { return add({Kind::Save, path, {}, {}}); }
    ScriptedDialogs &cancelSave() { return add({Kind::Save, {}, {}, {}}); }
    ScriptedDialogs &folder(const QString &path) { return add({Kind::Folder, path, {}, {}}); }
    ScriptedDialogs &answer(MsgAnswer answer) { return add({Kind::Message, {}, answer, {}}); }
    // A number typed into a number prompt; nullopt = Cancel.
    ScriptedDialogs &number(std::optional<int> n) { return add({Kind::Number, {}, {}, {}, n}); }
    // The window is shown (not modally) for the action to work; closed after it if still up.
    using Action = std::function<void(QDialog &)>;
    ScriptedDialogs &modal(Action action) { return add({Kind::Modal, {}, {}, std::move(action)}); }

    // Every prompt shown so far, in order; message boxes only, in order.
    const std::vector<Shown> &shown() const { return log; }
    const std::vector<Shown> &messages() const { return messageLog; }
    // The last prompt was this message box, letter for letter; default: its first button.
    void expectMessage(const QString &text,
                       const QString &caption = QStringLiteral("VorpexEditor"),
                       MsgButtons buttons = MsgButtons::Ok,
                       MsgIcon icon = MsgIcon::None,
                       std::optional<MsgAnswer> defaultButton = std::nullopt) const;

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

private:
    struct Step
    {
        Kind kind;
        std::optional<QString> path;
        MsgAnswer answer = MsgAnswer::Ok;
        Action action;
        std::optional<int> number = std::nullopt;
        QStringList paths{}; // openFiles
    };
    ScriptedDialogs &add(Step step);
    // Records what was shown and takes the next step, which must be of the same kind.
    std::optional<Step> take(const Shown &shown, const QString &what);

    std::deque<Step> script;
    std::vector<Shown> log;
    std::vector<Shown> messageLog;
};
