#include "EditorTool.h"

#include <QPainter>

QRegion OutlinePixels(const QRect &cells)
{
    if (cells.isEmpty())
        return {};
    const QRect r = CellPixels(cells);
    return QRegion(r).subtracted(r.adjusted(2, 2, -2, -2));
}

void PaintOutline(QPainter &painter, const QRect &cells, bool dashed)
{
    if (cells.isEmpty())
        return;
    const QRect r = CellPixels(cells).adjusted(0, 0, -1, -1);
    // White on black: seen over any brick and any background.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(r);
    painter.drawRect(r.adjusted(1, 1, -1, -1));
    painter.setPen(QPen(Qt::white, 1, dashed ? Qt::DashLine : Qt::SolidLine));
    painter.drawRect(r);
}
