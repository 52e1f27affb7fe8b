#include "RectangleTool.h"

#include "LevelEdit.h"

QRect RectangleTool::cells() const
{
    return dragging ? GridEdits::CellsBetween(anchor, corner) : QRect();
}

void RectangleTool::press(QPoint cell, int button, int)
{
    drop();
    dragging = true;
    anchor = corner = cell;
    brick = host.brickFor(button);
    host.overlayChanged(OutlinePixels(cells()));
}

void RectangleTool::drag(QPoint cell, int)
{
    if (!dragging || cell == corner)
        return;
    const QRegion before = OutlinePixels(cells());
    corner = cell;
    host.overlayChanged(before + OutlinePixels(cells()));
}

void RectangleTool::release()
{
    if (!dragging)
        return;
    const QRect filled = cells();
    drop();
    host.level().apply(QStringLiteral("Rectangle"),
                       host.mirrored(GridEdits::FillRect(filled, brick)));
}

bool RectangleTool::key(int key, Qt::KeyboardModifiers)
{
    if (key != Qt::Key_Escape || !dragging)
        return false;
    drop();
    return true;
}

// A rectangle that was never released places nothing.
void RectangleTool::finish()
{
    drop();
}

void RectangleTool::drop()
{
    if (!dragging)
        return;
    const QRegion before = OutlinePixels(cells());
    dragging = false;
    host.overlayChanged(before);
}

void RectangleTool::paintOverlay(QPainter &painter) const
{
    PaintOutline(painter, cells(), false);
}
