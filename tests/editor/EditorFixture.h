#pragma once

#include "editor/FormSurface.h"
#include "editor/frmEditor.h"
#include "model/BrickTable.h"
#include "platform/PictureBox.h"
#include "support/Fixtures.h"
#include "support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// An editor over a temporary application folder holding a 64 x 48 default tileset of six
// bricks (brick n coloured CellColour(n)) and a default background.
class EditorTest : public ::testing::Test
{
protected:
    TempAppFolder app;
    ScriptedDialogs dialogs;
    BrickTable bricks;
    std::unique_ptr<frmEditor> editor;

    void SetUp() override
    {
        WriteFixtureTileset(app.tls(QStringLiteral("DefaultTileSet.vxt")), 64, 48, 6);
        WriteBitmap(app.bgd(QStringLiteral("DefaultBackground.bmp")),
                    SolidPicture(64, 48, QColor(0, 0, 90)));
    }

    frmEditor &start()
    {
        editor = std::make_unique<frmEditor>(dialogs, app.path(), bricks);
        editor->showAndActivate();
        return *editor;
    }

    QColor canvas(int x, int y) const { return editor->LevelPic->surface().pixelColor(x, y); }

    // Mouse positions are given in canvas pixels; the widget adds its 2-pixel border.
    static QPoint onCanvas(int x, int y) { return QPoint(x + 2, y + 2); }

    void pressCanvas(Qt::MouseButton button, int x, int y)
    {
        QTest::mousePress(editor->LevelPic, button, {}, onCanvas(x, y));
    }

    void clickSlot(int n, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(editor->Picture2[static_cast<std::size_t>(n)], button, {}, QPoint(5, 5));
    }

    std::array<bool, 4> boxes() const
    {
        return {editor->Check1[1]->isChecked(), editor->Check1[2]->isChecked(),
                editor->Check1[3]->isChecked(), editor->Check1[4]->isChecked()};
    }

    QString defaultTileset() const { return app.tls(QStringLiteral("DefaultTileSet.vxt")); }

    // A level file written out by hand from the layout: paddle words, names, cells.
    static QByteArray
    levelBytes(std::initializer_list<std::int16_t> paddles,
               const QByteArray &tileset,
               const QByteArray &background,
               std::initializer_list<std::tuple<int, int, std::int32_t>> cells = {})
    {
        QByteArray grid(2604, '\0');
        for (auto [x, y, v] : cells)
            grid.replace(4 * (x + 21 * y), 4, Le32({v}));
        return Le16(paddles) + NameField(tileset) + NameField(background) + grid;
    }

    static QColor brickColour(int n) { return CellColour(n); }
};
