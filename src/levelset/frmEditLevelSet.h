#pragma once

#include "LevelSetEdit.h"
#include "platform/CommonDialog.h"

#include <QMainWindow>
#include <QUndoStack>
#include <functional>
#include <optional>

class Dialogs;
class LevelListView;
class LevelSetModel;
class QAction;
class QLabel;
class QLineEdit;
class QToolBar;

// The levelset window: revises an existing levelset -- its name, and its levels in play order,
// each shown as a thumbnail -- and writes it back as the builder writes levelsets. Modeless, so
// that levels can be changed in the editor meanwhile; it deletes itself once closed.
class frmEditLevelSet : public QMainWindow
{
    Q_OBJECT
public:
    // Opens a level in the editor, the editor's own save question first.
    using OpenInEditor = std::function<void(const QString &levelPath)>;

    frmEditLevelSet(Dialogs &dialogs,
                    const QString &appFolder,
                    OpenInEditor openInEditor,
                    QWidget *parent = nullptr);
    ~frmEditLevelSet() override;

    // The Open dialog of "Edit Levelset...": levelsets, starting in Lvl. nullopt on Cancel.
    static std::optional<QString> AskForLevelSet(CommonDialog &dialog, const QString &appFolder);
    // The levelset at path in a window of owner's: the one that has it open already, brought to
    // the front, else a new one. nullptr when it cannot be read, after saying so.
    static frmEditLevelSet *ShowLevelSet(Dialogs &dialogs,
                                         const QString &appFolder,
                                         OpenInEditor openInEditor,
                                         QWidget *owner,
                                         const QString &path);
    // Closes owner's levelset windows, each asking first about unsaved changes; false when one
    // of them stays open.
    static bool CloseAll(QWidget *owner);

    // Reads the levelset into the window; false, after "Cannot open levelset." CR LF path, when
    // it cannot be read.
    bool OpenLevelSet(const QString &path);

    // Commands.
    void mnuAddLevel_Click();
    void mnuRemove_Click();
    void mnuMoveUp_Click();
    void mnuMoveDown_Click();
    void mnuDuplicate_Click();
    void mnuOpenInEditor_Click();
    bool mnuSave_Click();   // true when the levelset ended up saved
    bool mnuSaveAs_Click(); // true when the levelset ended up saved
    void lstLevels_RowsDropped(const QList<int> &rows, int before);

    const QString &LevelSetPath() const { return levelSetPath; }
    const QString &LevelSetName() const { return currentName; }
    const QStringList &Levels() const;
    QList<int> SelectedRows() const;
    // Whether the name or the levels differ from the file as last read or saved.
    bool HasUnsavedChanges() const;

    QUndoStack History;
    LevelSetModel *Model = nullptr;

    // Controls.
    QLabel *Label1 = nullptr;
    QLineEdit *txtLevelSetName = nullptr;
    QLabel *lblNumLevels = nullptr;
    LevelListView *lstLevels = nullptr;
    QToolBar *tlbLevels = nullptr;
    QAction *mnuAddLevel = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuSaveAs = nullptr;
    QAction *mnuClose = nullptr;
    QAction *mnuUndo = nullptr;
    QAction *mnuRedo = nullptr;
    QAction *mnuRemove = nullptr;
    QAction *mnuDuplicate = nullptr;
    QAction *mnuMoveUp = nullptr;
    QAction *mnuMoveDown = nullptr;
    QAction *mnuOpenInEditor = nullptr;
    CommonDialog CommonDialog1;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    QAction *command(QMenu *menu, const char *name, const char *caption, QList<QKeySequence> keys);
    LevelSetEdit::State CurrentState() const;
    void Edit(const QString &text, const QStringList &levels, const QList<int> &selected);
    void Apply(const LevelSetEdit::State &state);
    void txtLevelSetName_Change(const QString &text);
    void UpdateWindow();
    void MoveSelected(int step);
    bool MayHold(qsizetype levels);
    void OfferCopy(const QString &path, const QString &name);
    bool SaveLevelSet(const QString &path);

    Dialogs &dialogs;
    const QString appFolder;
    const OpenInEditor openInEditor;
    QString levelSetPath;
    QString currentName;
    LevelSetEdit::State saved; // as last read or saved; no selection
    bool applying = false;
    bool deactivated = false;
};
