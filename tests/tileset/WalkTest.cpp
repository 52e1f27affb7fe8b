#include "BuilderFixture.h"
#include "editor/frmEditor.h"
#include "levelset/frmNewLevelSet.h"
#include "platform/PictureBox.h"
#include "platform/ReadOutLabel.h"

#include <QDir>
#include <QScreen>

using WalkTest = BuilderFixture;

TEST_F(WalkTest, ControlsNestInFramesReadOutsFitAndOpenPictureRefusesBadSizesOrFilesWithoutLoss)
{
    for (auto [name, parent, inWindow, caption] :
         {std::tuple("cmdOpenPic", "Frame2", QPoint(24, 32), "&Open Picture"),
          {"chkAnimated", "Frame3", {32, 240}, "Animated"},
          {"Option1(4)", "frmAssigns", {144, 256}, "Dynamite"},
          {"chkShooter(1)", "frmAssigns", {256, 184}, ""},
          {"Option1(26)", "frmAssigns", {288, 256}, "Option1"}, // the last never offered
          {"Command2", "frmActions", {136, 296}, "&End tileset"},
          {"Command3", "frmNewTileSet", {360, 344}, "&Cancel"}}) {
        auto *w = window.findChild<QAbstractButton *>(QLatin1String(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->parentWidget()->objectName(), QLatin1String(parent)) << name;
        EXPECT_EQ(w->mapTo(&window, QPoint(0, 0)), inWindow) << name;
        EXPECT_EQ(w->text(), QLatin1String(caption));
    }
    EXPECT_EQ(window.font().pixelSize(), 11);
    EXPECT_LE((window.frameGeometry().center() - window.screen()->availableGeometry().center())
                  .manhattanLength(),
              4);
    EXPECT_EQ(TabOrder(window.cmdOpenPic),
              "cmdOpenPic cmdDone cmdPrevious cmdNext chkAnimated txtFrames Option1(1) txtHits "
              "Option1(2) Option1(3) Option1(4) Option2 chkShooter(0) chkShooter(1) chkShooter(2) "
              "chkShooter(3) Command2 cmdSave Command3 Command7");
    QStringList enabled;
    for (const QWidget *control : window.findChildren<QWidget *>())
        if (control->isEnabled() && control->focusPolicy() != Qt::NoFocus)
            enabled << control->objectName();
    EXPECT_EQ(enabled, (QStringList{"cmdOpenPic", "Command7", "Command3"}));
    // The etched separator across the assignments: grey over white.
    const QImage etched = window.screen()->grabWindow(window.winId(), 200, 287, 1, 2).toImage();
    EXPECT_EQ(std::pair(etched.pixel(0, 0), etched.pixel(0, 1)),
              std::pair(qRgb(128, 128, 128), qRgb(255, 255, 255)));

    // Each read-out shows its largest text whole.
    frmNewLevelSet levelsets(dialogs, app.path());
    frmEditor editor(dialogs, app.path(), bricks);
    const std::pair<QLabel *, const char *> readOuts[] = {
        {window.lblCurTile, "Tile: 32767"},       {window.lblMaxBricks, "Max bricks: 32767"},
        {window.lblAnimFrame, "32767/32767"},     {window.lblHitStage, "32767"},
        {levelsets.lblNumLevels, "32767 Levels"}, {editor.CurPoslbl, "X: 20  Y: 30"}};
    for (auto [label, text] : readOuts) {
        label->setText(QLatin1String(text));
        const QRect room = label->contentsRect();
        const auto *readOut = qobject_cast<const ReadOutLabel *>(label);
        const QFontMetrics metrics(readOut ? readOut->fittingFont() : label->font());
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        EXPECT_TRUE(room.contains(metrics.boundingRect(room, flags, label->text()))) << text;
    }
    window.lblHitStage->setText(QString(99, u'8')); // no size fits: the smallest readable
    EXPECT_EQ(static_cast<ReadOutLabel *>(window.lblHitStage)->fittingFont().pixelSize(), 6);

    // 8192 x 2048 pixels are 32768 cells, one more than brick numbers reach.
    WriteBytes(app.tls("Vast.bmp"), MonoBitmap(8192, 2048, Qt::red));
    for (auto [width, height, message] :
         {std::tuple(40, 16, "Bitmap width must be evenly divisible by 32."),
          {32, 24, "Bitmap height must be evenly divisible by 16."},
          {40, 24, "Bitmap width must be evenly divisible by 32."},
          {0, 0, "Bitmap holds more than 32767 bricks."}}) {
        dialogs.open(picture(64, 32, "Good.bmp")); // Done enabled before
        dialogs.open(width ? picture(width, height, "Bad.bmp") : app.tls("Vast.bmp"))
            .answer(MsgAnswer::Ok);
        ClickInTurn({window.cmdOpenPic, window.cmdOpenPic});
        dialogs.expectMessage(QLatin1String(message));
        EXPECT_FALSE(window.cmdDone->isEnabled()) << message;
    }
    // 151 x 217 cells, as many as brick numbers reach; the picture's box grows past the window.
    WriteBytes(app.tls("Most.bmp"), MonoBitmap(4832, 3472, Qt::red));
    dialogs.open(app.tls("Most.bmp"));
    Click(window.cmdOpenPic);
    EXPECT_TRUE(window.cmdDone->isEnabled() && window.picCopyTiles->size() == QSize(4832, 3472));

    // A file that is no picture leaves the one in use.
    const QString broken = app.tls("Broken.bmp");
    WriteBytes(broken, QByteArray("BM not really a bitmap"));
    dialogs.open(app.tls("Good.bmp")).open(broken).answer(MsgAnswer::Ok);
    ClickInTurn({window.cmdOpenPic, window.cmdOpenPic});
    dialogs.expectMessage("Cannot load picture.\r\n" + broken);
    EXPECT_EQ(window.PicFileName, "Good.bmp");
    Click(window.cmdDone); // cuts the picture still in use
    EXPECT_EQ(window.MaxBricks, 4);

    // Cancel asks; Yes empties the brick table and closes.
    dialogs.answer(MsgAnswer::No).answer(MsgAnswer::Yes);
    Click(window.Command3);
    dialogs.expectMessage("Do you want to abandon current tileset?", "Cancel", MsgButtons::YesNo,
                          MsgIcon::Question);
    EXPECT_TRUE(window.isVisible());
    Click(window.Command3);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(bricks.upperBound(), 0);
}

TEST_F(WalkTest, DoneCutsColumnByColumnAndPreviousKeepsRecords)
{
    startWalk(96, 32);
    EXPECT_EQ(window.MaxBricks, 6);
    EXPECT_EQ(window.BrickWindow->surface().pixelColor(31, 15), CellColour(1));
    next(2);
    EXPECT_EQ(window.lblMaxBricks->text() + ", " + window.lblCurTile->text(),
              "Max bricks: 6, Tile: 3");
    EXPECT_EQ(window.BrickWindow->surface().pixelColor(31, 15), CellColour(3));
    EXPECT_FALSE(window.cmdOpenPic->isEnabled() || window.cmdDone->isEnabled() ||
                 window.txtFrames->isEnabled());
    for (const PictureBox *box : {window.BrickWindow, window.TileBmp})
        EXPECT_TRUE(OnScreen(*box) == OnSurface(*box)) << box->objectName().toStdString();

    // Settings changed on brick 2 and left with Previous are not stored.
    Click(window.cmdPrevious);
    const BrickRecord before = bricks[2];
    Click(window.Option1[4]);
    TypeInto(window.txtHits, "4");
    ClickInTurn({window.chkAnimated, window.cmdPrevious});
    EXPECT_EQ(bricks[2], before);
    EXPECT_FALSE(window.cmdPrevious->isEnabled());
    EXPECT_EQ(window.txtHits->text(), "1"); // brick 1 as stored

    Click(window.Option1[1]);
    next(5);
    EXPECT_FALSE(window.cmdNext->isEnabled());
    // End on brick 4 leaves it and those after it out.
    ClickInTurn({window.cmdPrevious, window.cmdPrevious, window.Command2});
    EXPECT_FALSE(window.frmActions->isEnabled());
    Click(window.cmdSave);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadBytes(app.tls("Stone.vxt")), Le32({3}) + Le32({1, 1, 1, 1, 1, 0, 0}) +
                                                   Le32({1, 1, 1, 1, 1, 0, 16}) +
                                                   Le32({1, 1, 1, 1, 1, 32, 0}));
}

TEST_F(WalkTest, APictureFromElsewhereIsSavedIntoTlsAfterAskingToReplaceAnother)
{
    const QString elsewhere = app.path() + "/Stone.bmp";
    WriteBitmap(elsewhere, CellPicture(32, 16));
    WriteBytes(app.tls("Stone.bmp"), "another picture");
    const QByteArray older = Le32({2}) + QByteArray(56, '\1'); // replaced whole at last
    WriteBytes(app.tls("Stone.vxt"), older);
    dialogs.open(elsewhere).answer(MsgAnswer::No).answer(MsgAnswer::Yes);
    ClickInTurn({window.cmdOpenPic, window.cmdDone});
    // One cell: nowhere to walk; End on the first brick keeps it.
    EXPECT_FALSE(window.cmdNext->isEnabled() || window.cmdPrevious->isEnabled());
    ClickInTurn({window.Option1[4], window.Command2, window.cmdSave});
    dialogs.expectMessage("Stone.bmp already exists.\r\nDo you want to replace it?", "VorpexEditor",
                          MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No);
    // No: nothing written, the builder as it was.
    EXPECT_TRUE(window.isVisible() && window.cmdSave->isEnabled());
    EXPECT_EQ(ReadBytes(app.tls("Stone.bmp")), "another picture");
    EXPECT_EQ(ReadBytes(app.tls("Stone.vxt")), older);
    EXPECT_EQ(endAndSave(), Le32({1}) + Le32({4, 1, 1, 1, 1, 0, 0}));
    EXPECT_EQ(ReadBytes(app.tls("Stone.bmp")), ReadBytes(elsewhere));
}
