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
#include <gtest/gtest.h>

// One builder window over a temporary application folder, driven with real clicks and keys.
class BuilderFixture : public ::testing::Test
{
protected:
    BuilderFixture()
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    static void click(QWidget *widget, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(widget, button, Qt::NoModifier, widget->rect().center());
    }

    // Replaces the box's text by typing, as a user selecting it all and typing over it.
    static void typeInto(QLineEdit *box, const QString &text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    // A bitmap of distinct cell colours in the application's Tls folder.
    QString picture(const QString &name, int width, int height)
    {
        const QString path = app.tls(name);
        WriteBitmap(path, CellPicture(width, height));
        return path;
    }

    void openPicture(const QString &path)
    {
        dialogs.open(path);
        click(window.cmdOpenPic);
    }

    // Opens a picture of the given size as Stone.bmp and accepts it with Done.
    void startWalk(int width, int height)
    {
        openPicture(picture(QStringLiteral("Stone.bmp"), width, height));
        ASSERT_TRUE(window.cmdDone->isEnabled());
        click(window.cmdDone);
    }

    // End tileset, then Save; returns the bytes of Tls/Stone.vxt.
    QByteArray endAndSave()
    {
        click(window.Command2);
        EXPECT_TRUE(window.cmdSave->isEnabled());
        click(window.cmdSave);
        EXPECT_FALSE(window.isVisible());
        return ReadBytes(app.tls(QStringLiteral("Stone.vxt")));
    }

    static QByteArray record(std::int32_t action,
                             std::int32_t frames,
                             std::int32_t animFrame,
                             std::int32_t hits,
                             std::int32_t hitStage,
                             std::int32_t picX,
                             std::int32_t picY)
    {
        return Le32({action, frames, animFrame, hits, hitStage, picX, picY});
    }

    TempAppFolder app;
    ScriptedDialogs dialogs;
    BrickTable bricks;
    frmNewTileSet window{dialogs, app.path(), bricks};
};
