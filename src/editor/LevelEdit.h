#pragma once

#include "RecoveryCopy.h"
#include "model/GridEdits.h"
#include "model/LevelDocument.h"
#include "model/LevelFile.h"

#include <QObject>
#include <QTimer>
#include <QUndoStack>
#include <bitset>
#include <functional>
#include <optional>
#include <vector>

// The level being edited, apart from any window: its fields, the history of its steps, the
// stroke under way and the copy kept against a crash. Every change of cells is a list of cell
// changes applied as one step; the window hears of each changed cell through cellsChanged and
// redraws just those.
class LevelEdit : public QObject, public LevelDocument
{
    Q_OBJECT
public:
    // recoveryFolder: where the unsaved level is kept against a crash; empty keeps none.
    LevelEdit(const QString &appFolder, const QString &recoveryFolder);
    ~LevelEdit() override;

    QUndoStack History;

    // One step named `name`: each cell takes its brick (the last edit of a cell wins); nothing
    // is pushed when no cell changes.
    void apply(const QString &name, const CellEdits &edits);

    // A stroke: cells set as the pointer goes, one "Paint" step once it ends.
    void strokeCells(const CellEdits &edits);
    void endStroke();

    // A step that changes the level as a whole, already done: `undo` and `redo` put each side
    // back in place.
    void remember(const QString &name, std::function<void()> undo, std::function<void()> redo);

    // The level as a level file holds it.
    LevelFileData fileData() const;
    // Whether the level differs from the one last saved or opened, however it came to.
    bool hasUnsavedChanges() const;
    // A new or opened level: no history, nothing unsaved, its copy gone.
    void startAfresh();
    // Just saved as it stands.
    void markSaved();
    // Given back from a copy: nothing of it is saved, and the copy stays until it is.
    void markRestored();

    RecoveryCopy &recovery() { return copy; }
    // How long after the first change not yet in it the copy is written.
    void setRecoveryDelay(int milliseconds) { recoveryTimer.setInterval(milliseconds); }
    // Nothing to keep (left normally, or back at the saved level): the copy goes.
    void dropRecoveryCopy();

signals:
    // Cells whose bricks changed, by their place in the grid's storage (x + Stride * y).
    void cellsChanged(const std::vector<int> &cells);

private:
    void set(const std::vector<std::pair<int, std::int32_t>> &cells);
    void levelChanged();
    void keepRecoveryCopy();

    std::bitset<CellGrid::Size> strokeTouched; // cells the stroke under way has touched
    CellGrid strokeBefore;                     // what they held before it
    std::optional<LevelFileData> savedLevel; // as last saved or opened; none for a restored copy
    RecoveryCopy copy;
    QTimer recoveryTimer;
};
