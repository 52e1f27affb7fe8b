#pragma once

#include "EditorTool.h"

// Places the brick of the button held into each cell the pointer presses or crosses; a stroke
// from press to release is one step.
class BrushTool : public EditorTool
{
public:
    using EditorTool::EditorTool;

    void press(QPoint cell, int button, int shift) override;
    void drag(QPoint cell, int buttons) override;
    void release() override;
    void finish() override;
};
