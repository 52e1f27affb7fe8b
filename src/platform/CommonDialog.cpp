#include "CommonDialog.h"

FileDialogRequest CommonDialog::request(bool save) const
{
    return {Filter, save && OverwritePrompt, FileName, InitDir};
}

std::optional<QString> CommonDialog::show(bool save)
{
    std::optional<QString> chosen =
        save ? backend.showSave(parent, request(save)) : backend.showOpen(parent, request(save));
    if (chosen)
        FileName = *chosen;
    return chosen;
}

std::optional<QStringList> CommonDialog::ShowOpenFiles()
{
    std::optional<QStringList> chosen = backend.showOpenFiles(parent, request(false));
    if (chosen && chosen->isEmpty())
        chosen.reset();
    if (chosen)
        FileName = chosen->constFirst();
    return chosen;
}
