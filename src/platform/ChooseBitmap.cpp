#include "ChooseBitmap.h"

#include "CommonDialog.h"
#include "common/VorpexError.h"
#include "imageio/QtImages.h"
#include "render/LoadedLevel.h"
#include "render/Picture.h"

std::optional<ChosenBitmap> ChooseBitmap(CommonDialog &dialog, Dialogs &dialogs, QWidget *parent)
{
    dialog.Filter = QStringLiteral("Bitmap|*.bmp");
    const std::optional<QString> chosen = dialog.ShowOpen();
    if (!chosen)
        return std::nullopt;
    try {
        const QByteArray bytes = ReadPictureFile(*chosen);
        return ChosenBitmap{*chosen, ToQImage(DecodePicture(bytes)), bytes};
    } catch (const VorpexError &) {
        MsgBox(dialogs, parent, MessageWithPath(QStringLiteral("Cannot load picture."), *chosen));
        return std::nullopt;
    }
}
