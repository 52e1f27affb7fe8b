#pragma once

#include "model/BrickTable.h"
#include "support/Fixtures.h"
#include "support/ScriptedDialogs.h"
#include "tileset/MouseUpCheckBox.h"
#include "tileset/frmNewTileSet.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

inline void Click(QWidget *widget, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(widget, button, Qt::NoModifier, widget->rect().center());
}

inline void ClickInTurn(std::initializer_list<QWidget *> widgets)
{
    std::for_each(widgets.begin(), widgets.end(), [](QWidget *w) { Click(w); });
}

// As a user selecting the box's text and typing over it.
inline void TypeInto(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

// One builder window over a temporary application folder, driven with real clicks and keys.
class BuilderFixture : public ::testing::Test
{
protected:
    BuilderFixture()
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // A bitmap of distinct cell colours in Tls.
    QString picture(int width, int height, const QString &name = QStringLiteral("Stone.bmp"))
    {
        WriteBitmap(app.tls(name), CellPicture(width, height));
        return app.tls(name);
    }

    void startWalk(int width, int height)
    {
        dialogs.open(picture(width, height));
        ClickInTurn({window.cmdOpenPic, window.cmdDone});
    }

    void next(int times = 1)
    {
        while (times-- > 0)
            Click(window.cmdNext);
    }

    // End tileset, Save: Stone.vxt's count, then Action Frames AnimFrame Hits HitStage PicX PicY.
    QByteArray endAndSave()
    {
        ClickInTurn({window.Command2, window.cmdSave});
        EXPECT_FALSE(window.isVisible());
        return ReadBytes(app.tls(QStringLiteral("Stone.vxt")));
    }

    TempAppFolder app;
    ScriptedDialogs dialogs;
    BrickTable bricks;
    frmNewTileSet window{dialogs, app.path(), bricks};
};
