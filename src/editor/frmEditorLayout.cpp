// The editor window's controls, at their fixed places.
#include "BuiltInImages.h"
#include "FormSurface.h"
#include "frmEditor.h"
#include "platform/PictureBox.h"
#include "platform/WindowFont.h"

#include <QAction>
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

    // Undo and redo have keys only: the menu bar keeps its one File menu.
    auto shortcut = [this](const char *name, QList<QKeySequence> keys, auto handler) {
        auto *action = new QAction(this);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    actUndo = shortcut("actUndo", {QKeySequence(QStringLiteral("Ctrl+Z"))}, [this] {
        EndStroke();
        History.undo();
    });
    actRedo = shortcut(
        "actRedo",
        {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))},
        [this] {
            EndStroke();
            History.redo();
        });
}
