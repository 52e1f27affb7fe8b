#include "PictureBox.h"

#include "BitBlt.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent, const QString &name)
    : QWidget(parent), background(palette().color(QPalette::Button))
{
    setObjectName(name);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    fitSurface();
}

void PictureBox::setBorder(Border border)
{
    if (border == borderStyle)
        return;
    borderStyle = border;
    applyAutoSize();
    fitSurface();
    if (!persistent && shownOnce)
        refresh();
    update();
}

void PictureBox::setBackColor(const QColor &color)
{
    background = color;
    pixels.fill(background);
    if (!loaded.isNull())
        BlitImage(pixels, 0, 0, loaded.width(), loaded.height(), loaded, 0, 0);
    update();
}

void PictureBox::setAutoSize(bool on)
{
    sizeToPicture = on;
    applyAutoSize();
}

void PictureBox::setPicture(const QImage &image)
{
    loaded = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
    const QSize area = drawingArea();
    pixels = QImage(std::max(area.width(), loaded.width()),
                    std::max(area.height(), loaded.height()), QImage::Format_RGB32);
    pixels.fill(background);
    if (!loaded.isNull())
        BlitImage(pixels, 0, 0, loaded.width(), loaded.height(), loaded, 0, 0);
    applyAutoSize();
    update();
}

QRect PictureBox::drawingRect() const
{
    const int b = borderStyle == Border::Sunken3D ? BorderWidth : 0;
    return QRect(b, b, std::max(width() - 2 * b, 0), std::max(height() - 2 * b, 0));
}

void PictureBox::surfaceChanged(const QRect &area)
{
    // A redraw makes hundreds of small copies into an area already waiting to be shown: ask
    // for a repaint only for what is not yet waiting. What waits is the exact region asked
    // for, not its bounding box: cells inside the box but outside the region were not asked.
    const QRect shown = area.translated(drawingRect().topLeft()).intersected(drawingRect());
    if (shown.isEmpty() || (pendingRepaint.intersected(shown) == QRegion(shown)))
        return;
    pendingRepaint += shown;
    update(shown);
}

void PictureBox::showOverlay(const QRegion &area)
{
    update(area.translated(drawingRect().topLeft()).intersected(drawingRect()));
}

void PictureBox::refresh()
{
    if (!persistent)
        emit Paint();
    update();
}

void PictureBox::fitSurface()
{
    const QSize area = drawingArea();
    if (!pixels.isNull() && pixels.width() >= area.width() && pixels.height() >= area.height())
        return;
    QImage grown(std::max(area.width(), pixels.width()), std::max(area.height(), pixels.height()),
                 QImage::Format_RGB32);
    grown.fill(background);
    if (!pixels.isNull())
        BlitImage(grown, 0, 0, pixels.width(), pixels.height(), pixels, 0, 0);
    pixels = grown;
}

void PictureBox::applyAutoSize()
{
    if (!sizeToPicture || loaded.isNull())
        return;
    const int b = borderStyle == Border::Sunken3D ? 2 * BorderWidth : 0;
    resize(loaded.width() + b, loaded.height() + b);
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    pendingRepaint = QRegion();
    QPainter painter(this);
    const QRect area = drawingRect();
    painter.setClipRegion(event->region());
    painter.drawImage(area.topLeft(), pixels, QRect(QPoint(0, 0), area.size()));
    if (overlay) {
        painter.save();
        painter.translate(area.topLeft());
        painter.setClipRect(QRect(QPoint(0, 0), area.size()), Qt::IntersectClip);
        overlay(painter);
        painter.restore();
    }
    if (borderStyle == Border::Sunken3D) {
        // Two-pixel sunken frame: grey and dark outside, white and light inside.
        const QRect r = rect();
        painter.setPen(QColor(128, 128, 128));
        painter.drawLine(r.left(), r.top(), r.right() - 1, r.top());
        painter.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
        painter.setPen(QColor(255, 255, 255));
        painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
        painter.setPen(QColor(64, 64, 64));
        painter.drawLine(r.left() + 1, r.top() + 1, r.right() - 2, r.top() + 1);
        painter.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 2);
        painter.setPen(QColor(212, 208, 200));
        painter.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
        painter.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
    }
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitSurface();
}

void PictureBox::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!shownOnce) {
        shownOnce = true;
        if (!persistent)
            emit Paint();
    }
}

int PlatformButtons(Qt::MouseButtons buttons)
{
    int value = 0;
    if (buttons & Qt::LeftButton)
        value |= 1;
    if (buttons & Qt::RightButton)
        value |= 2;
    if (buttons & Qt::MiddleButton)
        value |= 4;
    return value;
}

int PlatformShift(Qt::KeyboardModifiers modifiers)
{
    int value = 0;
    if (modifiers & Qt::ShiftModifier)
        value |= 1;
    if (modifiers & Qt::ControlModifier)
        value |= 2;
    if (modifiers & Qt::AltModifier)
        value |= 4;
    return value;
}

void PictureBox::emitMouse(QMouseEvent *event,
                           int buttons,
                           void (PictureBox::*signal)(int, int, double, double))
{
    const QPointF p = event->position() - QPointF(drawingRect().topLeft());
    emit(this->*signal)(buttons, PlatformShift(event->modifiers()), p.x(), p.y());
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    emitMouse(event, PlatformButtons(event->button()), &PictureBox::MouseDown);
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    emitMouse(event, PlatformButtons(event->buttons()), &PictureBox::MouseMove);
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    emitMouse(event, PlatformButtons(event->button()), &PictureBox::MouseUp);
}
