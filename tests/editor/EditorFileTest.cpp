#include "EditorFixture.h"

#include "editor/BuiltInImages.h"
#include "editor/EditorProgram.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMimeData>
#include <QSet>
#include <QTimer>

TEST_F(EditorTest, StartsUntitledThenLevelsBuiltByHandOpenedOrDroppedKeepEveryWordWhenSaved)
{
    start();
    expectFresh("Untitled");
    EXPECT_EQ(editor->minimumSize(), editor->maximumSize()); // no resizing
    EXPECT_TRUE(editor->BackPiclbl->isVisible()); // the palette's hiding stops at its last slot
    EXPECT_EQ(editor->Line1->grab().toImage().pixelColor(0, 0), QColor(Qt::black));
    // Built in: the icon's bricks on dark blue, ball and paddle; the prompt in two colours.
    const QImage icon = editor->windowIcon().pixmap(32, 32).toImage();
    for (auto [x, y, colour] : {std::tuple(30, 8, QColor(0, 0, 48)),
                                {1, 3, QColor(220, 40, 40)},
                                {1, 8, QColor(240, 180, 30)},
                                {5, 13, QColor(40, 170, 220)},
                                {19, 21, QColor(Qt::white)},
                                {21, 19, QColor(15, 15, 60)}, // the ball's smoothed edge
                                {12, 28, QColor(200, 200, 200)}})
        EXPECT_EQ(icon.pixelColor(x, y), colour) << x << ',' << y;
    const QImage prompt = PromptImage();
    QSet<QRgb> colours;
    for (int y = 0; y < prompt.height(); ++y)
        for (int x = 0; x < prompt.width(); ++x)
            colours.insert(prompt.pixel(x, y));
    EXPECT_EQ(colours, (QSet<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(editor->Picture2[n]->surface().pixelColor(10, 8), CellColour(n)) << n;
    EXPECT_EQ(canvas(300, 200), QColor(Qt::black));
    EXPECT_EQ(canvas(300, 465), HorizontalPaddleImage().pixelColor(300, 5));
    EXPECT_EQ(Items(editor->mnuFile),
              "&New=Ctrl+N, &Open=Ctrl+O, -, &Save=Ctrl+S, Save &As=Ctrl+A, -, &Make Levelset=, "
              "New &Tileset=, -, E&xit=Ctrl+Q");

    const QString stars = app.bgd("Stars.bmp");
    WriteBitmap(stars, SolidPicture(160, 120, QColor(90, 0, 0)));
    dialogs.open(stars);
    editor->Backpic_MouseDown(1);
    clickBox(2);
    clickBox(4);
    clickSlot(5);
    mouse(QTest::MousePress, 5, 5); // cell (1, 1), dragged on to (2, 1)
    moveTo(40, 5);
    mouse(QTest::MouseRelease, 40, 5);
    clickSlot(6);
    mouse(QTest::MouseClick, 620, 470); // cell (20, 30)
    editor->LevelGrid(0, 5) = 4;        // row 0 and column 0 are kept too
    const QString hand = app.lvl("hand.vxl");
    dialogs.save(hand);
    ASSERT_TRUE(editor->mnuSaveAs_Click());
    EXPECT_EQ(ReadBytes(hand), LevelBytes({-1, -1, 0, -1}, "DefaultTileSet.vxt", "Stars.bmp",
                                          {{1, 1, 5}, {2, 1, 5}, {20, 30, 6}, {0, 5, 4}}));
    EXPECT_EQ(dialogs.shown().back().request.filter, "Vorpex Level Files|*.vxl");
    EXPECT_TRUE(dialogs.shown().back().request.overwritePrompt);

    // File, New resets the level to the tileset chosen.
    clickSlot(2);
    WriteFixtureTileset(app.tls("Small.vxt"), 32, 32, 2);
    dialogs.answer(MsgAnswer::No).open(app.tls("Small.vxt"));
    editor->mnuNew_Click();
    EXPECT_EQ(dialogs.shown().back().request.filter, "Vorpex Tilesets|*.vxt");
    EXPECT_FALSE(editor->mnuUndo->isEnabled()); // a history of its own
    expectFresh("Untitled");
    EXPECT_EQ(editor->BackPicSet, VbFalse);
    EXPECT_EQ(editor->BackPiclbl->text(), "Background Pic - Right-click to expand");
    EXPECT_EQ(editor->Backpic->picture(), prompt);
    EXPECT_EQ(canvas(5, 5), QColor(Qt::black));
    dialogs.answer(MsgAnswer::No).cancelOpen();
    editor->mnuOpen_Click();
    EXPECT_EQ(dialogs.shown().back().request.filter, "Vorpex Level Files|*.vxl");
    const QString typed = app.lvl("typed"); // used as typed, no extension added
    dialogs.save(typed);
    ASSERT_TRUE(editor->mnuSave_Click());
    EXPECT_EQ(dialogs.shown().back().request.fileName, app.tls("Small.vxt")); // the last name
    EXPECT_EQ(ReadBytes(typed),
              LevelBytes({-1, 0, 0, 0}, "Small.vxt", "DefaultBackground.bmp", {{0, 5, 4}}));
    EXPECT_EQ(editor->windowTitle(), title(typed));

    // Opened again, it is the same level: it saves to the same bytes.
    dialogs.answer(MsgAnswer::No).open(hand);
    editor->mnuOpen_Click();
    ASSERT_TRUE(editor->SaveFile(typed));
    EXPECT_EQ(ReadBytes(typed), ReadBytes(hand));
    EXPECT_EQ(boxes(), (Boxes{1, 1, 0, 1}));
    EXPECT_EQ(canvas(5, 5), CellColour(5));
    EXPECT_EQ(canvas(300, 200), QColor(90, 0, 0));
    EXPECT_EQ(editor->BackTilesDown, 4); // tiles of the level's background, 120 pixels high

    dialogs.answer(MsgAnswer::Yes);
    QTest::mouseClick(editor->Command1, Qt::LeftButton);
    dialogs.expectMessage("Are you sure you want to clear the level?", "Clear Level",
                          MsgButtons::YesNo);
    CellGrid kept;
    kept(0, 5) = 4;
    EXPECT_EQ(editor->LevelGrid, kept);
    EXPECT_EQ(canvas(5, 5), QColor(90, 0, 0));
    EXPECT_EQ(canvas(300, 465), HorizontalPaddleImage().pixelColor(300, 5));

    // An opened or dropped level keeps every word, and Save writes it back.
    clickSlot(2);
    const Cells cells{{0, 0, 9},  {5, 0, 3},   {0, 17, 2}, {1, 1, 4},
                      {20, 1, 3}, {20, 30, 6}, {7, 7, -5}, {8, 8, 200}};
    const QByteArray bytes =
        LevelBytes({-1, 0, 0, -1}, "DefaultTileSet.vxt", "DefaultBackground.bmp", cells);
    const QString path = app.lvl("round.vxl");
    WriteBytes(path, bytes + QByteArray(100, 'q'));
    ASSERT_TRUE(editor->OpenFile(path));
    expectFresh(path, {1, 0, 0, 1});
    // A background smaller than its box shows black beside it.
    EXPECT_EQ(editor->Backpic->surface().pixelColor(100, 20), QColor(Qt::black));
    // Cells naming no brick are drawn as empty and kept.
    EXPECT_EQ(canvas(7 * 32 - 20, 7 * 16 - 8), QColor(0, 0, 90));
    EXPECT_EQ(canvas(8 * 32 - 20, 8 * 16 - 8), QColor(0, 0, 90));
    // The corner cells, the top pixel row and column 20 included, after Open and a repaint.
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(canvas(0, 0), CellColour(4));
        EXPECT_EQ(canvas(639, 0), CellColour(3));
        EXPECT_EQ(canvas(608, 479), CellColour(6));
        expectShown(editor->LevelPic);
        // The canvas keeps no picture of its own: a refresh draws it anew from the level.
        editor->LevelPic->surface().fill(Qt::red);
        editor->LevelPic->refresh();
    }
    // File, Save writes back to the file opened, without asking, exactly the format's size.
    ASSERT_TRUE(editor->mnuSave_Click());
    EXPECT_EQ(ReadBytes(path), bytes);
    // With no brick selected the left button empties a cell, on screen and in the level.
    mouse(QTest::MouseClick, 4, 4);
    EXPECT_EQ(editor->LevelGrid(1, 1), 0);
    EXPECT_EQ(canvas(4, 4), QColor(0, 0, 90));
    expectShown(editor->LevelPic);

    // Only -1 is a present paddle; a level with none gets paddle 1.
    ASSERT_TRUE(editor->OpenFile(writeLevel("one.vxl", {1, -1, 0, 0})));
    EXPECT_EQ(boxes(), (Boxes{0, 1, 0, 0}));
    EXPECT_EQ(canvas(300, 465), QColor(0, 0, 90)); // no bottom bar
    EXPECT_EQ(canvas(625, 300), VerticalPaddleImage().pixelColor(5, 300));
    ASSERT_TRUE(editor->OpenFile(writeLevel("none.vxl", {0, 0, 0, 0})));
    EXPECT_EQ(boxes(), (Boxes{1, 0, 0, 0}));

    // A level dropped on the window opens after the save question; other files are refused.
    const QString dropped = writeLevel("drop.vxl", {0, -1, 0, 0}, {{4, 4, 2}});
    auto accepted = [this](const QList<QUrl> &urls, bool drop = false) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent dropped(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent &event = drop ? dropped : enter;
        event.setAccepted(false);
        QApplication::sendEvent(editor.get(), &event);
        return event.isAccepted();
    };
    EXPECT_FALSE(accepted({QUrl::fromLocalFile(app.path() + "/notes.txt")}));
    EXPECT_FALSE(accepted({QUrl::fromLocalFile(dropped), QUrl::fromLocalFile(dropped)}));
    EXPECT_TRUE(accepted({QUrl::fromLocalFile(dropped)}));
    dialogs.answer(MsgAnswer::No);
    EXPECT_TRUE(accepted({QUrl::fromLocalFile(dropped)}, true));
    dialogs.expectMessage("Do you want to save current level?", "New Level",
                          MsgButtons::YesNoCancel, MsgIcon::Question);
    expectFresh(dropped, {0, 1, 0, 0});
    EXPECT_EQ(canvas(100, 50), CellColour(2));
}

TEST_F(EditorTest, ThePaletteFollowsItsTilesetFromStartUpToEachBuilderClosing)
{
    // A missing default tileset says so and the editor still opens, with an empty palette.
    QFile::remove(defaultTileset());
    dialogs.answer(MsgAnswer::Ok);
    start();
    dialogs.expectMessage("Cannot open tileset.\r\n" + defaultTileset());
    EXPECT_FALSE(editor->Picture2[1]->isEnabled());
    // More bricks than slots: the first 119 are shown, without a message.
    const QString many = app.tls("Many.vxt");
    WriteFixtureTileset(many, 32 * 8, 16 * 16, 128);
    dialogs.answer(MsgAnswer::No).open(many);
    editor->mnuNew_Click();
    EXPECT_EQ(editor->Picture2[119]->surface().pixelColor(4, 4), CellColour(119));
    EXPECT_EQ(dialogs.messages().size(), 2u);

    // New with its dialog cancelled, or with a tileset that cannot be loaded, keeps it all.
    WriteBytes(app.tls("Negative.vxt"), Le32({-4}));
    WriteFixtureTileset(app.tls("BadPicture.vxt"), 64, 16, 2);
    WriteBytes(app.tls("BadPicture.bmp"), "not a bitmap");
    clickSlot(5);
    editor->LevelGrid(1, 1) = 3;
    dialogs.answer(MsgAnswer::No).cancelOpen();
    editor->mnuNew_Click();
    for (const char *name : {"Negative.vxt", "BadPicture.vxt", "Absent.vxt"}) {
        dialogs.answer(MsgAnswer::No).open(app.tls(name)).answer(MsgAnswer::Ok);
        editor->mnuNew_Click();
        dialogs.expectMessage("Cannot open tileset.\r\n" + app.tls(name));
        EXPECT_EQ(editor->LevelGrid(1, 1), 3) << name;
        EXPECT_EQ(editor->CurrentBrick, 5) << name;
        EXPECT_TRUE(editor->Picture2[119]->isEnabled()) << name;
        EXPECT_EQ(editor->TileSetPath, many) << name;
    }
    EXPECT_FALSE(QFile::exists(app.tls("Absent.vxt")));

    // The file shrinks: a focus change does not reload it, a builder's closing does.
    WriteFixtureTileset(many, 64, 48, 3);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(editor.get(), &activate);
    EXPECT_EQ(editor->BrickCount, 128);
    dialogs.modal([this](QDialog &window) {
        EXPECT_EQ(window.objectName(), "frmNewTileSet");
        bricks.resize(40);
    });
    editor->mnuNewTileset_Click();
    EXPECT_EQ(std::tuple(editor->BrickCount, bricks.upperBound(), editor->Picture2[4]->isVisible(),
                         editor->Picture2[5]->isEnabled()),
              std::tuple(3, 3, false, false));
    expectFresh("Untitled");
    dialogs.modal([&](QDialog &window) {
        EXPECT_EQ(std::pair(window.windowTitle(), window.parentWidget()),
                  std::pair(QStringLiteral("New Levelset"), static_cast<QWidget *>(editor.get())));
        WriteFixtureTileset(many, 64, 48, 2);
        WriteBitmap(app.tls("Many.bmp"), SolidPicture(64, 48, Qt::darkCyan));
    });
    editor->mnuMakeLevelSet->trigger();
    EXPECT_EQ(editor->BrickCount, 2);
    EXPECT_EQ(editor->Picture2[1]->surface().pixelColor(4, 4), QColor(Qt::darkCyan));
    expectShown(editor->Picture2[1]);

    // No bricks (the builder writes that): empty palette, no message; then slots come back.
    WriteFixtureTileset(app.tls("Zero.vxt"), 64, 48, 0);
    WriteFixtureTileset(app.tls("Six.vxt"), 64, 48, 6);
    const std::size_t shown = dialogs.messages().size();
    dialogs.answer(MsgAnswer::No).open(app.tls("Zero.vxt"));
    editor->mnuNew_Click();
    EXPECT_EQ(editor->TileSetPath, app.tls("Zero.vxt"));
    EXPECT_FALSE(editor->Picture2[1]->isVisible());
    dialogs.answer(MsgAnswer::No).open(app.tls("Six.vxt"));
    editor->mnuNew_Click();
    clickSlot(6);
    EXPECT_EQ(editor->CurrentBrick, 6);
    expectShown(editor->Picture2[6]);
    EXPECT_EQ(dialogs.messages().size(), shown + 2); // the two save questions only
}

TEST_F(EditorTest, TheProgramTakesOneLevelOnItsCommandLineRelativeToWhereItStarts)
{
    for (const QStringList &args :
         {QStringList{"VorpexEditor", "a.vxl", "b.vxl"}, QStringList{"VorpexEditor", "a.txt"}})
        EXPECT_EQ(RunEditor(args, dialogs, app.path(), {}), 2);
    WriteBytes(app.bgd("Qt.bmp"), QByteArray("BM") + Le32({1078, 0, 54, 40, 32, 16}) +
                                      Le16({1, 16}) + Le32({0, 1024, 0, 0, 0, 0}) +
                                      QByteArray(1024, '\0'));
    SetFallbackPictureDecoder(nullptr); // the program's own: 16-bit bitmaps need Qt's reader
    const QString path = writeLevel("given.vxl", {0, -1, 0, 0}, {{4, 4, 2}}, "Qt.bmp");
    const QString started = QDir::currentPath();
    QDir::setCurrent(app.path());
    QString shown;
    QTimer::singleShot(0, [&shown] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *e = qobject_cast<frmEditor *>(window); e && e->isVisible()) {
                shown = e->windowTitle();
                e->close(); // the run ends with its window
            }
        }
    });
    EXPECT_EQ(RunEditor({"VorpexEditor", "Lvl/given.vxl"}, dialogs, app.path(), {}), 0);
    QDir::setCurrent(started);
    EXPECT_EQ(shown, title(path));
}
