#include "ScriptedDialogs.h"

#include <QDialog>
#include <QTest>
#include <algorithm>
#include <array>
#include <gtest/gtest.h>

namespace {

const char *kindName(ScriptedDialogs::Kind kind)
{
    return std::array{"open dialog",  "save dialog",   "message box",
                      "modal window", "number prompt", "folder dialog"}[int(kind)];
}

} // namespace

ScriptedDialogs::~ScriptedDialogs()
{
    for (const Step &step : script)
        ADD_FAILURE() << "scripted " << kindName(step.kind) << " was never shown";
}

ScriptedDialogs &ScriptedDialogs::add(Step step)
{
    script.push_back(std::move(step));
    return *this;
}

std::optional<ScriptedDialogs::Step> ScriptedDialogs::take(const Shown &shown, const QString &what)
{
    log.push_back(shown);
    std::optional<Step> step;
    if (!script.empty()) {
        step = std::move(script.front());
        script.pop_front();
    }
    if (step && step->kind == shown.kind)
        return step;
    ADD_FAILURE() << "a " << kindName(shown.kind)
                  << " the script did not expect: " << what.toStdString();
    return std::nullopt;
}

std::optional<QString> ScriptedDialogs::showOpen(QWidget *, const FileDialogRequest &request)
{
    return take({Kind::Open, request, {}, {}}, request.filter).value_or(Step{}).path;
}

std::optional<QString> ScriptedDialogs::showSave(QWidget *, const FileDialogRequest &request)
{
    return take({Kind::Save, request, {}, {}}, request.filter).value_or(Step{}).path;
}

std::optional<QString>
ScriptedDialogs::showFolder(QWidget *, const QString &caption, const QString &startFolder)
{
    const auto step = take({Kind::Folder, {{}, false, startFolder}, {}, caption}, caption);
    return step ? step->path : std::nullopt;
}

std::optional<QStringList> ScriptedDialogs::showOpenFiles(QWidget *,
                                                          const FileDialogRequest &request)
{
    const auto step = take({Kind::Open, request, {}, {}, {}, {}, {}}, request.filter);
    if (!step || !step->path)
        return std::nullopt;
    return step->paths.isEmpty() ? QStringList{*step->path} : step->paths;
}

MsgAnswer ScriptedDialogs::message(QWidget *,
                                   const QString &text,
                                   const QString &caption,
                                   MsgButtons buttons,
                                   MsgIcon icon,
                                   MsgAnswer defaultButton)
{
    messageLog.push_back({Kind::Message, {}, text, caption, buttons, icon, defaultButton});
    using enum MsgAnswer;
    const auto offered = buttons == MsgButtons::Ok      ? std::vector{Ok}
                         : buttons == MsgButtons::YesNo ? std::vector{Yes, No}
                                                        : std::vector{Yes, No, Cancel};
    const auto step = take(messageLog.back(), text);
    if (!step)
        return offered.back(); // as if the box were closed
    EXPECT_TRUE(std::ranges::count(offered, step->answer))
        << "scripted answer is not a button of the message box: " << text.toStdString();
    return step->answer;
}

std::optional<int> ScriptedDialogs::askNumber(
    QWidget *, const QString &prompt, const QString &caption, int value, int minimum, int maximum)
{
    const auto step =
        take({Kind::Number, {}, prompt, caption, {}, {}, {}, value, minimum, maximum}, prompt);
    if (!step)
        return std::nullopt;
    EXPECT_TRUE(!step->number || (*step->number >= minimum && *step->number <= maximum))
        << "scripted number is outside the prompt's range: " << prompt.toStdString();
    return step->number;
}

void ScriptedDialogs::runModal(QDialog &window)
{
    const auto step = take({Kind::Modal, {}, {}, {}, {}, {}, {}}, window.objectName());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        ADD_FAILURE() << "modal window was not shown";
    if (step && step->action)
        step->action(window);
    if (window.isVisible())
        window.close();
}

void ScriptedDialogs::expectMessage(const QString &text,
                                    const QString &caption,
                                    MsgButtons buttons,
                                    MsgIcon icon,
                                    std::optional<MsgAnswer> defaultButton) const
{
    ASSERT_FALSE(log.empty());
    const Shown &m = log.back();
    const MsgAnswer first = buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Yes;
    EXPECT_EQ(
        std::tie(m.kind, m.text, m.caption, m.buttons, m.icon, m.defaultButton),
        std::tuple(Kind::Message, text, caption, buttons, icon, defaultButton.value_or(first)));
}
