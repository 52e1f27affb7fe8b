// The real dialogs, driven offscreen as a user would: each box or file dialog is found once it
// is up, then its buttons are pressed or its keys typed.
#include "platform/QtDialogs.h"
#include "support/Fixtures.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <variant>

namespace {

// Acts on the modal dialog of type T once it is up, from the event loop that shows it.
template <typename T> void whenUp(std::function<void(T &)> act, int tries = 300)
{
    QTimer::singleShot(10, [act, tries] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget()))
            act(*dialog);
        else if (tries > 0)
            whenUp<T>(act, tries - 1);
        else
            ADD_FAILURE() << "no dialog came up";
    });
}

using Button = QMessageBox::StandardButton;

} // namespace

TEST(QtDialogsTest, MessageBoxesShowTheirButtonsIconAndDefaultAndAnswerByButtonOrKey)
{
    struct Case
    {
        MsgButtons buttons;
        MsgIcon icon;
        MsgAnswer defaultButton;
        QMessageBox::StandardButtons shown;
        QMessageBox::Icon qtIcon;
        Button defaultShown;
        std::variant<Button, Qt::Key> press; // a button clicked, or a key typed
        MsgAnswer expected;
    };
    const Case cases[] = {
        {MsgButtons::Ok, MsgIcon::None, MsgAnswer::Ok, Button::Ok, QMessageBox::NoIcon, Button::Ok,
         Qt::Key_Escape, MsgAnswer::Ok},
        {MsgButtons::Ok, MsgIcon::Critical, MsgAnswer::Ok, Button::Ok, QMessageBox::Critical,
         Button::Ok, Button::Ok, MsgAnswer::Ok},
        {MsgButtons::YesNo, MsgIcon::None, MsgAnswer::Yes, Button::Yes | Button::No,
         QMessageBox::NoIcon, Button::Yes, Qt::Key_Return, MsgAnswer::Yes},
        {MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No, Button::Yes | Button::No,
         QMessageBox::Question, Button::No, Qt::Key_Return, MsgAnswer::No},
        {MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::Yes, Button::Yes | Button::No,
         QMessageBox::Question, Button::Yes, Qt::Key_Escape, MsgAnswer::No},
        {MsgButtons::YesNoCancel, MsgIcon::Question, MsgAnswer::Yes,
         Button::Yes | Button::No | Button::Cancel, QMessageBox::Question, Button::Yes, Button::No,
         MsgAnswer::No},
        {MsgButtons::YesNoCancel, MsgIcon::Question, MsgAnswer::Yes,
         Button::Yes | Button::No | Button::Cancel, QMessageBox::Question, Button::Yes,
         Qt::Key_Escape, MsgAnswer::Cancel},
        {MsgButtons::YesNoCancel, MsgIcon::Question, MsgAnswer::Yes,
         Button::Yes | Button::No | Button::Cancel, QMessageBox::Question, Button::Yes,
         Qt::Key_Return, MsgAnswer::Yes},
    };
    QtDialogs dialogs;
    for (const Case &c : cases) {
        whenUp<QMessageBox>([&c](QMessageBox &box) {
            EXPECT_EQ(box.windowTitle(), "Caption");
            EXPECT_EQ(box.text(), "Cannot open level.\n/levels/a.vxl");
            EXPECT_EQ(box.standardButtons(), c.shown);
            EXPECT_EQ(box.icon(), c.qtIcon);
            EXPECT_EQ(box.standardButton(box.defaultButton()), c.defaultShown);
            if (const Button *button = std::get_if<Button>(&c.press))
                box.button(*button)->click();
            else
                QTest::keyClick(&box, std::get<Qt::Key>(c.press));
        });
        EXPECT_EQ(dialogs.message(nullptr, "Cannot open level.\r\n/levels/a.vxl", "Caption",
                                  c.buttons, c.icon, c.defaultButton),
                  c.expected);
    }
}

TEST(QtDialogsTest, FileDialogsOpenOrSaveWithTheFilterAndConfirmReplacingOnlyWhenAsked)
{
    TempAppFolder app;
    const QString existing = app.lvl("a.vxl");
    WriteBytes(existing, "level");
    QtDialogs dialogs;
    auto expectDialog = [](QFileDialog &dialog, QFileDialog::AcceptMode mode, const char *filter) {
        EXPECT_EQ(dialog.acceptMode(), mode);
        EXPECT_EQ(dialog.fileMode(), mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                                     : QFileDialog::AnyFile);
        EXPECT_EQ(dialog.nameFilters(), QStringList{filter});
        EXPECT_EQ(dialog.selectedNameFilter(), filter);
    };

    // Open: the filter in Qt's form, the last name chosen, Cancel as nullopt.
    whenUp<QFileDialog>([&](QFileDialog &dialog) {
        expectDialog(dialog, QFileDialog::AcceptOpen, "Vorpex Level Files (*.vxl)");
        EXPECT_EQ(dialog.selectedFiles(), QStringList{existing});
        static_cast<QDialog &>(dialog).accept();
    });
    EXPECT_EQ(dialogs.showOpen(nullptr, {"Vorpex Level Files|*.vxl", 1, false, existing}),
              existing);
    whenUp<QFileDialog>([](QFileDialog &dialog) { dialog.reject(); });
    EXPECT_EQ(dialogs.showOpen(nullptr, {"Bitmap|*.bmp", 1, false, {}}), std::nullopt);

    // Save over an existing file: asked first when the program asks for it (No, then Yes)...
    whenUp<QFileDialog>([&](QFileDialog &dialog) {
        expectDialog(dialog, QFileDialog::AcceptSave, "Vorpex Levelsets (*.vxs)");
        for (Button answer : {Button::No, Button::Yes}) {
            whenUp<QMessageBox>([answer](QMessageBox &box) {
                EXPECT_TRUE(box.text().contains("already exists"));
                box.button(answer)->click();
            });
            static_cast<QDialog &>(dialog).accept();
            EXPECT_EQ(dialog.result(),
                      answer == Button::Yes ? QDialog::Accepted : QDialog::Rejected);
        }
    });
    EXPECT_EQ(dialogs.showSave(nullptr, {"Vorpex Levelsets|*.vxs", 1, true, existing}), existing);
    // ... and not when it does not.
    whenUp<QFileDialog>([](QFileDialog &dialog) { static_cast<QDialog &>(dialog).accept(); });
    EXPECT_EQ(dialogs.showSave(nullptr, {"Vorpex Level Files|*.vxl", 1, false, existing}),
              existing);
}
