#include "EditorFixture.h"

#include "platform/QtDialogs.h"

#include <QMessageBox>
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
        e->SetRecoveryDelay(100); // a second in use
        e->showAndActivate();
        return e;
    }
    QStringList copies() const { return EntriesOf(recovery).filter(".vxl"); }
    void TearDown() override { editor.reset(); } // while its folder is still there
    bool copiesBecome(int n)
    {
        return QTest::qWaitFor([&] { return copies().size() == n; }, 3000);
    }

    // What the user sees and what a save writes.
    using State = std::tuple<QImage, QByteArray, QString, Boxes, QRect, std::array<int, 4>>;
    State state()
    {
        EXPECT_TRUE(editor->SaveFile(app.lvl("probe.vxl")));
        return {editor->LevelPic->surface().copy(),
                ReadBytes(app.lvl("probe.vxl")),
                editor->BackPiclbl->text(),
                boxes(),
                editor->Backpic->geometry(),
                {editor->BackTileWidth, editor->BackTileHeight, editor->BackTilesAcross,
                 editor->BackTilesDown}};
    }
    // Undo shows `back`, redo `forth`.
    void undoRedo(const State &back, const State &forth)
    {
        ctrl(Qt::Key_Z);
        EXPECT_EQ(state(), back);
        ctrl(Qt::Key_Y);
        EXPECT_EQ(state(), forth);
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
    stroke({{2, 1}, {3, 1}, {4, 1}, {5, 1}});
    const State drawn = state();
    stroke({{2, 1}});
    stroke({{3, 1}, {4, 1}, {6, 1}}, Qt::RightButton);
    const State erased = state();
    // Strokes that turn, cross and revisit cells are undone on screen, not only behind it.
    stroke({{10, 10}, {10, 11}, {11, 11}, {11, 10}, {10, 10}, {10, 12}});
    stroke({{12, 9}, {12, 10}, {11, 10}, {10, 11}, {13, 11}, {13, 9}});
    ctrl(Qt::Key_Z);
    expectShown(editor->LevelPic);
    ctrl(Qt::Key_Z);
    expectShown(editor->LevelPic);
    EXPECT_EQ(state(), erased);
    ctrl(Qt::Key_Z);
    EXPECT_EQ(state(), drawn);
    undoRedo(opened, drawn);
    key(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z);
    EXPECT_EQ(state(), erased);

    dialogs.answer(MsgAnswer::Yes);
    QTest::mouseClick(editor->Command1, Qt::LeftButton);
    undoRedo(erased, state());
    ctrl(Qt::Key_Z);

    // Unticking the only box re-ticks box 1: one step, both boxes back on undo.
    clickBox(3);
    const State moved = state();
    undoRedo(erased, moved);

    dialogs.open(app.bgd("Other.bmp"));
    editor->Backpic_MouseDown(1);
    undoRedo(moved, state());

    // A tick by key (past the brush) is undone with the choice; a pick and a reload are no steps.
    QTest::keyClick(editor->Check1[4], Qt::Key_Space);
    clickSlot(2);
    editor->Form_Activate();
    key(Qt::ControlModifier | Qt::Key_Z, Qt::ControlModifier | Qt::Key_Z);
    EXPECT_EQ(state(), moved);
    // Open starts afresh: nothing to undo.
    ASSERT_TRUE(editor->OpenFile(app.lvl("a.vxl")));
    ctrl(Qt::Key_Z);
    EXPECT_EQ(state(), opened);
    // Ctrl+Z in the middle of a stroke takes back that stroke, not the one before.
    stroke({{2, 1}});
    const State before = state();
    mouse(QTest::MousePress, 300, 200);
    moveTo(340, 200);
    ctrl(Qt::Key_Z);
    mouse(QTest::MouseRelease, 340, 200);
    EXPECT_EQ(state(), before);
}

TEST_F(HistoryTest, LeavingAsksOnlyAboutUnsavedWork)
{
    auto draw = [this] {
        start();
        clickSlot(1);
        stroke({{1, 1}});
    };
    start();
    editor->mnuExit_Click();
    EXPECT_FALSE(editor->isVisible());

    draw();
    dialogs.answer(MsgAnswer::Cancel);
    editor->mnuExit_Click();
    dialogs.expectMessage("Do you want to save current level?", "VorpexEditor",
                          MsgButtons::YesNoCancel, MsgIcon::Question);
    dialogs.answer(MsgAnswer::Yes).cancelSave();
    editor->close(); // the close box
    EXPECT_TRUE(editor->isVisible());
    dialogs.answer(MsgAnswer::Yes).save(app.lvl("kept.vxl"));
    editor->mnuExit_Click();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(ReadBytes(app.lvl("kept.vxl")), LevelBytes({-1, 0, 0, 0}, "DefaultTileSet.vxt",
                                                         "DefaultBackground.bmp", {{1, 1, 1}}));

    // Back at the saved level by undo, nothing is unsaved; No leaves without writing.
    draw();
    ASSERT_TRUE(editor->SaveFile(app.lvl("saved.vxl")));
    stroke({{2, 1}});
    ctrl(Qt::Key_Z);
    editor->mnuExit_Click();
    EXPECT_FALSE(editor->isVisible());
    draw();
    dialogs.answer(MsgAnswer::No);
    editor->mnuExit_Click(); // asked, as above
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(EntriesOf(app.lvl("")), (QStringList{"kept.vxl", "saved.vxl"}));
}

TEST_F(HistoryTest, EachEditorKeepsItsOwnCopyUpToDateAndAnOrphanIsOffered)
{
    editor = editorWithRecovery(app.path());
    auto other = editorWithRecovery(app.path());
    clickSlot(3);
    // A click every 50 ms: the first one is in a copy well before the last.
    for (int x = 1; x <= 10; ++x) {
        stroke({{x, 1}});
        QTest::qWait(50);
    }
    ASSERT_EQ(copies().size(), 1);
    std::swap(editor, other);
    clickSlot(5);
    stroke({{19, 30}});
    ASSERT_TRUE(copiesBecome(2));
    // A third editor finds both copies owned, asking nothing: a lock naming no owner is held too.
    WriteBytes(recovery + '/' + EntriesOf(recovery).filter(".lock").value(0), "");
    editorWithRecovery(app.path());

    // Saving removes that editor's copy; an editor that ends without closing leaves its own.
    ASSERT_TRUE(editor->SaveFile(app.lvl("five.vxl")));
    EXPECT_EQ(copies().size(), 1);
    other.reset();
    dialogs.answer(MsgAnswer::Yes);
    editor = editorWithRecovery(app.path());
    dialogs.expectMessage("The editor was not closed properly. Restore the unsaved level?",
                          "VorpexEditor", MsgButtons::YesNo, MsgIcon::Question);
    EXPECT_EQ(editor->windowTitle(), "Vorpex Editor - Untitled");
    EXPECT_EQ(canvas(40, 5), CellColour(3));
    dialogs.cancelSave();
    EXPECT_FALSE(editor->mnuSave_Click()); // untitled still: Save asks for a name
    dialogs.answer(MsgAnswer::No);
    editor->close();
    EXPECT_TRUE(EntriesOf(recovery).isEmpty());

    // A copy that cannot be opened is reported like a bad level, and stays for another try.
    WriteBytes(recovery + "/short.vxl", "short");
    for (int start = 0; start < 2; ++start) {
        dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::Ok);
        editor = editorWithRecovery(app.path());
        dialogs.expectMessage("Cannot open level.\r\n" + recovery +
                              "/short.vxl\r\n\r\nThe unsaved level is kept in:\r\n" + recovery +
                              "/short.vxl");
        EXPECT_EQ(editor->windowTitle(), "Vorpex Editor - Untitled");
        // Its own edits go to a copy of its own.
        clickSlot(1);
        stroke({{1, 1}});
        ASSERT_TRUE(copiesBecome(2));
        dialogs.answer(MsgAnswer::No);
        editor->close();
        EXPECT_EQ(copies(), QStringList{"short.vxl"});
    }
    // No to the question removes each copy offered.
    editor->show();
    stroke({{1, 1}});
    ASSERT_TRUE(copiesBecome(2));
    editor.reset();
    dialogs.answer(MsgAnswer::No).answer(MsgAnswer::No);
    editor = editorWithRecovery(app.path());
    EXPECT_TRUE(copies().isEmpty());
}

TEST_F(HistoryTest, APromptThatComesUpMidStrokeEndsItAsAReleaseWould)
{
    // Real message boxes: the release goes to the box, and the canvas never sees it.
    QtDialogs real;
    editor = std::make_unique<frmEditor>(real, app.path(), bricks);
    editor->showAndActivate();
    clickSlot(2);
    stroke({{1, 1}, {2, 1}, {3, 1}});
    mouse(QTest::MousePress, 200, 10);
    whenUp<QMessageBox>([](QMessageBox &box) {
        QTest::mouseRelease(&box, Qt::LeftButton);
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    ctrl(Qt::Key_Q);
    ASSERT_TRUE(editor->isVisible());
    // Moves with no button held edit nothing; the press was a step of its own.
    auto row = [this] { return std::array{brick(1, 1), brick(2, 1), brick(3, 1), brick(7, 1)}; };
    for (int x : {200, 72, 40, 10})
        moveTo(x, 10);
    EXPECT_EQ(row(), (std::array{2, 2, 2, 2}));
    ctrl(Qt::Key_Z);
    EXPECT_EQ(row(), (std::array{2, 2, 2, 0}));

    // Clear mid-drag: the drag is a step before it, so undoing Clear leaves unsaved work.
    ASSERT_TRUE(editor->SaveFile(app.lvl("saved.vxl")));
    mouse(QTest::MousePress, 300, 100);
    for (int x : {300, 332, 364, 396})
        moveTo(x, 100);
    bool cleared = false;
    whenUp<QMessageBox>([&cleared](QMessageBox &box) {
        box.button(QMessageBox::Yes)->click();
        cleared = true;
    });
    QTest::keyClick(editor.get(), Qt::Key_C, Qt::AltModifier); // the button clicks a moment later
    ASSERT_TRUE(QTest::qWaitFor([&cleared] { return cleared; }));
    mouse(QTest::MouseRelease, 396, 100);
    ctrl(Qt::Key_Z);
    EXPECT_EQ(brick(13, 7), 2);
    bool asked = false;
    whenUp<QMessageBox>([&asked](QMessageBox &box) {
        asked = box.text() == "Do you want to save current level?";
        box.button(QMessageBox::Cancel)->click();
    });
    ctrl(Qt::Key_Q);
    EXPECT_TRUE(asked && editor->isVisible());
}

TEST_F(HistoryTest, AKilledEditorGivesItsLevelBack)
{
    const QString level = qEnvironmentVariable("VORPEX_KILLED_LEVEL");
    if (!level.isEmpty()) {
        // The child: open, draw, wait for the copy, then wait to be killed.
        editor = editorWithRecovery(qEnvironmentVariable("VORPEX_KILLED_APP"));
        ASSERT_TRUE(editor->OpenFile(level));
        clickSlot(6);
        stroke({{7, 19}, {8, 19}});
        ASSERT_TRUE(copiesBecome(1));
        std::puts("copied");
        std::fflush(stdout);
        QTest::qWait(60000);
        return;
    }
    // The tileset goes missing while the editor is down; the lock is left empty, as a crash
    // right after making it leaves it.
    WriteFixtureTileset(app.tls("Moved.vxt"), 64, 48, 6);
    const QString path = app.lvl("killed.vxl");
    WriteBytes(path, LevelBytes({0, -1, 0, 0}, "Moved.vxt", "DefaultBackground.bmp", {{2, 2, 1}}));
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
    WriteBytes(recovery + '/' + EntriesOf(recovery).filter(".lock").value(0), "");
    QFile::rename(app.tls("Moved.vxt"), app.tls("Moved.off"));
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::Ok);
    editor = editorWithRecovery(app.path());
    const QString copy = recovery + '/' + copies().value(0);
    dialogs.expectMessage("Cannot open tileset.\r\n" + app.tls("Moved.vxt") +
                          "\r\n\r\nThe unsaved level is kept in:\r\n" + copy);
    editor.reset();

    QFile::rename(app.tls("Moved.off"), app.tls("Moved.vxt"));
    dialogs.answer(MsgAnswer::Yes);
    editor = editorWithRecovery(app.path());
    EXPECT_EQ(editor->windowTitle(), title(path));
    ASSERT_TRUE(editor->mnuSave_Click());
    EXPECT_EQ(ReadBytes(path), LevelBytes({0, -1, 0, 0}, "Moved.vxt", "DefaultBackground.bmp",
                                          {{2, 2, 1}, {7, 19, 6}, {8, 19, 6}}));
    EXPECT_TRUE(EntriesOf(recovery).filter(".vxl").isEmpty());
}
