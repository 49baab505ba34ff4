#include "Application.h"

#include "QtPrinting.h"
#include "ScriptedDialogs.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class ApplicationTest : public ::testing::Test {
protected:
    platform::ScriptedDialogs& scripted = platform::UseScriptedDialogs();
    void TearDown() override { platform::SetDialogs(nullptr); }
};

TEST_F(ApplicationTest, ExceptionLeavingAnEventIsShownAndTheProgramGoesOn) {
    bool wentOn = false;
    QTimer::singleShot(0, [] { throw std::runtime_error("Cannot open file \"chyba.wav\"."); });
    QTimer::singleShot(1, [] { throw std::runtime_error("'abc' is not a valid integer value"); });
    QTimer::singleShot(2, [&] { wentOn = true; });
    QTest::qWait(30);

    EXPECT_TRUE(wentOn);
    ASSERT_EQ(scripted.shown.size(), 2u);
    EXPECT_EQ(scripted.shown[0].kind, platform::ScriptedDialogs::Kind::Error);
    EXPECT_EQ(scripted.shown[0].text, "Cannot open file \"chyba.wav\".");
    EXPECT_EQ(scripted.shown[1].text, "'abc' is not a valid integer value");
}

TEST_F(ApplicationTest, HandlerOfAWidgetShowsItsOwnErrors) {
    QPushButton button("Uložit");
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, platform::ReportingErrors([&] {
        if (++clicks == 1)
            throw std::runtime_error("'x' is not a valid integer value");
    }));
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);

    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(scripted.shown.size(), 1u);
    EXPECT_EQ(scripted.shown[0].text, "'x' is not a valid integer value");
}

TEST_F(ApplicationTest, StandardButtonsSpeakCzech) {
    QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "Zrušit");
    EXPECT_EQ(buttons.button(QDialogButtonBox::Yes)->text().remove(u'&'), "Ano");
}

TEST_F(ApplicationTest, LayoutFontResolvesToAnInstalledFont) {
    const QFontInfo resolved(platform::LayoutFont(11, true));
    EXPECT_TRUE(QFontDatabase::families().contains(resolved.family()));
    EXPECT_EQ(resolved.pixelSize(), 11);
    EXPECT_TRUE(resolved.bold());
}

} // namespace
