#include "BrushTool.h"

#include "LevelEdit.h"

void BrushTool::press(QPoint cell, int button, int shift)
{
    shaping = (shift & 1) != 0;
    if (shaping)
        shape.press(cell, button, shift);
    else
        drag(cell, button);
}

void BrushTool::drag(QPoint cell, int buttons)
{
    if (shaping)
        shape.drag(cell, buttons);
    else
        host.level().strokeCells(host.mirrored({{cell, host.brickFor(buttons)}}));
}

void BrushTool::release()
{
    if (shaping)
        shape.release();
    else
        host.level().endStroke();
    shaping = false;
}

bool BrushTool::key(int key, Qt::KeyboardModifiers modifiers)
{
    return shaping && shape.key(key, modifiers);
}

void BrushTool::finish()
{
    shape.finish();
    shaping = false;
    host.level().endStroke();
}

void BrushTool::paintOverlay(QPainter &painter) const
{
    shape.paintOverlay(painter);
}
