#pragma once

#include "platform/CommonDialog.h"

#include <QDialog>
#include <QPoint>
#include <array>
#include <cstdint>
#include <optional>

class BrickTable;
struct BrickRecord;
class Dialogs;
class MouseUpCheckBox;
class PictureBox;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The tileset builder: turns a bitmap into a tileset file, brick by brick, or revises an
// existing tileset (EditTileSet).
class frmNewTileSet : public QDialog
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 697;
    static constexpr int ClientHeight = 376;

    frmNewTileSet(Dialogs &dialogs,
                  const QString &appFolder,
                  BrickTable &bricks,
                  QWidget *parent = nullptr);

    // Opens the window on an existing tileset, as if its bitmap had been opened and Done pressed,
    // with every record read from the file and the walk at startBrick (kept within the
    // picture's cells). It then works in the shared brick table as the builder does: the caller
    // runs the window modally and reloads its own tileset once it has closed. False, after
    // "Cannot open tileset." CR LF the path, when the file or its bitmap cannot be read or do
    // not match; the window and the table are then as they were.
    bool EditTileSet(const QString &vxtPath, int startBrick = 1);

    // Picture import, the walk, ending, saving and cancelling.
    void cmdOpenPic_Click();
    void cmdDone_Click();
    void cmdNext_Click();
    void cmdPrevious_Click();
    void Command2_Click();
    void cmdSave_Click();
    void Command3_Click();

    // Assignment controls.
    void Option1_Click(int Index);
    void Option2_Click();
    void chkAnimated_Click();
    void txtFrames_Change();
    void txtHits_LostFocus();
    void chkShooter_MouseUp(int Index, int Button, int Shift, double X, double Y);

    // Going straight to a brick while editing: Ctrl+G, and a click on its cell in the preview.
    void GoTo_Click();
    void TileBmp_MouseDown(int Button, int Shift, double X, double Y);

    // Fields of the window.
    std::int32_t CurBrick = 0;
    std::int32_t BrickCount = 0;
    std::int32_t MaxBricks = 0;
    std::int32_t TilesAcross = 0;
    std::int32_t TilesDown = 0;
    std::int32_t CurAction = 0;
    std::int32_t ShooterAction = 0;
    QString PicFileName;
    QByteArray PictureBytes; // the file of the picture in use, as it was read
    QString EditPath;        // the tileset file being edited; empty for a new tileset
    QByteArray FileRecords;  // its count and records, as last read or written
    QPoint PreviewScroll;    // picture pixel at the top left of TileBmp

    // Controls, direct children of the window.
    QGroupBox *Frame2 = nullptr;
    QGroupBox *frmActions = nullptr;
    PictureBox *picCopyTiles = nullptr;
    QPushButton *Command7 = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *Command3 = nullptr;
    CommonDialog CommonDialog1;

    // Inside Frame2.
    QPushButton *cmdOpenPic = nullptr;
    QPushButton *cmdDone = nullptr;
    PictureBox *TileBmp = nullptr;

    // Inside frmActions.
    QLabel *Label1 = nullptr;
    QLabel *lblCurTile = nullptr;
    PictureBox *BrickWindow = nullptr;
    QPushButton *cmdPrevious = nullptr;
    QPushButton *cmdNext = nullptr;
    QGroupBox *Frame3 = nullptr;
    QGroupBox *frmAssigns = nullptr;
    QWidget *Line2 = nullptr;
    QWidget *Line1 = nullptr;
    QPushButton *Command2 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *lblAnimFrame = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *lblHitStage = nullptr;
    QLabel *lblMaxBricks = nullptr;

    // Inside Frame3.
    QCheckBox *chkAnimated = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *txtFrames = nullptr;

    // Inside frmAssigns: Option1 has members 1..4 and the hidden 19..26.
    std::array<QRadioButton *, 27> Option1{};
    QLabel *Label3 = nullptr;
    QLineEdit *txtHits = nullptr;
    QRadioButton *Option2 = nullptr;
    std::array<MouseUpCheckBox *, 4> chkShooter{}; // top, right, bottom, left

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // What the assignment controls say, as AssignBrick reads them.
    struct Settings
    {
        std::int32_t action;
        bool animated, firstPicture;
        std::optional<double> frames, hits;
        bool operator==(const Settings &) const = default;
    };

    void buildWindow();
    void connectHandlers();
    void Update();
    bool AssignBrick(bool tell = true);
    bool StoreBrick();
    Settings ShownSettings() const;
    void ShowRecordedBehaviour(const BrickRecord &brick);
    void GoToBrick(int n);
    void ShowBrick(int n);
    QByteArray RecordsToWrite();
    bool SaveEdits();
    bool MayClose();
    bool EndsBeforeTheFile();
    void ScrollPreview(QPoint to);
    void DrawPreview();
    bool SaveTileSet(const QString &File);
    void TakeShooterChoice();
    void ValidateNumberBox(QLineEdit *box);
    void RefuseAssignment();

    Dialogs &dialogs;
    QString appFolder;
    BrickTable &Bricks;
    Settings shown{}; // what Update showed of the current brick, while editing
};
