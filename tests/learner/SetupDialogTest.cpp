#include "LearnerFixture.h"
#include "UMain.h"
#include "USetup.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <stdexcept>

using learner::FMain;
using learner::FSetup;

namespace {

QLineEdit* Edit(const char* name) {
    return FSetup->findChild<QLineEdit*>(name);
}
QCheckBox* Box(const char* name) {
    return FSetup->findChild<QCheckBox*>(name);
}

// Runs the settings command with `answer` acting in the dialog once it is up.
void RunSettings(const std::function<void()>& answer) {
    QTimer::singleShot(0, answer);
    FMain->NastaveniExecute();
}

void Save() {
    FSetup->findChild<QPushButton*>("Button1")->click();
}
void Cancel() {
    QTest::keyClick(FSetup, Qt::Key_Escape);
}

} // namespace

TEST_F(LearnerTest, SettingsDialogShowsTheSettingsAndStornoKeepsThem) {
    Start();
    FMain->Setup.ZkoZkousetPo = 12;
    const learner::TSetup before = FMain->Setup;
    RunSettings([] {
        EXPECT_EQ(FSetup->windowTitle(), "Uživatelské nastavení");
        EXPECT_EQ(Edit("EdZkoZkousetPo")->text(), "12");
        EXPECT_EQ(Edit("EdZkoVyrazKrat")->text(), "2");
        EXPECT_EQ(Edit("EdVyuVyrazKrat")->text(), "1");
        EXPECT_TRUE(Box("ChBVyuZkousetCelou")->isChecked());
        EXPECT_TRUE(Box("ChBZvuk")->isChecked());
        Edit("EdZkoZkousetPo")->setText("3");
        Box("ChBZvuk")->click();
        Cancel();
    });
    EXPECT_EQ(FMain->Setup.ZkoZkousetPo, before.ZkoZkousetPo);
    EXPECT_EQ(FMain->Setup.Zvuk, before.Zvuk);
}

TEST_F(LearnerTest, WholeLessonSwitchDisablesItsGroupSize) {
    Start();
    RunSettings([] {
        EXPECT_TRUE(Edit("EdZkoZkousetPo")->isEnabled());
        EXPECT_FALSE(Edit("EdVyuZkousetPo")->isEnabled());
        Box("ChBZkoZkousetCelou")->click();
        Box("ChBVyuZkousetCelou")->click();
        EXPECT_FALSE(Edit("EdZkoZkousetPo")->isEnabled());
        EXPECT_TRUE(Edit("EdVyuZkousetPo")->isEnabled());
        EXPECT_TRUE(Edit("EdZkoVyrazKrat")->isEnabled());
        Save();
    });
    EXPECT_TRUE(FMain->Setup.ZkoZkousetCelou);
    EXPECT_FALSE(FMain->Setup.VyuZkousetCelou);
    RunSettings([] {
        EXPECT_FALSE(Edit("EdZkoZkousetPo")->isEnabled());
        EXPECT_TRUE(Edit("EdVyuZkousetPo")->isEnabled());
        Cancel();
    });
}

TEST_F(LearnerTest, NumbersAreStoredAsTypedAndTheFirstPageComesFirst) {
    Start();
    RunSettings([] {
        Edit("EdZkoZkousetPo")->setText("-3");
        Edit("EdVyuVyrazKrat")->setText("300");
        FSetup->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(2);
        QTest::keyClick(FSetup, Qt::Key_Return);
    });
    EXPECT_EQ(FMain->Setup.ZkoZkousetPo, -3);
    EXPECT_EQ(FMain->Setup.VyuVyrazKrat, 300);
    RunSettings([] {
        EXPECT_EQ(FSetup->findChild<QTabWidget*>("PageControl1")->currentIndex(), 0);
        Cancel();
    });
}

TEST_F(LearnerTest, TextThatIsNoNumberStopsTheReadBackAtItsField) {
    Start();
    const auto answer = [] {
        Edit("EdZkoZkousetPo")->setText("4");
        Box("ChBZkoZkousetCelou")->click();
        Edit("EdVyuZkousetPo")->setText("pět");
        Edit("EdVyuVyrazKrat")->setText("5");
        Box("ChBZvuk")->click();
        Save();
    };
    // Called from a click, the error leaves the handler for the application's error box.
    try {
        RunSettings(answer);
        FAIL() << "the text converted";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "'pět' is not a valid integer value");
    }
    EXPECT_EQ(FMain->Setup.ZkoZkousetPo, 4);
    EXPECT_TRUE(FMain->Setup.ZkoZkousetCelou);
    EXPECT_EQ(FMain->Setup.VyuZkousetPo, 10);
    EXPECT_EQ(FMain->Setup.VyuVyrazKrat, 1);
    EXPECT_TRUE(FMain->Setup.Zvuk);
}
