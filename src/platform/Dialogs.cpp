#include "Dialogs.h"

#include "common/AppFolders.h"

std::optional<QStringList> Dialogs::showOpenFiles(QWidget *parent, const FileDialogRequest &request)
{
    if (std::optional<QString> chosen = showOpen(parent, request))
        return QStringList{*chosen};
    return std::nullopt;
}

MsgAnswer MsgBox(Dialogs &dialogs,
                 QWidget *parent,
                 const QString &text,
                 MsgButtons buttons,
                 MsgIcon icon,
                 const QString &caption,
                 std::optional<MsgAnswer> defaultButton)
{
    const MsgAnswer first = buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Yes;
    return dialogs.message(parent, text,
                           caption.isEmpty() ? QLatin1String(AppFolders::AppTitle) : caption,
                           buttons, icon, defaultButton.value_or(first));
}

bool AskToReplace(Dialogs &dialogs, QWidget *parent, const QString &name)
{
    return MsgBox(dialogs, parent,
                  name + QStringLiteral(" already exists.\r\nDo you want to replace it?"),
                  MsgButtons::YesNo, MsgIcon::Question, QString(), MsgAnswer::No) == MsgAnswer::Yes;
}

bool MayLeave(Dialogs &dialogs,
              QWidget *parent,
              const QString &question,
              const QString &caption,
              const std::function<bool()> &save)
{
    switch (MsgBox(dialogs, parent, question, MsgButtons::YesNoCancel, MsgIcon::Question, caption,
                   MsgAnswer::Yes)) {
    case MsgAnswer::Yes:
        return save();
    case MsgAnswer::No:
        return true;
    default:
        return false;
    }
}
