#pragma once

#include "EditorTool.h"

// Fills every cell of the rectangle between the press and the release, as one step; the
// rectangle's outline follows the pointer meanwhile, and Esc drops it.
class RectangleTool : public EditorTool
{
public:
    using EditorTool::EditorTool;

    void press(QPoint cell, int button, int shift) override;
    void drag(QPoint cell, int buttons) override;
    void release() override;
    bool key(int key, Qt::KeyboardModifiers modifiers) override;
    void finish() override;
    void paintOverlay(QPainter &painter) const override;
    Qt::CursorShape cursor() const override { return Qt::CrossCursor; }

private:
    QRect cells() const;
    void drop();

    bool dragging = false;
    QPoint anchor, corner;
    std::int32_t brick = 0;
};
