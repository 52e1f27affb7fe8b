#include "FormSurface.h"

#include <QMouseEvent>

FormSurface::FormSurface(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void FormSurface::mouseMoveEvent(QMouseEvent *event)
{
    // Moves over disabled controls arrive here too; moves that an enabled control passed on
    // (a button, a check box) are not the window's own.
    const QWidget *child = childAt(event->position().toPoint());
    if (child == nullptr || !child->isEnabled())
        emit MouseMove();
}
