#include "BuiltInImages.h"

#include "imageio/QtImages.h"
#include "render/LevelPicture.h"

#include <QFont>
#include <QPainter>

QImage PromptImage()
{
    QImage image(221, 53, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QFont font;
    font.setPixelSize(11);
    // Two colours only: no smoothing of the lettering.
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 221, 53), Qt::AlignCenter,
                     QStringLiteral("Click here to choose a background"));
    return image;
}

// The canvas draws the same bars from the render code.
QImage HorizontalPaddleImage()
{
    return ToQImage(HorizontalPaddle());
}

QImage VerticalPaddleImage()
{
    return ToQImage(VerticalPaddle());
}

QImage WindowIconImage()
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 48));
    QPainter painter(&image);
    // Three rows of bricks, a ball and a paddle.
    const QColor rows[3] = {QColor(220, 40, 40), QColor(240, 180, 30), QColor(40, 170, 220)};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            const QRect brick(c * 8 + (r % 2 ? -4 : 0), 2 + r * 5, 7, 4);
            painter.fillRect(brick, rows[r]);
        }
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(19, 21), 2.5, 2.5);
    painter.fillRect(QRect(9, 27, 14, 3), QColor(200, 200, 200));
    painter.end();
    return image.convertToFormat(QImage::Format_Indexed8);
}
