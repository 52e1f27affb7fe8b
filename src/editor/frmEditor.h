#pragma once

#include "BrushTool.h"
#include "EditorTool.h"
#include "FillTool.h"
#include "LevelEdit.h"
#include "PasteTool.h"
#include "RectangleTool.h"
#include "SelectTool.h"
#include "model/BrickTable.h"
#include "model/Geometry.h"
#include "platform/CommonDialog.h"
#include "platform/Dialogs.h"
#include "render/LevelPicture.h"
#include "render/LoadedLevel.h"

#include <QImage>
#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>

class BrickTable;
class frmCheckFiles;
struct LevelFileData;
class FormSurface;
class PictureBox;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QWidget;

// The level editor: the main window over the level being edited. It lays out the controls,
// routes the mouse and keys to the tool chosen, and draws.
class frmEditor : public QMainWindow, public ToolHost
{
    Q_OBJECT
    // Every prompt first ends what the mouse has under way on the canvas, as a release would.
    SettlingDialogs dialogs;

public:
    static constexpr int PaletteSlots = 120; // slot 0 is "no brick"
    static constexpr int ClientWidth = 896;
    static constexpr int ClientHeight = 599;

    // recoveryFolder: where the unsaved level is kept against a crash; empty keeps none.
    frmEditor(Dialogs &dialogs,
              const QString &appFolder,
              BrickTable &bricks,
              const QString &recoveryFolder = QString(),
              QWidget *parent = nullptr);
    ~frmEditor() override;

    // Shows the window, runs its first activation, then offers a level left by an editor that
    // did not end normally.
    void showAndActivate();

    // A level handed over from outside (the command line, a file dropped on the window),
    // opened as File, Open opens the file chosen; the save question comes first where there
    // is unsaved work, or always for a drop, as for File, Open.
    void OpenFromOutside(const QString &path, bool askToSave = false);

    // Window events and menu commands.
    void Form_Activate();
    void Form_MouseMove();
    void mnuNew_Click();
    void mnuOpen_Click();
    bool mnuSave_Click();   // true when the level ended up saved
    bool mnuSaveAs_Click(); // true when the level ended up saved
    void mnuMakeLevelSet_Click();
    void mnuNewTileset_Click();
    void mnuExit_Click();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuDelete_Click();
    void mnuSelectAll_Click();
    // Tools: revising what exists.
    void mnuEditTileset_Click();
    // The tileset builder on an existing tileset, at a brick; the palette is the level's again
    // afterwards.
    void EditTileSet(const QString &path, int brick);
    void mnuEditLevelSet_Click();
    void mnuCheckFiles_Click();
    void FlipLevel(bool horizontally);
    void ShiftLevel(int dx, int dy);

    // Canvas, palette, paddles, Clear and the background chooser.
    void LevelPic_MouseDown(int button, int shift, double x, double y);
    void LevelPic_MouseMove(int button, int shift, double x, double y);
    void LevelPic_MouseUp();
    void LevelPic_Paint();
    void Picture2_MouseDown(int index);
    void Picture2_Paint();
    void Check1_Click(int index);
    void Command1_Click();
    void Backpic_MouseDown(int button);

    // Drawing.
    void TileBack();
    void TileBricks();
    // A cell as the full redraw shows it, into the canvas's picture; the caller shows it.
    void DrawBrick(int x, int y);

    // File procedures; each reports its own failure and returns false.
    bool OpenTileSet(const QString &path);
    bool NewLevel();
    bool SaveFile(const QString &path);
    bool OpenFile(const QString &path);

    // The level being edited; its fields are the window's under their own names too.
    LevelEdit Level;
    CellGrid &LevelGrid = Level.LevelGrid;
    std::array<std::int16_t, 5> &Paddles = Level.Paddles;
    QString &TileSetPath = Level.TileSetPath;
    QString &BackPicPath = Level.BackPicPath;
    std::int16_t &BackPicSet = Level.BackPicSet;
    std::int32_t &BackTileWidth = Level.BackTileWidth;
    std::int32_t &BackTileHeight = Level.BackTileHeight;
    std::int16_t &BackTilesAcross = Level.BackTilesAcross;
    std::int16_t &BackTilesDown = Level.BackTilesDown;
    QString &LevelPath = Level.LevelPath;
    std::int16_t &HasLevelPath = Level.HasLevelPath;
    std::int16_t &CurrentBrick = Level.CurrentBrick;
    std::int16_t &MouseHeld = Level.MouseHeld;
    QUndoStack &History = Level.History;
    bool HasUnsavedChanges() const { return Level.hasUnsavedChanges(); }
    void SetRecoveryDelay(int milliseconds) { Level.setRecoveryDelay(milliseconds); }

    // Fields beside the level document.
    std::int32_t BrickCount = 0;
    std::int16_t CurCellX = 0;
    std::int16_t CurCellY = 0;
    std::array<std::array<CellPoint, GridRows + 1>, GridColumns + 1> CellPos{};
    // Bricks shown in the palette (at most 119), and each one's picture as loaded.
    int PaletteCount = 0;
    std::array<Picture, PaletteSlots> PaletteBricks;

    // Controls.
    FormSurface *surface = nullptr;
    PictureBox *LevelPic = nullptr;
    std::array<PictureBox *, PaletteSlots> Picture2{};
    QLabel *BackPiclbl = nullptr;
    QPushButton *Command1 = nullptr;
    QWidget *Line1 = nullptr;
    QLabel *Label1 = nullptr;
    PictureBox *Backpic = nullptr;
    std::array<QCheckBox *, 5> Check1{}; // 1..4
    QLabel *CurPoslbl = nullptr;
    PictureBox *CopyPic = nullptr;
    PictureBox *BlackBackpic = nullptr;
    PictureBox *ClickToSetpic = nullptr;
    PictureBox *picTilePic = nullptr;
    PictureBox *picVertPaddle = nullptr;
    PictureBox *picHoriPaddle = nullptr;
    QMenu *mnuFile = nullptr;
    QAction *mnuNew = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuSaveAs = nullptr;
    QAction *mnuMakeLevelSet = nullptr;
    QAction *mnuNewTileset = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuEdit = nullptr;
    QAction *mnuUndo = nullptr;
    QAction *mnuRedo = nullptr;
    QAction *mnuCut = nullptr;
    QAction *mnuCopy = nullptr;
    QAction *mnuPaste = nullptr;
    QAction *mnuDelete = nullptr;
    QAction *mnuSelectAll = nullptr;
    QAction *mnuBrush = nullptr;
    QAction *mnuRectangle = nullptr;
    QAction *mnuFill = nullptr;
    QAction *mnuSelect = nullptr;
    QAction *mnuMirrorLeftRight = nullptr;
    QAction *mnuMirrorTopBottom = nullptr;
    QAction *mnuShowGrid = nullptr;
    QAction *mnuFlipHorizontally = nullptr;
    QAction *mnuFlipVertically = nullptr;
    QMenu *mnuShiftLevel = nullptr;
    QMenu *mnuTools = nullptr;
    QAction *mnuEditTileset = nullptr;
    QAction *mnuEditLevelSet = nullptr;
    QAction *mnuCheckFiles = nullptr;
    frmCheckFiles *checkFiles = nullptr; // made the first time it is asked for
    CommonDialog CommonDialog1;

    static QString BackgroundCaption();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void Form_Load();
    void buildWindow();
    void buildMenu();
    std::optional<LoadedTileset> ReadTileSet(const QString &path);
    void ApplyTileSet(const LoadedTileset &tileset);
    void SelectBrick(int index);
    void SetPaddleBoxes();
    PaddleSet PresentPaddles() const;
    void ShowThumbnail();
    void SetTitle(const QString &levelPath);
    bool LocateCell(double x, double y);
    bool AskToSave();

    bool LoadLevel(const QString &path, const QString &failureNote = QString());
    std::optional<QString> TileSetInTls(const QString &chosen);

    void RedrawCells(const std::vector<int> &cells);
    // What the mouse has under way on the canvas ends, as a release would.
    void EndStroke();
    void SetPaddles(const std::array<std::int16_t, 5> &paddles);
    struct BackgroundState;
    BackgroundState Background() const;
    void SetBackground(const BackgroundState &state);
    void RestoreRecoveryCopy();

    // ToolHost
    LevelEdit &level() override { return Level; }
    std::int32_t brickFor(int button) const override;
    CellEdits mirrored(const CellEdits &edits) const override;
    void overlayChanged(const QRegion &pixels) override;
    void paintBrick(QPainter &painter, QPoint cell, std::int32_t brick) const override;
    void toolDone() override;

    void ChooseTool(EditorTool *chosen);
    void PaintOverlays(QPainter &painter) const;

    BrushTool brush{*this};
    RectangleTool rectangle{*this};
    FillTool fill{*this};
    SelectTool select{*this};
    std::unique_ptr<PasteTool> paste;
    EditorTool *chosenTool = &brush; // in the Edit menu
    EditorTool *tool = &brush;       // at work: the one chosen, or a paste
    int paddleClicks = 0;            // Check1_Click calls under way
    bool quietPaddles = false;       // boxes set from Paddles, not by the user

    QString appFolder;
    BrickTable &Bricks;
};
