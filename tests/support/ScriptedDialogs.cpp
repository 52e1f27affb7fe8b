#include "ScriptedDialogs.h"

#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>

const char *KindName(ScriptedDialogs::Kind kind)
{
    switch (kind) {
    case ScriptedDialogs::Kind::Open:
        return "open dialog";
    case ScriptedDialogs::Kind::Save:
        return "save dialog";
    case ScriptedDialogs::Kind::Message:
        return "message box";
    case ScriptedDialogs::Kind::Modal:
        return "modal window";
    }
    return "?";
}

ScriptedDialogs::~ScriptedDialogs()
{
    for (const Step &step : script)
        ADD_FAILURE() << "scripted " << KindName(step.kind) << " was never shown";
}

ScriptedDialogs &ScriptedDialogs::open(const QString &path)
{
    script.push_back({Kind::Open, path, {}, {}});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::cancelOpen()
{
    script.push_back({Kind::Open, std::nullopt, {}, {}});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::save(const QString &path)
{
    script.push_back({Kind::Save, path, {}, {}});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::cancelSave()
{
    script.push_back({Kind::Save, std::nullopt, {}, {}});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::answer(MsgAnswer answer)
{
    script.push_back({Kind::Message, std::nullopt, answer, {}});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::modal(std::function<void(QDialog &)> action)
{
    script.push_back({Kind::Modal, std::nullopt, {}, std::move(action)});
    return *this;
}

std::optional<ScriptedDialogs::Step> ScriptedDialogs::take(Kind kind, const QString &what)
{
    if (script.empty()) {
        ADD_FAILURE() << "unexpected " << KindName(kind) << ": " << what.toStdString();
        return std::nullopt;
    }
    Step step = std::move(script.front());
    script.pop_front();
    if (step.kind != kind) {
        ADD_FAILURE() << "expected a " << KindName(step.kind) << " but a " << KindName(kind)
                      << " was shown: " << what.toStdString();
        return std::nullopt;
    }
    return step;
}

std::optional<QString> ScriptedDialogs::showOpen(QWidget *, const FileDialogRequest &request)
{
    log.push_back({Kind::Open, request, {}, {}, {}, {}, {}, {}});
    const auto step = take(Kind::Open, request.filter);
    return step ? step->path : std::nullopt;
}

std::optional<QString> ScriptedDialogs::showSave(QWidget *, const FileDialogRequest &request)
{
    log.push_back({Kind::Save, request, {}, {}, {}, {}, {}, {}});
    const auto step = take(Kind::Save, request.filter);
    return step ? step->path : std::nullopt;
}

MsgAnswer ScriptedDialogs::message(QWidget *,
                                   const QString &text,
                                   const QString &caption,
                                   MsgButtons buttons,
                                   MsgIcon icon,
                                   MsgAnswer defaultButton)
{
    log.push_back({Kind::Message, {}, text, caption, buttons, icon, defaultButton, {}});
    messageLog.push_back(log.back());
    const MsgAnswer fallback = buttons == MsgButtons::Ok      ? MsgAnswer::Ok
                               : buttons == MsgButtons::YesNo ? MsgAnswer::No
                                                              : MsgAnswer::Cancel;
    const auto step = take(Kind::Message, text);
    if (!step)
        return fallback;
    const bool offered = step->answer == MsgAnswer::Ok       ? buttons == MsgButtons::Ok
                         : step->answer == MsgAnswer::Cancel ? buttons == MsgButtons::YesNoCancel
                                                             : buttons != MsgButtons::Ok;
    if (!offered) {
        ADD_FAILURE() << "scripted answer is not a button of the message box: "
                      << text.toStdString();
        return fallback;
    }
    return step->answer;
}

void ScriptedDialogs::runModal(QDialog &window)
{
    Shown shown{Kind::Modal, {}, {}, {}, {}, {}, {}, window.objectName()};
    log.push_back(shown);
    const auto step = take(Kind::Modal, window.objectName());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        ADD_FAILURE() << "modal window was not shown";
    if (step && step->action)
        step->action(window);
    if (window.isVisible())
        window.close();
}
