#include "CapturingShell.h"
#include "RUrllabel.h"
#include "ScriptedDialogs.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class UrllabelTest : public ::testing::Test {
protected:
    UrllabelTest() {
        platform::SetShell(std::make_unique<CapturingShell>(opened));
        label.setText(QStringLiteral("x"));
        label.resize(40, 13);
    }
    ~UrllabelTest() override {
        platform::SetShell(nullptr);
        platform::SetDialogs(nullptr);
    }

    QColor FontColor() const { return label.palette().color(QPalette::WindowText); }
    void SetFontColor(const QColor& color) {
        QPalette colored = label.palette();
        colored.setColor(QPalette::WindowText, color);
        label.setPalette(colored);
    }
    void Enter() {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(&label, &enter);
    }
    void Leave() {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&label, &leave);
    }
    QString Click() {
        opened.clear();
        QTest::mouseClick(&label, Qt::LeftButton);
        return opened.size() == 1 ? opened.front() : QStringLiteral("%1 links").arg(opened.size());
    }

    std::vector<QString> opened;
    TRUrllabel label;
};

TEST_F(UrllabelTest, NewLabelLooksLikeALink) {
    EXPECT_EQ(FontColor(), QColor(Qt::blue));
    EXPECT_TRUE(label.font().underline());
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(label.DetectMouse());
    EXPECT_EQ(label.UrlType(), TUrlType::Http);
    EXPECT_EQ(label.ActiveColor(), QColor(Qt::red));
}

TEST_F(UrllabelTest, HoverShowsActiveColorAndLeavingAlwaysTurnsBlue) {
    Enter();
    EXPECT_EQ(FontColor(), QColor(Qt::red));
    Leave();
    EXPECT_EQ(FontColor(), QColor(Qt::blue));

    label.SetActiveColor(Qt::blue);
    Enter();
    EXPECT_EQ(FontColor(), QColor(Qt::blue));

    SetFontColor(Qt::green);
    Leave();
    EXPECT_EQ(FontColor(), QColor(Qt::blue));
}

TEST_F(UrllabelTest, WithoutDetectMouseTheColourStaysButTheEventsFire) {
    std::vector<QString> events;
    label.OnMouseEnter = [&](QObject* sender) {
        events.push_back(sender == &label ? "enter" : "enter from another");
    };
    label.OnMouseLeave = [&](QObject* sender) {
        events.push_back(sender == &label ? "leave" : "leave from another");
    };
    label.SetDetectMouse(false);
    SetFontColor(Qt::green);

    Enter();
    EXPECT_EQ(FontColor(), QColor(Qt::green));
    Leave();
    EXPECT_EQ(FontColor(), QColor(Qt::green));
    EXPECT_EQ(events, (std::vector<QString>{"enter", "leave"}));
}

TEST_F(UrllabelTest, ClickOpensTheLinkOfItsKind) {
    EXPECT_EQ(Click(), "http://x");
    label.SetUrlType(TUrlType::Mail);
    EXPECT_EQ(Click(), "mailto:x?Subject=");
    label.SetMailSubject(QStringLiteral("Dotaz"));
    EXPECT_EQ(Click(), "mailto:x?Subject=Dotaz");
    label.SetUrlType(TUrlType::Ftp);
    EXPECT_EQ(Click(), "ftp://x");
    label.SetUrlType(TUrlType::Custom);
    EXPECT_EQ(Click(), "x");
    label.SetCustomUrlType(QStringLiteral("news:"));
    EXPECT_EQ(Click(), "news:x");
}

TEST_F(UrllabelTest, OnlyALeftClickReleasedOnTheLabelOpensTheLink) {
    bool onClickCalled = false;
    label.OnClick = [&](QObject*) { onClickCalled = true; };

    QTest::mouseClick(&label, Qt::RightButton);
    QTest::mousePress(&label, Qt::LeftButton);
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(60, 5));
    EXPECT_TRUE(opened.empty());

    EXPECT_EQ(Click(), "http://x");
    EXPECT_FALSE(onClickCalled);
}

TEST_F(UrllabelTest, MailSubjectBelongsToMailLabelsOnly) {
    platform::ScriptedDialogs& dialogs = platform::UseScriptedDialogs();
    label.SetMailSubject(QStringLiteral("Dotaz"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, platform::ScriptedDialogs::Kind::Message);
    EXPECT_EQ(dialogs.shown[0].text, "Must be only on MAIL type");
    EXPECT_EQ(label.MailSubject(), "");

    label.SetUrlType(TUrlType::Mail);
    label.SetMailSubject(QStringLiteral("Dotaz"));
    EXPECT_EQ(label.MailSubject(), "Dotaz");

    label.SetUrlType(TUrlType::Http);
    EXPECT_EQ(label.MailSubject(), "Dotaz");
    EXPECT_EQ(Click(), "http://x");
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

} // namespace
