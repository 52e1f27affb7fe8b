#pragma once

#include "model/Geometry.h"
#include "model/GridEdits.h"

#include <QPoint>
#include <QRect>
#include <Qt>

class LevelEdit;
class QPainter;

// What the editor's tools may ask of the window they work in.
class ToolHost
{
public:
    virtual ~ToolHost() = default;
    virtual LevelEdit &level() = 0;
    // The brick a button puts down: the palette's selection for the left one, else none.
    virtual std::int32_t brickFor(int button) const = 0;
    // The edits, and their mirror images while mirror painting is on.
    virtual CellEdits mirrored(const CellEdits &edits) const = 0;
    // Shows the canvas again over these cells: what a tool draws over it has changed there.
    virtual void overlayChanged(const QRect &cells) = 0;
    // Draws brick n's picture over a cell, as it would stand there (over the canvas only).
    virtual void paintBrick(QPainter &painter, QPoint cell, std::int32_t brick) const = 0;
};

// A tool of the canvas: what presses, moves and releases of the mouse over cells do, what keys
// do while it is chosen, and what it shows over the canvas (on the screen only). Buttons and
// keys held are the platform's values: buttons 1 left, 2 right, 4 middle, summed while moving;
// shift 1 Shift, 2 Ctrl, 4 Alt.
class EditorTool
{
public:
    explicit EditorTool(ToolHost &host) : host(host) {}
    virtual ~EditorTool() = default;

    virtual void press(QPoint cell, int button, int shift) = 0;
    // A move with buttons held (the press may have been elsewhere).
    virtual void drag(QPoint cell, int buttons) = 0;
    // A move with no button held.
    virtual void hover(QPoint) {}
    virtual void release() {}
    // True when the tool used the key.
    virtual bool key(int, Qt::KeyboardModifiers) { return false; }
    // What is under way ends: a prompt comes up, the pointer leaves, another tool is chosen.
    virtual void finish() {}
    // What the tool shows over the canvas, in cells; painted in canvas pixels.
    virtual QRect overlayCells() const { return {}; }
    virtual void paintOverlay(QPainter &) const {}
    virtual Qt::CursorShape cursor() const { return Qt::ArrowCursor; }

protected:
    ToolHost &host;
};

// The canvas pixels of a rectangle of cells.
inline QRect CellPixels(const QRect &cells)
{
    return QRect((cells.left() - 1) * CellWidth, (cells.top() - 1) * CellHeight,
                 cells.width() * CellWidth, cells.height() * CellHeight);
}
