#pragma once

#include "editor/FormSurface.h"
#include "editor/frmEditor.h"
#include "platform/PictureBox.h"
#include "support/Fixtures.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using Boxes = std::array<bool, 4>;

// An editor over a temporary application folder holding a 64 x 48 default tileset of six
// bricks (brick n coloured CellColour(n)) and a default background, all blue (0, 0, 90).
class EditorTest : public ::testing::Test
{
protected:
    TempAppFolder app;
    ScriptedDialogs dialogs;
    BrickTable bricks;
    std::unique_ptr<frmEditor> editor;

    void SetUp() override
    {
        WriteFixtureTileset(defaultTileset(), 64, 48, 6);
        WriteBitmap(app.bgd("DefaultBackground.bmp"), SolidPicture(64, 48, QColor(0, 0, 90)));
    }
    void start()
    {
        editor = std::make_unique<frmEditor>(dialogs, app.path(), bricks);
        editor->showAndActivate();
        PaintPending();
    }
    // The screen shows what the box's surface holds.
    static void expectShown(const PictureBox *box)
    {
        EXPECT_TRUE(OnScreen(*box) == OnSurface(*box)) << box->objectName().toStdString();
    }

    static inline const QColor Red{255, 0, 0}, Green{0, 255, 0}, Yellow{255, 255, 0},
        Body{20, 60, 20};
    // A background marked red top left, green top right and yellow bottom right, to find its tiles.
    static QImage markedPicture(int width, int height)
    {
        QImage image = SolidPicture(width, height, Body);
        image.setPixelColor(0, 0, Red);
        image.setPixelColor(width - 1, 0, Green);
        image.setPixelColor(width - 1, height - 1, Yellow);
        return image;
    }
    QString defaultTileset() const { return app.tls("DefaultTileSet.vxt"); }
    static QString title(const QString &path) { return "Vorpex Editor - " + path; }
    QColor canvas(int x, int y) const { return editor->LevelPic->surface().pixelColor(x, y); }
    int brick(int x, int y) const { return editor->LevelGrid(x, y); }
    // What Start, New and Open leave: the title, no brick picked (slot 0 sunken), the paddles.
    void expectFresh(const QString &path, Boxes paddles = {1, 0, 0, 0})
    {
        EXPECT_EQ(std::tuple(editor->windowTitle(), editor->CurrentBrick,
                             editor->Picture2[0]->border(), boxes()),
                  std::tuple(title(path), 0, PictureBox::Border::Sunken3D, paddles));
    }
    bool box(int n) const { return editor->Check1[std::size_t(n)]->isChecked(); }
    Boxes boxes() const { return {box(1), box(2), box(3), box(4)}; }

    // Mouse events at canvas pixels; the widget adds its 2-pixel border.
    void mouse(QTest::MouseAction action, int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseEvent(action, editor->LevelPic, button, {}, QPoint(x + 2, y + 2));
    }
    void moveTo(int x, int y) { QTest::mouseMove(editor->LevelPic, QPoint(x + 2, y + 2)); }
    // The same at the centre of cell (x, y), counted from 1.
    static QPoint at(int x, int y) { return {x * 32 - 14, y * 16 - 6}; }
    void press(int x, int y, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers k = {})
    {
        QTest::mousePress(editor->LevelPic, b, k, at(x, y));
    }
    void over(int x, int y) { QTest::mouseMove(editor->LevelPic, at(x, y)); }
    void release(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(editor->LevelPic, button, {}, at(x, y));
    }
    // Pressed on the first cell, through the others, released on the last.
    void stroke(std::initializer_list<QPoint> cells,
                Qt::MouseButton button = Qt::LeftButton,
                Qt::KeyboardModifiers keys = {})
    {
        press(cells.begin()->x(), cells.begin()->y(), button, keys);
        for (QPoint c : cells)
            over(c.x(), c.y());
        release((cells.end() - 1)->x(), (cells.end() - 1)->y(), button);
    }
    // Window shortcuts reach the active window only.
    template <class... Keys> void key(Keys... keys)
    {
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
        for (QKeyCombination k : {QKeyCombination(keys)...})
            QTest::keyClick(editor.get(), k.key(), k.keyboardModifiers());
    }
    void ctrl(Qt::Key k) { key(Qt::ControlModifier | k); }
    void clickSlot(int n, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(editor->Picture2[std::size_t(n)], button, {}, QPoint(5, 5));
    }
    void clickBox(int n) { QTest::mouseClick(editor->Check1[std::size_t(n)], Qt::LeftButton); }

    // The same for the default tileset (and background), written into Lvl; returns its path.
    QString writeLevel(const QString &name,
                       std::initializer_list<std::int16_t> paddles,
                       Cells cells = {},
                       const QByteArray &background = "DefaultBackground.bmp")
    {
        WriteBytes(app.lvl(name), LevelBytes(paddles, "DefaultTileSet.vxt", background, cells));
        return app.lvl(name);
    }
};
