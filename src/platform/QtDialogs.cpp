#include "QtDialogs.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

// "Description|*.ext|Other|*.x" as Qt name filters: "Description (*.ext)", ...
QStringList QtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + u')';
    return filters;
}

enum class Mode { Open, OpenFiles, Save };

std::optional<QStringList>
runFileDialog(QWidget *parent, const FileDialogRequest &request, Mode mode)
{
    const bool save = mode == Mode::Save;
    QFileDialog dialog(parent);
    // Qt's own dialog: the same on every desktop, and it keeps the typed name as typed.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save                      ? QFileDialog::AnyFile
                       : mode == Mode::OpenFiles ? QFileDialog::ExistingFiles
                                                 : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    const QStringList filters = QtNameFilters(request.filter);
    dialog.setNameFilters(filters); // the first one chosen
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    QStringList chosen = dialog.selectedFiles();
    for (QString &path : chosen)
        path = QDir::toNativeSeparators(path);
    return chosen;
}

std::optional<QString> first(const std::optional<QStringList> &chosen)
{
    return chosen ? std::optional<QString>(chosen->constFirst()) : std::nullopt;
}

} // namespace

std::optional<QString> QtDialogs::showOpen(QWidget *parent, const FileDialogRequest &request)
{
    return first(runFileDialog(parent, request, Mode::Open));
}

std::optional<QStringList> QtDialogs::showOpenFiles(QWidget *parent,
                                                    const FileDialogRequest &request)
{
    return runFileDialog(parent, request, Mode::OpenFiles);
}

std::optional<QString> QtDialogs::showSave(QWidget *parent, const FileDialogRequest &request)
{
    return first(runFileDialog(parent, request, Mode::Save));
}

std::optional<QString>
QtDialogs::showFolder(QWidget *parent, const QString &caption, const QString &startFolder)
{
    QFileDialog dialog(parent, caption, startFolder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

MsgAnswer QtDialogs::message(QWidget *parent,
                             const QString &text,
                             const QString &caption,
                             MsgButtons buttons,
                             MsgIcon icon,
                             MsgAnswer defaultButton)
{
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setIcon(icon == MsgIcon::Question   ? QMessageBox::Question
                : icon == MsgIcon::Critical ? QMessageBox::Critical
                                            : QMessageBox::NoIcon);
    struct Choice
    {
        MsgAnswer answer;
        QMessageBox::StandardButton button;
    };
    std::vector<Choice> choices;
    switch (buttons) {
    case MsgButtons::Ok:
        choices = {{MsgAnswer::Ok, QMessageBox::Ok}};
        break;
    case MsgButtons::YesNo:
        choices = {{MsgAnswer::Yes, QMessageBox::Yes}, {MsgAnswer::No, QMessageBox::No}};
        break;
    case MsgButtons::YesNoCancel:
        choices = {{MsgAnswer::Yes, QMessageBox::Yes},
                   {MsgAnswer::No, QMessageBox::No},
                   {MsgAnswer::Cancel, QMessageBox::Cancel}};
        break;
    }
    for (const Choice &c : choices) {
        box.addButton(c.button);
        if (c.answer == defaultButton)
            box.setDefaultButton(c.button);
    }
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const Choice &c : choices) {
        if (c.button == clicked)
            return c.answer;
    }
    // Closed without a button (Esc or the close box): the box's cancel answer.
    return buttons == MsgButtons::YesNoCancel ? MsgAnswer::Cancel
           : buttons == MsgButtons::YesNo     ? MsgAnswer::No
                                              : MsgAnswer::Ok;
}

std::optional<int> QtDialogs::askNumber(QWidget *parent,
                                        const QString &prompt,
                                        const QString &caption,
                                        int value,
                                        int minimum,
                                        int maximum)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(minimum, maximum);
    dialog.setIntValue(value);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.intValue();
}

void QtDialogs::runModal(QDialog &window)
{
    window.exec();
}
