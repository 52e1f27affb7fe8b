#include "PasteTool.h"

#include "LevelEdit.h"

#include <QPainter>

QRect PasteTool::cells() const
{
    return at ? QRect(*at, QSize(block.width, block.height)).intersected(GridEdits::Playfield)
              : QRect();
}

void PasteTool::hover(QPoint cell)
{
    if (at == cell)
        return;
    const QRegion before = CellPixels(cells());
    at = cell;
    host.overlayChanged(before + CellPixels(cells()));
}

void PasteTool::press(QPoint cell, int button, int)
{
    hover(cell);
    if (button == 1)
        host.level().apply(QStringLiteral("Paste"),
                           host.mirrored(GridEdits::PasteBlock(block, cell)));
    done();
}

bool PasteTool::key(int key, Qt::KeyboardModifiers)
{
    if (key != Qt::Key_Escape)
        return false;
    done();
    return true;
}

void PasteTool::done()
{
    host.overlayChanged(CellPixels(cells()));
    at.reset();
    host.toolDone();
}

void PasteTool::paintOverlay(QPainter &painter) const
{
    if (!at)
        return;
    painter.save();
    painter.setOpacity(0.6);
    for (const CellEdit &e : GridEdits::PasteBlock(block, *at))
        host.paintBrick(painter, e.cell, e.brick);
    painter.restore();
    PaintOutline(painter, cells(), true);
}
