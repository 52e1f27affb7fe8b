#pragma once

#include "model/Geometry.h"
#include "model/GridEdits.h"

#include <QPoint>
#include <QRect>
#include <QRegion>
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
    // What a tool shows over the canvas changed there (canvas pixels).
    virtual void overlayChanged(const QRegion &pixels) = 0;
    // Brick n's picture over a cell, as the canvas would show it there.
    virtual void paintBrick(QPainter &painter, QPoint cell, std::int32_t brick) const = 0;
    // A tool that stood in for the one chosen (a paste) is done.
    virtual void toolDone() = 0;
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
    // What the tool shows over the canvas, in canvas pixels.
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

// The pixels an outline of the cells is drawn on: its border, two pixels wide.
QRegion OutlinePixels(const QRect &cells);
// An outline around the cells, plain or dashed.
void PaintOutline(QPainter &painter, const QRect &cells, bool dashed);
