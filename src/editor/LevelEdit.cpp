#include "LevelEdit.h"

#include "EditCommand.h"
#include "common/AppFolders.h"
#include "common/Text.h"

LevelEdit::LevelEdit(const QString &appFolder, const QString &recoveryFolder)
    : LevelDocument(LevelDocument::atStart(appFolder)), copy(recoveryFolder)
{
    savedLevel = fileData();
    recoveryTimer.setSingleShot(true);
    recoveryTimer.setInterval(1000);
    connect(&recoveryTimer, &QTimer::timeout, this, &LevelEdit::keepRecoveryCopy);
    connect(&History, &QUndoStack::indexChanged, this, &LevelEdit::levelChanged);
}

// A level that goes without being closed leaves its copy, as a crash would.
LevelEdit::~LevelEdit()
{
    History.disconnect(this);
}

void LevelEdit::set(const std::vector<std::pair<int, std::int32_t>> &cells)
{
    std::vector<int> changed;
    changed.reserve(cells.size());
    for (const auto &[cell, brick] : cells) {
        LevelGrid.cells[std::size_t(cell)] = brick;
        changed.push_back(cell);
    }
    emit cellsChanged(changed);
}

void LevelEdit::apply(const QString &name, const CellEdits &edits)
{
    endStroke();
    std::vector<std::pair<int, std::int32_t>> before, after;
    for (const CellEdit &e : GridEdits::Changes(LevelGrid, edits)) {
        const int cell = e.cell.x() + CellGrid::Stride * e.cell.y();
        before.emplace_back(cell, LevelGrid.cells[std::size_t(cell)]);
        after.emplace_back(cell, e.brick);
    }
    if (after.empty())
        return;
    set(after);
    remember(
        name, [this, before] { set(before); }, [this, after] { set(after); });
}

void LevelEdit::strokeCells(const CellEdits &edits)
{
    // The copy does not wait for the stroke to end.
    if (!recoveryTimer.isActive())
        recoveryTimer.start();
    std::vector<std::pair<int, std::int32_t>> changed;
    for (const CellEdit &e : GridEdits::Changes(LevelGrid, edits)) {
        const int cell = e.cell.x() + CellGrid::Stride * e.cell.y();
        if (!strokeTouched.test(std::size_t(cell))) {
            strokeTouched.set(std::size_t(cell));
            strokeBefore.cells[std::size_t(cell)] = LevelGrid.cells[std::size_t(cell)];
        }
        changed.emplace_back(cell, e.brick);
    }
    if (!changed.empty())
        set(changed);
}

void LevelEdit::endStroke()
{
    if (strokeTouched.none())
        return;
    std::vector<std::pair<int, std::int32_t>> before, after;
    for (std::size_t cell = 0; cell < strokeTouched.size(); ++cell) {
        if (strokeTouched.test(cell) && strokeBefore.cells[cell] != LevelGrid.cells[cell]) {
            before.emplace_back(int(cell), strokeBefore.cells[cell]);
            after.emplace_back(int(cell), LevelGrid.cells[cell]);
        }
    }
    strokeTouched.reset();
    if (!after.empty())
        remember(
            QStringLiteral("Paint"), [this, before] { set(before); },
            [this, after] { set(after); });
}

void LevelEdit::remember(const QString &name,
                         std::function<void()> undo,
                         std::function<void()> redo)
{
    History.push(new EditCommand(name, std::move(undo), std::move(redo)));
}

LevelFileData LevelEdit::fileData() const
{
    LevelFileData level;
    for (int i = 1; i <= 4; ++i)
        level.paddles[std::size_t(i - 1)] = Paddles[std::size_t(i)];
    level.tilesetName = FileNameOf(TileSetPath);
    level.backgroundName = BackPicPath.isEmpty() ? QLatin1String(AppFolders::DefaultBackground)
                                                 : FileNameOf(BackPicPath);
    level.grid = LevelGrid;
    return level;
}

bool LevelEdit::hasUnsavedChanges() const
{
    return fileData() != savedLevel;
}

void LevelEdit::startAfresh()
{
    strokeTouched.reset();
    History.clear();
    markSaved();
}

void LevelEdit::markSaved()
{
    savedLevel = fileData();
    History.setClean();
    levelChanged();
}

void LevelEdit::markRestored()
{
    strokeTouched.reset();
    History.clear();
    savedLevel.reset();
}

void LevelEdit::dropRecoveryCopy()
{
    recoveryTimer.stop();
    copy.discard();
}

// The copy is written at most a delay after the first change not yet in it, however busy the
// user is; back at the saved level, it goes.
void LevelEdit::levelChanged()
{
    if (!hasUnsavedChanges())
        dropRecoveryCopy();
    else if (!recoveryTimer.isActive())
        recoveryTimer.start();
}

void LevelEdit::keepRecoveryCopy()
{
    if (hasUnsavedChanges())
        copy.keep(EncodeLevelFile(fileData()), HasLevelPath == VbTrue ? LevelPath : QString());
    else
        copy.discard();
}
