// Nothing the user drew is lost: undo and redo, the question before unsaved work is left, and
// the copy that gives a level back after a crash.
#include "EditorFixture.h"

#include <QProcess>
#include <QUndoStack>

namespace {

class HistoryTest : public EditorTest
{
protected:
    QTemporaryDir recoveryDir;
    // A child process of a test works in its parent's folder.
    const QString recovery = qEnvironmentVariable("VORPEX_KILLED_RECOVERY", recoveryDir.path());

    std::unique_ptr<frmEditor> editorWithRecovery(const QString &appFolder)
    {
        auto e = std::make_unique<frmEditor>(dialogs, appFolder, bricks, recovery);
        e->showAndActivate();
        return e;
    }
    QStringList copies() const { return EntriesOf(recovery).filter(".vxl"); }
    bool copiesBecome(int n)
    {
        return QTest::qWaitFor([&] { return copies().size() == n; }, 3000);
    }

    // What the user sees and what a save writes.
    struct State
    {
        QImage canvas;
        QByteArray bytes;
        QString caption;
        Boxes boxes;
        bool operator==(const State &) const = default;
    };
    State state()
    {
        EXPECT_TRUE(editor->SaveFile(app.lvl("probe.vxl")));
        return {editor->LevelPic->surface().copy(), ReadBytes(app.lvl("probe.vxl")),
                editor->BackPiclbl->text(), boxes()};
    }
    // Window shortcuts reach the active window only.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        editor->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(editor.get()));
        QTest::keyClick(editor.get(), key, modifiers);
    }
    void drag(std::initializer_list<int> xs, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QTest::MousePress, *xs.begin(), y, button);
        for (int x : xs)
            moveTo(x, y);
        mouse(QTest::MouseRelease, *(xs.end() - 1), y, button);
    }
};

} // namespace

TEST_F(HistoryTest, EachActionIsOneStepBackAndForthOnScreenAndOnDisk)
{
    WriteBitmap(app.bgd("Other.bmp"), SolidPicture(100, 70, QColor(90, 10, 10)));
    start();
    ASSERT_TRUE(editor->OpenFile(writeLevel("a.vxl", {0, 0, -1, 0}, {{3, 1, 2}, {5, 2, 4}})));
    const State opened = state();

    // A drag across the top paddle over a brick is one step; a click that changes nothing, none.
    clickSlot(4);
    drag({40, 72, 104, 136}, 5);
    const State drawn = state();
    mouse(QTest::MousePress, 40, 5);
    mouse(QTest::MouseRelease, 40, 5);
    EXPECT_EQ(editor->History.count(), 1);
    drag({80, 110, 170}, 5, Qt::RightButton);
    const State erased = state();
    key(Qt::Key_Z);
    EXPECT_EQ(state(), drawn);
    key(Qt::Key_Z);
    EXPECT_EQ(state(), opened);
    key(Qt::Key_Y);
    EXPECT_EQ(state(), drawn);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(state(), erased);

    dialogs.answer(MsgAnswer::Yes);
    QTest::mouseClick(editor->Command1, Qt::LeftButton);
    const State cleared = state();
    key(Qt::Key_Z);
    EXPECT_EQ(state(), erased);
    key(Qt::Key_Y);
    EXPECT_EQ(state(), cleared);
    key(Qt::Key_Z);

    // Unticking the only box re-ticks box 1: one step, both boxes back on undo.
    clickBox(3);
    const State moved = state();
    EXPECT_EQ(moved.boxes, (Boxes{true, false, false, false}));
    key(Qt::Key_Z);
    EXPECT_EQ(state(), erased);
    key(Qt::Key_Y);
    EXPECT_EQ(state(), moved);

    dialogs.open(app.bgd("Other.bmp"));
    editor->Backpic_MouseDown(1);
    const State chosen = state();
    key(Qt::Key_Z);
    EXPECT_EQ(state(), moved);
    EXPECT_EQ(editor->BackTileWidth, 64);
    key(Qt::Key_Y);
    EXPECT_EQ(state(), chosen);

    // Picking a brick and the tileset reload of activation are no steps.
    clickSlot(2);
    editor->Form_Activate();
    key(Qt::Key_Z);
    EXPECT_EQ(state(), moved);
    // Open starts afresh: nothing to undo.
    ASSERT_TRUE(editor->OpenFile(app.lvl("a.vxl")));
    key(Qt::Key_Z);
    EXPECT_EQ(state(), opened);
}

TEST_F(HistoryTest, LeavingAsksOnlyAboutUnsavedWork)
{
    auto draw = [this] {
        start();
        clickSlot(1);
        drag({10}, 10);
    };
    auto expectQuestion = [this] {
        expectMessage("Do you want to save current level?", "VorpexEditor", MsgButtons::YesNoCancel,
                      MsgIcon::Question);
    };
    start();
    editor->mnuExit_Click();
    EXPECT_FALSE(editor->isVisible());

    draw();
    dialogs.answer(MsgAnswer::Cancel);
    editor->mnuExit_Click();
    expectQuestion();
    dialogs.answer(MsgAnswer::Yes).cancelSave();
    editor->close(); // the close box
    EXPECT_TRUE(editor->isVisible());
    dialogs.answer(MsgAnswer::Yes).save(app.lvl("kept.vxl"));
    editor->mnuExit_Click();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(ReadBytes(app.lvl("kept.vxl")), levelBytes({-1, 0, 0, 0}, "DefaultTileSet.vxt",
                                                         "DefaultBackground.bmp", {{1, 1, 1}}));

    // Back at the saved level by undo, nothing is unsaved; No leaves without writing.
    draw();
    ASSERT_TRUE(editor->SaveFile(app.lvl("saved.vxl")));
    drag({40}, 10);
    key(Qt::Key_Z);
    editor->mnuExit_Click();
    EXPECT_FALSE(editor->isVisible());
    draw();
    dialogs.answer(MsgAnswer::No);
    editor->mnuExit_Click();
    expectQuestion();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(EntriesOf(app.lvl("")), (QStringList{"kept.vxl", "saved.vxl"}));
}

TEST_F(HistoryTest, EachEditorKeepsItsOwnCopyAndAnOrphanIsOffered)
{
    editor = editorWithRecovery(app.path());
    auto other = editorWithRecovery(app.path());
    clickSlot(3);
    drag({10, 40}, 10);
    std::swap(editor, other);
    clickSlot(5);
    drag({600}, 470);
    ASSERT_TRUE(copiesBecome(2));
    // A third editor finds both copies owned, and asks nothing.
    editorWithRecovery(app.path());

    // Saving removes that editor's copy; an editor that ends without closing leaves its own.
    ASSERT_TRUE(editor->SaveFile(app.lvl("five.vxl")));
    EXPECT_EQ(copies().size(), 1);
    other.reset();
    dialogs.answer(MsgAnswer::Yes);
    editor = editorWithRecovery(app.path());
    expectMessage("The editor was not closed properly. Restore the unsaved level?", "VorpexEditor",
                  MsgButtons::YesNo, MsgIcon::Question);
    EXPECT_EQ(editor->windowTitle(), "Vorpex Editor - Untitled");
    EXPECT_EQ(canvas(40, 5), brickColour(3));
    EXPECT_TRUE(editor->HasUnsavedChanges());
    dialogs.answer(MsgAnswer::No);
    editor->close();
    EXPECT_TRUE(EntriesOf(recovery).isEmpty());

    // A copy that cannot be opened is reported like a bad level, then removed.
    WriteBytes(recovery + "/short.vxl", "short");
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::Ok);
    editor = editorWithRecovery(app.path());
    expectMessage("Cannot open level.\r\n" + recovery + "/short.vxl");
    EXPECT_EQ(editor->windowTitle(), "Vorpex Editor - Untitled");
    EXPECT_TRUE(EntriesOf(recovery).isEmpty());
}

TEST_F(HistoryTest, AKilledEditorGivesItsLevelBack)
{
    const QString level = qEnvironmentVariable("VORPEX_KILLED_LEVEL");
    if (!level.isEmpty()) {
        // The child: open, draw, wait for the copy, then wait to be killed.
        editor = editorWithRecovery(qEnvironmentVariable("VORPEX_KILLED_APP"));
        ASSERT_TRUE(editor->OpenFile(level));
        clickSlot(6);
        drag({200, 232}, 300);
        ASSERT_TRUE(copiesBecome(1));
        std::puts("copied");
        std::fflush(stdout);
        QTest::qWait(60000);
        return;
    }
    const QString path = writeLevel("killed.vxl", {0, -1, 0, 0}, {{2, 2, 1}});
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VORPEX_KILLED_LEVEL", path);
    env.insert("VORPEX_KILLED_APP", app.path());
    env.insert("VORPEX_KILLED_RECOVERY", recovery);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=HistoryTest.AKilledEditorGivesItsLevelBack"});
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return child.readAllStandardOutput().contains("copied"); }, 20000));
    child.kill(); // SIGKILL
    ASSERT_TRUE(child.waitForFinished());

    dialogs.answer(MsgAnswer::Yes);
    editor = editorWithRecovery(app.path());
    EXPECT_EQ(editor->windowTitle(), title(path));
    ASSERT_TRUE(editor->mnuSave_Click());
    EXPECT_EQ(ReadBytes(path),
              levelBytes({0, -1, 0, 0}, "DefaultTileSet.vxt", "DefaultBackground.bmp",
                         {{2, 2, 1}, {7, 19, 6}, {8, 19, 6}}));
    EXPECT_TRUE(EntriesOf(recovery).filter(".vxl").isEmpty());
}
