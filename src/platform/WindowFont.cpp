#include "WindowFont.h"

#include <QFont>
#include <QWidget>

void UseWindowFont(QWidget &window)
{
    QFont font = window.font();
    font.setPixelSize(11);
    window.setFont(font);
}
