#pragma once

#include <QWidget>

// The editor window's own surface: reports mouse moves that reach no enabled control.
class FormSurface : public QWidget
{
    Q_OBJECT
public:
    explicit FormSurface(QWidget *parent);

signals:
    void MouseMove();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
};
