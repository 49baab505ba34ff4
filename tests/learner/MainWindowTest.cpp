#include "LearnerFixture.h"
#include "Registry.h"
#include "UMain.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTreeWidget>

using learner::FMain;
using Kind = platform::ScriptedDialogs::Kind;

namespace {

QColor TextColour(const char* label) {
    return FMain->findChild<QLabel*>(label)->palette().color(QPalette::WindowText);
}

void Hover(const char* label) {
    QLabel* target = FMain->findChild<QLabel*>(label);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
}

void Leave(const char* label) {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(FMain->findChild<QLabel*>(label), &leave);
}

} // namespace

TEST_F(LearnerTest, SideBarLabelsTurnYellowUnderTheMouseAndBlackAfter) {
    Start();
    const QColor windowText = QApplication::palette().color(QPalette::WindowText);
    Hover("LbEditor");
    EXPECT_EQ(TextColour("LbEditor"), QColor(255, 255, 0));
    EXPECT_EQ(TextColour("LbSetup"), windowText);
    for (const char* label : {"LbEditor", "LbSetup", "LbAbout", "LbClose"}) {
        Hover(label);
        EXPECT_EQ(TextColour(label), QColor(255, 255, 0)) << label;
        Leave(label);
        EXPECT_EQ(TextColour(label), QColor(0, 0, 0)) << label;
    }
}

TEST_F(LearnerTest, EditorStartsFromTheInstallFolder) {
    const QString mark = lessons.filePath("started");
    QFile script(InstallFile("lexforge"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\ntouch '" + QFile::encodeName(mark) + "'\n");
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);
    Start();
    QTest::mouseClick(FMain->findChild<QLabel*>("LbEditor"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(mark); }, 5000));
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(LearnerTest, MissingEditorIsReported) {
    Start();
    FMain->EditorExecute();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].kind, Kind::Error);
    EXPECT_EQ(dialogs->shown[0].text, "Program je nepřístupný.");
}

TEST_F(LearnerTest, MissingSoundIsReportedOnceAndTheStartGoesOn) {
    ASSERT_TRUE(QFile::remove(InstallFile("chyba.wav")));
    const QString lesson = lessons.filePath("slovicka.lq");
    MakeLesson(lesson, "lq3 test1");
    UserKey(RecentKey)->WriteString("1", lesson);
    Start();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].kind, Kind::Error);
    EXPECT_FALSE(FMain->MPChyba.IsOpen());
    EXPECT_TRUE(FMain->MPSpravne.IsOpen());
    EXPECT_EQ(RecentView().topLevelItemCount(), 1);

    ASSERT_TRUE(FMain->Setup.Zvuk);
    FMain->PlayError();
    FMain->PlayCorrect();
    EXPECT_EQ(dialogs->shown.size(), 1u);
}

TEST_F(LearnerTest, ClosingReleasesBothSounds) {
    Start();
    ASSERT_TRUE(FMain->MPChyba.IsOpen() && FMain->MPSpravne.IsOpen());
    QTest::mouseClick(FMain->findChild<QLabel*>("LbClose"), Qt::LeftButton);
    EXPECT_FALSE(FMain->isVisible());
    EXPECT_FALSE(FMain->MPChyba.IsOpen() || FMain->MPSpravne.IsOpen());
    EXPECT_TRUE(UserKey()->ValueExists("Left"));
}
