#include "Dialogs.h"

#include "common/AppFolders.h"

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
