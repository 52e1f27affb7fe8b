#include "SelectTool.h"

#include "LevelEdit.h"

#include <QApplication>

void SelectTool::select(const QRect &cells)
{
    const QRegion before = OutlinePixels(selected);
    selected = cells.intersected(GridEdits::Playfield);
    host.overlayChanged(before + OutlinePixels(selected));
}

void SelectTool::press(QPoint cell, int button, int)
{
    if (button != 1)
        return;
    dragging = true;
    moved = false;
    pressedIn = selected.contains(cell);
    anchor = cell;
}

void SelectTool::drag(QPoint cell, int)
{
    if (!dragging || (!moved && cell == anchor))
        return;
    moved = true;
    select(GridEdits::CellsBetween(anchor, cell));
}

void SelectTool::release()
{
    // A click outside the selection drops it; a click inside keeps it.
    if (dragging && !moved && !pressedIn)
        select(QRect());
    dragging = false;
}

bool SelectTool::key(int key, Qt::KeyboardModifiers modifiers)
{
    if (selected.isEmpty() || (modifiers & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    switch (key) {
    case Qt::Key_Escape:
        select(QRect());
        return true;
    case Qt::Key_Left:
        moveBy(-1, 0);
        return true;
    case Qt::Key_Right:
        moveBy(1, 0);
        return true;
    case Qt::Key_Up:
        moveBy(0, -1);
        return true;
    case Qt::Key_Down:
        moveBy(0, 1);
        return true;
    case Qt::Key_X:
    case Qt::Key_Y:
        flip(key == Qt::Key_X);
        return true;
    default:
        return false;
    }
}

// The selection goes with its bricks.
void SelectTool::moveBy(int dx, int dy)
{
    const std::optional<CellEdits> edits =
        GridEdits::MoveBlock(host.level().LevelGrid, selected, dx, dy);
    if (!edits) {
        QApplication::beep();
        return;
    }
    host.level().apply(QStringLiteral("Move"), host.mirrored(*edits));
    select(selected.translated(dx, dy));
}

void SelectTool::flip(bool horizontally)
{
    host.level().apply(
        QStringLiteral("Flip"),
        host.mirrored(GridEdits::FlipBlock(host.level().LevelGrid, selected, horizontally)));
}

void SelectTool::paintOverlay(QPainter &painter) const
{
    PaintOutline(painter, selected, true);
}
