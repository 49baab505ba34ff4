#include "ModalAnswerer.h"
#include "QtPrinting.h"
#include "ScriptedDialogs.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using platform::Dialogs;
using platform::ScriptedDialogs;
using Button = Dialogs::Button;
using Choice = Dialogs::Choice;

namespace {

// The real boxes and dialogs, driven by key presses and clicks.
class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetDialogs(nullptr); }

    static Button AnswerWarning(Choice choice, const std::function<void(QMessageBox*)>& act) {
        ModalAnswerer answerer([&](QWidget* modal) { act(qobject_cast<QMessageBox*>(modal)); });
        return platform::dialogs().Warning("Soubor není uložen. Chcete jej uložit?", choice);
    }
};

TEST_F(DialogsTest, WarningAnswersWithThePressedButtonAndEscapeRefuses) {
    const auto escape = [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); };
    EXPECT_EQ(AnswerWarning(Choice::YesNoCancel, escape), Button::Cancel);
    EXPECT_EQ(AnswerWarning(Choice::YesNo, escape), Button::No);
    EXPECT_EQ(AnswerWarning(Choice::YesNoCancel,
                            [](QMessageBox* box) {
                                EXPECT_EQ(box->windowTitle(), "Varování");
                                EXPECT_EQ(box->buttons().size(), 3);
                                box->button(QMessageBox::Yes)->click();
                            }),
              Button::Yes);
}

TEST_F(DialogsTest, ErrorBoxHasTheCaptionChybaAndOneOkButton) {
    ModalAnswerer answerer([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        EXPECT_EQ(box->windowTitle(), "Chyba");
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->buttons().size(), 1);
        QTest::keyClick(box, Qt::Key_Return);
    });
    platform::dialogs().Error("Program je nepřístupný.");
    EXPECT_EQ(answerer.seen, QStringList{"QMessageBox"});
}

// The editor asks its own question before it overwrites a lesson, so the dialog must not.
TEST_F(DialogsTest, SaveDialogStartsAtTheLastNameAndLeavesTheOverwriteQuestionToItsCaller) {
    QTemporaryDir dir;
    QFile(dir.filePath("lekce.lq")).open(QIODevice::WriteOnly);
    int fileDialogs = 0;
    ModalAnswerer answerer([&](QWidget* modal) {
        if (!qobject_cast<QFileDialog*>(modal) || ++fileDialogs > 1) {
            modal->close();
            return;
        }
        // The last name stands ready: Enter alone takes it.
        QTest::keyClick(modal->focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(
        platform::dialogs().SaveFileName(nullptr, "Lexiquil (*.lq)", dir.filePath("lekce.lq")),
        dir.filePath("lekce.lq"));
    EXPECT_EQ(answerer.seen, QStringList{"QFileDialog"});
}

TEST(ScriptedDialogsTest, RecordBoxesAndRefuseWhenOutOfAnswers) {
    ScriptedDialogs& scripted = platform::UseScriptedDialogs();
    scripted.warningAnswers = {Button::Yes};
    EXPECT_EQ(platform::dialogs().Warning("Přepsat?", Choice::YesNo), Button::Yes);
    EXPECT_EQ(platform::dialogs().Warning("Uložit?", Choice::YesNoCancel), Button::Cancel);
    EXPECT_EQ(platform::dialogs().Warning("Přepsat?", Choice::YesNo), Button::No);
    EXPECT_EQ(scripted.shown.at(1).text, "Uložit?");
    EXPECT_EQ(scripted.shown.at(1).choice, Choice::YesNoCancel);
    platform::SetDialogs(nullptr);
}

} // namespace
