#include "levelset/frmNewLevelSet.h"

#include "editor/frmEditor.h"
#include "model/BrickTable.h"
#include "support/Fixtures.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString ErrorText = QStringLiteral("Error in writing file.");

// A builder window over a temporary application folder, shown as the editor shows it.
struct Builder
{
    Builder() { show(); }

    void show()
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void addLevels(const QStringList &paths)
    {
        for (const QString &path : paths) {
            dialogs.open(path);
            QTest::mouseClick(window.cmdAddLevel, Qt::LeftButton);
        }
    }

    void save() { QTest::mouseClick(window.cmdSave, Qt::LeftButton); }

    QStringList listed() const
    {
        QStringList items;
        for (int i = 0; i < window.cboLevels->count(); ++i)
            items << window.cboLevels->itemText(i);
        return items;
    }

    QStringList lvlEntries() const
    {
        return QDir(app.path() + QStringLiteral("/Lvl"))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    TempAppFolder app;
    QTemporaryDir elsewhere;
    ScriptedDialogs dialogs;
    frmNewLevelSet window{dialogs, app.path()};
};

void ExpectMessage(const ScriptedDialogs::Shown &shown,
                   const QString &text,
                   MsgButtons buttons,
                   MsgIcon icon)
{
    EXPECT_EQ(shown.text, text);
    EXPECT_EQ(shown.caption, QStringLiteral("VorpexEditor"));
    EXPECT_EQ(shown.buttons, buttons);
    EXPECT_EQ(shown.icon, icon);
}

} // namespace

TEST(NewLevelSetWindow, OpensWithItsControlsInPlace)
{
    Builder b;
    frmNewLevelSet &w = b.window;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("New Levelset"));
    EXPECT_EQ(w.size(), QSize(167, 162));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());

    struct Place
    {
        const char *name;
        QRect geometry;
    };
    for (const Place &p :
         {Place{"cboLevels", {8, 8, 153, 21}}, Place{"cmdAddLevel", {8, 40, 81, 25}},
          Place{"lblNumLevels", {96, 45, 65, 17}}, Place{"Label1", {8, 80, 153, 17}},
          Place{"txtLevelSetName", {8, 96, 153, 19}}, Place{"cmdCancel", {8, 128, 73, 25}},
          Place{"cmdSave", {88, 128, 73, 25}}}) {
        const auto *control = w.findChild<QWidget *>(QLatin1String(p.name));
        ASSERT_NE(control, nullptr) << p.name;
        EXPECT_EQ(control->geometry(), p.geometry) << p.name;
    }

    EXPECT_EQ(w.cmdAddLevel->text(), QStringLiteral("&Add Level"));
    EXPECT_EQ(w.lblNumLevels->text(), QStringLiteral("0 Levels"));
    EXPECT_EQ(w.Label1->text(), QStringLiteral("Name of Level Set:"));
    EXPECT_EQ(w.txtLevelSetName->text(), QStringLiteral("Vorpex Levels"));
    EXPECT_EQ(w.cmdCancel->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(w.cmdSave->text(), QStringLiteral("&Save"));
    EXPECT_TRUE(w.cboLevels->isEditable());
    EXPECT_EQ(w.cboLevels->count(), 0);
    EXPECT_EQ(w.cboLevels->currentText(), QString());
    EXPECT_FALSE(w.cmdSave->isEnabled());
    EXPECT_EQ(w.NumLevels, 0);
    EXPECT_EQ(w.focusWidget(), w.cmdAddLevel);
    // Save is the default button whenever no other button holds the focus.
    w.txtLevelSetName->setFocus();
    EXPECT_TRUE(w.cmdSave->isDefault());
    EXPECT_FALSE(w.cmdAddLevel->isDefault());
}

TEST(NewLevelSetWindow, TabWalksAddSaveCancelNameThenList)
{
    Builder b;
    frmNewLevelSet &w = b.window;
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    // Save is skipped while disabled.
    QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(w.focusWidget(), w.cmdCancel);

    b.addLevels({QStringLiteral("/levels/a.vxl")});
    w.cmdAddLevel->setFocus();
    const std::vector<QWidget *> expected{w.cmdSave, w.cmdCancel, w.txtLevelSetName, w.cboLevels,
                                          w.cmdAddLevel};
    for (QWidget *next : expected) {
        QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
        QWidget *focus = w.focusWidget();
        // The editable list takes focus in its text field.
        if (focus && focus->parentWidget() == w.cboLevels)
            focus = w.cboLevels;
        EXPECT_EQ(focus, next) << (focus ? focus->objectName().toStdString() : "none");
    }
}

TEST(NewLevelSetWindow, AddLevelListsPathsAndCountsInTheLabel)
{
    Builder b;
    frmNewLevelSet &w = b.window;

    // Cancel with nothing added yet changes nothing.
    b.dialogs.cancelOpen();
    QTest::mouseClick(w.cmdAddLevel, Qt::LeftButton);
    EXPECT_EQ(w.lblNumLevels->text(), QStringLiteral("0 Levels"));
    EXPECT_FALSE(w.cmdSave->isEnabled());
    EXPECT_EQ(w.cboLevels->count(), 0);

    b.addLevels({QStringLiteral("/home/me/levels/first.vxl")});
    EXPECT_EQ(w.lblNumLevels->text(), QStringLiteral("1 Level"));
    EXPECT_TRUE(w.cmdSave->isEnabled());
    EXPECT_EQ(w.cboLevels->currentText(), QStringLiteral("/home/me/levels/first.vxl"));

    // Cancel after a level keeps count, list and label.
    b.dialogs.cancelOpen();
    QTest::mouseClick(w.cmdAddLevel, Qt::LeftButton);
    EXPECT_EQ(w.NumLevels, 1);
    EXPECT_EQ(w.lblNumLevels->text(), QStringLiteral("1 Level"));
    EXPECT_EQ(b.listed(), QStringList{QStringLiteral("/home/me/levels/first.vxl")});

    b.addLevels({QStringLiteral("C:\\Games\\Levels\\second.vxl")});
    EXPECT_EQ(w.NumLevels, 2);
    EXPECT_EQ(w.lblNumLevels->text(), QStringLiteral("2 Levels"));
    EXPECT_EQ(b.listed(), (QStringList{QStringLiteral("/home/me/levels/first.vxl"),
                                       QStringLiteral("C:\\Games\\Levels\\second.vxl")}));
    EXPECT_EQ(w.cboLevels->currentText(), QStringLiteral("C:\\Games\\Levels\\second.vxl"));
    EXPECT_EQ(w.LevelNames,
              (QStringList{QString(), QStringLiteral("first.vxl"), QStringLiteral("second.vxl")}));

    for (const auto &shown : b.dialogs.shown()) {
        ASSERT_EQ(shown.kind, ScriptedDialogs::Kind::Open);
        EXPECT_EQ(shown.request.filter, QStringLiteral("Vorpex Levels|*.vxl"));
        EXPECT_EQ(shown.request.filterIndex, 1);
    }
}

TEST(NewLevelSetWindow, SaveWritesIntoLvlUnderTheChosenName)
{
    Builder b;
    b.addLevels({QStringLiteral("/levels/one.vxl"), QStringLiteral("C:\\Other\\two.vxl"),
                 QStringLiteral("/levels/one.vxl")});
    const QString chosen = b.elsewhere.path() + QStringLiteral("/Set1.vxs");
    b.dialogs.save(chosen);
    b.save();

    EXPECT_EQ(ReadBytes(b.app.lvl(QStringLiteral("Set1.vxs"))), QByteArray("Vorpex Levels\r\n"
                                                                           " 3 \r\n"
                                                                           "one.vxl\r\n"
                                                                           "two.vxl\r\n"
                                                                           "one.vxl\r\n"));
    EXPECT_FALSE(QFileInfo::exists(chosen));
    EXPECT_EQ(b.lvlEntries(), QStringList{QStringLiteral("Set1.vxs")});
    EXPECT_FALSE(b.window.isVisible());
    EXPECT_EQ(b.window.result(), QDialog::Accepted);

    const auto &saveRequest = b.dialogs.shown().back();
    ASSERT_EQ(saveRequest.kind, ScriptedDialogs::Kind::Save);
    EXPECT_EQ(saveRequest.request.filter, QStringLiteral("Vorpex Levelsets|*.vxs"));
    EXPECT_EQ(saveRequest.request.filterIndex, 1);
    EXPECT_TRUE(saveRequest.request.overwritePrompt);
    EXPECT_TRUE(b.dialogs.messages().empty());
}

TEST(NewLevelSetWindow, CancelledSaveKeepsTheWindowAndWritesNothing)
{
    Builder b;
    b.addLevels({QStringLiteral("/levels/a.vxl")});
    b.dialogs.cancelSave();
    b.save();
    EXPECT_TRUE(b.window.isVisible());
    EXPECT_EQ(b.window.NumLevels, 1);
    EXPECT_TRUE(b.lvlEntries().isEmpty());

    // Cancel closes it, still without writing.
    QTest::mouseClick(b.window.cmdCancel, Qt::LeftButton);
    EXPECT_FALSE(b.window.isVisible());
    EXPECT_EQ(b.window.result(), QDialog::Rejected);
    EXPECT_TRUE(b.lvlEntries().isEmpty());
}

TEST(NewLevelSetWindow, UnwritableSaveReportsAndKeepsTheList)
{
    Builder b;
    b.addLevels({QStringLiteral("/levels/a.vxl"), QStringLiteral("/levels/b.vxl")});
    const QString lvl = b.app.path() + QStringLiteral("/Lvl");

    // No Lvl folder: nothing is created.
    ASSERT_TRUE(QDir(lvl).removeRecursively());
    b.dialogs.save(b.elsewhere.path() + QStringLiteral("/Set.vxs")).answer(MsgAnswer::Ok);
    b.save();
    EXPECT_FALSE(QFileInfo::exists(lvl));

    // Lvl is a file, not a folder: it stays as it was.
    WriteBytes(lvl, "not a folder");
    b.dialogs.save(b.elsewhere.path() + QStringLiteral("/Set.vxs")).answer(MsgAnswer::Ok);
    b.save();
    EXPECT_EQ(ReadBytes(lvl), QByteArray("not a folder"));

    // A folder stands where the file would go.
    ASSERT_TRUE(QFile::remove(lvl));
    ASSERT_TRUE(QDir().mkpath(lvl + QStringLiteral("/Set.vxs")));
    b.dialogs.save(b.elsewhere.path() + QStringLiteral("/Set.vxs")).answer(MsgAnswer::Ok);
    b.save();
    EXPECT_TRUE(QFileInfo(lvl + QStringLiteral("/Set.vxs")).isDir());

    // A path without a file name must not be taken for the Lvl folder itself.
    b.dialogs.save(b.elsewhere.path() + QStringLiteral("/")).answer(MsgAnswer::Ok);
    b.save();
    EXPECT_EQ(b.lvlEntries(), QStringList{QStringLiteral("Set.vxs")});

    const auto messages = b.dialogs.messages();
    ASSERT_EQ(messages.size(), 4u);
    for (const auto &m : messages)
        ExpectMessage(m, ErrorText, MsgButtons::Ok, MsgIcon::None);
    EXPECT_TRUE(b.window.isVisible());
    EXPECT_EQ(b.window.NumLevels, 2);
    EXPECT_EQ(b.listed().size(), 2);

    // The list survives for another try.
    b.dialogs.save(b.elsewhere.path() + QStringLiteral("/Set2.vxs"));
    b.save();
    EXPECT_EQ(ReadBytes(b.app.lvl(QStringLiteral("Set2.vxs"))),
              QByteArray("Vorpex Levels\r\n 2 \r\na.vxl\r\nb.vxl\r\n"));
    EXPECT_FALSE(b.window.isVisible());
}

TEST(NewLevelSetWindow, AsksBeforeReplacingAnotherFileInLvl)
{
    Builder b;
    b.addLevels({QStringLiteral("/levels/a.vxl")});
    const QString target = b.app.lvl(QStringLiteral("Set1.vxs"));
    WriteBytes(target, "old levelset\r\n");
    const QString chosen = b.elsewhere.path() + QStringLiteral("/Set1.vxs");

    b.dialogs.save(chosen).answer(MsgAnswer::No);
    b.save();
    const auto messages = b.dialogs.messages();
    ASSERT_EQ(messages.size(), 1u);
    ExpectMessage(messages[0],
                  QStringLiteral("Set1.vxs already exists.\r\nDo you want to replace it?"),
                  MsgButtons::YesNo, MsgIcon::Question);
    EXPECT_EQ(messages[0].defaultButton, MsgAnswer::No);
    EXPECT_EQ(ReadBytes(target), QByteArray("old levelset\r\n"));
    EXPECT_TRUE(b.window.isVisible());
    EXPECT_FALSE(QFileInfo::exists(chosen));

    b.dialogs.save(chosen).answer(MsgAnswer::Yes);
    b.save();
    EXPECT_EQ(ReadBytes(target), QByteArray("Vorpex Levels\r\n 1 \r\na.vxl\r\n"));
    EXPECT_FALSE(b.window.isVisible());
}

TEST(NewLevelSetWindow, NoSecondQuestionForTheFileConfirmedInTheDialog)
{
    Builder b;
    b.addLevels({QStringLiteral("/levels/a.vxl")});
    const QString target = b.app.lvl(QStringLiteral("Set1.vxs"));
    WriteBytes(target, "old levelset\r\n");
    // The same file, spelt another way.
    b.dialogs.save(b.app.path() + QStringLiteral("/Lvl/../Lvl/./Set1.vxs"));
    b.save();
    EXPECT_TRUE(b.dialogs.messages().empty());
    EXPECT_EQ(ReadBytes(target), QByteArray("Vorpex Levels\r\n 1 \r\na.vxl\r\n"));
}

TEST(NewLevelSetWindow, EscCancelsFromAnyControl)
{
    for (const char *name : {"txtLevelSetName", "cboLevels", "cmdAddLevel"}) {
        Builder b;
        b.addLevels({QStringLiteral("/levels/a.vxl")});
        auto *control = b.window.findChild<QWidget *>(QLatin1String(name));
        ASSERT_NE(control, nullptr);
        control->setFocus();
        QTest::keyClick(b.window.focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(b.window.isVisible()) << name;
        EXPECT_EQ(b.window.result(), QDialog::Rejected) << name;
        EXPECT_TRUE(b.lvlEntries().isEmpty()) << name;
    }
}

TEST(NewLevelSetWindow, EnterSavesOnlyOnceSaveIsEnabled)
{
    Builder b;
    frmNewLevelSet &w = b.window;

    // Nothing to save yet: no Save dialog (an unexpected one fails the test).
    w.txtLevelSetName->setFocus();
    QTest::keyClick(w.txtLevelSetName, Qt::Key_Return);
    EXPECT_TRUE(w.isVisible());

    // A focused button takes Enter itself.
    w.cmdAddLevel->setFocus();
    b.dialogs.open(QStringLiteral("/levels/a.vxl"));
    QTest::keyClick(w.cmdAddLevel, Qt::Key_Return);
    EXPECT_EQ(w.NumLevels, 1);

    // Typed into the list and entered: neither listed nor read.
    w.cboLevels->setFocus();
    w.cboLevels->setEditText(QStringLiteral("typed.vxl"));
    b.dialogs.cancelSave();
    QTest::keyClick(w.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(w.cboLevels->count(), 1);

    w.txtLevelSetName->setFocus();
    b.dialogs.save(b.app.lvl(QStringLiteral("Keys.vxs")));
    QTest::keyClick(w.txtLevelSetName, Qt::Key_Enter);
    EXPECT_EQ(ReadBytes(b.app.lvl(QStringLiteral("Keys.vxs"))),
              QByteArray("Vorpex Levels\r\n 1 \r\na.vxl\r\n"));
    EXPECT_FALSE(w.isVisible());
}

TEST(NewLevelSetWindow, OpensFromTheEditorsMakeLevelsetCommand)
{
    TempAppFolder app;
    WriteFixtureTileset(app.tls(QStringLiteral("DefaultTileSet.vxt")), 64, 48, 6);
    ScriptedDialogs dialogs;
    BrickTable bricks;
    frmEditor editor(dialogs, app.path(), bricks);
    editor.showAndActivate();
    ASSERT_EQ(editor.mnuMakeLevelSet->text(), QStringLiteral("&Make Levelset"));

    bool ran = false;
    dialogs.modal([&](QDialog &window) {
        ran = true;
        auto *builder = qobject_cast<frmNewLevelSet *>(&window);
        ASSERT_NE(builder, nullptr);
        EXPECT_EQ(builder->windowTitle(), QStringLiteral("New Levelset"));
        EXPECT_EQ(builder->parentWidget(), &editor);
        dialogs.open(QStringLiteral("/levels/a.vxl"));
        QTest::mouseClick(builder->cmdAddLevel, Qt::LeftButton);
        builder->txtLevelSetName->setText(QStringLiteral("My Set"));
        dialogs.save(QStringLiteral("/nowhere/Mine.vxs"));
        QTest::mouseClick(builder->cmdSave, Qt::LeftButton);
        EXPECT_FALSE(builder->isVisible());
    });
    editor.mnuMakeLevelSet->trigger();

    EXPECT_TRUE(ran);
    EXPECT_EQ(ReadBytes(app.lvl(QStringLiteral("Mine.vxs"))),
              QByteArray("My Set\r\n 1 \r\na.vxl\r\n"));
    ASSERT_FALSE(dialogs.shown().empty());
    EXPECT_EQ(dialogs.shown().front().kind, ScriptedDialogs::Kind::Modal);
    EXPECT_EQ(dialogs.shown().front().window, QStringLiteral("frmNewLevelSet"));
}
