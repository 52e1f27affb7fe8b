#pragma once

#include "EditorTool.h"

// A click fills the region of touching cells (left, right, up, down) that hold the clicked
// cell's brick, empty cells included, with the brick of the button.
class FillTool : public EditorTool
{
public:
    using EditorTool::EditorTool;

    void press(QPoint cell, int button, int shift) override;
    void drag(QPoint, int) override {}
    Qt::CursorShape cursor() const override { return Qt::PointingHandCursor; }
};
