// The builder on an existing tileset: reading it in, going straight to a brick, the preview,
// and saving or closing with the question whether to save.
#include "MouseUpCheckBox.h"
#include "NumberText.h"
#include "common/Rounding.h"
#include "common/VorpexError.h"
#include "frmNewTileSet.h"
#include "imageio/QtImages.h"
#include "model/BrickTable.h"
#include "model/FileIO.h"
#include "model/Geometry.h"
#include "model/ShooterCode.h"
#include "model/TilesetFile.h"
#include "platform/Dialogs.h"
#include "platform/PictureBox.h"
#include "render/LoadedLevel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QtMath>
#include <algorithm>

bool frmNewTileSet::EditTileSet(const QString &vxtPath, int startBrick)
{
    // Everything is read and checked before the window or the table changes.
    const QString path = FindIgnoringCase(vxtPath);
    std::optional<TilesetFileData> file;
    QByteArray pictureBytes;
    QImage picture;
    try {
        file = ReadTilesetFile(path);
        pictureBytes = ReadPictureFile(FindIgnoringCase(CompanionBitmapPath(path)));
        picture = ToQImage(DecodePicture(pictureBytes));
    } catch (const VorpexError &) {
        file.reset();
    }
    // A bitmap matches when the builder would cut it (whole cells, brick numbers in reach) into
    // at least the file's bricks; a file shorter than its count holds no records to give back.
    const qint64 cells = qint64(picture.width() / CellWidth) * (picture.height() / CellHeight);
    if (!file || picture.width() % CellWidth != 0 || picture.height() % CellHeight != 0 ||
        cells < 1 || cells > MaxTilesetCells || file->count() > cells ||
        file->held() < file->count()) {
        MsgBox(dialogs, this, MessageWithPath(QStringLiteral("Cannot open tileset."), vxtPath));
        return false;
    }

    PicFileName = QFileInfo(CompanionBitmapPath(path)).fileName();
    PictureBytes = pictureBytes;
    TileBmp->setPicture(picture);
    picCopyTiles->setPicture(picture);
    cmdDone_Click();
    BrickCount = file->count();
    for (int n = 1; n <= BrickCount; ++n)
        Bricks[n] = file->record(n);
    FileRecords = EncodeTileset(Bricks, BrickCount);
    if (EditPath.isEmpty()) {
        auto *goTo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this);
        connect(goTo, &QShortcut::activated, this, &frmNewTileSet::GoTo_Click);
        connect(TileBmp, &PictureBox::MouseDown, this, &frmNewTileSet::TileBmp_MouseDown);
        TileBmp->installEventFilter(this);
    }
    EditPath = path;
    setWindowTitle(QStringLiteral("Edit Tileset - ") + QFileInfo(path).fileName());
    cmdSave->setEnabled(true);
    PreviewScroll = QPoint();
    ShowBrick(std::clamp(startBrick, 1, MaxBricks));
    return true;
}

// ---------------------------------------------------------------------------------------------
// The record on screen

frmNewTileSet::Settings frmNewTileSet::ShownSettings() const
{
    // "Shooter" takes the directions when the brick is stored, the top one if none is ticked.
    const std::int32_t action =
        Option2->isChecked() ? (ShooterAction != 0 ? ShooterAction : 5) : CurAction;
    return {action, chkAnimated->isChecked(), chkAnimated->isEnabled(),
            DecimalNumber(txtFrames->text()), DecimalNumber(txtHits->text())};
}

void frmNewTileSet::ShowRecordedBehaviour(const BrickRecord &brick)
{
    // Shooter directions first: choosing "Shooter" takes them.
    int pattern = 0;
    while (pattern < 16 &&
           ShooterCode(pattern & 1, pattern & 2, pattern & 4, pattern & 8) != brick.Action)
        ++pattern;
    for (int i = 0; i < 4; ++i)
        chkShooter[std::size_t(i)]->setChecked(brick.Action >= 5 && (pattern >> i & 1));
    ShooterAction = brick.Action >= 5 && pattern < 16 ? brick.Action : 0;

    // A code no option stands for (none yet, or unknown) shows no option at all.
    QRadioButton *const options[] = {Option1[1], Option1[2], Option1[3], Option1[4], Option2};
    QRadioButton *chosen = brick.Action >= 1 && brick.Action <= 4
                               ? Option1[std::size_t(brick.Action)]
                           : ShooterAction != 0 ? Option2
                                                : nullptr;
    for (QRadioButton *option : options) {
        if (option != chosen && option->isChecked()) {
            option->setAutoExclusive(false);
            option->setChecked(false);
            option->setAutoExclusive(true);
        }
    }
    if (chosen)
        chosen->setChecked(true);
    CurAction = brick.Action;
}

void frmNewTileSet::GoToBrick(int n)
{
    // As Next does, the brick left is stored first.
    if (n != CurBrick && StoreBrick())
        ShowBrick(n);
}

void frmNewTileSet::ShowBrick(int n)
{
    CurBrick = n;
    Update();
    cmdPrevious->setEnabled(CurBrick > 1);
    cmdNext->setEnabled(CurBrick < MaxBricks);
}

void frmNewTileSet::GoTo_Click()
{
    if (!frmActions->isEnabled() || BrickCount < 1)
        return;
    if (const std::optional<int> n = dialogs.askNumber(
            this, QStringLiteral("Brick number (1 to %1):").arg(BrickCount),
            QStringLiteral("Go To Brick"), std::min(CurBrick, BrickCount), 1, BrickCount))
        GoToBrick(*n);
}

void frmNewTileSet::TileBmp_MouseDown(int Button, int, double X, double Y)
{
    // Cells past the tileset's bricks are no bricks to go to.
    const QPoint at = QPoint(qFloor(X), qFloor(Y)) + PreviewScroll;
    if (Button != 1 || !frmActions->isEnabled() || at.x() < 0 || at.y() < 0 ||
        at.x() >= TilesAcross * CellWidth || at.y() >= TilesDown * CellHeight)
        return;
    const int n = at.x() / CellWidth * TilesDown + at.y() / CellHeight + 1;
    if (n <= BrickCount)
        GoToBrick(n);
}

// ---------------------------------------------------------------------------------------------
// The preview

void frmNewTileSet::ScrollPreview(QPoint to)
{
    const QSize room = picCopyTiles->picture().size() - TileBmp->drawingArea();
    PreviewScroll = QPoint(std::clamp(to.x(), 0, std::max(room.width(), 0)),
                           std::clamp(to.y(), 0, std::max(room.height(), 0)));
}

void frmNewTileSet::DrawPreview()
{
    // The preview only shows the picture; bricks are copied from picCopyTiles.
    const QImage &picture = picCopyTiles->picture();
    const QRect area(QPoint(0, 0), TileBmp->drawingArea());
    QPainter painter(&TileBmp->surface());
    painter.drawImage(QPoint(0, 0), picture,
                      QRect(PreviewScroll, area.size()).intersected(picture.rect()));
    const CellPoint cell = TilesetCellOrigin(CurBrick, TilesDown);
    const QRect frame = QRect(cell.x, cell.y, CellWidth, CellHeight).translated(-PreviewScroll);
    // Black around white: seen on a brick of any colour.
    painter.setPen(Qt::black);
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawRect(frame.adjusted(1, 1, -2, -2));
    painter.end();
    TileBmp->surfaceChanged(area);
}

// ---------------------------------------------------------------------------------------------
// Ending, saving, closing

bool frmNewTileSet::EndsBeforeTheFile()
{
    return MsgBox(
               dialogs, this,
               QStringLiteral("The tileset will end at brick %1. Bricks %2 to %3 will be removed.")
                   .arg(CurBrick - 1)
                   .arg(CurBrick)
                   .arg(BrickCount),
               MsgButtons::YesNo, MsgIcon::Question, QString(), MsgAnswer::No) == MsgAnswer::Yes;
}

QByteArray frmNewTileSet::RecordsToWrite()
{
    // Save stores what the current brick shows first; here on a copy, quietly. A change that
    // cannot be stored counts as a change.
    if (!frmActions->isEnabled() || ShownSettings() == shown)
        return EncodeTileset(Bricks, BrickCount);
    const BrickTable before = Bricks;
    const std::int32_t action = CurAction;
    CurAction = ShownSettings().action;
    const bool stored = AssignBrick(false);
    const QByteArray records = stored ? EncodeTileset(Bricks, BrickCount) : QByteArray();
    Bricks = before;
    CurAction = action;
    return records;
}

bool frmNewTileSet::SaveEdits()
{
    // The bitmap is the tileset's own already: only the records are written.
    if (frmActions->isEnabled()) {
        if (!StoreBrick())
            return false;
        Update();
    }
    const QByteArray records = EncodeTileset(Bricks, BrickCount);
    try {
        WriteFileAtomically(EditPath, records);
    } catch (const VorpexError &) {
        MsgBox(dialogs, this, QStringLiteral("Error in writing file."));
        return false;
    }
    FileRecords = records;
    return true;
}

bool frmNewTileSet::MayClose()
{
    if (RecordsToWrite() == FileRecords)
        return true;
    return MayLeave(dialogs, this,
                    QStringLiteral("Do you want to save the changes to the tileset?"), QString(),
                    [this] { return SaveEdits(); });
}

void frmNewTileSet::closeEvent(QCloseEvent *event)
{
    if (!EditPath.isEmpty() && isVisible() && !MayClose()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
