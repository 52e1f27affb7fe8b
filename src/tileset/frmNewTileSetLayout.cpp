// The builder window's controls, at their fixed places.
#include "MouseUpCheckBox.h"
#include "frmNewTileSet.h"
#include "platform/PictureBox.h"
#include "platform/ReadOutLabel.h"
#include "platform/WindowFont.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {

// A captioned control of the layout, named and placed.
template <class Control>
Control *place(QWidget *parent, const QString &name, const QString &caption, QRect geometry)
{
    auto *control = new Control(caption, parent);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

QGroupBox *frame(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    return place<QGroupBox>(parent, QLatin1String(name), caption, geometry);
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    return place<QPushButton>(parent, QLatin1String(name), caption, geometry);
}

// A caption, or a number the program shows (a ReadOutLabel: always whole).
template <class Label = QLabel>
QLabel *label(QWidget *parent,
              const char *name,
              const QString &caption,
              QRect geometry,
              Qt::Alignment alignment = Qt::AlignLeft)
{
    QLabel *l = place<Label>(parent, QLatin1String(name), caption, geometry);
    l->setAlignment(alignment | Qt::AlignTop);
    return l;
}

QLineEdit *textBox(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    return place<QLineEdit>(parent, QLatin1String(name), text, geometry);
}

QRadioButton *option(QWidget *parent, const QString &name, const QString &caption, QRect geometry)
{
    return place<QRadioButton>(parent, name, caption, geometry);
}

PictureBox *pictureBox(QWidget *parent, const char *name, QRect geometry, bool border)
{
    auto *box = new PictureBox(parent, QLatin1String(name));
    box->setGeometry(geometry);
    if (border)
        box->setBorder(PictureBox::Border::Sunken3D);
    // The owner redraws these boxes from the loaded picture; they keep no drawing of their own.
    box->setPersistent(false);
    return box;
}

QWidget *line(QWidget *parent, const char *name, QRect geometry, QColor colour)
{
    auto *l = new QWidget(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, colour);
    l->setPalette(p);
    return l;
}

} // namespace

void frmNewTileSet::buildWindow()
{
    setObjectName(QStringLiteral("frmNewTileSet"));
    setWindowTitle(QStringLiteral("New Tileset"));
    UseWindowFont(*this);
    // An ordinary sizable window with minimise and maximise; the controls keep their places.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    resize(ClientWidth, ClientHeight);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    // Picture loading, top left.
    Frame2 = frame(this, "Frame2", QStringLiteral("Load Tileset Picture"), QRect(8, 8, 425, 97));
    cmdOpenPic =
        button(Frame2, "cmdOpenPic", QStringLiteral("&Open Picture"), QRect(16, 24, 97, 25));
    cmdDone = button(Frame2, "cmdDone", QStringLiteral("&Done"), QRect(16, 56, 97, 25));
    cmdDone->setEnabled(false);
    TileBmp = pictureBox(Frame2, "TileBmp", QRect(128, 16, 289, 73), true);

    // Brick assignment, below it.
    frmActions =
        frame(this, "frmActions", QStringLiteral("Assign Actions"), QRect(8, 112, 425, 225));
    Label1 = label(frmActions, "Label1", QStringLiteral("Current Brick"), QRect(24, 24, 89, 17),
                   Qt::AlignHCenter);
    // Centred where the layout puts it, and as wide as the room beside the brick allows.
    lblCurTile = label<ReadOutLabel>(frmActions, "lblCurTile", QStringLiteral("Tile: 1"),
                                     QRect(5, 48, 71, 25), Qt::AlignHCenter);
    BrickWindow = pictureBox(frmActions, "BrickWindow", QRect(80, 48, 36, 20), true);
    cmdPrevious =
        button(frmActions, "cmdPrevious", QStringLiteral("&Previous"), QRect(16, 80, 57, 25));
    cmdPrevious->setEnabled(false);
    cmdNext = button(frmActions, "cmdNext", QStringLiteral("&Next"), QRect(80, 80, 41, 25));

    Frame3 = frame(frmActions, "Frame3", QStringLiteral("Animation"), QRect(16, 112, 105, 97));
    chkAnimated = new QCheckBox(QStringLiteral("Animated"), Frame3);
    chkAnimated->setObjectName(QStringLiteral("chkAnimated"));
    chkAnimated->setGeometry(8, 16, 89, 25);
    Label2 = label(Frame3, "Label2", QStringLiteral("Frames:"), QRect(8, 48, 89, 17));
    txtFrames = textBox(Frame3, "txtFrames", QStringLiteral("2"), QRect(8, 64, 89, 19));
    txtFrames->setEnabled(false);

    frmAssigns = frame(frmActions, "frmAssigns", QString(), QRect(128, 8, 289, 161));
    Option1[1] = option(frmAssigns, QStringLiteral("Option1(1)"), QStringLiteral("Hittable"),
                        QRect(8, 16, 73, 25));
    Option1[1]->setChecked(true);
    Label3 = label(frmAssigns, "Label3", QStringLiteral("Hits:"), QRect(8, 48, 57, 17));
    txtHits = textBox(frmAssigns, "txtHits", QStringLiteral("1"), QRect(8, 64, 57, 19));
    Option1[2] = option(frmAssigns, QStringLiteral("Option1(2)"), QStringLiteral("Indestruct."),
                        QRect(8, 96, 73, 17));
    Option1[3] = option(frmAssigns, QStringLiteral("Option1(3)"), QStringLiteral("Go-thru"),
                        QRect(8, 112, 73, 25));
    Option1[4] = option(frmAssigns, QStringLiteral("Option1(4)"), QStringLiteral("Dynamite"),
                        QRect(8, 136, 73, 17));
    Option2 = option(frmAssigns, QStringLiteral("Option2"), QStringLiteral("Shooter"),
                     QRect(80, 16, 65, 25));
    // The diamond around (104, 64): top, right, bottom, left.
    const QPoint shooterPlaces[4] = {{104, 48}, {120, 64}, {104, 80}, {88, 64}};
    for (int i = 0; i < 4; ++i) {
        auto *box = new MouseUpCheckBox(frmAssigns);
        box->setObjectName(QStringLiteral("chkShooter(%1)").arg(i));
        box->setGeometry(QRect(shooterPlaces[i], QSize(17, 17)));
        chkShooter[static_cast<std::size_t>(i)] = box;
    }
    // Members of the group that are never offered.
    const QRect hiddenPlaces[8] = {{80, 112, 73, 25},  {80, 136, 73, 17}, {152, 16, 73, 25},
                                   {152, 40, 73, 25},  {152, 64, 73, 25}, {152, 88, 73, 25},
                                   {152, 112, 73, 25}, {152, 136, 73, 17}};
    for (int i = 19; i <= 26; ++i) {
        QRadioButton *b = option(frmAssigns, QStringLiteral("Option1(%1)").arg(i),
                                 QStringLiteral("Option1"), hiddenPlaces[i - 19]);
        b->setEnabled(false);
        b->hide();
        Option1[static_cast<std::size_t>(i)] = b;
    }

    // An etched separator: grey over white.
    Line2 = line(frmActions, "Line2", QRect(128, 175, 288, 1), QColor(128, 128, 128));
    Line1 = line(frmActions, "Line1", QRect(128, 176, 288, 1), QColor(255, 255, 255));
    Command2 =
        button(frmActions, "Command2", QStringLiteral("&End tileset"), QRect(128, 184, 65, 25));
    Label4 = label(frmActions, "Label4", QStringLiteral("Anim Frame:"), QRect(200, 184, 73, 17));
    lblAnimFrame =
        label<ReadOutLabel>(frmActions, "lblAnimFrame", QString(), QRect(200, 200, 73, 17));
    Label5 = label(frmActions, "Label5", QStringLiteral("Hit stage:"), QRect(272, 184, 57, 25));
    lblHitStage =
        label<ReadOutLabel>(frmActions, "lblHitStage", QString(), QRect(272, 200, 81, 17));
    // A count too long for its line goes on below, as the other read-outs do.
    lblMaxBricks = label<ReadOutLabel>(frmActions, "lblMaxBricks", QStringLiteral("Max Bricks:"),
                                       QRect(336, 184, 81, 33));
    lblMaxBricks->setWordWrap(true);
    frmActions->setEnabled(false);

    // The whole picture at full size, right; it grows with the picture it is given.
    picCopyTiles = pictureBox(this, "picCopyTiles", QRect(448, 16, 241, 353), false);
    picCopyTiles->setAutoSize(true);

    // The button row.
    Command7 = button(this, "Command7", QStringLiteral("&Help"), QRect(8, 344, 73, 25));
    cmdSave = button(this, "cmdSave", QStringLiteral("&Save"), QRect(280, 344, 73, 25));
    cmdSave->setEnabled(false);
    Command3 = button(this, "Command3", QStringLiteral("&Cancel"), QRect(360, 344, 73, 25));

    // Set once every control exists, so each keeps the window font. Frames with their caption on an
    // etched border near the top, so that controls placed from the frame's top edge clear the
    // border; option captions such as "Indestruct." need the room next to the indicator to fit
    // their 73 pixels.
    setStyleSheet(QStringLiteral(
        "QGroupBox { border: 2px groove #c0c0c0; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 7px; padding: 0px 1px; }"
        "QRadioButton { spacing: 1px; }"));

    // Focus goes through the steps in the order they are worked, down each column of the
    // assignments. Tab stops only at the option chosen: the options stand together in the
    // order, so that choosing one further down does not move that stop elsewhere.
    QWidget *const order[] = {cmdOpenPic,    cmdDone,       cmdPrevious,   cmdNext,
                              chkAnimated,   txtFrames,     Option1[1],    txtHits,
                              Option1[2],    Option1[3],    Option1[4],    Option2,
                              chkShooter[0], chkShooter[1], chkShooter[2], chkShooter[3],
                              Command2,      cmdSave,       Command3,      Command7};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}
