#pragma once

#include <QImage>

// The pictures built into the editor, drawn when the window is made.
QImage PromptImage();           // 221 x 53: black ground, white lettering
QImage HorizontalPaddleImage(); // 640 x 10, shades of grey
QImage VerticalPaddleImage();   // 10 x 480, shades of grey
QImage WindowIconImage();       // 32 x 32, 256 colours
