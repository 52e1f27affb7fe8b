#include "frmNewTileSet.h"

#include "MouseUpCheckBox.h"
#include "NumberText.h"
#include "common/AppFolders.h"
#include "common/Rounding.h"
#include "common/Text.h"
#include "common/VorpexError.h"
#include "model/BrickTable.h"
#include "model/FileIO.h"
#include "model/Geometry.h"
#include "model/ShooterCode.h"
#include "model/TilesetFile.h"
#include "platform/BitBlt.h"
#include "platform/ChooseBitmap.h"
#include "platform/Dialogs.h"
#include "platform/PictureBox.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWheelEvent>
#include <algorithm>

frmNewTileSet::frmNewTileSet(Dialogs &dialogs,
                             const QString &appFolder,
                             BrickTable &bricks,
                             QWidget *parent)
    : QDialog(parent), CommonDialog1(dialogs, this), dialogs(dialogs), appFolder(appFolder),
      Bricks(bricks)
{
    buildWindow();
    connectHandlers();
}

void frmNewTileSet::connectHandlers()
{
    connect(cmdOpenPic, &QPushButton::clicked, this, &frmNewTileSet::cmdOpenPic_Click);
    connect(cmdDone, &QPushButton::clicked, this, &frmNewTileSet::cmdDone_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmNewTileSet::cmdNext_Click);
    connect(cmdPrevious, &QPushButton::clicked, this, &frmNewTileSet::cmdPrevious_Click);
    connect(Command2, &QPushButton::clicked, this, &frmNewTileSet::Command2_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmNewTileSet::cmdSave_Click);
    connect(Command3, &QPushButton::clicked, this, &frmNewTileSet::Command3_Click);
    for (int i = 1; i <= 4; ++i) {
        connect(Option1[static_cast<std::size_t>(i)], &QRadioButton::toggled, this,
                [this, i](bool on) {
                    if (on)
                        Option1_Click(i);
                });
    }
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option2_Click();
    });
    connect(chkAnimated, &QCheckBox::toggled, this, &frmNewTileSet::chkAnimated_Click);
    connect(txtFrames, &QLineEdit::textChanged, this, &frmNewTileSet::txtFrames_Change);
    txtHits->installEventFilter(this);
    for (int i = 0; i < 4; ++i) {
        connect(chkShooter[static_cast<std::size_t>(i)], &MouseUpCheckBox::MouseUp, this,
                [this, i](int button, int shift, double x, double y) {
                    chkShooter_MouseUp(i, button, shift, x, y);
                });
    }
}

bool frmNewTileSet::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == TileBmp && event->type() == QEvent::Wheel && !EditPath.isEmpty()) {
        // Where the picture is no taller than the preview, the wheel scrolls it across.
        QPoint turn = static_cast<QWheelEvent *>(event)->angleDelta();
        if (turn.x() == 0 && picCopyTiles->picture().height() <= TileBmp->drawingArea().height())
            turn = QPoint(turn.y(), 0);
        ScrollPreview(PreviewScroll - QPoint(turn.x() * CellWidth, turn.y() * CellHeight) / 120);
        DrawPreview();
        return true;
    }
    // Focus leaving with the whole window (another window activated, a popup) is no lost focus:
    // it comes back to the box.
    if (watched == txtHits && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            txtHits_LostFocus();
            // Focus put back by the check: the box keeps its focused state.
            if (txtHits->hasFocus())
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmNewTileSet::keyPressEvent(QKeyEvent *event)
{
    // The window has no cancel button: Escape closes nothing. An edited tileset's window it
    // closes, as the close box does, asking first when something would change.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        if (!EditPath.isEmpty())
            close();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---------------------------------------------------------------------------------------------
// Picture import

void frmNewTileSet::cmdOpenPic_Click()
{
    // A picture that cannot be loaded leaves the picture in use, its name and Done as they were.
    const std::optional<ChosenBitmap> chosen = ChooseBitmap(CommonDialog1, dialogs, this);
    if (!chosen)
        return;
    const QImage &picture = chosen->picture;
    PicFileName = FileNameOf(chosen->path);
    PictureBytes = chosen->bytes;
    TileBmp->setPicture(picture);
    picCopyTiles->setPicture(picture);

    const int width = picCopyTiles->picture().width();
    const int height = picCopyTiles->picture().height();
    if (width % CellWidth != 0) {
        MsgBox(dialogs, this, QStringLiteral("Bitmap width must be evenly divisible by 32."));
        cmdDone->setEnabled(false);
    } else if (height % CellHeight != 0) {
        MsgBox(dialogs, this, QStringLiteral("Bitmap height must be evenly divisible by 16."));
        cmdDone->setEnabled(false);
    } else if (qint64(width / CellWidth) * (height / CellHeight) > MaxTilesetCells) {
        // Brick numbers are 16-bit in the tileset file and in the editor.
        MsgBox(dialogs, this,
               QStringLiteral("Bitmap holds more than %1 bricks.").arg(MaxTilesetCells));
        cmdDone->setEnabled(false);
    } else {
        cmdDone->setEnabled(true);
    }
}

void frmNewTileSet::cmdDone_Click()
{
    const int width = picCopyTiles->picture().width();
    const int height = picCopyTiles->picture().height();
    cmdOpenPic->setEnabled(false);
    cmdDone->setEnabled(false);
    frmActions->setEnabled(true);

    MaxBricks = (height / CellHeight) * (width / CellWidth);
    Bricks.resize(MaxBricks);
    CurBrick = 1;
    ShooterAction = 0;
    TilesAcross = width / CellWidth;
    TilesDown = height / CellHeight;
    CurAction = 1;

    int n = 1;
    for (int x = 1; x <= TilesAcross; ++x) {
        for (int y = 1; y <= TilesDown; ++y) {
            BrickRecord &brick = Bricks[n++];
            brick.PicX = (x - 1) * CellWidth;
            brick.PicY = (y - 1) * CellHeight;
            brick.Hits = 1;
            brick.HitStage = 1;
            brick.Frames = 1;
            brick.AnimFrame = 1;
        }
    }
    Bricks[1].Action = 1;

    Update();
    lblMaxBricks->setText(QStringLiteral("Max bricks: %1").arg(MaxBricks));
    if (MaxBricks == 1)
        cmdNext->setEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// The walk

void frmNewTileSet::Update()
{
    const BrickRecord &brick = Bricks[CurBrick];
    BitBlt(*BrickWindow, 0, 0, CellWidth, CellHeight, *picCopyTiles, brick.PicX, brick.PicY);
    lblCurTile->setText(QStringLiteral("Tile: %1").arg(CurBrick));
    lblAnimFrame->setText(QStringLiteral("%1/%2").arg(brick.AnimFrame).arg(brick.Frames));
    lblHitStage->setText(QString::number(brick.HitStage));
    txtHits->setText(QString::number(brick.Hits));

    // The tick runs its own handling, which enables the frames box; the box ends disabled.
    if (brick.Frames > 1) {
        chkAnimated->setChecked(true);
        chkAnimated->setEnabled(brick.AnimFrame == 1);
        txtFrames->setText(QString::number(brick.Frames));
    } else {
        chkAnimated->setChecked(false);
        chkAnimated->setEnabled(true);
        txtFrames->setText(QStringLiteral("2"));
    }
    txtFrames->setEnabled(false);

    frmAssigns->setEnabled(true);
    Option1[2]->setEnabled(true);
    Option1[3]->setEnabled(true);
    txtHits->setEnabled(true);
    if (brick.AnimFrame > 1)
        frmAssigns->setEnabled(false);
    if (brick.HitStage > 1 && brick.HitStage != brick.Hits) {
        Option1[2]->setEnabled(false);
        Option1[3]->setEnabled(false);
        txtHits->setEnabled(false);
    }

    if (!EditPath.isEmpty()) {
        ShowRecordedBehaviour(brick);
        shown = ShownSettings();
        const CellPoint cell = TilesetCellOrigin(CurBrick, TilesDown);
        const QSize area = TileBmp->drawingArea();
        ScrollPreview(
            QPoint(std::clamp(PreviewScroll.x(), cell.x + CellWidth - area.width(), cell.x),
                   std::clamp(PreviewScroll.y(), cell.y + CellHeight - area.height(), cell.y)));
        DrawPreview();
    }
}

void frmNewTileSet::TakeShooterChoice()
{
    // The directions may have changed since "Shooter" was chosen.
    if (Option2->isChecked())
        Option2_Click();
}

bool frmNewTileSet::StoreBrick()
{
    // An edited tileset keeps every record the user leaves as it was shown, even one that
    // breaks the rules below.
    if (!EditPath.isEmpty() && ShownSettings() == shown)
        return true;
    TakeShooterChoice();
    return AssignBrick();
}

void frmNewTileSet::cmdNext_Click()
{
    if (!StoreBrick())
        return;
    cmdPrevious->setEnabled(true);
    ++CurBrick;
    Update();
    if (CurBrick == MaxBricks)
        cmdNext->setEnabled(false);
}

void frmNewTileSet::cmdPrevious_Click()
{
    cmdNext->setEnabled(true);
    if (CurBrick == 2)
        cmdPrevious->setEnabled(false);
    --CurBrick;
    Update();
}

void frmNewTileSet::Command2_Click()
{
    if (CurBrick != MaxBricks) {
        if (!EditPath.isEmpty() && CurBrick <= BrickCount && !EndsBeforeTheFile())
            return;
        // The current brick and those after it stay out, unassigned.
        BrickCount = CurBrick - 1;
    } else {
        if (!StoreBrick())
            return;
        BrickCount = MaxBricks;
    }
    frmActions->setEnabled(false);
    cmdSave->setEnabled(true);
}

// ---------------------------------------------------------------------------------------------
// Assignment

void frmNewTileSet::RefuseAssignment()
{
    MsgBox(dialogs, this, QStringLiteral("Not enough bricks left in the picture."));
}

bool frmNewTileSet::AssignBrick(bool tell)
{
    const int c = CurBrick;
    BrickRecord &brick = Bricks[c];
    const bool startsAnimation = chkAnimated->isEnabled() && chkAnimated->isChecked();
    const bool laterPicture = !chkAnimated->isEnabled() && chkAnimated->isChecked();

    // Each number is rounded once here and that value is used throughout. Everything is checked
    // against the picture's cells before anything is stored.
    std::int32_t frames = 1;
    qint64 nextBrick = c + 1;
    if (startsAnimation) {
        const std::optional<std::int32_t> f =
            RoundToInt32(DecimalNumber(txtFrames->text()).value_or(1.0));
        if (!f || qint64(c) + *f - 1 > MaxBricks) {
            if (tell)
                RefuseAssignment();
            return false;
        }
        frames = std::max<std::int32_t>(*f, 1);
        nextBrick = qint64(c) + frames;
    } else if (laterPicture) {
        // The stage goes on after the animation's last picture, not inside it.
        nextBrick = qint64(c) - brick.AnimFrame + brick.Frames + 1;
    }

    // An unchecked entry (the box has not lost the focus yet) counts as one hit.
    const double hitsValue = RoundHalfEven(DecimalNumber(txtHits->text()).value_or(1.0));
    const bool single = hitsValue <= 1;
    const bool firstStage = !single && brick.HitStage == 1;
    const bool middleStage = !single && !firstStage && brick.HitStage < brick.Hits;
    const std::optional<std::int32_t> hits =
        firstStage ? RoundToInt32(hitsValue) : std::optional<std::int32_t>(brick.Hits);
    if ((firstStage || middleStage) && (!hits || nextBrick <= c || nextBrick > MaxBricks)) {
        if (tell)
            RefuseAssignment();
        return false;
    }

    if (startsAnimation) {
        brick.Action = CurAction;
        brick.AnimFrame = 1;
        brick.Frames = frames;
    } else if (!chkAnimated->isChecked()) {
        brick.AnimFrame = 1;
        brick.Frames = 1;
    }

    const int next = static_cast<int>(nextBrick);
    if (single) {
        brick.Hits = 1;
        brick.HitStage = 1;
    } else if (firstStage) {
        brick.HitStage = 1;
        brick.Hits = *hits;
        Bricks[next].HitStage = 2;
        Bricks[next].Hits = brick.Hits;
    } else if (middleStage) {
        Bricks[next].HitStage = brick.HitStage + 1;
        Bricks[next].Hits = brick.Hits;
    }

    // Every picture of an animation belongs to the stage of its first picture.
    if (startsAnimation) {
        for (int i = c + 1; i <= c + frames - 1; ++i) {
            BrickRecord &picture = Bricks[i];
            picture.Frames = frames;
            picture.AnimFrame = i - c + 1;
            picture.HitStage = brick.HitStage;
            picture.Hits = brick.Hits;
            picture.Action = brick.Action;
        }
    }

    if (brick.Frames == 1)
        brick.Action = CurAction;
    return true;
}

void frmNewTileSet::Option1_Click(int Index)
{
    CurAction = Index;
}

void frmNewTileSet::Option2_Click()
{
    CurAction = ShooterAction;
    if (CurAction == 0) {
        chkShooter[0]->setChecked(true);
        ShooterAction = 5;
        CurAction = 5;
    }
}

void frmNewTileSet::chkAnimated_Click()
{
    txtFrames->setEnabled(chkAnimated->isChecked());
}

void frmNewTileSet::ValidateNumberBox(QLineEdit *box)
{
    if (const std::optional<double> value = DecimalNumber(box->text())) {
        if (*value < 1)
            box->setText(QStringLiteral("1"));
        return;
    }
    MsgBox(dialogs, this, QStringLiteral("Please enter a valid number."), MsgButtons::Ok,
           MsgIcon::Critical, QStringLiteral("Non-Valid Entry"));
    box->setText(QStringLiteral("1"));
    box->setFocus();
}

void frmNewTileSet::txtFrames_Change()
{
    ValidateNumberBox(txtFrames);
}

void frmNewTileSet::txtHits_LostFocus()
{
    ValidateNumberBox(txtHits);
}

void frmNewTileSet::chkShooter_MouseUp(int, int, int, double, double)
{
    ShooterAction = ShooterCode(chkShooter[0]->isChecked(), chkShooter[1]->isChecked(),
                                chkShooter[2]->isChecked(), chkShooter[3]->isChecked());
}

// ---------------------------------------------------------------------------------------------
// Ending

bool frmNewTileSet::SaveTileSet(const QString &File)
{
    // A tileset is opened with the bitmap of its name beside it: the picture goes there too,
    // unless it is that file already, and both are written as one.
    const QString bitmap = CompanionBitmapPath(File);
    std::vector<std::pair<QString, QByteArray>> files;
    QByteArray there;
    try {
        there = ReadFileBytes(bitmap, PictureBytes.size() + 1);
    } catch (const VorpexError &) {
    }
    if (there != PictureBytes) {
        if (QFileInfo::exists(bitmap) && !AskToReplace(dialogs, this, FileNameOf(bitmap)))
            return false;
        files.emplace_back(bitmap, PictureBytes);
    }
    files.emplace_back(File, EncodeTileset(Bricks, BrickCount));
    try {
        WriteFilesAtomically(files);
        return true;
    } catch (const VorpexError &) {
        MsgBox(dialogs, this, QStringLiteral("Error in writing file."));
        return false;
    }
}

void frmNewTileSet::cmdSave_Click()
{
    if (!EditPath.isEmpty()) {
        if (SaveEdits())
            close();
        return;
    }
    const QString base = PicFileName.left(std::max<qsizetype>(PicFileName.size() - 3, 0));
    const QString path =
        AppFolders::InFolder(appFolder, AppFolders::Tilesets, base + QStringLiteral("vxt"));
    // A failed save keeps the window, and the work, for another try.
    if (SaveTileSet(path))
        close();
}

void frmNewTileSet::Command3_Click()
{
    // An edited tileset asks only when something would change, as the close box does.
    if (!EditPath.isEmpty()) {
        close();
        return;
    }
    if (MsgBox(dialogs, this, QStringLiteral("Do you want to abandon current tileset?"),
               MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Cancel")) != MsgAnswer::Yes)
        return;
    Bricks.resize(0);
    close();
}
