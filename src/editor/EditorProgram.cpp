#include "EditorProgram.h"

#include "frmEditor.h"
#include "imageio/QtImages.h"
#include "model/BrickTable.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>

int RunEditor(const QStringList &arguments,
              Dialogs &dialogs,
              const QString &appFolder,
              const QString &recoveryFolder)
{
    const QStringList args = arguments.mid(1);
    if (args.size() > 1 ||
        (args.size() == 1 && !args[0].endsWith(QStringLiteral(".vxl"), Qt::CaseInsensitive))) {
        std::fputs("usage: VorpexEditor [LEVEL.vxl]\n", stderr);
        return 2;
    }
    UseQtPictureDecoder();
    BrickTable bricks;
    frmEditor editor(dialogs, appFolder, bricks, recoveryFolder);
    editor.showAndActivate();
    // A relative path counts from the folder the program was started in.
    if (!args.isEmpty())
        editor.OpenFromOutside(QFileInfo(args[0]).absoluteFilePath());
    return QApplication::exec();
}
