#include "MouseUpCheckBox.h"

#include "platform/PictureBox.h"

#include <QMouseEvent>

MouseUpCheckBox::MouseUpCheckBox(QWidget *parent) : QCheckBox(parent) {}

void MouseUpCheckBox::mousePressEvent(QMouseEvent *event)
{
    QCheckBox::mousePressEvent(event);
    // A press with another button is ours too, so its release comes back here.
    event->accept();
}

void MouseUpCheckBox::mouseReleaseEvent(QMouseEvent *event)
{
    QCheckBox::mouseReleaseEvent(event);
    event->accept();
    const QPointF p = event->position();
    emit MouseUp(PlatformButtons(event->button()), PlatformShift(event->modifiers()), p.x(), p.y());
}
