// The editor window's controls, at their fixed places.
#include "BuiltInImages.h"
#include "FormSurface.h"
#include "frmEditor.h"
#include "platform/PictureBox.h"
#include "platform/WindowFont.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>

namespace {

PictureBox *pictureBox(QWidget *parent, const char *name, QRect geometry, bool border)
{
    auto *box = new PictureBox(parent, QLatin1String(name));
    box->setGeometry(geometry);
    if (border)
        box->setBorder(PictureBox::Border::Sunken3D);
    return box;
}

PictureBox *hiddenPicture(QWidget *parent, const char *name, QSize size, bool border)
{
    PictureBox *box = pictureBox(parent, name, QRect(QPoint(0, 0), size), border);
    box->hide();
    return box;
}

QLabel *label(QWidget *parent,
              const char *name,
              const QString &caption,
              QRect geometry,
              Qt::Alignment alignment)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setAlignment(alignment);
    return l;
}

} // namespace

QString frmEditor::BackgroundCaption()
{
    return QStringLiteral("Background Pic - Right-click to expand");
}

void frmEditor::buildWindow()
{
    setObjectName(QStringLiteral("frmEditor"));
    UseWindowFont(*this);
    setWindowIcon(QIcon(QPixmap::fromImage(WindowIconImage())));
    // Fixed single border: no resizing, no minimise or maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    surface = new FormSurface(this);
    surface->setObjectName(QStringLiteral("frmEditorSurface"));
    surface->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(surface);
    setAcceptDrops(true);

    LevelPic = pictureBox(surface, "LevelPic", QRect(8, 8, 644, 484), true);
    LevelPic->setBackColor(Qt::black);
    LevelPic->setPersistent(false);

    for (int i = 0; i < PaletteSlots; ++i) {
        auto *slot = pictureBox(surface, "Picture2",
                                QRect(656 + 40 * (i / 20), 8 + 24 * (i % 20), 36, 20), false);
        slot->setObjectName(QStringLiteral("Picture2(%1)").arg(i));
        slot->setPersistent(false);
        slot->setEnabled(false);
        Picture2[static_cast<std::size_t>(i)] = slot;
    }
    Picture2[0]->setBackColor(Qt::black);
    Picture2[0]->setBorder(PictureBox::Border::Sunken3D);

    BackPiclbl = label(surface, "BackPiclbl", BackgroundCaption(), QRect(8, 496, 553, 33),
                       Qt::AlignLeft | Qt::AlignTop);

    Command1 = new QPushButton(QStringLiteral("&Clear"), surface);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(568, 496, 81, 25);

    Line1 = new QWidget(surface);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setGeometry(8, 528, 225, 1);
    Line1->setAutoFillBackground(true);
    QPalette linePalette = Line1->palette();
    linePalette.setColor(QPalette::Window, linePalette.color(QPalette::WindowText));
    Line1->setPalette(linePalette);

    Label1 = label(surface, "Label1", QStringLiteral("Paddles:"), QRect(240, 528, 57, 17),
                   Qt::AlignHCenter | Qt::AlignTop);

    Backpic = pictureBox(surface, "Backpic", QRect(8, 536, 225, 57), true);
    Backpic->setBackColor(Qt::black);
    Backpic->setPicture(PromptImage());

    const QPoint boxPlaces[5] = {{}, {264, 576}, {280, 560}, {264, 544}, {248, 560}};
    for (int i = 1; i <= 4; ++i) {
        auto *box = new QCheckBox(surface);
        box->setObjectName(QStringLiteral("Check1(%1)").arg(i));
        box->setGeometry(QRect(boxPlaces[i], QSize(17, 17)));
        Check1[static_cast<std::size_t>(i)] = box;
    }

    CurPoslbl = label(surface, "CurPoslbl", QString(), QRect(808, 576, 81, 17),
                      Qt::AlignRight | Qt::AlignTop);

    CopyPic = hiddenPicture(surface, "CopyPic", QSize(644, 488), true);
    CopyPic->setBackColor(Qt::black);
    BlackBackpic = hiddenPicture(surface, "BlackBackpic", QSize(644, 488), true);
    BlackBackpic->setBackColor(Qt::black);
    ClickToSetpic = hiddenPicture(surface, "ClickToSetpic", QSize(225, 57), true);
    ClickToSetpic->setAutoSize(true);
    ClickToSetpic->setPicture(PromptImage());
    picTilePic = hiddenPicture(surface, "picTilePic", QSize(33, 25), false);
    picTilePic->setAutoSize(true);
    picVertPaddle = hiddenPicture(surface, "picVertPaddle", QSize(10, 480), false);
    picVertPaddle->setAutoSize(true);
    picVertPaddle->setPicture(VerticalPaddleImage());
    picHoriPaddle = hiddenPicture(surface, "picHoriPaddle", QSize(640, 10), false);
    picHoriPaddle->setAutoSize(true);
    picHoriPaddle->setPicture(HorizontalPaddleImage());

    buildMenu();
    setFixedSize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());

    connect(surface, &FormSurface::MouseMove, this, &frmEditor::Form_MouseMove);
    connect(LevelPic, &PictureBox::MouseDown, this, &frmEditor::LevelPic_MouseDown);
    connect(LevelPic, &PictureBox::MouseMove, this, &frmEditor::LevelPic_MouseMove);
    connect(LevelPic, &PictureBox::MouseUp, this, [this] { LevelPic_MouseUp(); });
    connect(LevelPic, &PictureBox::Paint, this, &frmEditor::LevelPic_Paint);
    for (int i = 1; i < PaletteSlots; ++i) {
        connect(Picture2[static_cast<std::size_t>(i)], &PictureBox::MouseDown, this,
                [this, i] { Picture2_MouseDown(i); });
    }
    for (PictureBox *slot : Picture2)
        connect(slot, &PictureBox::Paint, this, &frmEditor::Picture2_Paint);
    for (int i = 1; i <= 4; ++i) {
        connect(Check1[static_cast<std::size_t>(i)], &QCheckBox::toggled, this,
                [this, i] { Check1_Click(i); });
    }
    connect(Command1, &QPushButton::clicked, this, &frmEditor::Command1_Click);
    connect(Backpic, &PictureBox::MouseDown, this,
            [this](int button) { Backpic_MouseDown(button); });
}

void frmEditor::buildMenu()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    auto item = [this](const char *name, const char *caption, const char *shortcut, auto handler) {
        QAction *action = mnuFile->addAction(QLatin1String(caption));
        action->setObjectName(QLatin1String(name));
        if (shortcut)
            action->setShortcut(QKeySequence(QLatin1String(shortcut)));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    auto separator = [this](const char *name) {
        mnuFile->addSeparator()->setObjectName(QLatin1String(name));
    };
    mnuNew = item("mnuNew", "&New", "Ctrl+N", [this] { mnuNew_Click(); });
    mnuOpen = item("mnuOpen", "&Open", "Ctrl+O", [this] { mnuOpen_Click(); });
    separator("mnuDiv1");
    mnuSave = item("mnuSave", "&Save", "Ctrl+S", [this] { mnuSave_Click(); });
    mnuSaveAs = item("mnuSaveAs", "Save &As", "Ctrl+A", [this] { mnuSaveAs_Click(); });
    separator("mnuDiv2");
    mnuMakeLevelSet =
        item("mnuMakeLevelSet", "&Make Levelset", nullptr, [this] { mnuMakeLevelSet_Click(); });
    mnuNewTileset =
        item("mnuNewTileset", "New &Tileset", nullptr, [this] { mnuNewTileset_Click(); });
    separator("mnuDiv3");
    mnuExit = item("mnuExit", "E&xit", "Ctrl+Q", [this] { mnuExit_Click(); });

    // Edit: steps, the clipboard, the tools and the level as a whole.
    mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    auto edit = [this](QMenu *menu, const char *name, const char *caption, QList<QKeySequence> keys,
                       auto handler) {
        QAction *action = menu->addAction(QLatin1String(caption));
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    using Keys = QList<QKeySequence>;
    mnuUndo =
        edit(mnuEdit, "mnuUndo", "&Undo", Keys{QKeySequence(QStringLiteral("Ctrl+Z"))}, [this] {
            EndStroke();
            History.undo();
        });
    mnuRedo = edit(
        mnuEdit, "mnuRedo", "&Redo",
        Keys{QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))},
        [this] {
            EndStroke();
            History.redo();
        });
    // Named after the step they take back or do again, as QUndoStack's own actions are.
    auto follow = [this](QAction *action, const QString &caption, auto canSignal, auto textSignal) {
        action->setEnabled(false);
        connect(&History, canSignal, action, &QAction::setEnabled);
        connect(&History, textSignal, action, [action, caption](const QString &step) {
            action->setText(step.isEmpty() ? caption : caption + u' ' + step);
        });
    };
    follow(mnuUndo, QStringLiteral("&Undo"), &QUndoStack::canUndoChanged,
           &QUndoStack::undoTextChanged);
    follow(mnuRedo, QStringLiteral("&Redo"), &QUndoStack::canRedoChanged,
           &QUndoStack::redoTextChanged);
    mnuEdit->addSeparator();
    mnuCut = edit(mnuEdit, "mnuCut", "Cu&t", Keys{QKeySequence(QStringLiteral("Ctrl+X"))},
                  [this] { mnuCut_Click(); });
    mnuCopy = edit(mnuEdit, "mnuCopy", "&Copy", Keys{QKeySequence(QStringLiteral("Ctrl+C"))},
                   [this] { mnuCopy_Click(); });
    mnuPaste = edit(mnuEdit, "mnuPaste", "&Paste", Keys{QKeySequence(QStringLiteral("Ctrl+V"))},
                    [this] { mnuPaste_Click(); });
    mnuDelete = edit(mnuEdit, "mnuDelete", "&Delete", Keys{QKeySequence(QStringLiteral("Del"))},
                     [this] { mnuDelete_Click(); });
    mnuSelectAll =
        edit(mnuEdit, "mnuSelectAll", "Select A&ll",
             Keys{QKeySequence(QStringLiteral("Ctrl+Shift+A"))}, [this] { mnuSelectAll_Click(); });
    mnuEdit->addSeparator();
    auto *tools = new QActionGroup(this);
    auto toolItem = [&](const char *name, const char *caption, const char *key,
                        EditorTool *chosen) {
        QAction *action =
            edit(mnuEdit, name, caption, Keys{QKeySequence(QLatin1String(key))}, [] {});
        action->setCheckable(true);
        tools->addAction(action);
        connect(action, &QAction::toggled, this, [this, chosen](bool on) {
            if (on)
                ChooseTool(chosen);
        });
        return action;
    };
    mnuBrush = toolItem("mnuBrush", "&Brush", "B", &brush);
    mnuBrush->setChecked(true);
    mnuRectangle = toolItem("mnuRectangle", "Rec&tangle", "R", &rectangle);
    mnuFill = toolItem("mnuFill", "&Fill", "F", &fill);
    mnuSelect = toolItem("mnuSelect", "&Select", "S", &select);
    mnuEdit->addSeparator();
    // The marks over the canvas come and go with their items.
    auto toggle = [&](const char *name, const char *caption, const char *key) {
        QAction *action =
            edit(mnuEdit, name, caption, Keys{QKeySequence(QLatin1String(key))},
                 [this] { LevelPic->showOverlay(QRect(0, 0, CanvasWidth, CanvasHeight)); });
        action->setCheckable(true);
        return action;
    };
    mnuMirrorLeftRight = toggle("mnuMirrorLeftRight", "&Mirror Left-Right", "M");
    mnuMirrorTopBottom = toggle("mnuMirrorTopBottom", "Mirror &Top-Bottom", "Shift+M");
    mnuShowGrid = toggle("mnuShowGrid", "Show &Grid", "G");
    mnuEdit->addSeparator();
    mnuFlipHorizontally = edit(mnuEdit, "mnuFlipHorizontally", "Flip Level &Horizontally", Keys{},
                               [this] { FlipLevel(true); });
    mnuFlipVertically = edit(mnuEdit, "mnuFlipVertically", "Flip Level &Vertically", Keys{},
                             [this] { FlipLevel(false); });
    mnuShiftLevel = mnuEdit->addMenu(QStringLiteral("Shift Level"));
    mnuShiftLevel->setObjectName(QStringLiteral("mnuShiftLevel"));
    edit(mnuShiftLevel, "mnuShiftUp", "Up", Keys{QKeySequence(QStringLiteral("Ctrl+Shift+Up"))},
         [this] { ShiftLevel(0, -1); });
    edit(mnuShiftLevel, "mnuShiftDown", "Down",
         Keys{QKeySequence(QStringLiteral("Ctrl+Shift+Down"))}, [this] { ShiftLevel(0, 1); });
    edit(mnuShiftLevel, "mnuShiftLeft", "Left",
         Keys{QKeySequence(QStringLiteral("Ctrl+Shift+Left"))}, [this] { ShiftLevel(-1, 0); });
    edit(mnuShiftLevel, "mnuShiftRight", "Right",
         Keys{QKeySequence(QStringLiteral("Ctrl+Shift+Right"))}, [this] { ShiftLevel(1, 0); });

    // Tools: revising tilesets and levelsets, checking files.
    mnuTools = menuBar()->addMenu(QStringLiteral("&Tools"));
    mnuTools->setObjectName(QStringLiteral("mnuTools"));
    mnuEditTileset = edit(mnuTools, "mnuEditTileset", "Edit &Tileset...", Keys{},
                          [this] { mnuEditTileset_Click(); });
    mnuEditLevelSet = edit(mnuTools, "mnuEditLevelSet", "Edit &Levelset...", Keys{},
                           [this] { mnuEditLevelSet_Click(); });
    mnuTools->addSeparator();
    mnuCheckFiles = edit(mnuTools, "mnuCheckFiles", "&Check Files...", Keys{},
                         [this] { mnuCheckFiles_Click(); });
}
