#include "levelset/frmEditLevelSet.h"

#include "imageio/QtImages.h"
#include "levelset/LevelListView.h"
#include "levelset/LevelSetModel.h"
#include "levelset/LevelTileDelegate.h"
#include "render/LoadedLevel.h"
#include "render/Scaling.h"
#include "support/Fixtures.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>

namespace {

const Qt::KeyboardModifier Ctrl = Qt::ControlModifier;

// A level over T.vxt, its background nowhere: `brick` at (1, 1), brick 50 (not in T.vxt) at (2, 1).
QByteArray Level(std::int32_t brick)
{
    return LevelBytes({-1, 0, 0, 0}, "T.vxt", "Gone.bmp", {{1, 1, brick}, {2, 1, 50}});
}

// Lvl holds levels a, b and c (bricks 1, 2, 3) and the levelset Set.vxs that lists them.
class EditLevelSetTest : public ::testing::Test
{
protected:
    EditLevelSetTest()
    {
        QStandardPaths::setTestModeEnabled(true); // window sizes kept apart from the user's
        QSettings("VorpexEditor", "VorpexEditor").clear(); // and from earlier runs
        WriteFixtureTileset(app.tls("T.vxt"), 64, 48, 6);
        for (int i = 1; i <= 3; ++i)
            WriteBytes(app.lvl(QChar('a' + i - 1) + QStringLiteral(".vxl")), Level(i));
        WriteBytes(set, "Set\r\n 3 \r\na.vxl\r\nb.vxl\r\nc.vxl\r\n");
    }
    ~EditLevelSetTest() override { delete window; }

    frmEditLevelSet *open(const QString &path)
    {
        window = frmEditLevelSet::ShowLevelSet(
            dialogs, app.path(), [this](const QString &level) { opened << level; }, &owner, path);
        EXPECT_TRUE(!window || QTest::qWaitForWindowExposed(window));
        return window;
    }
    QRect tile(int row) const { return window->lstLevels->visualRect(window->Model->index(row)); }
    void click(int row, Qt::KeyboardModifiers keys = {})
    {
        QTest::mouseClick(window->lstLevels->viewport(), Qt::LeftButton, keys, tile(row).center());
    }
    void key(Qt::Key key, Qt::KeyboardModifiers keys = {})
    {
        QTest::keyClick(window->lstLevels, key, keys);
    }
    // The rows dragged onto a point of the list, as a drag from it delivers them; or held there.
    void drag(const QList<int> &rows, QPoint to, bool hold = false)
    {
        QModelIndexList indexes;
        for (int row : rows)
            indexes << window->Model->index(row);
        const std::unique_ptr<QMimeData> data(window->Model->mimeData(indexes));
        QWidget *viewport = window->lstLevels->viewport();
        QDragEnterEvent enter(to, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QDragMoveEvent move(to, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QDropEvent drop(to, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        for (QEvent *event : std::initializer_list<QEvent *>{&enter, &move, &drop}) {
            if (hold && event == &drop)
                return;
            QApplication::sendEvent(viewport, event);
            EXPECT_TRUE(event->isAccepted());
        }
    }
    bool unsaved() const { return window->windowTitle().endsWith(u'*'); }

    TempAppFolder app;
    QTemporaryDir elsewhere;
    const QString set = app.lvl("Set.vxs");
    ScriptedDialogs dialogs;
    QWidget owner;
    QStringList opened;
    QPointer<frmEditLevelSet> window;
};

} // namespace

TEST_F(EditLevelSetTest, ReorderedWithALevelAddedAndOneRemovedItSavesInTheNewOrder)
{
    WriteBytes(elsewhere.path() + "/new.vxl", Level(4));
    WriteBytes(elsewhere.path() + "/b.vxl", Level(5)); // Lvl has a b.vxl: not offered
    ASSERT_TRUE(open(set));
    click(0);
    key(Qt::Key_Down, Ctrl);
    EXPECT_EQ(window->Levels(), (QStringList{"b.vxl", "a.vxl", "c.vxl"}));
    key(Qt::Key_Right); // from the level moved, which is the current one too
    // Added after the selection, by name; one the game would not find is copied beside the set.
    dialogs.openFiles({elsewhere.path() + "/new.vxl", elsewhere.path() + "/b.vxl"})
        .answer(MsgAnswer::Yes);
    key(Qt::Key_Insert);
    EXPECT_EQ(std::tie(dialogs.shown()[0].request.filter, dialogs.shown()[0].request.folder),
              std::make_tuple("Vorpex Levels|*.vxl", app.path() + "/Lvl"));
    dialogs.expectMessage("new.vxl is not beside the levelset or in Lvl.\r\n"
                          "Do you want to copy it beside the levelset?",
                          "VorpexEditor", MsgButtons::YesNo, MsgIcon::Question);
    EXPECT_EQ(ReadBytes(app.lvl("new.vxl")), Level(4));
    EXPECT_EQ(window->SelectedRows(), (QList<int>{3, 4}));
    dialogs.cancelOpen(); // the next Add Level starts at the first level added
    key(Qt::Key_Insert);
    EXPECT_EQ(dialogs.shown().back().request.fileName, elsewhere.path() + "/new.vxl");
    click(1);
    const std::unique_ptr<QMimeData> stale(window->Model->mimeData({window->Model->index(4)}));
    key(Qt::Key_Delete);
    EXPECT_TRUE(window->Model->draggedRows(stale.get()).isEmpty()); // a row no longer there
    QTest::keyClicks(window->txtLevelSetName, " 2");
    EXPECT_TRUE(unsaved());
    key(Qt::Key_S, Ctrl);
    EXPECT_EQ(ReadBytes(set), QByteArray("Set 2\r\n 4 \r\nb.vxl\r\nc.vxl\r\nnew.vxl\r\nb.vxl\r\n"));
    EXPECT_FALSE(unsaved());
    QTest::keyClicks(window->txtLevelSetName, "x");
    QTest::keyClick(window->txtLevelSetName, Qt::Key_Z, Ctrl); // back to what was saved
    EXPECT_FALSE(unsaved());
}

TEST_F(EditLevelSetTest, EachChangeIsOneStepAndUndoingBackToTheFileLeavesNothingToSave)
{
    ASSERT_TRUE(open(set));
    EXPECT_EQ(window->objectName() + ": " + TabOrder(window->txtLevelSetName),
              "frmEditLevelSet: txtLevelSetName lstLevels");
    QStringList menus{Items(window->tlbLevels)};
    for (QAction *menu : window->menuBar()->actions())
        menus << menu->text() + ": " + Items(menu->menu());
    EXPECT_EQ(menus.join('\n'),
              "&Add Level...=Ins, Re&move=Del, Move U&p=Ctrl+Up, Move Do&wn=Ctrl+Down, "
              "&Duplicate=Ctrl+D, &Open in Editor=Return, -, &Save=Ctrl+S\n"
              "&Levelset: &Add Level...=Ins, -, &Save=Ctrl+S, Save &As...=Ctrl+Shift+S, -, "
              "&Close=Esc\n"
              "&Edit: &Undo=Ctrl+Z, &Redo=Ctrl+Y, -, Re&move=Del, &Duplicate=Ctrl+D, "
              "Move U&p=Ctrl+Up, Move Do&wn=Ctrl+Down, -, &Open in Editor=Return");
    click(0);
    key(Qt::Key_D, Ctrl); // a a b c
    click(1);
    click(3, Ctrl);
    key(Qt::Key_Up, Ctrl); // a a c b
    // Held after the last level, the drag shows a bar there until it leaves.
    const QRect last = tile(3);
    drag({0}, last.topRight() + QPoint(-4, 4), true);
    auto bar = [&] {
        return window->lstLevels->viewport()->grab().toImage().pixelColor(last.right() - 1,
                                                                          last.y() + 9) ==
               window->lstLevels->palette().color(QPalette::Highlight);
    };
    EXPECT_TRUE(bar());
    QDragLeaveEvent leave;
    QApplication::sendEvent(window->lstLevels->viewport(), &leave);
    EXPECT_FALSE(bar());
    drag({0, 1}, tile(3).bottomLeft() + QPoint(4, 12)); // c b a a: below the last row
    QTest::keyClicks(window->txtLevelSetName, "!!");    // typing is one step
    const QStringList edited{"c.vxl", "b.vxl", "a.vxl", "a.vxl"};
    EXPECT_EQ(window->Levels(), edited);
    EXPECT_EQ(window->lblNumLevels->text(), "4 Levels"); // right of the name
    EXPECT_GT(window->lblNumLevels->x(), window->txtLevelSetName->geometry().right());
    QStringList steps;
    for (int i = 0; i < window->History.count(); ++i)
        steps << window->History.text(i);
    EXPECT_EQ(steps, (QStringList{"Duplicate", "Move Up", "Move", "Rename"}));

    // Ctrl+Z in the name field is the window's too.
    QList<QList<int>> selected; // each step's own selection back, runs of rows or not
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(window->txtLevelSetName, Qt::Key_Z, Ctrl);
        selected << window->SelectedRows();
    }
    EXPECT_EQ(selected, (QList<QList<int>>{{2, 3}, {0, 2}, {1, 3}, {0}}));
    EXPECT_EQ(window->Levels(), (QStringList{"a.vxl", "b.vxl", "c.vxl"}));
    EXPECT_EQ(window->txtLevelSetName->text(), "Set");
    EXPECT_FALSE(unsaved());
    for (int i = 0; i < 4; ++i)
        key(Qt::Key_Y, Ctrl);
    EXPECT_EQ(std::tie(window->Levels(), window->LevelSetName()), std::make_tuple(edited, "Set!!"));
    EXPECT_EQ(window->SelectedRows(), (QList<int>{2, 3})); // the levels moved last
    EXPECT_TRUE(unsaved());
    // Saved on closing where the file became a folder, then emptied: the window stays.
    QFile::remove(set);
    QDir().mkdir(set);
    for (const char *why : {"Error in writing file.", "A levelset needs at least one level."}) {
        dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::Ok);
        window->close();
        dialogs.expectMessage(why);
        EXPECT_TRUE(window->isVisible());
        key(Qt::Key_A, Ctrl);
        key(Qt::Key_Delete);
    }
    EXPECT_FALSE(window->mnuSave->isEnabled() || window->mnuSaveAs->isEnabled());
}

TEST_F(EditLevelSetTest, ThumbnailsAreTheRenderersPicturesAndGreyTilesSayWhyThereIsNone)
{
    // A levelset outside Lvl: its levels are found beside it, then in Lvl, ignoring case.
    const QString outside = elsewhere.path() + "/Out.vxs";
    WriteBytes(outside, "Out\r\n 5 \r\nA.VXL\r\nbad.vxl\r\ngone.vxl\r\nnotiles.vxl\r\nb.vxl\r\n");
    WriteBytes(elsewhere.path() + "/bad.vxl", "short");
    WriteBytes(elsewhere.path() + "/b.vxl", Level(6));
    WriteBytes(app.lvl("notiles.vxl"), Level(1).replace(8, 30, NameField("None.vxt")));
    ASSERT_TRUE(open(outside));
    const LevelSetModel &model = *window->Model;
    auto status = [&](int row) { return model.index(row).data(LevelSetModel::StatusRole); };
    EXPECT_FALSE(model.data(QModelIndex(), Qt::DisplayRole).isValid());
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (int row = 0; row < 5; ++row)
            if (model.index(row).data(LevelSetModel::ThumbnailRole).value<QImage>().isNull() &&
                status(row).toString().isEmpty())
                return false;
        return true;
    }));
    QImage screen; // as the window system holds it, painted by the view as it was told
    const QPoint at = window->lstLevels->viewport()->mapTo(window, QPoint());
    auto thumbnail = [&](int row) {
        return screen.copy(LevelTileDelegate::thumbnailRect(tile(row)).translated(at))
            .convertToFormat(QImage::Format_RGB32);
    };
    // Bricks 1 and 6 drawn; each grey tile says why it has no picture.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        screen = window->screen()->grabWindow(window->winId()).toImage();
        return thumbnail(0).pixelColor(3, 2) == CellColour(1) &&
               thumbnail(4).pixelColor(3, 2) == CellColour(6) && thumbnail(1) != thumbnail(2);
    }));
    for (auto [row, level] :
         {std::pair{0, app.lvl("a.vxl")}, std::pair{4, elsewhere.path() + "/b.vxl"}}) {
        EXPECT_EQ(thumbnail(row),
                  ToQImage(FittedInto(LoadedLevel::load(level, app.path()).image(), 160)));
        EXPECT_EQ(status(row), QString()) << row;
        EXPECT_EQ(thumbnail(row).pixelColor(11, 2), QColor(Qt::black)); // unknown brick
    }
    for (auto [row, why] : {std::pair{1, "unreadable"}, {2, "missing"}, {3, "unreadable"}}) {
        EXPECT_EQ(status(row), QString(why)) << row;
        EXPECT_EQ(thumbnail(row).pixel(2, 2), LevelTileDelegate::NoPicture) << row;
    }
    // A level put in place while another window is in front (past any reload) shows on return.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QTest::qWait(200);
    WriteBytes(app.lvl("gone.vxl"), Level(5));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        screen = window->screen()->grabWindow(window->winId()).toImage();
        return thumbnail(2).pixelColor(3, 2) == CellColour(5);
    }));
}

TEST_F(EditLevelSetTest, ASetGrowsTo32767LevelsAndNoFurther)
{
    QByteArray levels;
    for (int i = 1; i <= 32766; ++i)
        levels += "L" + QByteArray::number(i) + ".vxl\r\n";
    WriteBytes(set, "Big\r\n 32766 \r\n" + levels);
    ASSERT_TRUE(open(set));
    // One more is the most a count line can say; another would make a file no reader takes.
    click(32765);
    key(Qt::Key_D, Ctrl);
    key(Qt::Key_S, Ctrl);
    EXPECT_EQ(ReadBytes(set), "Big\r\n 32767 \r\n" + levels + "L32766.vxl\r\n");
    dialogs.answer(MsgAnswer::Ok);
    key(Qt::Key_D, Ctrl);
    EXPECT_EQ(dialogs.messages().at(0).text, "A levelset holds at most 32767 levels.");
    EXPECT_EQ(window->Levels().size(), 32767);
}

TEST_F(EditLevelSetTest, OpenInEditorSaveAsAndClosingAskBeforeAnythingIsLost)
{
    WriteBytes(set, "Set\r\n 3 \r\na.vxl\r\ngone.vxl\r\nc.vxl\r\n");
    ASSERT_TRUE(open(set));
    click(0);
    key(Qt::Key_Return);
    click(2, Ctrl);
    click(2, Ctrl); // current but no longer selected: the first selected one opens
    key(Qt::Key_Return);
    click(2); // a double-click's first press and release
    QTest::mouseDClick(window->lstLevels->viewport(), Qt::LeftButton, {}, tile(2).center());
    EXPECT_EQ(opened, (QStringList{app.lvl("a.vxl"), app.lvl("a.vxl"), app.lvl("c.vxl")}));
    click(1);
    dialogs.answer(MsgAnswer::Ok);
    key(Qt::Key_Enter);
    EXPECT_EQ(dialogs.messages().back().text, "Cannot open level.\r\n" + app.lvl("gone.vxl"));

    // Save As: its own name in Lvl offered, another file replaced if told; the window's then.
    QTest::keyClicks(window->txtLevelSetName, "x");
    dialogs.save(app.lvl("..")).answer(MsgAnswer::Ok); // names no file
    window->mnuSaveAs->trigger();
    dialogs.expectMessage("Error in writing file.");
    WriteBytes(app.lvl("Copy.vxs"), "older");
    dialogs.save(elsewhere.path() + "/Copy.vxs").answer(MsgAnswer::Yes);
    window->mnuSaveAs->trigger();
    dialogs.expectMessage("Copy.vxs already exists.\r\nDo you want to replace it?", "VorpexEditor",
                          MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No);
    const FileDialogRequest &request = dialogs.shown().end()[-2].request;
    EXPECT_EQ(std::tie(request.fileName, request.folder, request.overwritePrompt),
              std::make_tuple("Set.vxs", app.path() + "/Lvl", true));
    const QByteArray copy("Setx\r\n 3 \r\na.vxl\r\ngone.vxl\r\nc.vxl\r\n");
    EXPECT_EQ(ReadBytes(app.lvl("Copy.vxs")), copy);
    EXPECT_EQ(window->windowTitle(), "Edit Levelset - " + app.lvl("Copy.vxs"));

    // The same file again is the same window. Unsaved changes are asked about: Cancel keeps
    // the window, No drops them; its size is the next window's.
    frmEditLevelSet *const first = window;
    EXPECT_EQ(open(app.path() + "/Lvl/../Lvl/Copy.vxs"), first);
    QTest::keyClicks(window->txtLevelSetName, "y");
    window->resize(700, 500);
    dialogs.answer(MsgAnswer::Cancel);
    key(Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    dialogs.expectMessage("Do you want to save the changes to the levelset?", "VorpexEditor",
                          MsgButtons::YesNoCancel, MsgIcon::Question);
    dialogs.answer(MsgAnswer::Cancel).answer(MsgAnswer::No);
    EXPECT_FALSE(frmEditLevelSet::CloseAll(&owner));
    EXPECT_TRUE(frmEditLevelSet::CloseAll(&owner));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
    EXPECT_EQ(ReadBytes(app.lvl("Copy.vxs")), copy);
    ASSERT_TRUE(open(set));
    EXPECT_EQ(window->size(), QSize(700, 500));
    // What a file may hold is the reader's; a file it refuses opens no window.
    WriteBytes(app.lvl("Bad.vxs"), "N\r\n 1 \r\nLvl/a.vxl\r\n");
    dialogs.answer(MsgAnswer::Ok);
    EXPECT_EQ(open(app.lvl("Bad.vxs")), nullptr);
    dialogs.expectMessage("Cannot open levelset.\r\n" + app.lvl("Bad.vxs"));
    EXPECT_EQ(owner.findChildren<frmEditLevelSet *>().size(), 1);
}
