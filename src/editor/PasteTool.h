#pragma once

#include "EditorTool.h"

// A block from the clipboard following the pointer, its top-left cell under it: a left click
// places it as a stamp (its empty cells leave the level's as they are), Esc or another button
// drops it. Either way the tool chosen before comes back.
class PasteTool : public EditorTool
{
public:
    PasteTool(ToolHost &host, CellBlock block) : EditorTool(host), block(std::move(block)) {}

    void press(QPoint cell, int button, int shift) override;
    void drag(QPoint cell, int) override { hover(cell); }
    void hover(QPoint cell) override;
    bool key(int key, Qt::KeyboardModifiers modifiers) override;
    void paintOverlay(QPainter &painter) const override;

private:
    QRect cells() const;
    void done();

    CellBlock block;
    std::optional<QPoint> at; // none until the pointer is over the canvas
};
