#include "EditorFixture.h"

#include "editor/frmCheckFiles.h"

#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTableWidget>
#include <unistd.h>

namespace {

class CheckFilesTest : public EditorTest
{
protected:
    void open()
    {
        window = std::make_unique<frmCheckFiles>(
            dialogs, app.path(), [this](const QString &path) { opened.emplace_back(path, 0); },
            [this](const QString &path, int brick) { opened.emplace_back(path, brick); });
        window->show();
    }
    void waitForCheck()
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !window->checking(); }, 30000));
    }
    QTableWidget &table() { return *window->grdFindings; }
    QString cell(int row, int column) { return table().item(row, column)->text(); }
    // A row as vorpex check --json gives a finding: "path | severity | code | message".
    QString finding(int row)
    {
        return QStringList{table().item(row, frmCheckFiles::File)->toolTip(),
                           cell(row, frmCheckFiles::Severity).toLower(),
                           cell(row, frmCheckFiles::Code), cell(row, frmCheckFiles::Finding)}
            .join(" | ");
    }
    // What the window system sends: press, release, double-click, release.
    void doubleClick(const QString &code, const QString &file)
    {
        for (int row = 0; row < table().rowCount(); ++row) {
            if (cell(row, frmCheckFiles::Code) == code && finding(row).contains(file)) {
                const QPoint at = table().visualItemRect(table().item(row, 0)).center();
                QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(table().viewport(), Qt::LeftButton, {}, at);
                QTest::mouseRelease(table().viewport(), Qt::LeftButton, {}, at);
            }
        }
    }

    std::unique_ptr<frmCheckFiles> window;
    std::vector<std::pair<QString, int>> opened; // a level with brick 0
};

} // namespace

TEST_F(CheckFilesTest, ListsWhatVorpexCheckFindsSortsByAColumnAndOpensTheFileOfARow)
{
    writeLevel("bad.vxl", {0, 0, 0, 0}, {{3, 3, 7}});
    WriteBytes(app.tls("Broken.vxt"), Le32({3}) + Le32({1, 1, 1, 1, 1, 0, 0}) +
                                          Le32({0, 1, 1, 1, 1, 0, 16}) +
                                          Le32({1, 1, 1, 1, 1, 64, 0}) + "xx");
    WriteBitmap(app.tls("Broken.bmp"), CellPicture(64, 48));
    WriteBytes(app.lvl("Set.vxs"), "Set\r\n 2 \r\nlost.vxl\r\nbonus.dat\r\n");
    WriteBytes(app.lvl("bonus.dat"), "short"); // a level that only its set names
    QTemporaryDir elsewhere;
    WriteBytes(elsewhere.filePath("odd.vxl"), "short");
    open();
    waitForCheck();
    EXPECT_EQ(window->objectName() + ": " + TabOrder(window->lstFolders),
              "frmCheckFiles: lstFolders cmdAddFolder cmdCheck cmdCancel grdFindings cmdClose");
    dialogs.folder(elsewhere.path());
    QTest::mouseClick(window->cmdAddFolder, Qt::LeftButton);
    waitForCheck();

    QProcess vorpex;
    vorpex.start(VORPEX_CLI, {"check", "--json", "--data", app.path(), app.tls(""), app.bgd(""),
                              app.lvl(""), elsewhere.path()});
    ASSERT_TRUE(vorpex.waitForFinished());
    QStringList expected;
    for (const QJsonValue &f : QJsonDocument::fromJson(vorpex.readAll()).array())
        expected << QStringList{f["path"].toString(), f["severity"].toString(),
                                f["code"].toString(), f["message"].toString()}
                        .join(" | ");
    QStringList listed;
    for (int row = 0; row < table().rowCount(); ++row)
        listed << finding(row);
    EXPECT_TRUE(listed.removeOne(app.lvl("bonus.dat") + " | error | unreadable | not a level: A "
                                                        "level file is 2672 bytes long."));
    EXPECT_EQ(window->lblSummary->text(), "6 files checked: 6 errors, 2 warnings");
    listed.sort();
    expected.sort();
    EXPECT_EQ(listed, expected);

    // A click on a column's header sorts by it (which way round is the style's).
    QTest::mouseClick(table().horizontalHeader()->viewport(), Qt::LeftButton, {}, {5, 5});
    QStringList severities;
    for (int row = 0; row < table().rowCount(); ++row)
        severities << cell(row, frmCheckFiles::Severity);
    EXPECT_TRUE(std::is_sorted(severities.begin(), severities.end()) ||
                std::is_sorted(severities.rbegin(), severities.rend()));

    // A level opens, a tileset at the brick named or else its first; a set's finding, nothing.
    doubleClick("no-paddle", "bad.vxl");
    doubleClick("unassigned", "Broken.vxt");
    doubleClick("trailing-bytes", "Broken.vxt");
    doubleClick("level-missing", "Set.vxs");
    EXPECT_EQ(opened, (std::vector<std::pair<QString, int>>{{app.lvl("bad.vxl"), 0},
                                                            {app.tls("Broken.vxt"), 2},
                                                            {app.tls("Broken.vxt"), 1}}));
}

TEST_F(CheckFilesTest, CancelKeepsWhatWasFoundAndClosingStopsTheCheck)
{
    // Enough levels that the check is still under way when Cancel is clicked.
    const QByteArray first = QFile::encodeName(writeLevel("0.vxl", {0, 0, 0, 0}));
    for (int i = 1; i < 5000; ++i)
        ASSERT_EQ(::link(first, QFile::encodeName(app.lvl(QString("%1.vxl").arg(i)))), 0);
    open();
    for (int i = 0; i < 3000 && window->prgCheck->value() < 1; ++i) // under way
        QTest::qWait(1);
    QTest::mouseClick(window->cmdCancel, Qt::LeftButton);
    waitForCheck();
    const QRegularExpressionMatch said =
        QRegularExpression("^Cancelled after (\\d+) of 5001 files: (\\d+) errors?, 0 warnings$")
            .match(window->lblSummary->text());
    ASSERT_TRUE(said.hasMatch()) << window->lblSummary->text().toStdString();
    // Every level checked has no paddle; the tileset, checked first, is sound.
    EXPECT_EQ(table().rowCount(), said.captured(1).toInt() - 1);
    EXPECT_EQ(said.captured(2).toInt(), table().rowCount());

    QTest::mouseClick(window->cmdCheck, Qt::LeftButton);
    EXPECT_TRUE(window->checking());
    window->close();
    EXPECT_FALSE(window->checking());
}
