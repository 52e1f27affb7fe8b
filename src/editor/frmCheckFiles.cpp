#include "frmCheckFiles.h"

#include "common/AppFolders.h"
#include "platform/Dialogs.h"
#include "platform/WindowFont.h"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>
#include <exception>

namespace {

// What a row's File item holds besides its text.
constexpr int PathRole = Qt::UserRole;
constexpr int KindRole = Qt::UserRole + 1;
constexpr int BrickRole = Qt::UserRole + 2;

// The folders of the application folder that are checked, before those the user adds.
constexpr const char *AppSubfolders[] = {AppFolders::Tilesets, AppFolders::Backgrounds,
                                         AppFolders::Levelsets};

} // namespace

frmCheckFiles::frmCheckFiles(Dialogs &dialogs,
                             const QString &appFolder,
                             OpenLevel openLevel,
                             EditTileset editTileset,
                             QWidget *parent)
    : QWidget(parent, Qt::Window), dialogs(dialogs), appFolder(appFolder),
      openLevel(std::move(openLevel)), editTileset(std::move(editTileset))
{
    buildWindow();
    startCheck();
}

void frmCheckFiles::buildWindow()
{
    setObjectName(QStringLiteral("frmCheckFiles"));
    setWindowTitle(QStringLiteral("Check Files"));
    UseWindowFont(*this);
    resize(760, 460);

    lblFolders = new QLabel(QStringLiteral("Folders checked:"), this);
    lblFolders->setObjectName(QStringLiteral("lblFolders"));
    lstFolders = new QListWidget(this);
    lstFolders->setObjectName(QStringLiteral("lstFolders"));
    lstFolders->setMaximumHeight(80);
    for (const char *folder : AppSubfolders)
        lstFolders->addItem(QDir::toNativeSeparators(AppFolders::InFolder(appFolder, folder)));

    cmdAddFolder = new QPushButton(QStringLiteral("Add &Folder..."), this);
    cmdAddFolder->setObjectName(QStringLiteral("cmdAddFolder"));
    connect(cmdAddFolder, &QPushButton::clicked, this, &frmCheckFiles::cmdAddFolder_Click);
    cmdCheck = new QPushButton(QStringLiteral("Check &Again"), this);
    cmdCheck->setObjectName(QStringLiteral("cmdCheck"));
    connect(cmdCheck, &QPushButton::clicked, this, &frmCheckFiles::cmdCheck_Click);

    prgCheck = new QProgressBar(this);
    prgCheck->setObjectName(QStringLiteral("prgCheck"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdCancel, &QPushButton::clicked, this, &frmCheckFiles::cmdCancel_Click);
    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));

    grdFindings = new QTableWidget(0, 4, this);
    grdFindings->setObjectName(QStringLiteral("grdFindings"));
    grdFindings->setHorizontalHeaderLabels({QStringLiteral("Severity"), QStringLiteral("File"),
                                            QStringLiteral("Code"), QStringLiteral("Finding")});
    grdFindings->verticalHeader()->hide();
    grdFindings->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    grdFindings->horizontalHeader()->setStretchLastSection(true);
    grdFindings->setColumnWidth(Severity, 80);
    grdFindings->setColumnWidth(File, 200);
    grdFindings->setColumnWidth(Code, 120);
    grdFindings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdFindings->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdFindings->setSelectionMode(QAbstractItemView::SingleSelection);
    grdFindings->setWordWrap(false);
    grdFindings->horizontalHeader()->setSortIndicator(File, Qt::AscendingOrder);
    grdFindings->setSortingEnabled(true);
    // Double-click, or Enter on the row chosen.
    connect(grdFindings, &QTableWidget::cellActivated, this,
            [this](int row) { grdFindings_DoubleClick(row); });

    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    auto *grid = new QGridLayout(this);
    grid->addWidget(lblFolders, 0, 0, 1, 2);
    grid->addWidget(lstFolders, 1, 0, 2, 1);
    grid->addWidget(cmdAddFolder, 1, 1);
    grid->addWidget(cmdCheck, 2, 1, Qt::AlignTop);
    grid->addWidget(prgCheck, 3, 0);
    grid->addWidget(cmdCancel, 3, 1);
    grid->addWidget(lblSummary, 4, 0, 1, 2);
    grid->addWidget(grdFindings, 5, 0, 1, 2);
    grid->addWidget(cmdClose, 6, 1);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(0, 1);
}

void frmCheckFiles::cmdAddFolder_Click()
{
    const std::optional<QString> folder = dialogs.showFolder(
        this, QStringLiteral("Add Folder"), added.isEmpty() ? appFolder : added.last());
    if (!folder)
        return;
    if (!added.contains(*folder)) {
        added << *folder;
        lstFolders->addItem(QDir::toNativeSeparators(*folder));
    }
    startCheck();
}

void frmCheckFiles::cmdCheck_Click()
{
    startCheck();
}

void frmCheckFiles::cmdCancel_Click()
{
    // The thread ends after the file in hand and reports what it found.
    worker.request_stop();
    cmdCancel->setEnabled(false);
}

void frmCheckFiles::grdFindings_DoubleClick(int row)
{
    const QTableWidgetItem *file = grdFindings->item(row, File);
    if (!file)
        return;
    const QString path = file->data(PathRole).toString();
    switch (Checker::Kind(file->data(KindRole).toInt())) {
    case Checker::Kind::Level:
        if (openLevel)
            openLevel(path);
        break;
    case Checker::Kind::Tileset:
        if (editTileset)
            editTileset(path, std::max(1, file->data(BrickRole).toInt()));
        break;
    default: // a levelset's finding names a level that is not there, or a set that is broken
        break;
    }
}

void frmCheckFiles::closeEvent(QCloseEvent *event)
{
    stopCheck();
    event->accept();
}

void frmCheckFiles::startCheck()
{
    stopCheck();
    const int run = ++runs;
    grdFindings->setRowCount(0);
    prgCheck->setFormat(QStringLiteral("%v of %m files"));
    prgCheck->setRange(0, 0); // busy until the files are counted
    cmdCancel->setEnabled(true);
    lblSummary->setText(QStringLiteral("Looking for files..."));

    QStringList roots;
    for (const char *folder : AppSubfolders)
        roots << AppFolders::InFolder(appFolder, folder);
    roots << added;
    // Only the window's thread touches its widgets: the worker posts what it has to say.
    worker = std::jthread([this, run, roots, appFolder = appFolder](std::stop_token stop) {
        Checker checker(appFolder);
        checker.stopWhen(stop);
        // A report for each hundredth: a progress bar repaints on each value it is given.
        int shown = -1;
        auto progress = [this, run, &shown](int checked, int of) {
            if (const int part = of ? checked * 100 / of : 100; part != shown) {
                shown = part;
                QMetaObject::invokeMethod(
                    this, [this, run, checked, of] { showProgress(run, checked, of); },
                    Qt::QueuedConnection);
            }
        };
        int total = 0;
        bool complete = false;
        try {
            for (const QString &root : roots)
                checker.gather(root); // a folder that is gone holds nothing to check
            checker.finishGathering();
            total = checker.filesToCheck();
            progress(0, total);
            complete = !stop.stop_requested() && checker.run(progress);
        } catch (const std::exception &) {
            // Out of memory, say: the check ends as if cancelled, never the editor with it.
        }
        QMetaObject::invokeMethod(
            this,
            [this, run, findings = checker.findings(), checked = checker.filesChecked(), total,
             complete] { showFindings(run, findings, checked, total, complete); },
            Qt::QueuedConnection);
    });
}

void frmCheckFiles::stopCheck()
{
    if (worker.joinable()) {
        worker.request_stop();
        worker.join();
    }
}

void frmCheckFiles::showProgress(int run, int checked, int total)
{
    if (run != runs)
        return;
    prgCheck->setRange(0, total);
    prgCheck->setValue(checked);
    if (cmdCancel->isEnabled())
        lblSummary->setText(QStringLiteral("Checking..."));
}

void frmCheckFiles::showFindings(
    int run, const std::vector<Checker::Finding> &findings, int checked, int total, bool complete)
{
    if (run != runs)
        return;
    if (worker.joinable())
        worker.join(); // its last act was to post this
    // A bar left where it ended; an empty range would be Qt's busy bar, for good.
    prgCheck->setFormat(total ? QStringLiteral("%v of %m files") : QStringLiteral("No files"));
    prgCheck->setRange(0, std::max(total, 1));
    prgCheck->setValue(total ? checked : 1);
    cmdCancel->setEnabled(false);

    // Rows go in unsorted, then take the order the header shows.
    grdFindings->setSortingEnabled(false);
    grdFindings->setRowCount(int(findings.size()));
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    int errors = 0;
    for (int row = 0; row < int(findings.size()); ++row) {
        const Checker::Finding &f = findings[std::size_t(row)];
        errors += f.error;
        auto *severity =
            new QTableWidgetItem(f.error ? errorIcon : warningIcon,
                                 f.error ? QStringLiteral("Error") : QStringLiteral("Warning"));
        auto *file = new QTableWidgetItem(shownPath(f.path));
        file->setToolTip(QDir::toNativeSeparators(f.path));
        file->setData(PathRole, f.path);
        file->setData(KindRole, int(f.kind));
        file->setData(BrickRole, f.brick);
        auto *message = new QTableWidgetItem(f.message);
        message->setToolTip(f.message);
        grdFindings->setItem(row, Severity, severity);
        grdFindings->setItem(row, File, file);
        grdFindings->setItem(row, Code, new QTableWidgetItem(f.code));
        grdFindings->setItem(row, Finding, message);
    }
    grdFindings->setSortingEnabled(true);

    const int warnings = int(findings.size()) - errors;
    lblSummary->setText(complete ? CheckSummary(checked, errors, warnings)
                                 : QStringLiteral("Cancelled after %1 of %2: %3, %4")
                                       .arg(checked)
                                       .arg(Counted(total, "file"), Counted(errors, "error"),
                                            Counted(warnings, "warning")));
    emit checkEnded();
}

// Inside the application folder, from there: "Lvl/a.vxl".
QString frmCheckFiles::shownPath(const QString &path) const
{
    const QString relative = QDir(appFolder).relativeFilePath(path);
    return QDir::toNativeSeparators(relative.startsWith(QStringLiteral("..")) ? path : relative);
}
