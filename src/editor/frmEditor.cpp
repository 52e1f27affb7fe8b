#include "frmEditor.h"

#include "BuiltInImages.h"
#include "common/AppFolders.h"
#include "common/Text.h"
#include "common/VorpexError.h"
#include "frmCheckFiles.h"
#include "levelset/frmEditLevelSet.h"
#include "levelset/frmNewLevelSet.h"
#include "model/CellBlockText.h"
#include "model/FileIO.h"
#include "model/LevelFile.h"
#include "model/TilesetFile.h"
#include "platform/BitBlt.h"
#include "platform/ChooseBitmap.h"
#include "platform/Dialogs.h"
#include "platform/PictureBox.h"
#include "render/LevelPicture.h"
#include "tileset/frmNewTileSet.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <cmath>

namespace {

const QString UntitledTitle = QStringLiteral("Vorpex Editor - Untitled");
const QString LevelFilter = QStringLiteral("Vorpex Level Files|*.vxl");
// A tileset or bitmap copied into Tls: as large as the picture reader takes.
constexpr qint64 MaxFileBytes = 256 * 1024 * 1024;

} // namespace

// What a background choice changes, on screen and in the level.
struct frmEditor::BackgroundState
{
    QString path;
    QString caption;
    QImage picture;
    std::int32_t tileWidth, tileHeight;
    std::int16_t set, across, down;
    bool expanded;
    QRect place;
    bool operator==(const BackgroundState &) const = default;
};

frmEditor::frmEditor(Dialogs &dialogs,
                     const QString &appFolder,
                     BrickTable &bricks,
                     const QString &recoveryFolder,
                     QWidget *parent)
    : QMainWindow(parent), dialogs(dialogs, [this] { EndStroke(); }),
      Level(appFolder, recoveryFolder), CommonDialog1(this->dialogs, this), appFolder(appFolder),
      Bricks(bricks)
{
    buildWindow();
    Form_Load();
    connect(&Level, &LevelEdit::cellsChanged, this, &frmEditor::RedrawCells);
    LevelPic->setOverlay([this](QPainter &painter) { PaintOverlays(painter); });
    // Keys for the tool at work, wherever the focus lies in the window.
    qApp->installEventFilter(this);
}

// An editor that goes without closing leaves its copy, as a crash would: only closing ends
// the level normally.
frmEditor::~frmEditor() = default;

void frmEditor::Form_Load()
{
    for (int x = 1; x <= GridColumns; ++x) {
        for (int y = 1; y <= GridRows; ++y)
            CellPos[x][y] = {(x - 1) * CellWidth, (y - 1) * CellHeight};
    }
    SetTitle(QString());
}

void frmEditor::showAndActivate()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    Form_Activate();
    RestoreRecoveryCopy();
}

void frmEditor::SetTitle(const QString &levelPath)
{
    setWindowTitle(levelPath.isEmpty() ? UntitledTitle
                                       : QStringLiteral("Vorpex Editor - ") + levelPath);
}

void frmEditor::SetPaddleBoxes()
{
    const QScopedValueRollback quiet(quietPaddles, true);
    // A box whose state changes runs its click handling, which keeps Paddles in step. Boxes
    // are ticked before others are cleared, so the at-least-one rule never ticks box 1 in
    // passing and the boxes end as the level says.
    const std::array<std::int16_t, 5> wanted = Paddles;
    for (bool tick : {true, false}) {
        for (int i = 1; i <= 4; ++i) {
            if ((wanted[static_cast<std::size_t>(i)] == VbTrue) == tick)
                Check1[static_cast<std::size_t>(i)]->setChecked(tick);
        }
    }
}

void frmEditor::Form_Activate()
{
    SetPaddleBoxes();
    OpenTileSet(TileSetPath);
}

// ---------------------------------------------------------------------------------------------
// Tilesets and the palette

std::optional<LoadedTileset> frmEditor::ReadTileSet(const QString &path)
{
    try {
        return LoadedTileset::load(path);
    } catch (const VorpexError &) {
        MsgBox(dialogs, this, MessageWithPath(QStringLiteral("Cannot open tileset."), path));
        return std::nullopt;
    }
}

void frmEditor::ApplyTileSet(const LoadedTileset &tileset)
{
    TileSetPath = tileset.path;
    BrickCount = tileset.count;
    const int records = tileset.recordCount();
    Bricks.resize(records);
    picTilePic->setPicture(ToQImage(tileset.picture));
    // Bricks past the last slot stay in the table but have no place in the palette.
    PaletteCount = std::min(records, PaletteSlots - 1);
    for (int n = 1; n <= records; ++n) {
        Bricks[n] = tileset.records[static_cast<std::size_t>(n)];
        if (n > PaletteCount)
            continue;
        PaletteBricks[static_cast<std::size_t>(n)] = tileset.brickPicture(n);
        PictureBox *slot = Picture2[static_cast<std::size_t>(n)];
        slot->setEnabled(true);
        slot->setVisible(true);
    }
    for (int n = PaletteCount + 1; n < PaletteSlots; ++n) {
        PictureBox *slot = Picture2[static_cast<std::size_t>(n)];
        slot->setEnabled(false);
        slot->setVisible(false);
    }
    if (CurrentBrick > PaletteCount)
        SelectBrick(0);
    Picture2_Paint();
}

bool frmEditor::OpenTileSet(const QString &path)
{
    const std::optional<LoadedTileset> tileset = ReadTileSet(path);
    if (!tileset)
        return false;
    ApplyTileSet(*tileset);
    return true;
}

void frmEditor::Picture2_Paint()
{
    for (int n = 1; n <= PaletteCount; ++n) {
        PictureBox *slot = Picture2[static_cast<std::size_t>(n)];
        BlitPixels(ViewOf(slot->surface()), 0, 0, CellWidth, CellHeight,
                   PaletteBricks[static_cast<std::size_t>(n)].view(), 0, 0);
        slot->surfaceChanged(QRect(0, 0, CellWidth, CellHeight));
    }
}

void frmEditor::SelectBrick(int index)
{
    Picture2[static_cast<std::size_t>(CurrentBrick)]->setBorder(PictureBox::Border::None);
    CurrentBrick = static_cast<std::int16_t>(index);
    Picture2[static_cast<std::size_t>(CurrentBrick)]->setBorder(PictureBox::Border::Sunken3D);
}

void frmEditor::Picture2_MouseDown(int index)
{
    SelectBrick(index);
}

// ---------------------------------------------------------------------------------------------
// File commands

bool frmEditor::NewLevel()
{
    CommonDialog1.Filter = QStringLiteral("Vorpex Tilesets|*.vxt");
    const std::optional<QString> chosen = CommonDialog1.ShowOpen();
    if (!chosen)
        return false;
    const std::optional<QString> tileset = TileSetInTls(*chosen);
    if (!tileset || !OpenTileSet(*tileset))
        return false;
    BackTileWidth = 320;
    BackTileHeight = 240;
    BackPicPath.clear();
    BackPicSet = VbFalse;
    BackPiclbl->setText(BackgroundCaption());
    Backpic->setPicture(ClickToSetpic->picture());
    ShowThumbnail();
    SetTitle(QString());
    SelectBrick(0);
    MouseHeld = VbFalse;
    CopyPic->setPicture(BlackBackpic->picture());
    HasLevelPath = VbFalse;
    Paddles = {0, VbTrue, VbFalse, VbFalse, VbFalse};
    SetPaddleBoxes();
    LevelGrid.clearPlayfield();
    TileBack();
    Level.startAfresh();
    return true;
}

bool frmEditor::AskToSave()
{
    // Yes that does not end in a saved file keeps the level.
    return MayLeave(dialogs, this, QStringLiteral("Do you want to save current level?"),
                    QStringLiteral("New Level"), [this] { return mnuSave_Click(); });
}

// A tileset from outside Tls is copied there with its bitmap, since a level names its tileset
// by file name alone and is opened again from Tls; none is replaced without asking.
std::optional<QString> frmEditor::TileSetInTls(const QString &chosen)
{
    const QString tls = AppFolders::InFolder(appFolder, AppFolders::Tilesets);
    const QFileInfo source(chosen);
    if (source.canonicalPath() == QFileInfo(tls).canonicalFilePath())
        return chosen;
    const QString target = AppFolders::InFolder(appFolder, AppFolders::Tilesets, source.fileName());
    if (!ReadTileSet(chosen))
        return std::nullopt;
    std::vector<std::pair<QString, QByteArray>> copies;
    QString differing;
    try {
        for (const auto &[from, to] :
             {std::pair(chosen, target), std::pair(FindIgnoringCase(CompanionBitmapPath(chosen)),
                                                   CompanionBitmapPath(target))}) {
            const QByteArray bytes = ReadFileBytes(from, MaxFileBytes);
            if (!QFileInfo::exists(to)) {
                copies.emplace_back(to, bytes);
            } else if (ReadFileBytes(to, bytes.size() + 1) != bytes) {
                copies.emplace_back(to, bytes);
                if (differing.isEmpty())
                    differing = FileNameOf(to);
            }
        }
    } catch (const VorpexError &) {
        MsgBox(dialogs, this, MessageWithPath(QStringLiteral("Cannot open tileset."), chosen));
        return std::nullopt;
    }
    // No keeps what Tls holds, and the level uses that.
    if (copies.empty() || (!differing.isEmpty() && !AskToReplace(dialogs, this, differing)))
        return target;
    try {
        WriteFilesAtomically(copies);
    } catch (const VorpexError &) {
        MsgBox(dialogs, this, QStringLiteral("Error in writing file."));
        return std::nullopt;
    }
    return target;
}

void frmEditor::mnuNew_Click()
{
    if (AskToSave())
        NewLevel();
}

void frmEditor::OpenFromOutside(const QString &path, bool askToSave)
{
    if ((!askToSave && !HasUnsavedChanges()) || AskToSave())
        OpenFile(path);
}

namespace {

// The one level file a drag brings, if that is what it brings.
std::optional<QString> DroppedLevel(const QMimeData *data)
{
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls[0].isLocalFile() ||
        !urls[0].toLocalFile().endsWith(QStringLiteral(".vxl"), Qt::CaseInsensitive))
        return std::nullopt;
    return urls[0].toLocalFile();
}

} // namespace

void frmEditor::dragEnterEvent(QDragEnterEvent *event)
{
    // Anything else keeps the cursor's "no" shape.
    if (DroppedLevel(event->mimeData()))
        event->acceptProposedAction();
}

void frmEditor::dropEvent(QDropEvent *event)
{
    if (const std::optional<QString> path = DroppedLevel(event->mimeData())) {
        event->acceptProposedAction();
        OpenFromOutside(*path, true);
    }
}

void frmEditor::mnuOpen_Click()
{
    if (!AskToSave())
        return;
    CommonDialog1.Filter = LevelFilter;
    if (const std::optional<QString> chosen = CommonDialog1.ShowOpen())
        OpenFile(*chosen);
}

bool frmEditor::mnuSave_Click()
{
    if (HasLevelPath == VbTrue)
        return SaveFile(LevelPath);
    return mnuSaveAs_Click();
}

bool frmEditor::mnuSaveAs_Click()
{
    CommonDialog1.Filter = LevelFilter;
    CommonDialog1.OverwritePrompt = true;
    const std::optional<QString> chosen = CommonDialog1.ShowSave();
    return chosen && SaveFile(*chosen);
}

void frmEditor::mnuMakeLevelSet_Click()
{
    frmNewLevelSet window(dialogs, appFolder, this);
    dialogs.runModal(window);
    Form_Activate();
}

void frmEditor::mnuNewTileset_Click()
{
    frmNewTileSet window(dialogs, appFolder, Bricks, this);
    dialogs.runModal(window);
    Form_Activate();
}

void frmEditor::mnuEditTileset_Click()
{
    EditTileSet(TileSetPath, 1);
}

void frmEditor::EditTileSet(const QString &path, int brick)
{
    frmNewTileSet window(dialogs, appFolder, Bricks, this);
    if (window.EditTileSet(path, brick))
        dialogs.runModal(window);
    Form_Activate();
    // The level's bricks as the tileset now has them.
    LevelPic_Paint();
}

void frmEditor::mnuEditLevelSet_Click()
{
    if (const std::optional<QString> path =
            frmEditLevelSet::AskForLevelSet(CommonDialog1, appFolder))
        frmEditLevelSet::ShowLevelSet(
            dialogs, appFolder,
            [this](const QString &level) {
                OpenFromOutside(level, true);
                raise();
                activateWindow();
            },
            this, *path);
}

void frmEditor::mnuCheckFiles_Click()
{
    if (checkFiles) {
        checkFiles->cmdCheck_Click(); // afresh: the user may have mended what it found
    } else {
        checkFiles = new frmCheckFiles(
            dialogs, appFolder,
            [this](const QString &path) {
                OpenFromOutside(path, true);
                activateWindow();
            },
            [this](const QString &path, int brick) { EditTileSet(path, brick); }, this);
    }
    checkFiles->show();
    checkFiles->raise();
    checkFiles->activateWindow();
}

void frmEditor::mnuExit_Click()
{
    close();
}

void frmEditor::closeEvent(QCloseEvent *event)
{
    // Unsaved work is never dropped without a word, the levelsets' first; a saved level
    // leaves at once.
    EndStroke();
    if (!frmEditLevelSet::CloseAll(this)) {
        event->ignore();
        return;
    }
    if (HasUnsavedChanges() &&
        !MayLeave(dialogs, this, QStringLiteral("Do you want to save current level?"), QString(),
                  [this] { return mnuSave_Click(); })) {
        event->ignore();
        return;
    }
    Level.dropRecoveryCopy();
    event->accept();
}

bool frmEditor::SaveFile(const QString &path)
{
    EndStroke();
    try {
        WriteLevelFile(path, Level.fileData());
    } catch (const VorpexError &) {
        MsgBox(dialogs, this, QStringLiteral("Error in writing file."));
        return false;
    }
    LevelPath = path;
    HasLevelPath = VbTrue;
    SetTitle(path);
    Level.markSaved();
    return true;
}

bool frmEditor::OpenFile(const QString &path)
{
    if (!LoadLevel(path))
        return false;
    Level.startAfresh();
    return true;
}

bool frmEditor::LoadLevel(const QString &path, const QString &failureNote)
{
    // Everything is read and checked before the document changes.
    std::optional<LoadedLevel> loaded;
    try {
        loaded = LoadedLevel::load(path, appFolder);
    } catch (const VorpexError &error) {
        MsgBox(dialogs, this, error.message() + failureNote);
        return false;
    }
    const LevelFileData &level = loaded->file;
    const QImage background = ToQImage(loaded->background);
    const QString &backPath = loaded->backgroundPath;

    for (int i = 1; i <= 4; ++i)
        Paddles[static_cast<std::size_t>(i)] = level.paddles[static_cast<std::size_t>(i - 1)];
    SetPaddleBoxes();
    LevelGrid = level.grid;
    BackPicPath = backPath;
    BackPiclbl->setText(BackgroundCaption() + QStringLiteral("\r\n") + BackPicPath);
    if (!background.isNull()) {
        Backpic->setAutoSize(true);
        Backpic->setPicture(background);
        BackTileWidth = background.width();
        BackTileHeight = background.height();
        BackPicSet = VbTrue;
    } else {
        // The name stays in BackPicPath for the next save; the ground is black meanwhile.
        Backpic->setPicture(ClickToSetpic->picture());
        CopyPic->setPicture(BlackBackpic->picture());
        BackTileWidth = 320;
        BackTileHeight = 240;
        BackPicSet = VbFalse;
    }
    SetTitle(path);
    SelectBrick(0);
    MouseHeld = VbFalse;
    HasLevelPath = VbTrue;
    LevelPath = path;
    ApplyTileSet(loaded->tileset);
    Level.computeTileCounts();
    TileBack();
    TileBricks();
    ShowThumbnail();
    if (background.isNull()) {
        MsgBox(dialogs, this,
               MessageWithPath(QStringLiteral("Cannot load background picture."), backPath));
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Canvas drawing

void frmEditor::LevelPic_Paint()
{
    TileBack();
    TileBricks();
}

void frmEditor::TileBack()
{
    if (BackPicSet != VbTrue) {
        BitBlt(*LevelPic, 0, 0, CanvasWidth, CanvasHeight, *BlackBackpic, 0, 0);
    } else {
        TileGround(ViewOf(CopyPic->surface()), ViewOf(Backpic->picture()));
        BitBlt(*LevelPic, 0, 0, CanvasWidth, CanvasHeight, *CopyPic, 0, 0);
    }
    DrawPaddles(ViewOf(LevelPic->surface()), PresentPaddles(),
                QRect(0, 0, CanvasWidth, CanvasHeight));
}

void frmEditor::TileBricks()
{
    // Cells naming no brick of the palette show what lies beneath.
    DrawBricks(ViewOf(LevelPic->surface()), LevelGrid,
               std::span(PaletteBricks).first(static_cast<std::size_t>(PaletteCount) + 1));
    LevelPic->surfaceChanged(QRect(0, 0, CanvasWidth, CanvasHeight));
}

PaddleSet frmEditor::PresentPaddles() const
{
    return {false, Level.paddlePresent(1), Level.paddlePresent(2), Level.paddlePresent(3),
            Level.paddlePresent(4)};
}

void frmEditor::DrawBrick(int x, int y)
{
    const QRect cell(CellPos[x][y].x, CellPos[x][y].y, CellWidth, CellHeight);
    const PixelView canvas = ViewOf(LevelPic->surface());
    const std::int32_t brick = LevelGrid(x, y);
    if (brick > 0 && brick <= PaletteCount) {
        BlitPixels(canvas, cell.x(), cell.y(), CellWidth, CellHeight,
                   PaletteBricks[std::size_t(brick)].view(), 0, 0);
    } else {
        BlitImage(LevelPic->surface(), cell.x(), cell.y(), CellWidth, CellHeight,
                  CopyPic->surface(), cell.x(), cell.y());
        // The paddles crossing the cell lie between the ground and the bricks.
        DrawPaddles(canvas, PresentPaddles(), cell);
    }
}

// ---------------------------------------------------------------------------------------------
// Mouse editing

bool frmEditor::LocateCell(double x, double y)
{
    const int px = static_cast<int>(std::floor(x));
    const int py = static_cast<int>(std::floor(y));
    if (px < 0 || py < 0 || px >= CanvasWidth || py >= CanvasHeight)
        return false;
    CurCellX = static_cast<std::int16_t>(px / CellWidth + 1);
    CurCellY = static_cast<std::int16_t>(py / CellHeight + 1);
    CurPoslbl->setText(QStringLiteral("X: %1  Y: %2").arg(CurCellX).arg(CurCellY));
    return true;
}

void frmEditor::LevelPic_MouseDown(int button, int shift, double x, double y)
{
    // The press finds its own cell, so a press with no earlier move acts where it lands.
    if (!LocateCell(x, y)) {
        MouseHeld = VbTrue;
        return;
    }
    // Ctrl+left picks the cell's brick, whatever the tool.
    if (button == 1 && (shift & 2) != 0) {
        const std::int32_t brick = LevelGrid(CurCellX, CurCellY);
        if (brick >= 1 && brick <= PaletteCount)
            SelectBrick(brick);
        return;
    }
    MouseHeld = VbTrue;
    tool->press(QPoint(CurCellX, CurCellY), button, shift);
}

void frmEditor::LevelPic_MouseMove(int button, int, double x, double y)
{
    if (!LocateCell(x, y))
        return;
    const QPoint cell(CurCellX, CurCellY);
    if (MouseHeld != VbTrue) {
        tool->hover(cell);
    } else if (button == 0) {
        // The release went elsewhere (a window that came up, another program).
        LevelPic_MouseUp();
        tool->hover(cell);
    } else {
        tool->drag(cell, button);
    }
}

void frmEditor::LevelPic_MouseUp()
{
    MouseHeld = VbFalse;
    tool->release();
}

void frmEditor::Form_MouseMove()
{
    EndStroke();
    CurPoslbl->setText(QStringLiteral("X: Y:"));
}

void frmEditor::EndStroke()
{
    MouseHeld = VbFalse;
    tool->finish();
}

std::int32_t frmEditor::brickFor(int button) const
{
    return button == 1 ? CurrentBrick : 0;
}

CellEdits frmEditor::mirrored(const CellEdits &edits) const
{
    return GridEdits::Mirrored(edits, mnuMirrorLeftRight->isChecked(),
                               mnuMirrorTopBottom->isChecked());
}

void frmEditor::overlayChanged(const QRegion &pixels)
{
    LevelPic->showOverlay(pixels);
}

void frmEditor::paintBrick(QPainter &painter, QPoint cell, std::int32_t brick) const
{
    // A brick beyond the palette shows what lies beneath, as on the canvas.
    if (brick >= 1 && brick <= PaletteCount)
        painter.drawImage(CellPixels(QRect(cell, QSize(1, 1))).topLeft(),
                          Picture2[std::size_t(brick)]->surface(),
                          QRect(0, 0, CellWidth, CellHeight));
}

void frmEditor::toolDone()
{
    // The rest of the press that ended the paste does nothing.
    MouseHeld = VbFalse;
    tool = chosenTool;
}

void frmEditor::ChooseTool(EditorTool *chosen)
{
    EndStroke();
    if (tool == paste.get())
        paste->key(Qt::Key_Escape, Qt::NoModifier);
    // The selection belongs to the select tool: another tool drops it.
    if (chosen != &select)
        select.select(QRect());
    chosenTool = tool = chosen;
    if (chosen->cursor() == Qt::ArrowCursor)
        LevelPic->unsetCursor();
    else
        LevelPic->setCursor(chosen->cursor());
}

// Over the canvas on the screen only: the grid, the mirror's centre lines, the tool's marks.
void frmEditor::PaintOverlays(QPainter &painter) const
{
    if (mnuShowGrid->isChecked()) {
        painter.setPen(QColor(255, 255, 255, 70));
        for (int x = CellWidth; x < CanvasWidth; x += CellWidth)
            painter.drawLine(x, 0, x, CanvasHeight - 1);
        for (int y = CellHeight; y < CanvasHeight; y += CellHeight)
            painter.drawLine(0, y, CanvasWidth - 1, y);
    }
    const QColor guide(0, 220, 255);
    if (mnuMirrorLeftRight->isChecked())
        painter.fillRect(CanvasWidth / 2 - 1, 0, 2, CanvasHeight, guide);
    if (mnuMirrorTopBottom->isChecked())
        painter.fillRect(0, CanvasHeight / 2 - 1, CanvasWidth, 2, guide);
    tool->paintOverlay(painter);
}

bool frmEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->window() == this) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (tool->key(key->key(), key->modifiers()))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// The Edit menu

void frmEditor::mnuCopy_Click()
{
    const QRect cells = select.selection();
    if (cells.isEmpty())
        return;
    const CellBlock block = GridEdits::CopyBlock(LevelGrid, cells);
    auto *data = new QMimeData;
    data->setData(QLatin1String(CellBlockMimeType),
                  EncodeCellBlock(block, FileNameOf(TileSetPath)));
    data->setText(CellBlockAsText(block));
    QGuiApplication::clipboard()->setMimeData(data);
}

void frmEditor::mnuCut_Click()
{
    mnuCopy_Click();
    Level.apply(QStringLiteral("Cut"), mirrored(GridEdits::FillRect(select.selection(), 0)));
}

void frmEditor::mnuDelete_Click()
{
    Level.apply(QStringLiteral("Delete"), mirrored(GridEdits::FillRect(select.selection(), 0)));
}

void frmEditor::mnuPaste_Click()
{
    // Bricks go by number, whatever tileset the block was copied from.
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return;
    const std::optional<CellBlock> block =
        data->hasFormat(QLatin1String(CellBlockMimeType))
            ? DecodeCellBlock(data->data(QLatin1String(CellBlockMimeType)))
        : data->hasText() ? CellBlockFromText(data->text())
                          : std::nullopt;
    if (!block)
        return;
    EndStroke();
    paste = std::make_unique<PasteTool>(*this, *block);
    tool = paste.get();
    const QPoint pointer =
        LevelPic->mapFromGlobal(QCursor::pos()) - LevelPic->drawingRect().topLeft();
    if (QRect(0, 0, CanvasWidth, CanvasHeight).contains(pointer))
        paste->hover(QPoint(pointer.x() / CellWidth + 1, pointer.y() / CellHeight + 1));
}

void frmEditor::mnuSelectAll_Click()
{
    mnuSelect->setChecked(true);
    select.select(GridEdits::Playfield);
}

void frmEditor::FlipLevel(bool horizontally)
{
    Level.apply(QStringLiteral("Flip Level"), GridEdits::FlipLevel(LevelGrid, horizontally));
}

void frmEditor::ShiftLevel(int dx, int dy)
{
    if (const std::optional<CellEdits> edits = GridEdits::ShiftLevel(LevelGrid, dx, dy))
        Level.apply(QStringLiteral("Shift Level"), *edits);
    else
        QApplication::beep();
}

void frmEditor::RedrawCells(const std::vector<int> &cells)
{
    // Drawn in place, then shown together.
    QRect changed;
    for (int cell : cells) {
        const int x = cell % CellGrid::Stride, y = cell / CellGrid::Stride;
        DrawBrick(x, y);
        changed |= QRect(CellPos[x][y].x, CellPos[x][y].y, CellWidth, CellHeight);
    }
    LevelPic->surfaceChanged(changed);
}

// ---------------------------------------------------------------------------------------------
// Paddles, Clear and the background chooser

void frmEditor::Check1_Click(int index)
{
    Level.endStroke();
    // The re-ticking of box 1 runs inside the user's click: both are one step.
    const std::array<std::int16_t, 5> before = Paddles;
    const QScopedValueRollback nested(paddleClicks, paddleClicks + 1);
    QCheckBox *box = Check1[static_cast<std::size_t>(index)];
    Paddles[static_cast<std::size_t>(index)] = box->isChecked() ? VbTrue : VbFalse;
    if (!box->isChecked()) {
        bool any = false;
        for (int i = 1; i <= 4; ++i)
            any = any || Check1[static_cast<std::size_t>(i)]->isChecked();
        if (!any)
            Check1[1]->setChecked(true);
    }
    TileBack();
    TileBricks();
    if (paddleClicks == 1 && !quietPaddles && Paddles != before) {
        const std::array<std::int16_t, 5> after = Paddles;
        Level.remember(
            QStringLiteral("Paddles"), [this, before] { SetPaddles(before); },
            [this, after] { SetPaddles(after); });
    }
}

void frmEditor::SetPaddles(const std::array<std::int16_t, 5> &paddles)
{
    Paddles = paddles;
    for (int i = 1; i <= 4; ++i) {
        const QSignalBlocker quiet(Check1[static_cast<std::size_t>(i)]);
        Check1[static_cast<std::size_t>(i)]->setChecked(Level.paddlePresent(i));
    }
    TileBack();
    TileBricks();
}

void frmEditor::Command1_Click()
{
    if (MsgBox(dialogs, this, QStringLiteral("Are you sure you want to clear the level?"),
               MsgButtons::YesNo, MsgIcon::None, QStringLiteral("Clear Level"),
               MsgAnswer::Yes) != MsgAnswer::Yes)
        return;
    Level.apply(QStringLiteral("Clear"), GridEdits::FillRect(GridEdits::Playfield, 0));
}

void frmEditor::ShowThumbnail()
{
    Backpic->setAutoSize(false);
    Backpic->setGeometry(8, 536, 225, 57);
}

void frmEditor::Backpic_MouseDown(int button)
{
    EndStroke();
    if (button == 2) {
        if (!Backpic->autoSize()) {
            // Grow upward: the bottom edge stays at 592.
            Backpic->setAutoSize(true);
            Backpic->move(8, 592 - Backpic->height());
            Backpic->raise();
        } else {
            ShowThumbnail();
        }
        return;
    }
    const std::optional<ChosenBitmap> chosen = ChooseBitmap(CommonDialog1, dialogs, this);
    if (!chosen)
        return;
    const BackgroundState before = Background();
    const QImage &picture = chosen->picture;
    BackPicPath = chosen->path;
    BackPiclbl->setText(BackgroundCaption() + QStringLiteral("\r\n") + BackPicPath);
    Backpic->setPicture(picture);
    Backpic->setAutoSize(true);
    BackTileWidth = picture.width();
    BackTileHeight = picture.height();
    BackPicSet = VbTrue;
    Level.computeTileCounts();
    TileBack();
    TileBricks();
    ShowThumbnail();
    const BackgroundState after = Background();
    if (!(after == before))
        Level.remember(
            QStringLiteral("Background"), [this, before] { SetBackground(before); },
            [this, after] { SetBackground(after); });
}

frmEditor::BackgroundState frmEditor::Background() const
{
    return {BackPicPath,         BackPiclbl->text(), Backpic->picture(), BackTileWidth,
            BackTileHeight,      BackPicSet,         BackTilesAcross,    BackTilesDown,
            Backpic->autoSize(), Backpic->geometry()};
}

void frmEditor::SetBackground(const BackgroundState &state)
{
    BackPicPath = state.path;
    BackPiclbl->setText(state.caption);
    Backpic->setPicture(state.picture);
    Backpic->setAutoSize(state.expanded);
    Backpic->setGeometry(state.place);
    if (state.expanded)
        Backpic->raise();
    BackTileWidth = state.tileWidth;
    BackTileHeight = state.tileHeight;
    BackPicSet = state.set;
    BackTilesAcross = state.across;
    BackTilesDown = state.down;
    // Without a background the ground is black, erasing included.
    if (BackPicSet != VbTrue)
        CopyPic->setPicture(BlackBackpic->picture());
    TileBack();
    TileBricks();
}

// ---------------------------------------------------------------------------------------------
// The recovery copy

void frmEditor::RestoreRecoveryCopy()
{
    RecoveryCopy &recovery = Level.recovery();
    while (const std::optional<RecoveryCopy::Orphan> orphan = recovery.takeOrphan()) {
        if (MsgBox(dialogs, this,
                   QStringLiteral("The editor was not closed properly. Restore the unsaved level?"),
                   MsgButtons::YesNo, MsgIcon::Question, QString(),
                   MsgAnswer::Yes) != MsgAnswer::Yes) {
            recovery.discard();
            continue;
        }
        // A copy that cannot be restored stays where it lies, for the next start or for
        // the user to rescue.
        if (!LoadLevel(orphan->levelFile,
                       QStringLiteral("\r\n\r\nThe unsaved level is kept in:\r\n") +
                           orphan->levelFile)) {
            recovery.release();
            return;
        }
        // The level is its own file's again (or untitled), and still unsaved: the copy stays.
        LevelPath = orphan->levelPath;
        HasLevelPath = LevelPath.isEmpty() ? VbFalse : VbTrue;
        SetTitle(LevelPath);
        Level.markRestored();
        return;
    }
}
