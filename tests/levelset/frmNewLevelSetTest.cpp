#include "levelset/frmNewLevelSet.h"

#include "support/Fixtures.h"
#include "support/ScriptedDialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>

namespace {

// A builder window over a temporary application folder.
class LevelSetTest : public ::testing::Test
{
protected:
    LevelSetTest()
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void add(const QString &path)
    {
        dialogs.open(path);
        QTest::mouseClick(window.cmdAddLevel, Qt::LeftButton);
    }

    // Save, choosing `chosen` in the Save dialog, then answering a message if one is due.
    void saveAs(const QString &chosen, std::optional<MsgAnswer> answer = std::nullopt)
    {
        dialogs.save(chosen);
        if (answer)
            dialogs.answer(*answer);
        QTest::mouseClick(window.cmdSave, Qt::LeftButton);
    }

    TempAppFolder app;
    QTemporaryDir elsewhere;
    ScriptedDialogs dialogs;
    frmNewLevelSet window{dialogs, app.path()};
};

} // namespace

TEST_F(LevelSetTest, ControlsInPlaceThenTheLabelCountsLevelsAndSaveWritesIntoLvlUnderTheName)
{
    const std::pair<QWidget *, QRect> places[] = {
        {window.cboLevels, {8, 8, 153, 21}},        {window.cmdAddLevel, {8, 40, 81, 25}},
        {window.lblNumLevels, {96, 45, 65, 33}},    {window.Label1, {8, 80, 153, 17}},
        {window.txtLevelSetName, {8, 96, 153, 19}}, {window.cmdCancel, {8, 128, 73, 25}},
        {window.cmdSave, {88, 128, 73, 25}}};
    for (auto [control, place] : places)
        EXPECT_EQ(control->geometry(), place) << control->objectName().toStdString();
    EXPECT_EQ(std::tuple(window.size(), window.font().pixelSize(), window.Label1->alignment(),
                         window.lblNumLevels->alignment(), window.lblNumLevels->wordWrap()),
              std::tuple(QSize(167, 162), 11, Qt::AlignLeft | Qt::AlignTop,
                         Qt::AlignLeft | Qt::AlignTop, true));
    EXPECT_LE((window.frameGeometry().center() - window.screen()->availableGeometry().center())
                  .manhattanLength(),
              4);
    EXPECT_EQ(window.focusWidget(), window.cmdAddLevel);
    EXPECT_EQ(window.objectName() + ": " + TabOrder(window.cmdAddLevel),
              "frmNewLevelSet: cmdAddLevel cmdSave cmdCancel txtLevelSetName cboLevels");
    // The list's text field is editable, but what Enter takes there is never added.
    window.cboLevels->setFocus();
    QTest::keyClicks(window.cboLevels, "/levels/typed.vxl\r");
    EXPECT_EQ(std::pair(window.cboLevels->currentText(), window.cboLevels->count()),
              std::pair(QStringLiteral("/levels/typed.vxl"), 0));

    EXPECT_EQ(window.lblNumLevels->text(), QStringLiteral("0 Levels"));
    add(QStringLiteral("/levels/\u00e9t\u00e9.vxl"));
    EXPECT_EQ(window.lblNumLevels->text(), QStringLiteral("1 Level"));
    // Cancel in the Add Level dialog changes nothing.
    dialogs.cancelOpen();
    QTest::mouseClick(window.cmdAddLevel, Qt::LeftButton);
    add(QStringLiteral("C:\\Other\\two.vxl"));
    EXPECT_EQ(window.lblNumLevels->text(), QStringLiteral("2 Levels"));
    add(QStringLiteral("/levels/\u00e9t\u00e9.vxl")); // the same level again counts again
    EXPECT_EQ(std::pair(window.cboLevels->count(), window.cboLevels->currentText()),
              std::pair(3, QStringLiteral("/levels/\u00e9t\u00e9.vxl")));
    EXPECT_EQ(dialogs.shown().back().request.filter, "Vorpex Levels|*.vxl");

    // Saved in single-byte text; the Save dialog itself asks before replacing its file.
    const QString chosen = elsewhere.path() + QStringLiteral("/Set1.vxs");
    saveAs(chosen);
    EXPECT_EQ(dialogs.shown().back().request.filter, "Vorpex Levelsets|*.vxs");
    EXPECT_TRUE(dialogs.shown().back().request.overwritePrompt);
    EXPECT_EQ(ReadBytes(app.lvl(QStringLiteral("Set1.vxs"))),
              QByteArray("Vorpex Levels\r\n 3 \r\n\xe9t\xe9.vxl\r\ntwo.vxl\r\n\xe9t\xe9.vxl\r\n"));
    EXPECT_FALSE(QFileInfo::exists(chosen));
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(LevelSetTest,
       UnwritableSaveReportsLeavesNoFileAndKeepsTheListAndNoOtherFileIsReplacedUnasked)
{
    add(QStringLiteral("/levels/a.vxl"));
    add(QStringLiteral("/levels/b.vxl"));
    const QString lvl = app.path() + QStringLiteral("/Lvl");
    ASSERT_TRUE(QDir(lvl).removeRecursively()); // no Lvl folder: none is made
    saveAs(elsewhere.path() + QStringLiteral("/Set.vxs"), MsgAnswer::Ok);
    dialogs.expectMessage("Error in writing file.");
    EXPECT_FALSE(QFileInfo::exists(lvl));
    ASSERT_TRUE(QDir().mkpath(lvl));
    // A path without a file name must not be taken for the Lvl folder itself.
    saveAs(elsewhere.path() + QStringLiteral("/"), MsgAnswer::Ok);
    dialogs.expectMessage("Error in writing file.");
    EXPECT_TRUE(EntriesOf(lvl).isEmpty() && window.isVisible() && window.cboLevels->count() == 2);

    // Another file of that name in Lvl is replaced only when the user says so.
    const QString chosen = elsewhere.path() + QStringLiteral("/Set2.vxs");
    WriteBytes(app.lvl(QStringLiteral("Set2.vxs")), "old levelset\r\n");
    saveAs(chosen, MsgAnswer::No);
    dialogs.expectMessage("Set2.vxs already exists.\r\nDo you want to replace it?", "VorpexEditor",
                          MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No);
    EXPECT_EQ(ReadBytes(app.lvl(QStringLiteral("Set2.vxs"))), QByteArray("old levelset\r\n"));
    EXPECT_TRUE(window.isVisible());
    saveAs(chosen, MsgAnswer::Yes);
    EXPECT_EQ(ReadBytes(app.lvl(QStringLiteral("Set2.vxs"))),
              QByteArray("Vorpex Levels\r\n 2 \r\na.vxl\r\nb.vxl\r\n"));
    EXPECT_FALSE(QFileInfo::exists(chosen));
}

TEST_F(LevelSetTest, EnterSavesOnceEnabledAndAnEmptyNameStartsTheFileWithCrLf)
{
    // Nothing to save yet: no Save dialog (an unexpected one fails the test).
    window.txtLevelSetName->setFocus();
    QTest::keyClick(window.txtLevelSetName, Qt::Key_Return);
    add(QStringLiteral("/levels/a.vxl"));
    window.txtLevelSetName->clear();
    window.txtLevelSetName->setFocus();
    // The file confirmed in the Save dialog itself, however spelt, is not asked about again.
    WriteBytes(app.lvl(QStringLiteral("Keys.vxs")), "old levelset\r\n");
    dialogs.save(app.path() + QStringLiteral("/Lvl/../Lvl/./Keys.vxs"));
    QTest::keyClick(window.txtLevelSetName, Qt::Key_Enter);
    EXPECT_EQ(ReadBytes(app.lvl(QStringLiteral("Keys.vxs"))), QByteArray("\r\n 1 \r\na.vxl\r\n"));
    EXPECT_FALSE(window.isVisible());
}

TEST_F(LevelSetTest, EscCancelSaveDialogAndCancelButtonWriteNothing)
{
    for (const char *name : {"txtLevelSetName", "cboLevels", "cmdAddLevel"}) {
        frmNewLevelSet other(dialogs, app.path());
        other.show();
        other.findChild<QWidget *>(QLatin1String(name))->setFocus();
        QTest::keyClick(other.focusWidget(), Qt::Key_Escape);
        EXPECT_TRUE(other.result() == QDialog::Rejected && !other.isVisible()) << name;
    }
    add(QStringLiteral("/levels/a.vxl"));
    dialogs.cancelSave();
    QTest::mouseClick(window.cmdSave, Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    QTest::mouseClick(window.cmdCancel, Qt::LeftButton);
    EXPECT_TRUE(window.result() == QDialog::Rejected && !window.isVisible());
    EXPECT_TRUE(EntriesOf(app.path() + QStringLiteral("/Lvl")).isEmpty());
}
