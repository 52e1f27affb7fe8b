// The real dialogs, found once they are up and answered by their buttons or keys.
#include "platform/QtDialogs.h"
#include "support/Fixtures.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <variant>

using Button = QMessageBox::StandardButton;

TEST(QtDialogsTest, MessageBoxesAndTheNumberPromptShowWhatTheyOfferAndAnswerByButtonOrKey)
{
    // Each kind of prompt, what Qt shows, and what a button, Return (default) or Esc answers.
    struct Prompt
    {
        MsgButtons buttons;
        MsgIcon icon;
        MsgAnswer byDefault;
        QMessageBox::StandardButtons shown;
        QMessageBox::Icon qtIcon;
    };
    using Press = std::pair<std::variant<Button, Qt::Key>, MsgAnswer>;
    const Button Yes = Button::Yes, No = Button::No;
    const std::pair<Prompt, std::vector<Press>> cases[] = {
        {{MsgButtons::Ok, MsgIcon::None, MsgAnswer::Ok, Button::Ok, QMessageBox::NoIcon},
         {{Qt::Key_Escape, MsgAnswer::Ok}}},
        {{MsgButtons::Ok, MsgIcon::Critical, MsgAnswer::Ok, Button::Ok, QMessageBox::Critical},
         {{Button::Ok, MsgAnswer::Ok}}},
        {{MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No, Yes | No, QMessageBox::Question},
         {{Qt::Key_Return, MsgAnswer::No}, {Qt::Key_Escape, MsgAnswer::No}, {Yes, MsgAnswer::Yes}}},
        {{MsgButtons::YesNoCancel, MsgIcon::Question, MsgAnswer::Yes, Yes | No | Button::Cancel,
          QMessageBox::Question},
         {{No, MsgAnswer::No},
          {Qt::Key_Escape, MsgAnswer::Cancel},
          {Qt::Key_Return, MsgAnswer::Yes}}},
    };
    QtDialogs dialogs;
    for (const auto &[prompt, presses] : cases) {
        for (const auto &[press, expected] : presses) {
            whenUp<QMessageBox>([&prompt, &press](QMessageBox &box) {
                EXPECT_EQ(box.windowTitle(), "Caption");
                EXPECT_EQ(box.text(), "Cannot open level.\n/levels/a.vxl");
                EXPECT_EQ(box.standardButtons(), prompt.shown);
                EXPECT_EQ(box.icon(), prompt.qtIcon);
                if (const Button *button = std::get_if<Button>(&press))
                    box.button(*button)->click();
                else
                    QTest::keyClick(&box, std::get<Qt::Key>(press));
            });
            EXPECT_EQ(dialogs.message(nullptr, "Cannot open level.\r\n/levels/a.vxl", "Caption",
                                      prompt.buttons, prompt.icon, prompt.byDefault),
                      expected);
        }
    }
    for (const auto &[keys, expected] : {std::pair(QStringLiteral("\b4\r"), std::optional(4)),
                                         std::pair(QStringLiteral("\x1b"), std::optional<int>())}) {
        whenUp<QInputDialog>([keys = keys](QInputDialog &box) {
            EXPECT_EQ(std::tuple(box.windowTitle(), box.labelText(), box.intMinimum(),
                                 box.intMaximum(), box.intValue()),
                      std::tuple("Go To Brick", "Brick number (1 to 5):", 1, 5, 3));
            QTest::keyClicks(box.focusWidget(), keys);
        });
        EXPECT_EQ(dialogs.askNumber(nullptr, "Brick number (1 to 5):", "Go To Brick", 3, 1, 5),
                  expected);
    }
}

TEST(QtDialogsTest, FileDialogsOpenOrSaveWithTheFilterAndConfirmReplacingOnlyWhenAskedOrTakeAFolder)
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
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    };

    // Open: the filter in Qt's form, the last name chosen, Cancel as nullopt even with a name.
    whenUp<QFileDialog>([&](QFileDialog &dialog) {
        expectDialog(dialog, QFileDialog::AcceptOpen, "Vorpex Level Files (*.vxl)");
        EXPECT_EQ(dialog.selectedFiles(), QStringList{existing});
        static_cast<QDialog &>(dialog).accept();
    });
    EXPECT_EQ(dialogs.showOpen(nullptr, {"Vorpex Level Files|*.vxl", false, existing}), existing);
    whenUp<QFileDialog>([](QFileDialog &dialog) { dialog.reject(); });
    EXPECT_EQ(dialogs.showOpen(nullptr, {"Bitmap|*.bmp", false, existing}), std::nullopt);
    // Several files, from the folder asked for (not the last visited) where no name is given.
    const QStringList levels{app.tls("x.vxl"), app.tls("y.vxl")};
    for (const QString &level : levels)
        WriteBytes(level, "level");
    whenUp<QFileDialog>([&](QFileDialog &dialog) {
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);
        if (dialog.directory().absolutePath() != app.path() + "/Tls")
            return dialog.reject(); // started elsewhere: nothing is chosen
        // Typed in, as a user types them.
        dialog.findChild<QLineEdit *>("fileNameEdit")->setText("\"x.vxl\" \"y.vxl\"");
        static_cast<QDialog &>(dialog).accept();
    });
    EXPECT_EQ(dialogs.showOpenFiles(nullptr, {"Levels|*.vxl", false, {}, app.path() + "/Tls"}),
              levels);

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
    EXPECT_EQ(dialogs.showSave(nullptr, {"Vorpex Levelsets|*.vxs", true, existing}), existing);
    // ... and not when it does not.
    whenUp<QFileDialog>([](QFileDialog &dialog) { static_cast<QDialog &>(dialog).accept(); });
    EXPECT_EQ(dialogs.showSave(nullptr, {"Vorpex Level Files|*.vxl", false, existing}), existing);

    // A folder: the one it opens in, taken as is (a file dialog would enter it); Cancel: none.
    whenUp<QFileDialog>([](QFileDialog &dialog) { dialog.reject(); });
    EXPECT_EQ(dialogs.showFolder(nullptr, "Add Folder", app.lvl("")), std::nullopt);
    whenUp<QFileDialog>([](QFileDialog &dialog) {
        EXPECT_EQ(
            std::pair(dialog.windowTitle(), dialog.testOption(QFileDialog::DontUseNativeDialog)),
            std::pair(QStringLiteral("Add Folder"), true));
        static_cast<QDialog &>(dialog).accept();
        if (dialog.isVisible())
            dialog.reject();
    });
    EXPECT_EQ(dialogs.showFolder(nullptr, "Add Folder", app.lvl("")), app.path() + "/Lvl");
}
