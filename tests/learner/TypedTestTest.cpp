#include "DrillWindow.h"
#include "TypedTestFixture.h"
#include "UMain.h"
#include "UTest1.h"
#include "UTest2.h"

#include <QFile>
#include <QTest>
#include <stdexcept>

using learner::FillInLesson;
using learner::FTest1;
using learner::FTest2;
using learner::WordLesson;
using Kind = platform::ScriptedDialogs::Kind;

namespace {

using Order = std::vector<int32_t>;

const char* const EndText = "Všechny otázky byly zodpovězeny..";

QString Shown(const char* label) {
    return Label(FTest1, label)->text();
}

} // namespace

TEST_F(TypedTestTest, WordTestJudgesAnswersShowsTheStoredOneAndEndsWithTheMessage) {
    const QString lesson = Lesson("slova.lq", "lq3 test1", WordLesson,
                                  {{"dog", "pes"},
                                   {"cat <n.>; (a) cat", "kočka"},
                                   {"to go (went) <irr>;walk", "jít;chodit <irr>"}});
    const learner::ScriptedRandom& random = ScriptReverseOrder(3);
    FTest1->Start(lesson, 10, 1);
    EXPECT_EQ(random.Seeds(), 1);
    ASSERT_TRUE(FTest1->isVisible());
    EXPECT_EQ(FTest1->Drill().Order, (Order{2, 1, 0}));
    EXPECT_EQ(Shown("Label1"), "jít; chodit irr");
    EXPECT_EQ(Shown("LbJesteZbyva"), "3");
    EXPECT_EQ(Shown("LbUspesnost"), "");
    EXPECT_EQ(Shown("LbSkupina"), "1 / 1");

    Answer(FTest1, "walk");
    EXPECT_EQ(Shown("Label1"), QString::fromUtf8("kočka"));
    EXPECT_EQ(Shown("LbSpravne"), "1");
    EXPECT_EQ(Shown("LbJesteZbyva"), "2");
    EXPECT_EQ(Shown("LbUspesnost"), "100%");

    // A different case is another answer; the stored answer is shown with its markup.
    Answer(FTest1, "Cat");
    EXPECT_EQ(AnswerField(FTest1)->text(), "cat <n.>; (a) cat");
    EXPECT_FALSE(AnswerField(FTest1)->isEnabled());
    EXPECT_TRUE(OkButton(FTest1)->isEnabled());
    EXPECT_EQ(FTest1->focusWidget(), OkButton(FTest1));
    EXPECT_EQ(FTest1->Drill().Order, (Order{2, 0, 1}));
    PressEnter(FTest1);
    EXPECT_EQ(Shown("Label1"), "pes");
    EXPECT_EQ(Shown("LbSpatne"), "1");
    EXPECT_EQ(Shown("LbUspesnost"), "50%");
    EXPECT_TRUE(AnswerField(FTest1)->isEnabled());
    EXPECT_TRUE(AnswerField(FTest1)->text().isEmpty());
    EXPECT_FALSE(OkButton(FTest1)->isEnabled());
    EXPECT_EQ(FTest1->focusWidget(), AnswerField(FTest1));

    Answer(FTest1, "dog");
    Answer(FTest1, "cat");
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].kind, Kind::Message);
    EXPECT_EQ(dialogs->shown[0].text, QString::fromUtf8(EndText));
    EXPECT_EQ(dialogs->shown[0].caption, "Konec lekce");
    EXPECT_FALSE(FTest1->isVisible());
    EXPECT_EQ(Shown("LbJesteZbyva"), "0");
    EXPECT_EQ(Shown("LbSpravne"), "3");
    EXPECT_EQ(Shown("LbUspesnost"), "75%");
    EXPECT_FALSE(AnswerField(FTest1)->isEnabled());
    EXPECT_FALSE(OkButton(FTest1)->isEnabled());
    EXPECT_TRUE(FTest1->Drill().Items.empty());
}

TEST_F(TypedTestTest, MissedItemGoesToTheEndOfItsGroupAndTheLastOneComesBackAtOnce) {
    const QString lesson = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(4));
    ScriptReverseOrder(4);
    FTest1->Start(lesson, 2, 1);
    ASSERT_EQ(FTest1->Drill().Order, (Order{3, 2, 1, 0}));

    // An empty answer is a wrong one.
    Answer(FTest1, "");
    EXPECT_EQ(AnswerField(FTest1)->text(), "word4");
    EXPECT_EQ(FTest1->Drill().Order, (Order{2, 3, 1, 0}));
    PressEnter(FTest1);
    EXPECT_EQ(Shown("Label1"), "slovo3");
    AnswerNumberedRight(FTest1);
    EXPECT_EQ(Shown("Label1"), "slovo4");

    // The last item of its group: nothing moves and the same item is asked again.
    Answer(FTest1, "word 4");
    EXPECT_EQ(FTest1->Drill().Order, (Order{2, 3, 1, 0}));
    PressEnter(FTest1);
    EXPECT_EQ(Shown("Label1"), "slovo4");
    EXPECT_EQ(Shown("LbSkupina"), "1 / 2");
    AnswerNumberedRight(FTest1);
    EXPECT_EQ(Shown("LbSkupina"), "2 / 2");
    EXPECT_EQ(Shown("Label1"), "slovo2");
    AnswerNumberedRight(FTest1);

    // The last item of the lesson, too.
    Answer(FTest1, "word2");
    PressEnter(FTest1);
    EXPECT_EQ(Shown("Label1"), "slovo1");
    AnswerNumberedRight(FTest1);
    EXPECT_FALSE(FTest1->isVisible());
    EXPECT_EQ(Shown("LbSpatne"), "3");
}

TEST_F(TypedTestTest, WholeLessonIsOneGroupSoAMissGoesToTheVeryEnd) {
    const QString lesson = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(5));
    ScriptReverseOrder(5);
    FTest1->Start(lesson, 0, 1);
    EXPECT_EQ(Shown("LbSkupina"), "vše");
    Answer(FTest1, "nevím");
    EXPECT_EQ(FTest1->Drill().Order, (Order{3, 2, 1, 0, 4}));
}

TEST_F(TypedTestTest, GroupLabelCountsGroupsOfTheGivenSize) {
    const QString lesson = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(20));
    ScriptReverseOrder(20);
    FTest1->Start(lesson, 10, 1);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(Shown("LbSkupina"), "1 / 2") << k;
        AnswerNumberedRight(FTest1);
    }
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(Shown("LbSkupina"), "2 / 2") << k;
        AnswerNumberedRight(FTest1);
    }
    EXPECT_EQ(dialogs->shown.size(), 1u);
}

TEST_F(TypedTestTest, LongFiguresAreShownWhole) {
    const QString lesson = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(1000));
    FTest1->Start(lesson, 1, 1);
    FTest1->SetPosition(998);
    FTest1->ShowQuestion();
    EXPECT_EQ(Shown("LbSkupina"), "999 / 1000");
    learner::TDrill counts;
    counts.Spravne = 12345;
    counts.Chybne = 67890;
    counts.Count = 99999;
    learner::ShowScore(counts, {Label(FTest1, "LbSpravne"), Label(FTest1, "LbSpatne"),
                                Label(FTest1, "LbJesteZbyva"), Label(FTest1, "LbUspesnost")});
    for (const char* name : {"LbSkupina", "LbSpravne", "LbSpatne", "LbJesteZbyva", "LbUspesnost"}) {
        const QLabel* label = Label(FTest1, name);
        EXPECT_GE(label->contentsRect().width(),
                  label->fontMetrics().horizontalAdvance(label->text()))
            << name << " " << label->text().toStdString();
    }
}

TEST_F(TypedTestTest, SuccessRateAfterOneRightOfEightRoundsToTwelve) {
    const QString lesson = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(2));
    ScriptReverseOrder(2);
    FTest1->Start(lesson, 0, 1);
    for (int miss = 0; miss < 7; ++miss) {
        Answer(FTest1, "?");
        PressEnter(FTest1);
    }
    EXPECT_EQ(Shown("LbUspesnost"), "0%");
    AnswerNumberedRight(FTest1);
    EXPECT_EQ(Shown("LbUspesnost"), "12%");
}

TEST_F(TypedTestTest, RepeatsGiveEveryRecordSeveralItems) {
    const QString lesson = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(3));
    ScriptReverseOrder(6);
    FTest1->Start(lesson, 10, 2);
    EXPECT_EQ(Shown("LbJesteZbyva"), "6");
    EXPECT_EQ(FTest1->Drill().Count, 6);
    // Reversed, each record's copies come one after the other.
    for (const char* question : {"slovo3", "slovo3", "slovo2", "slovo2", "slovo1", "slovo1"}) {
        EXPECT_EQ(Shown("Label1"), question);
        AnswerNumberedRight(FTest1);
    }
    EXPECT_EQ(dialogs->shown.size(), 1u);
}

TEST_F(TypedTestTest, FillInTestWidensTheGapAndHasItsOwnLayout) {
    const QString lesson = Lesson("vety.lq", "lq4 test2b", FillInLesson,
                                  {{"I _ to work _ day. <jít>", "go"}, {"No gap; here.", "x"}});
    ScriptReverseOrder(2);
    FTest2->Start(lesson, 10, 1);
    ASSERT_TRUE(FTest2->isVisible());
    EXPECT_EQ(FTest2->windowTitle(), QString::fromUtf8("Test (doplňování)"));
    EXPECT_EQ(FTest2->size(), QSize(438, 320));
    EXPECT_EQ(Label(FTest2, "Label1")->height(), 97);
    EXPECT_EQ(AnswerField(FTest2)->y(), 272);
    EXPECT_EQ(OkButton(FTest2)->y(), 272);
    EXPECT_EQ(Label(FTest2, "Label1")->text(), "_____No gap; here.");
    Answer(FTest2, "x");
    EXPECT_EQ(Label(FTest2, "Label1")->text(), QString::fromUtf8("I _____ to work _ day. jít"));
    Answer(FTest2, "went");
    EXPECT_EQ(AnswerField(FTest2)->text(), "go");
    EXPECT_FALSE(FTest1->isVisible());

    EXPECT_EQ(FTest1->windowTitle(), "Test");
    EXPECT_EQ(FTest1->size(), QSize(438, 262));
    EXPECT_EQ(Label(FTest1, "Label1")->height(), 49);
    EXPECT_EQ(AnswerField(FTest1)->y(), 208);
}

TEST_F(TypedTestTest, SemicolonsOfAWordQuestionGetASpace) {
    EXPECT_EQ(learner::TFTest1::SpaceAfterSemicolons("a;b"), "a; b");
    EXPECT_EQ(learner::TFTest1::SpaceAfterSemicolons("a; b"), "a;  b");
    EXPECT_EQ(learner::TFTest1::SpaceAfterSemicolons(";;"), "; ; ");
    EXPECT_EQ(learner::TFTest1::SpaceAfterSemicolons(""), "");
}

TEST_F(TypedTestTest, NewStartDropsTheRunningLesson) {
    const QString first = Lesson("prvni.lq", "lq3 test1", WordLesson, NumberedWords(3));
    const QString second = Lesson("druha.lq", "lq3 test1", WordLesson, {{"dog", "pes"}});
    ScriptReverseOrder(3);
    FTest1->Start(first, 10, 1);
    AnswerNumberedRight(FTest1);
    Answer(FTest1, "?");
    learner::SetRandom(nullptr);
    FTest1->Start(second, 10, 1);
    EXPECT_TRUE(FTest1->isVisible());
    EXPECT_EQ(Shown("Label1"), "pes");
    EXPECT_EQ(Shown("LbSpravne"), "0");
    EXPECT_EQ(Shown("LbSpatne"), "0");
    EXPECT_EQ(Shown("LbJesteZbyva"), "1");
    EXPECT_EQ(Shown("LbUspesnost"), "");
    EXPECT_TRUE(AnswerField(FTest1)->isEnabled());
    EXPECT_FALSE(OkButton(FTest1)->isEnabled());
}

TEST_F(TypedTestTest, ClosingDropsTheLessonButKeepsTheCounts) {
    const QString lesson = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(3));
    ScriptReverseOrder(3);
    FTest1->Start(lesson, 10, 1);
    AnswerNumberedRight(FTest1);
    FTest1->close();
    EXPECT_FALSE(FTest1->isVisible());
    EXPECT_TRUE(FTest1->Drill().Items.empty());
    EXPECT_FALSE(FTest1->Drill().HasCurrent());
    EXPECT_EQ(FTest1->Drill().Spravne, 1);
    // Nothing of the dropped lesson can be answered.
    emit AnswerField(FTest1)->returnPressed();
    EXPECT_EQ(FTest1->Drill().Spravne + FTest1->Drill().Chybne, 1);
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(TypedTestTest, LessonWithoutItemsEndsAtOnceAndStaysHidden) {
    const QString empty = Lesson("prazdna.lq", "lq3 test1", WordLesson, {{"", "bez odpovědi"}});
    FTest1->Start(empty, 10, 1);
    EXPECT_FALSE(FTest1->isVisible());
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].text, QString::fromUtf8(EndText));

    const QString words = Lesson("slova.lq", "lq3 test1", WordLesson, {{"dog", "pes"}});
    FTest1->Start(words, 10, 1);
    ASSERT_TRUE(FTest1->isVisible());
    FTest1->Start(words, 10, 0);
    EXPECT_FALSE(FTest1->isVisible());
    EXPECT_EQ(dialogs->shown.size(), 2u);
}

TEST_F(TypedTestTest, FailedStartHidesTheWindowWithNoLesson) {
    const QString words = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(3));
    const QString odd = Lesson("divna.lq", "lq3 test1", FillInLesson, {{"a _", "b"}});
    ScriptReverseOrder(3);
    FTest1->Start(words, 10, 1);
    AnswerNumberedRight(FTest1);
    EXPECT_THROW(FTest1->Start(odd, 10, 1), std::runtime_error);
    EXPECT_FALSE(FTest1->isVisible());
    EXPECT_FALSE(FTest1->Drill().HasCurrent());
    EXPECT_TRUE(FTest1->Drill().Items.empty());
    EXPECT_FALSE(AnswerField(FTest1)->isEnabled() || OkButton(FTest1)->isEnabled());
    emit AnswerField(FTest1)->returnPressed();
    EXPECT_TRUE(dialogs->shown.empty());
}
