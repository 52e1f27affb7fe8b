// The builder window's controls: places, captions, nesting and their states at creation.
#include "BuilderFixture.h"
#include "platform/PictureBox.h"

namespace {

struct Place
{
    const char *name;
    const char *parent;
    QRect inParent;
    QPoint inWindow;
    const char *caption; // nullptr: not a captioned control
};

const Place Places[] = {
    {"Frame2", "frmNewTileSet", {8, 8, 425, 97}, {8, 8}, "Load Tileset Picture"},
    {"frmActions", "frmNewTileSet", {8, 112, 425, 225}, {8, 112}, "Assign Actions"},
    {"picCopyTiles", "frmNewTileSet", {448, 16, 241, 353}, {448, 16}, nullptr},
    {"Command7", "frmNewTileSet", {8, 344, 73, 25}, {8, 344}, "&Help"},
    {"cmdSave", "frmNewTileSet", {280, 344, 73, 25}, {280, 344}, "&Save"},
    {"Command3", "frmNewTileSet", {360, 344, 73, 25}, {360, 344}, "&Cancel"},
    {"cmdOpenPic", "Frame2", {16, 24, 97, 25}, {24, 32}, "&Open Picture"},
    {"cmdDone", "Frame2", {16, 56, 97, 25}, {24, 64}, "&Done"},
    {"TileBmp", "Frame2", {128, 16, 289, 73}, {136, 24}, nullptr},
    {"Label1", "frmActions", {24, 24, 89, 17}, {32, 136}, "Current Brick"},
    {"lblCurTile", "frmActions", {24, 48, 33, 25}, {32, 160}, "Tile: 1"},
    {"BrickWindow", "frmActions", {80, 48, 36, 20}, {88, 160}, nullptr},
    {"cmdPrevious", "frmActions", {16, 80, 57, 25}, {24, 192}, "&Previous"},
    {"cmdNext", "frmActions", {80, 80, 41, 25}, {88, 192}, "&Next"},
    {"Frame3", "frmActions", {16, 112, 105, 97}, {24, 224}, "Animation"},
    {"frmAssigns", "frmActions", {128, 8, 289, 161}, {136, 120}, ""},
    {"Line2", "frmActions", {128, 175, 288, 1}, {136, 287}, nullptr},
    {"Line1", "frmActions", {128, 176, 288, 1}, {136, 288}, nullptr},
    {"Command2", "frmActions", {128, 184, 65, 25}, {136, 296}, "&End tileset"},
    {"Label4", "frmActions", {200, 184, 73, 17}, {208, 296}, "Anim Frame:"},
    {"lblAnimFrame", "frmActions", {200, 200, 73, 17}, {208, 312}, ""},
    {"Label5", "frmActions", {272, 184, 57, 25}, {280, 296}, "Hit stage:"},
    {"lblHitStage", "frmActions", {272, 200, 81, 17}, {280, 312}, ""},
    {"lblMaxBricks", "frmActions", {336, 184, 81, 17}, {344, 296}, "Max Bricks:"},
    {"chkAnimated", "Frame3", {8, 16, 89, 25}, {32, 240}, "Animated"},
    {"Label2", "Frame3", {8, 48, 89, 17}, {32, 272}, "Frames:"},
    {"txtFrames", "Frame3", {8, 64, 89, 19}, {32, 288}, "2"},
    {"Option1(1)", "frmAssigns", {8, 16, 73, 25}, {144, 136}, "Hittable"},
    {"Label3", "frmAssigns", {8, 48, 57, 17}, {144, 168}, "Hits:"},
    {"txtHits", "frmAssigns", {8, 64, 57, 19}, {144, 184}, "1"},
    {"Option1(2)", "frmAssigns", {8, 96, 73, 17}, {144, 216}, "Indestruct."},
    {"Option1(3)", "frmAssigns", {8, 112, 73, 25}, {144, 232}, "Go-thru"},
    {"Option1(4)", "frmAssigns", {8, 136, 73, 17}, {144, 256}, "Dynamite"},
    {"Option2", "frmAssigns", {80, 16, 65, 25}, {216, 136}, "Shooter"},
    {"chkShooter(0)", "frmAssigns", {104, 48, 17, 17}, {240, 168}, ""},
    {"chkShooter(1)", "frmAssigns", {120, 64, 17, 17}, {256, 184}, ""},
    {"chkShooter(2)", "frmAssigns", {104, 80, 17, 17}, {240, 200}, ""},
    {"chkShooter(3)", "frmAssigns", {88, 64, 17, 17}, {224, 184}, ""},
    {"Option1(19)", "frmAssigns", {80, 112, 73, 25}, {216, 232}, "Option1"},
    {"Option1(20)", "frmAssigns", {80, 136, 73, 17}, {216, 256}, "Option1"},
    {"Option1(21)", "frmAssigns", {152, 16, 73, 25}, {288, 136}, "Option1"},
    {"Option1(22)", "frmAssigns", {152, 40, 73, 25}, {288, 160}, "Option1"},
    {"Option1(23)", "frmAssigns", {152, 64, 73, 25}, {288, 184}, "Option1"},
    {"Option1(24)", "frmAssigns", {152, 88, 73, 25}, {288, 208}, "Option1"},
    {"Option1(25)", "frmAssigns", {152, 112, 73, 25}, {288, 232}, "Option1"},
    {"Option1(26)", "frmAssigns", {152, 136, 73, 17}, {288, 256}, "Option1"},
};

QString captionOf(QWidget *w)
{
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *g = qobject_cast<QGroupBox *>(w))
        return g->title();
    return QStringLiteral("<no caption>");
}

using LayoutTest = BuilderFixture;

} // namespace

TEST_F(LayoutTest, EveryControlSitsInItsFrameAtItsPlaceWithItsCaption)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("New Tileset"));
    EXPECT_EQ(window.size(), QSize(697, 376));
    for (const Place &p : Places) {
        SCOPED_TRACE(p.name);
        auto *w = window.findChild<QWidget *>(QLatin1String(p.name));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget()->objectName(), QLatin1String(p.parent));
        EXPECT_EQ(w->geometry(), p.inParent);
        EXPECT_EQ(w->mapTo(&window, QPoint(0, 0)), p.inWindow);
        if (p.caption) {
            EXPECT_EQ(captionOf(w), QLatin1String(p.caption));
        }
    }
    // The arrays hold the controls under their own indices.
    EXPECT_EQ(window.Option1[4]->objectName(), QStringLiteral("Option1(4)"));
    EXPECT_EQ(window.Option1[26]->objectName(), QStringLiteral("Option1(26)"));
    EXPECT_EQ(window.Option1[0], nullptr);
    EXPECT_EQ(window.Option1[5], nullptr);
    EXPECT_EQ(window.chkShooter[3]->objectName(), QStringLiteral("chkShooter(3)"));
    EXPECT_EQ(window.TileBmp->drawingArea(), QSize(285, 69));
    EXPECT_EQ(window.BrickWindow->drawingArea(), QSize(32, 16));
    EXPECT_EQ(window.picCopyTiles->border(), PictureBox::Border::None);
}

TEST_F(LayoutTest, AtCreationOnlyOpenHelpAndCancelTakeClicks)
{
    EXPECT_TRUE(window.cmdOpenPic->isEnabled());
    EXPECT_TRUE(window.Command7->isEnabled());
    EXPECT_TRUE(window.Command3->isEnabled());
    EXPECT_FALSE(window.cmdDone->isEnabled());
    EXPECT_FALSE(window.cmdSave->isEnabled());
    EXPECT_FALSE(window.frmActions->isEnabled());
    // Inside the disabled frame everything is visible but takes no input, nested frames too.
    for (QWidget *w :
         std::initializer_list<QWidget *>{window.cmdNext, window.Command2, window.chkAnimated,
                                          window.txtHits, window.Option2, window.chkShooter[0]}) {
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_TRUE(w->isVisible());
        EXPECT_FALSE(w->isEnabled());
    }
    // Their own states, which show once the frame is enabled.
    EXPECT_TRUE(window.cmdNext->isEnabledTo(window.frmActions));
    EXPECT_FALSE(window.cmdPrevious->isEnabledTo(window.frmActions));
    EXPECT_FALSE(window.txtFrames->isEnabledTo(window.frmActions));
    EXPECT_TRUE(window.Option1[1]->isChecked());
    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{
             window.Option1[2], window.Option1[3], window.Option1[4], window.Option2,
             window.chkAnimated})
        EXPECT_FALSE(b->isChecked()) << b->objectName().toStdString();
    for (int i = 19; i <= 26; ++i) {
        EXPECT_FALSE(window.Option1[std::size_t(i)]->isVisible()) << i;
        EXPECT_FALSE(window.Option1[std::size_t(i)]->isEnabledTo(window.frmAssigns)) << i;
    }

    // Clicking controls inside the frame, and Help, does nothing.
    click(window.cmdNext);
    click(window.Option1[4]);
    click(window.chkShooter[0]);
    click(window.Command7);
    QTest::keyClick(&window, Qt::Key_Escape); // no cancel button: Escape closes nothing
    EXPECT_FALSE(window.Option1[4]->isChecked());
    EXPECT_FALSE(window.chkShooter[0]->isChecked());
    EXPECT_EQ(window.CurBrick, 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(LayoutTest, SeparatorIsAGreyLineOverAWhiteLine)
{
    const QImage shot = window.grab().toImage();
    for (int x : {136, 280, 423}) {
        EXPECT_EQ(shot.pixelColor(x, 287), QColor(128, 128, 128)) << x;
        EXPECT_EQ(shot.pixelColor(x, 288), QColor(255, 255, 255)) << x;
    }
}

TEST_F(LayoutTest, OptionButtonsOfTheAssignFrameFormOneGroup)
{
    startWalk(64, 16);
    click(window.Option2);
    EXPECT_TRUE(window.Option2->isChecked());
    EXPECT_FALSE(window.Option1[1]->isChecked());
    click(window.Option1[3]);
    EXPECT_TRUE(window.Option1[3]->isChecked());
    EXPECT_FALSE(window.Option2->isChecked());
    EXPECT_EQ(window.CurAction, 3);
}
