#include "platform/PictureBox.h"
#include "support/Fixtures.h"

#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// The box on screen, a letter a pixel: G grey, D dark, L light, W white, b back, p picture, ? else.
QStringList Shown(const PictureBox &box)
{
    const QImage image = OnScreen(box, true);
    const QRgb colours[] = {qRgb(128, 128, 128), qRgb(64, 64, 64), qRgb(212, 208, 200),
                            qRgb(255, 255, 255), qRgb(0, 0, 255),  qRgb(0, 255, 0)};
    QStringList rows(image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            rows[y] += QStringLiteral(
                "GDLWbp?")[std::ranges::find(colours, image.pixel(x, y)) - std::begin(colours)];
    return rows;
}

} // namespace

TEST(PictureBoxTest, FrameAutoSizeGrowingSurfaceMouseAndPaint)
{
    QWidget window;
    window.resize(60, 40);
    PictureBox box(&window), recomposed(&window);
    box.setGeometry(4, 4, 8, 5);
    box.setBorder(PictureBox::Border::Sunken3D);
    box.setBackColor(Qt::blue);
    recomposed.setGeometry(30, 4, 10, 10);
    QSignalSpy paints(&recomposed, &PictureBox::Paint);
    recomposed.setPersistent(false);
    recomposed.setBorder(PictureBox::Border::Sunken3D);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // Sized to its picture inside the frame; grown by hand, it keeps the picture at (0, 0).
    box.setAutoSize(true);
    box.setPicture(SolidPicture(3, 2, Qt::green));
    EXPECT_EQ(box.size(), QSize(7, 6));
    box.setBorder(PictureBox::Border::None); // the frame's room goes
    EXPECT_EQ(box.size(), QSize(3, 2));
    box.setBorder(PictureBox::Border::Sunken3D);
    box.setAutoSize(false);
    box.resize(7, 7); // taller only
    EXPECT_EQ(Shown(box)[4], "GDbbbLW");
    box.resize(9, 7);
    // Grey and dark outside-in at the top and left, white and light at the bottom and right.
    EXPECT_EQ(Shown(box), (QStringList{"GGGGGGGGW", "GDDDDDDLW", "GDpppbbLW", "GDpppbbLW",
                                       "GDbbbbbLW", "GLLLLLLLW", "WWWWWWWWW"}));

    // Button values and shift state of the platform, in drawing-area coordinates.
    QSignalSpy downs(&box, &PictureBox::MouseDown);
    QTest::mouseClick(&box, Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier, {5, 4});
    QTest::mouseClick(&box, Qt::MiddleButton, Qt::ControlModifier, {2, 2});
    EXPECT_EQ(QList<QVariantList>(downs),
              (QList<QVariantList>{{2, 5, 3.0, 2.0}, {4, 2, 0.0, 0.0}}));

    // Paint: once when first shown, again when a border change moves the drawing area.
    EXPECT_EQ(paints.size(), 1);
    recomposed.setBorder(PictureBox::Border::None);
    EXPECT_EQ(paints.size(), 2);
    recomposed.hide();
    recomposed.show();
    EXPECT_EQ(paints.size(), 2);
}
