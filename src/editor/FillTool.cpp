#include "FillTool.h"

#include "LevelEdit.h"

void FillTool::press(QPoint cell, int button, int)
{
    CellEdits edits;
    const std::int32_t brick = host.brickFor(button);
    for (QPoint c : GridEdits::FloodRegion(host.level().LevelGrid, cell))
        edits.push_back({c, brick});
    host.level().apply(QStringLiteral("Fill"), host.mirrored(edits));
}
