#pragma once

#include <QCheckBox>

// A check box that reports every mouse-button release over it, once its own click handling has
// run, so a listener reads the state the click left. Keyboard toggles report nothing.
class MouseUpCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    explicit MouseUpCheckBox(QWidget *parent);

signals:
    // Platform button value (1 left, 2 right, 4 middle), shift state and position.
    void MouseUp(int button, int shift, double x, double y);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
