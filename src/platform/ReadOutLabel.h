#pragma once

#include <QLabel>

// A label that shows a number the program counts (a tile, a count, a cell): its text is always
// shown whole, in the window's font where it fits, else in the largest smaller one that does.
class ReadOutLabel : public QLabel
{
    Q_OBJECT
public:
    ReadOutLabel(const QString &text, QWidget *parent);

    // The font the text is drawn in.
    QFont fittingFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
