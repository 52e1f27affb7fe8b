#include "frmEditLevelSet.h"

#include "LevelListView.h"
#include "LevelSetModel.h"
#include "LevelTileDelegate.h"
#include "common/AppFolders.h"
#include "common/Text.h"
#include "common/VorpexError.h"
#include "model/FileIO.h"
#include "model/LevelFile.h"
#include "model/LevelSetFile.h"
#include "platform/Dialogs.h"
#include "platform/WindowFont.h"
#include "render/LoadedLevel.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QSettings>
#include <QToolBar>
#include <QVBoxLayout>
#include <utility>

namespace {

const QString LevelFilter = QStringLiteral("Vorpex Levels|*.vxl");
const QString LevelSetFilter = QStringLiteral("Vorpex Levelsets|*.vxs");
const QString SizeKey = QStringLiteral("LevelSetWindow/size");

// Where the window's size is kept between runs.
const QLatin1String SettingsName(AppFolders::AppTitle);

// True when both paths name one existing file, however each is spelt.
bool SameFile(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

QString LevelCountCaption(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 Level")
                      : QString::number(count) + QStringLiteral(" Levels");
}

// Rows as selection ranges, runs of rows as one range each.
QItemSelection SelectionOf(const QAbstractItemModel &model, const QList<int> &rows)
{
    QItemSelection selection;
    for (qsizetype i = 0; i < rows.size();) {
        qsizetype last = i;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        selection.select(model.index(rows[i], 0), model.index(rows[last], 0));
        i = last + 1;
    }
    return selection;
}

// Rows from..from + count - 1.
QList<int> RowsFrom(qsizetype from, qsizetype count)
{
    QList<int> rows;
    for (qsizetype i = 0; i < count; ++i)
        rows << int(from + i);
    return rows;
}

} // namespace

frmEditLevelSet::frmEditLevelSet(Dialogs &dialogs,
                                 const QString &appFolder,
                                 OpenInEditor openInEditor,
                                 QWidget *parent)
    : QMainWindow(parent), CommonDialog1(dialogs, this), dialogs(dialogs), appFolder(appFolder),
      openInEditor(std::move(openInEditor))
{
    setAttribute(Qt::WA_DeleteOnClose);
    Model = new LevelSetModel(appFolder, this);
    buildWindow();
    const QSize size = QSettings(SettingsName, SettingsName).value(SizeKey).toSize();
    resize(size.isValid() ? size : QSize(780, 560));
    UpdateWindow();
}

frmEditLevelSet::~frmEditLevelSet()
{
    // Nothing may call back into the window while its parts go.
    disconnect(lstLevels->selectionModel(), nullptr, this, nullptr);
    disconnect(txtLevelSetName, nullptr, this, nullptr);
}

QAction *frmEditLevelSet::command(QMenu *menu,
                                  const char *name,
                                  const char *caption,
                                  QList<QKeySequence> keys)
{
    auto *action = menu->addAction(QLatin1String(caption));
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(keys);
    return action;
}

void frmEditLevelSet::buildWindow()
{
    setObjectName(QStringLiteral("frmEditLevelSet"));
    UseWindowFont(*this);

    QMenu *mnuLevelSet = menuBar()->addMenu(QStringLiteral("&Levelset"));
    mnuAddLevel = command(mnuLevelSet, "mnuAddLevel", "&Add Level...", {Qt::Key_Insert});
    mnuLevelSet->addSeparator();
    mnuSave = command(mnuLevelSet, "mnuSave", "&Save", {QKeySequence::Save});
    mnuSaveAs =
        command(mnuLevelSet, "mnuSaveAs", "Save &As...", {Qt::CTRL | Qt::SHIFT | Qt::Key_S});
    mnuLevelSet->addSeparator();
    mnuClose = command(mnuLevelSet, "mnuClose", "&Close", {Qt::Key_Escape});

    QMenu *mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuUndo = History.createUndoAction(this, QStringLiteral("&Undo"));
    mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    mnuUndo->setShortcut(Qt::CTRL | Qt::Key_Z);
    mnuRedo = History.createRedoAction(this, QStringLiteral("&Redo"));
    mnuRedo->setObjectName(QStringLiteral("mnuRedo"));
    mnuRedo->setShortcuts({Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z});
    mnuEdit->addActions({mnuUndo, mnuRedo});
    mnuEdit->addSeparator();
    mnuRemove = command(mnuEdit, "mnuRemove", "Re&move", {Qt::Key_Delete});
    mnuDuplicate = command(mnuEdit, "mnuDuplicate", "&Duplicate", {Qt::CTRL | Qt::Key_D});
    mnuMoveUp = command(mnuEdit, "mnuMoveUp", "Move U&p", {Qt::CTRL | Qt::Key_Up});
    mnuMoveDown = command(mnuEdit, "mnuMoveDown", "Move Do&wn", {Qt::CTRL | Qt::Key_Down});
    mnuEdit->addSeparator();
    mnuOpenInEditor =
        command(mnuEdit, "mnuOpenInEditor", "&Open in Editor", {Qt::Key_Return, Qt::Key_Enter});

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    auto *nameRow = new QHBoxLayout;
    Label1 = new QLabel(QStringLiteral("Name of Level Set:"), central);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtLevelSetName = new QLineEdit(central);
    txtLevelSetName->setObjectName(QStringLiteral("txtLevelSetName"));
    Label1->setBuddy(txtLevelSetName);
    lblNumLevels = new QLabel(central);
    lblNumLevels->setObjectName(QStringLiteral("lblNumLevels"));
    nameRow->addWidget(Label1);
    nameRow->addWidget(txtLevelSetName, 1);
    nameRow->addSpacing(16);
    nameRow->addWidget(lblNumLevels);
    layout->addLayout(nameRow);

    lstLevels = new LevelListView(central);
    lstLevels->setObjectName(QStringLiteral("lstLevels"));
    lstLevels->setModel(Model);
    lstLevels->setItemDelegate(new LevelTileDelegate(lstLevels));
    layout->addWidget(lstLevels, 1);
    setCentralWidget(central);

    tlbLevels = addToolBar(QStringLiteral("Levels"));
    tlbLevels->setObjectName(QStringLiteral("tlbLevels"));
    tlbLevels->setMovable(false);
    tlbLevels->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tlbLevels->addActions(
        {mnuAddLevel, mnuRemove, mnuMoveUp, mnuMoveDown, mnuDuplicate, mnuOpenInEditor});
    tlbLevels->addSeparator();
    tlbLevels->addAction(mnuSave);

    // Enter opens the level only where the levels are; elsewhere it is the field's own.
    mnuOpenInEditor->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    lstLevels->addAction(mnuOpenInEditor);
    // Undo and redo in the name field go through the window's history, like any change.
    txtLevelSetName->installEventFilter(this);

    connect(mnuAddLevel, &QAction::triggered, this, &frmEditLevelSet::mnuAddLevel_Click);
    connect(mnuSave, &QAction::triggered, this, &frmEditLevelSet::mnuSave_Click);
    connect(mnuSaveAs, &QAction::triggered, this, &frmEditLevelSet::mnuSaveAs_Click);
    connect(mnuClose, &QAction::triggered, this, &QWidget::close);
    connect(mnuRemove, &QAction::triggered, this, &frmEditLevelSet::mnuRemove_Click);
    connect(mnuDuplicate, &QAction::triggered, this, &frmEditLevelSet::mnuDuplicate_Click);
    connect(mnuMoveUp, &QAction::triggered, this, &frmEditLevelSet::mnuMoveUp_Click);
    connect(mnuMoveDown, &QAction::triggered, this, &frmEditLevelSet::mnuMoveDown_Click);
    connect(mnuOpenInEditor, &QAction::triggered, this, &frmEditLevelSet::mnuOpenInEditor_Click);
    connect(lstLevels, &QAbstractItemView::doubleClicked, this,
            &frmEditLevelSet::mnuOpenInEditor_Click);
    connect(lstLevels, &LevelListView::rowsDropped, this, &frmEditLevelSet::lstLevels_RowsDropped);
    connect(lstLevels->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmEditLevelSet::UpdateWindow);
    connect(txtLevelSetName, &QLineEdit::textChanged, this,
            &frmEditLevelSet::txtLevelSetName_Change);
}

std::optional<QString> frmEditLevelSet::AskForLevelSet(CommonDialog &dialog,
                                                       const QString &appFolder)
{
    const QString last = dialog.FileName;
    dialog.Filter = LevelSetFilter;
    dialog.FileName.clear();
    dialog.InitDir = AppFolders::InFolder(appFolder, AppFolders::Levelsets);
    const std::optional<QString> chosen = dialog.ShowOpen();
    dialog.InitDir.clear();
    if (!chosen)
        dialog.FileName = last;
    return chosen;
}

frmEditLevelSet *frmEditLevelSet::ShowLevelSet(Dialogs &dialogs,
                                               const QString &appFolder,
                                               OpenInEditor openInEditor,
                                               QWidget *owner,
                                               const QString &path)
{
    frmEditLevelSet *window = nullptr;
    if (owner) {
        for (frmEditLevelSet *open :
             owner->findChildren<frmEditLevelSet *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (SameFile(open->LevelSetPath(), path))
                window = open;
        }
    }
    if (!window) {
        window = new frmEditLevelSet(dialogs, appFolder, std::move(openInEditor), owner);
        if (!window->OpenLevelSet(path)) {
            delete window;
            return nullptr;
        }
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

bool frmEditLevelSet::CloseAll(QWidget *owner)
{
    for (frmEditLevelSet *window :
         owner->findChildren<frmEditLevelSet *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!window->close())
            return false;
    }
    return true;
}

bool frmEditLevelSet::OpenLevelSet(const QString &path)
{
    LevelSetFile set;
    try {
        set = LevelSetFile::read(path);
    } catch (const VorpexError &) {
        MsgBox(dialogs, this, MessageWithPath(QStringLiteral("Cannot open levelset."), path));
        return false;
    }
    levelSetPath = QFileInfo(path).absoluteFilePath();
    Model->setLevelSetPath(levelSetPath);
    History.clear();
    saved = {set.name, set.levels, {}};
    Apply({set.name, set.levels, set.levels.isEmpty() ? QList<int>() : QList<int>{0}});
    return true;
}

const QStringList &frmEditLevelSet::Levels() const
{
    return Model->levels();
}

QList<int> frmEditLevelSet::SelectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : lstLevels->selectionModel()->selectedIndexes())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool frmEditLevelSet::HasUnsavedChanges() const
{
    return currentName != saved.name || Levels() != saved.levels;
}

LevelSetEdit::State frmEditLevelSet::CurrentState() const
{
    return {currentName, Levels(), SelectedRows()};
}

void frmEditLevelSet::Edit(const QString &text,
                           const QStringList &levels,
                           const QList<int> &selected)
{
    History.push(new LevelSetEdit(text, CurrentState(), {currentName, levels, selected},
                                  [this](const LevelSetEdit::State &state) { Apply(state); }));
}

void frmEditLevelSet::Apply(const LevelSetEdit::State &state)
{
    const QScopedValueRollback quiet(applying, true);
    if (state.levels != Levels())
        Model->setLevels(state.levels);
    currentName = state.name;
    if (txtLevelSetName->text() != state.name)
        txtLevelSetName->setText(state.name);
    QItemSelectionModel &selection = *lstLevels->selectionModel();
    selection.select(SelectionOf(*Model, state.selected), QItemSelectionModel::ClearAndSelect);
    if (!state.selected.isEmpty()) {
        const QModelIndex first = Model->index(state.selected.constFirst());
        selection.setCurrentIndex(first, QItemSelectionModel::NoUpdate);
        lstLevels->scrollTo(first);
    }
    UpdateWindow();
}

void frmEditLevelSet::txtLevelSetName_Change(const QString &text)
{
    if (applying)
        return;
    const LevelSetEdit::State before = CurrentState();
    History.push(new LevelSetEdit(QStringLiteral("Rename"), before,
                                  {text, before.levels, before.selected},
                                  [this](const LevelSetEdit::State &state) { Apply(state); }));
}

void frmEditLevelSet::UpdateWindow()
{
    setWindowTitle(QStringLiteral("Edit Levelset - ") + QDir::toNativeSeparators(levelSetPath) +
                   (HasUnsavedChanges() ? QStringLiteral("*") : QString()));
    lblNumLevels->setText(LevelCountCaption(Levels().size()));
    const bool any = lstLevels->selectionModel()->hasSelection();
    for (QAction *action : {mnuRemove, mnuDuplicate, mnuMoveUp, mnuMoveDown, mnuOpenInEditor})
        action->setEnabled(any);
    mnuSave->setEnabled(!Levels().isEmpty());
    mnuSaveAs->setEnabled(!Levels().isEmpty());
}

// A levelset holds no more levels than its count line can say.
bool frmEditLevelSet::MayHold(qsizetype levels)
{
    if (levels <= LevelSetFile::MaxLevels)
        return true;
    MsgBox(dialogs, this,
           QStringLiteral("A levelset holds at most %1 levels.").arg(LevelSetFile::MaxLevels));
    return false;
}

void frmEditLevelSet::mnuAddLevel_Click()
{
    CommonDialog1.Filter = LevelFilter;
    CommonDialog1.InitDir = QFileInfo(levelSetPath).absolutePath();
    const std::optional<QStringList> chosen = CommonDialog1.ShowOpenFiles();
    if (!chosen)
        return;
    QStringList added;
    for (const QString &path : *chosen) {
        // Listed by file name, as the builder writes it: the game looks for it by name.
        const QString name = FileNameOf(path);
        if (!LevelSetFile::isLevelName(name))
            continue;
        if (LevelSetFile::findLevel(levelSetPath, name, appFolder).isEmpty())
            OfferCopy(path, name);
        added << name;
    }
    if (added.isEmpty() || !MayHold(Levels().size() + added.size()))
        return;
    const QList<int> selected = SelectedRows();
    const qsizetype at = selected.isEmpty() ? Levels().size() : selected.constLast() + 1;
    const QStringList levels = Levels().mid(0, at) + added + Levels().mid(at);
    Edit(added.size() == 1 ? QStringLiteral("Add Level") : QStringLiteral("Add Levels"), levels,
         RowsFrom(at, added.size()));
}

// A level the game would not find is copied beside the levelset when the user wants it.
void frmEditLevelSet::OfferCopy(const QString &path, const QString &name)
{
    if (MsgBox(dialogs, this,
               name + QStringLiteral(" is not beside the levelset or in Lvl.\r\n"
                                     "Do you want to copy it beside the levelset?"),
               MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return;
    try {
        WriteFileAtomically(QFileInfo(levelSetPath).absolutePath() + u'/' + name,
                            ReadFileBytes(path, LevelFileSize * qint64(64)));
    } catch (const VorpexError &) {
        MsgBox(dialogs, this, QStringLiteral("Error in writing file."));
        return;
    }
    Model->refresh();
}

void frmEditLevelSet::mnuRemove_Click()
{
    const QList<int> selected = SelectedRows();
    if (selected.isEmpty())
        return;
    QStringList levels;
    qsizetype next = 0;
    for (qsizetype row = 0; row < Levels().size(); ++row) {
        if (next < selected.size() && selected[next] == row)
            ++next;
        else
            levels << Levels()[row];
    }
    const int after = std::min<int>(selected.constFirst(), int(levels.size()) - 1);
    Edit(QStringLiteral("Remove"), levels, after < 0 ? QList<int>() : QList<int>{after});
}

void frmEditLevelSet::mnuDuplicate_Click()
{
    const QList<int> selected = SelectedRows();
    if (selected.isEmpty() || !MayHold(Levels().size() + selected.size()))
        return;
    // The copies, in order, right after the last level selected.
    const int at = selected.constLast() + 1;
    QStringList levels = Levels().mid(0, at);
    for (int row : selected)
        levels << Levels()[row];
    levels << Levels().mid(at);
    Edit(QStringLiteral("Duplicate"), levels, RowsFrom(at, selected.size()));
}

void frmEditLevelSet::mnuMoveUp_Click()
{
    MoveSelected(-1);
}

void frmEditLevelSet::mnuMoveDown_Click()
{
    MoveSelected(1);
}

// Each level selected passes the level beside it that is not; a run of them against the end
// stays where it is.
void frmEditLevelSet::MoveSelected(int step)
{
    QStringList levels = Levels();
    const int count = int(levels.size());
    QList<bool> chosen(count, false);
    for (int row : SelectedRows())
        chosen[row] = true;
    for (int i = 0; i + 1 < count; ++i) {
        const int row = step < 0 ? i + 1 : count - 2 - i;
        if (chosen[row] && !chosen[row + step]) {
            levels.swapItemsAt(row, row + step);
            chosen.swapItemsAt(row, row + step);
        }
    }
    if (levels == Levels())
        return;
    QList<int> selected;
    for (int row = 0; row < count; ++row) {
        if (chosen[row])
            selected << row;
    }
    Edit(step < 0 ? QStringLiteral("Move Up") : QStringLiteral("Move Down"), levels, selected);
}

void frmEditLevelSet::lstLevels_RowsDropped(const QList<int> &rows, int before)
{
    QStringList levels, moving;
    qsizetype next = 0;
    int at = before;
    for (int row = 0; row < Levels().size(); ++row) {
        if (next < rows.size() && rows[next] == row) {
            moving << Levels()[row];
            ++next;
            if (row < before)
                --at;
        } else {
            levels << Levels()[row];
        }
    }
    levels = levels.mid(0, at) + moving + levels.mid(at);
    if (levels == Levels())
        return;
    Edit(QStringLiteral("Move"), levels, RowsFrom(at, moving.size()));
}

void frmEditLevelSet::mnuOpenInEditor_Click()
{
    QModelIndex index = lstLevels->currentIndex();
    if (!index.isValid() || !lstLevels->selectionModel()->isSelected(index)) {
        const QList<int> selected = SelectedRows();
        if (selected.isEmpty())
            return;
        index = Model->index(selected.constFirst());
    }
    const QString &level = Levels()[index.row()];
    const QString path = LevelSetFile::findLevel(levelSetPath, level, appFolder);
    if (path.isEmpty()) {
        // Where the game looks first.
        MsgBox(
            dialogs, this,
            MessageWithPath(QStringLiteral("Cannot open level."),
                            QDir::toNativeSeparators(
                                LevelSetFile::levelFolders(levelSetPath, appFolder).constFirst() +
                                u'/' + level)));
        return;
    }
    if (openInEditor)
        openInEditor(path);
}

bool frmEditLevelSet::SaveLevelSet(const QString &path)
{
    if (Levels().isEmpty()) {
        MsgBox(dialogs, this, QStringLiteral("A levelset needs at least one level."));
        return false;
    }
    try {
        LevelSetFile::write(path, currentName, Levels());
    } catch (const VorpexError &) {
        MsgBox(dialogs, this, QStringLiteral("Error in writing file."));
        return false;
    }
    saved = {currentName, Levels(), {}};
    // Typing on after a save is a step of its own: undo comes back to the name saved.
    History.setClean();
    UpdateWindow();
    return true;
}

bool frmEditLevelSet::mnuSave_Click()
{
    return SaveLevelSet(levelSetPath);
}

bool frmEditLevelSet::mnuSaveAs_Click()
{
    CommonDialog1.Filter = LevelSetFilter;
    CommonDialog1.OverwritePrompt = true;
    // Offered under its own name, in Lvl.
    CommonDialog1.FileName = QFileInfo(levelSetPath).fileName();
    CommonDialog1.InitDir = AppFolders::InFolder(appFolder, AppFolders::Levelsets);
    const std::optional<QString> chosen = CommonDialog1.ShowSave();
    if (!chosen)
        return false;
    // Levelsets go into Lvl, as the builder puts them; only the name chosen is used.
    const QString name = FileNameOf(*chosen);
    if (!IsBareFileName(name)) {
        MsgBox(dialogs, this, QStringLiteral("Error in writing file."));
        return false;
    }
    const QString target = AppFolders::InFolder(appFolder, AppFolders::Levelsets, name);
    // The Save dialog asked only about the file chosen there.
    const QFileInfo existing(target);
    if (existing.exists() && !existing.isDir() && !SameFile(target, *chosen) &&
        !SameFile(target, levelSetPath) && !AskToReplace(dialogs, this, name))
        return false;
    if (!SaveLevelSet(target))
        return false;
    levelSetPath = QFileInfo(target).absoluteFilePath();
    Model->setLevelSetPath(levelSetPath);
    UpdateWindow();
    return true;
}

void frmEditLevelSet::closeEvent(QCloseEvent *event)
{
    if (HasUnsavedChanges()) {
        const MsgAnswer answer = MsgBox(
            dialogs, this, QStringLiteral("Do you want to save the changes to the levelset?"),
            MsgButtons::YesNoCancel, MsgIcon::Question, QString(), MsgAnswer::Yes);
        if (answer == MsgAnswer::Cancel || (answer == MsgAnswer::Yes && !mnuSave_Click())) {
            event->ignore();
            return;
        }
    }
    QSettings(SettingsName, SettingsName).setValue(SizeKey, size());
    event->accept();
}

void frmEditLevelSet::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    // Back from the editor, or anywhere else: its levels may have been changed meanwhile.
    if (!isActiveWindow())
        deactivated = true;
    else if (std::exchange(deactivated, false))
        Model->refresh();
}

bool frmEditLevelSet::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtLevelSetName && event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Left unanswered, the key goes on to the window's own Undo or Redo.
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            key->keyCombination() == (Qt::CTRL | Qt::Key_Y))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
