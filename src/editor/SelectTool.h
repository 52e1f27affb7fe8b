#pragma once

#include "EditorTool.h"

// Selects a rectangle of cells by dragging; arrow keys move the selected bricks a cell, X and Y
// flip their places left-right and top-bottom, Esc or a click outside drops the selection.
class SelectTool : public EditorTool
{
public:
    using EditorTool::EditorTool;

    void press(QPoint cell, int button, int shift) override;
    void drag(QPoint cell, int buttons) override;
    void release() override;
    bool key(int key, Qt::KeyboardModifiers modifiers) override;
    void finish() override { dragging = false; }
    void paintOverlay(QPainter &painter) const override;
    Qt::CursorShape cursor() const override { return Qt::CrossCursor; }

    QRect selection() const { return selected; }
    // Selects these cells (none when empty).
    void select(const QRect &cells);

private:
    void moveBy(int dx, int dy);
    void flip(bool horizontally);

    QRect selected;
    bool dragging = false;
    bool moved = false;     // the drag left the cell it was pressed on
    bool pressedIn = false; // ... which lies in the selection
    QPoint anchor;
};
