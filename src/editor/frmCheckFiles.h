#pragma once

#include "check/Checker.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <thread>
#include <vector>

class Dialogs;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableWidget;

// Check Files: the checks of `vorpex check` over the application folder's Tls, Bgd and Lvl, the
// levels its levelsets name, and further folders the user adds, run on a worker thread; the
// findings are listed in a table that opens the file of a row on a double-click. A modeless
// window that starts checking as soon as it is made.
class frmCheckFiles : public QWidget
{
    Q_OBJECT
public:
    // Columns of grdFindings.
    enum Column { Severity, File, Code, Finding };

    using OpenLevel = std::function<void(const QString &path)>;
    using EditTileset = std::function<void(const QString &path, int brick)>;

    frmCheckFiles(Dialogs &dialogs,
                  const QString &appFolder,
                  OpenLevel openLevel,
                  EditTileset editTileset,
                  QWidget *parent = nullptr);

    void cmdAddFolder_Click(); // chooses a folder, then checks everything again
    void cmdCheck_Click();     // checks everything again, stopping a check under way
    void cmdCancel_Click();    // stops the check; what it found so far is listed
    // A level's row opens the level; a tileset's row edits the tileset at the first brick it
    // names, else at brick 1; a levelset's row, or a folder's, does nothing.
    void grdFindings_DoubleClick(int row);

    // From the start of a check until its findings are listed, or it is stopped by closing.
    bool checking() const { return worker.joinable(); }

    // Controls.
    QLabel *lblFolders = nullptr;
    QListWidget *lstFolders = nullptr;
    QPushButton *cmdAddFolder = nullptr;
    QPushButton *cmdCheck = nullptr;
    QProgressBar *prgCheck = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *lblSummary = nullptr;
    QTableWidget *grdFindings = nullptr;
    QPushButton *cmdClose = nullptr;

signals:
    // A check has ended, finished or stopped, and its findings are listed.
    void checkEnded();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWindow();
    void startCheck();
    void stopCheck();
    void showProgress(int run, int checked, int total);
    void showFindings(int run,
                      const std::vector<Checker::Finding> &findings,
                      int checked,
                      int total,
                      bool complete);
    QString shownPath(const QString &path) const;

    Dialogs &dialogs;
    QString appFolder;
    OpenLevel openLevel;
    EditTileset editTileset;
    QStringList added;
    // Reports of a check that was stopped may still be queued when the next one starts: each
    // report carries the number of its check, and only the latest check's are shown.
    int runs = 0;
    // Last, so destroyed first: a check under way is stopped and waited for while all that it
    // reports to is still there.
    std::jthread worker;
};
