#include "ReadOutLabel.h"

#include <QPainter>
#include <QStyle>

ReadOutLabel::ReadOutLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {}

QFont ReadOutLabel::fittingFont() const
{
    const QRect room = contentsRect();
    const int flags = int(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    QFont fitting = font();
    while (!room.contains(QFontMetrics(fitting).boundingRect(room, flags, text())) &&
           fitting.pixelSize() > 6)
        fitting.setPixelSize(fitting.pixelSize() - 1);
    return fitting;
}

void ReadOutLabel::paintEvent(QPaintEvent *event)
{
    const QFont fitting = fittingFont();
    if (fitting == font()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(fitting);
    style()->drawItemText(&painter, contentsRect(),
                          int(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0), palette(),
                          isEnabled(), text(), foregroundRole());
}
