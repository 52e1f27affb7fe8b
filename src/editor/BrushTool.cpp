#include "BrushTool.h"

#include "LevelEdit.h"

void BrushTool::press(QPoint cell, int button, int)
{
    drag(cell, button);
}

void BrushTool::drag(QPoint cell, int buttons)
{
    host.level().strokeCells(host.mirrored({{cell, host.brickFor(buttons)}}));
}

void BrushTool::release()
{
    host.level().endStroke();
}

void BrushTool::finish()
{
    host.level().endStroke();
}
