#include "CapturingShell.h"
#include "RUrllabel.h"
#include "UAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QLabel* LabelOf(const TFAbout& about, const char* name) {
    return about.findChild<QLabel*>(QString::fromLatin1(name));
}

TEST(AboutTest, LearnerAndEditorBoxesDifferInTitleAndHeight) {
    TFAbout learner(TFAbout::Program::Learner);
    TFAbout editor(TFAbout::Program::Editor);

    for (const TFAbout* about : {&learner, &editor}) {
        EXPECT_EQ(about->windowTitle(), "Informace o programu");
        EXPECT_EQ(about->minimumSize(), about->maximumSize());
    }
    EXPECT_EQ(learner.size(), QSize(297, 262));
    EXPECT_EQ(editor.size(), QSize(297, 260));
    EXPECT_EQ(LabelOf(learner, "Label1")->text(), "Lexiquill 4");
    EXPECT_EQ(LabelOf(editor, "Label1")->text(), "Editor slovní zásoby pro LQ4");
}

TEST(AboutTest, ShowsTheSmallLogoOnTheBand) {
    TFAbout about(TFAbout::Program::Learner);
    const QLabel* image = LabelOf(about, "Image1");
    ASSERT_FALSE(image->pixmap().isNull());
    EXPECT_EQ(image->pixmap().size(), QSize(75, 50));
    EXPECT_EQ(image->geometry(), QRect(111, 176, 75, 50));
}

TEST(AboutTest, EveryLabelIsWhollyInsideTheWindowAndClearOfTheOthers) {
    TFAbout about(TFAbout::Program::Editor);
    const QList<QLabel*> labels = about.findChildren<QLabel*>();
    const QRect client = about.rect();
    for (const QLabel* label : labels) {
        EXPECT_TRUE(client.contains(label->geometry())) << label->objectName().toStdString();
        for (const QLabel* other : labels) {
            if (other != label) {
                EXPECT_FALSE(label->geometry().intersects(other->geometry()))
                    << label->objectName().toStdString() << " on "
                    << other->objectName().toStdString();
            }
        }
    }
}

TEST(AboutTest, LinkLabelsOpenTheWebPageAndTheMailAddresses) {
    std::vector<QString> opened;
    platform::SetShell(std::make_unique<CapturingShell>(opened));
    TFAbout about(TFAbout::Program::Learner);
    for (const char* name : {"RUrllabel1", "RUrllabel2", "RUrllabel3"}) {
        auto* link = about.findChild<TRUrllabel*>(QString::fromLatin1(name));
        EXPECT_EQ(link->ActiveColor(), QColor(Qt::blue));
        EXPECT_FALSE(link->font().bold());
        QTest::mouseClick(link, Qt::LeftButton);
    }
    platform::SetShell(nullptr);
    EXPECT_EQ(opened, (std::vector<QString>{"http://www.example.org/lexiquill",
                                            "mailto:lexiquill@example.org?Subject=",
                                            "mailto:autor@example.org?Subject="}));
}

TEST(AboutTest, OkClosesTheBoxAsAccepted) {
    TFAbout about(TFAbout::Program::Learner);
    about.show();
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("Button1"));
    EXPECT_TRUE(ok->isDefault());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
