#pragma once

#include "editor/frmEditor.h"
#include "model/BrickTable.h"
#include "platform/Dialogs.h"

#include <QTemporaryDir>
#include <memory>

// Dialogs for measuring: no prompt is expected, so any prompt ends the run.
class NoDialogs : public Dialogs
{
public:
    std::optional<QString> showOpen(QWidget *, const FileDialogRequest &) override;
    std::optional<QString> showSave(QWidget *, const FileDialogRequest &) override;
    std::optional<QString> showFolder(QWidget *, const QString &, const QString &) override;
    std::optional<int>
    askNumber(QWidget *, const QString &, const QString &, int, int, int) override;
    MsgAnswer message(
        QWidget *, const QString &text, const QString &, MsgButtons, MsgIcon, MsgAnswer) override;
    void runModal(QDialog &) override;
};

// An application folder with a 119-brick default tileset, a 32 x 16 background, a level with
// all 600 cells filled and all four paddles, and a tileset file of 32767 records.
class BenchFolder
{
public:
    static inline BenchFolder *current = nullptr; // the run's folder

    BenchFolder();
    // Backgrounds "WxH", each under a level with all 600 cells and four paddles.
    static constexpr const char *Backgrounds[] = {"32x16", "1x1", "3x7", "640x480"};
    static QByteArray fullLevelBytes(const QByteArray &background);

    QString path() const { return dir.path(); }
    QString fullLevel(const char *background = "32x16") const;
    QString defaultTileset() const;
    QString bigTileset() const;

private:
    QTemporaryDir dir;
};

// An editor shown and activated over the folder.
struct ShownEditor
{
    explicit ShownEditor(const BenchFolder &folder);
    NoDialogs dialogs;
    BrickTable bricks;
    std::unique_ptr<frmEditor> editor;
};
