#include "CommonDialog.h"

std::optional<QString> CommonDialog::show(bool save)
{
    const FileDialogRequest request{Filter, FilterIndex, save && OverwritePrompt, FileName};
    std::optional<QString> chosen =
        save ? backend.showSave(parent, request) : backend.showOpen(parent, request);
    if (chosen)
        FileName = *chosen;
    return chosen;
}
