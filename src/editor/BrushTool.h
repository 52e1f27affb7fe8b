#pragma once

#include "RectangleTool.h"

// Places the brick of the button held into each cell the pointer presses or crosses; a stroke
// from press to release is one step. Shift+drag draws a rectangle instead.
class BrushTool : public EditorTool
{
public:
    explicit BrushTool(ToolHost &host) : EditorTool(host), shape(host) {}

    void press(QPoint cell, int button, int shift) override;
    void drag(QPoint cell, int buttons) override;
    void release() override;
    bool key(int key, Qt::KeyboardModifiers modifiers) override;
    void finish() override;
    void paintOverlay(QPainter &painter) const override;

private:
    RectangleTool shape;
    bool shaping = false; // this drag is Shift's rectangle
};
