#pragma once

class QWidget;

// The compact caption font of the windows, so captions fit the boxes the layouts give them.
void UseWindowFont(QWidget &window);
