#include "ChoiceLessonFixture.h"
#include "UMain.h"
#include "UTest1.h"
#include "UVyuka1.h"
#include "UVyuka2.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <stdexcept>

using learner::FillInLesson;
using learner::FMain;
using learner::FVyuka1;
using learner::FVyuka2;
using learner::WordLesson;
using Kind = platform::ScriptedDialogs::Kind;

namespace {

using Order = std::vector<int32_t>;

const QColor Red(255, 0, 0);

QString Shown(const char* label) {
    return Label(FVyuka1, label)->text();
}

QColor ButtonFace() {
    return Grid(FVyuka1).palette().color(QPalette::Button);
}

QStringList Sorted(QStringList texts) {
    texts.sort();
    return texts;
}

TEST_F(ChoiceLessonTest, RightClicksWalkTheGroupsAndTheLastOfAGroupBringsTheNextOne) {
    const QString lesson = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(12));
    WalkReversed(12);
    FVyuka1->Start(lesson, 5, 1);
    ASSERT_TRUE(FVyuka1->isVisible());
    EXPECT_EQ(Shown("LbUspesnost"), "");
    const std::vector<int> gridSizes{5, 4, 3, 2, 6, 5, 4, 3, 2, 3, 2, 1};
    for (int place = 0; place < 12; ++place) {
        EXPECT_EQ(GridAnswers(FVyuka1).size(), gridSizes[size_t(place)]) << place;
        EXPECT_EQ(Shown("LbSkupina"), QString("%1 / 3").arg(place / 5 + 1)) << place;
        EXPECT_EQ(Shown("LbJesteZbyva"), QString::number(12 - place));
        ChooseNumberedRight(FVyuka1);
    }
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].kind, Kind::Message);
    EXPECT_EQ(dialogs->shown[0].text, QString::fromUtf8("Všechny otázky byly zodpovězeny.."));
    EXPECT_EQ(dialogs->shown[0].caption, "Konec lekce");
    EXPECT_FALSE(FVyuka1->isVisible());
    EXPECT_EQ(Shown("LbJesteZbyva"), "0");
    EXPECT_EQ(Shown("LbSpravne"), "12");
    EXPECT_EQ(Shown("LbUspesnost"), "100%");
}

class ChoiceGroupSizeTest : public ChoiceLessonTest,
                            public ::testing::WithParamInterface<uint8_t> {};

TEST_P(ChoiceGroupSizeTest, WorksAs25AndNeverPutsMoreThan25AnswersOnTheGrid) {
    const QString lesson = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(60));
    WalkReversed(60);
    FVyuka1->Start(lesson, GetParam(), 1);
    EXPECT_EQ(FVyuka1->Drill().GroupSize, 25);
    for (int place = 0; place < 60; ++place) {
        EXPECT_LE(GridAnswers(FVyuka1).size(), 25) << place;
        EXPECT_EQ(Shown("LbSkupina"), QString("%1 / 3").arg(place / 25 + 1)) << place;
        ChooseNumberedRight(FVyuka1);
        // The last of group 1, 35 items after it: itself and the 24 places that follow.
        if (place == 23) {
            EXPECT_EQ(GridAnswers(FVyuka1).size(), 25);
            EXPECT_EQ(FVyuka1->Drill().GroupEnd, 48);
        }
    }
    EXPECT_EQ(dialogs->shown.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(WholeLessonAndTooLarge, ChoiceGroupSizeTest, ::testing::Values(0, 40));

TEST_F(ChoiceLessonTest, MissShowsTheRightAnswerInRedIgnoresClicksThenRequeuesTheItem) {
    const QString lesson = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(12));
    WalkReversed(12);
    FVyuka1->Start(lesson, 5, 1);
    ASSERT_EQ(FVyuka1->Drill().Order, (Order{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    const QStringList firstGrid = GridAnswers(FVyuka1);
    const QPoint right = CellOf(FVyuka1, "word12");
    const QPoint wrong = CellOf(FVyuka1, "word11");
    EXPECT_EQ(PaintedColour(FVyuka1, right), ButtonFace());

    ClickGrid(FVyuka1, wrong);
    EXPECT_EQ(FVyuka1->Drill().Chybne, 1);
    EXPECT_TRUE(FVyuka1->TimChyba.isActive());
    EXPECT_EQ(FVyuka1->TimChyba.interval(), 1200);
    EXPECT_EQ(PaintedColour(FVyuka1, right), Red);
    EXPECT_EQ(PaintedColour(FVyuka1, wrong), ButtonFace());
    // The learner reads the right answer: clicks count for nothing meanwhile.
    ClickGrid(FVyuka1, right);
    ClickGrid(FVyuka1, wrong);
    EXPECT_EQ(FVyuka1->Drill().Spravne + FVyuka1->Drill().Chybne, 1);
    EXPECT_EQ(FVyuka1->Drill().Order[0], 11);
    EXPECT_EQ(GridAnswers(FVyuka1), firstGrid);

    EndMissDisplay(FVyuka1);
    EXPECT_FALSE(FVyuka1->TimChyba.isActive());
    EXPECT_EQ(FVyuka1->Drill().Order, (Order{10, 9, 8, 7, 11, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(Shown("Label1"), "slovo11");
    EXPECT_EQ(Shown("LbSpatne"), "1");
    EXPECT_EQ(Shown("LbJesteZbyva"), "12");
    // The same five answers, laid out anew, and no longer red.
    EXPECT_NE(GridAnswers(FVyuka1), firstGrid);
    EXPECT_EQ(Sorted(GridAnswers(FVyuka1)), Sorted(firstGrid));
    EXPECT_EQ(PaintedColour(FVyuka1, CellOf(FVyuka1, "word12")), ButtonFace());
}

TEST_F(ChoiceLessonTest, MissedLastItemOfAGroupGoesBehindTheNextGroupOnTheGrid) {
    const QString lesson = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(12));
    WalkReversed(12);
    FVyuka1->Start(lesson, 5, 1);
    for (int k = 0; k < 4; ++k)
        ChooseNumberedRight(FVyuka1);
    ASSERT_EQ(Shown("Label1"), "slovo8");
    Choose(FVyuka1, "word3");
    EndMissDisplay(FVyuka1);
    EXPECT_EQ(FVyuka1->Drill().Order, (Order{11, 10, 9, 8, 6, 5, 4, 3, 2, 7, 1, 0}));
    EXPECT_EQ(Shown("Label1"), "slovo7");
    EXPECT_EQ(GridAnswers(FVyuka1).size(), 6);
}

TEST_F(ChoiceLessonTest, EmptyCellsAndTheMarginAnswerNothing) {
    const QString lesson = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(3));
    WalkReversed(3);
    FVyuka1->Start(lesson, 10, 1);
    // The walk fills the first three cells of row 0; the last column and row stay empty.
    ASSERT_EQ(GridAnswers(FVyuka1).size(), 3);
    for (const QPoint at : {QPoint(4 * 98 + 10, 10), QPoint(10, 4 * 30 + 10), QPoint(496, 10),
                            QPoint(10, 152), QPoint(496, 152)})
        ClickGrid(FVyuka1, at);
    EXPECT_EQ(FVyuka1->Drill().Spravne + FVyuka1->Drill().Chybne, 0);
    EXPECT_FALSE(FVyuka1->TimChyba.isActive());
    EXPECT_EQ(Shown("LbUspesnost"), "");
}

TEST_F(ChoiceLessonTest, CellsWithTheSameAnswerAreBothRightAndBothRedForAnyButton) {
    const QString lesson =
        Lesson("slova.lq", "lq3 test1", WordLesson, {{"dog", "pes"}, {"cat", "kočka"}});
    WalkReversed(4);
    FVyuka1->Start(lesson, 0, 2);
    ASSERT_EQ(FVyuka1->Drill().Order, (Order{3, 2, 1, 0}));
    const std::vector<QPoint> cats = CellsOf(FVyuka1, "cat");
    ASSERT_EQ(cats.size(), 2u);
    ClickGrid(FVyuka1, CellsOf(FVyuka1, "dog").at(1));
    EXPECT_EQ(PaintedColour(FVyuka1, cats[0]), Red);
    EXPECT_EQ(PaintedColour(FVyuka1, cats[1]), Red);
    EndMissDisplay(FVyuka1);

    // Places 0 … 3 now hold cat, dog, dog, cat.
    ClickGrid(FVyuka1, CellsOf(FVyuka1, "cat").at(1), Qt::RightButton);
    ClickGrid(FVyuka1, CellsOf(FVyuka1, "dog").at(0), Qt::MiddleButton);
    ClickGrid(FVyuka1, CellsOf(FVyuka1, "dog").at(0));
    ClickGrid(FVyuka1, CellsOf(FVyuka1, "cat").at(0));
    EXPECT_EQ(FVyuka1->Drill().Spravne, 4);
    EXPECT_FALSE(FVyuka1->isVisible());
}

TEST_F(ChoiceLessonTest, AnswersGoIntoEmptyCellsAndEachPressOfADoubleClickIsAClick) {
    // The shuffle's draw; word2 at column 0, row 0; word1 drawn there too, then at (1, 0); for
    // the second question word1 at (0, 0).
    learner::SetRandom(std::make_unique<learner::ScriptedRandom>(
        std::initializer_list<int32_t>{1, 0, 0, 0, 0, 1, 0, 0, 0}));
    FVyuka1->Start(Lesson("dve.lq", "lq3 test1", WordLesson, NumberedWords(2)), 10, 1);
    ASSERT_EQ(Grid(FVyuka1).Cells(0, 0), "word2");
    ASSERT_EQ(Grid(FVyuka1).Cells(1, 0), "word1");
    QTest::mouseDClick(FVyuka1->windowHandle(), Qt::LeftButton, {},
                       Grid(FVyuka1).mapTo(FVyuka1, QPoint(40, 15)));
    EXPECT_EQ(FVyuka1->Drill().Spravne, 2);
    EXPECT_EQ(dialogs->shown.size(), 1u);
}

TEST_F(ChoiceLessonTest, DisplayEnds1200msAfterTheMissAndASecondSwitchOnDoesNotRestartIt) {
    const QString lesson = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(3));
    WalkReversed(3);
    FVyuka1->Start(lesson, 10, 1);
    QElapsedTimer clock;
    Choose(FVyuka1, "word1");
    clock.start();
    QTest::qWait(600);
    FVyuka1->ShowMistake();
    EXPECT_TRUE(QTest::qWaitFor([] { return !FVyuka1->TimChyba.isActive(); }, 5000));
    EXPECT_GE(clock.elapsed(), 1100);
    EXPECT_LT(clock.elapsed(), 1700);
    EXPECT_EQ(FVyuka1->Drill().Order, (Order{1, 0, 2}));
}

TEST_F(ChoiceLessonTest, SuccessRateAfterOneRightOfEightRoundsToTwelve) {
    const QString lesson = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(2));
    WalkReversed(2);
    FVyuka1->Start(lesson, 0, 1);
    for (int miss = 0; miss < 7; ++miss) {
        Choose(FVyuka1, Shown("Label1") == "slovo1" ? "word2" : "word1");
        EndMissDisplay(FVyuka1);
    }
    ChooseNumberedRight(FVyuka1);
    EXPECT_EQ(Shown("LbUspesnost"), "12%");
}

TEST_F(ChoiceLessonTest, StartAndClosingEndTheDisplayOfAMiss) {
    const QString lesson = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(3));
    WalkReversed(3);
    FVyuka1->Start(lesson, 10, 1);
    Choose(FVyuka1, "word1");
    FVyuka1->close();
    EXPECT_FALSE(FVyuka1->TimChyba.isActive());

    WalkReversed(3);
    FVyuka1->Start(lesson, 10, 1);
    Choose(FVyuka1, "word1");
    WalkReversed(3);
    FVyuka1->Start(lesson, 10, 1);
    EXPECT_FALSE(FVyuka1->TimChyba.isActive());
    EXPECT_EQ(Shown("LbSpatne"), "0");
    ChooseNumberedRight(FVyuka1);
    EXPECT_EQ(Shown("LbSpravne"), "1");
}

TEST_F(ChoiceLessonTest, AnswerWithMarkupShowsAsStoredAndItsOwnCellOrAnAlternativeIsRight) {
    const QString markup = "to go (went) <irr>;walk";
    const QString lesson =
        Lesson("slova.lq", "lq3 test1", WordLesson,
               {{"walk", "chodit"}, {"run", "běžet"}, {markup, "jít;chodit <irr>"}});
    const auto startAndChoose = [&](const QString& answer) {
        WalkReversed(3);
        FVyuka1->Start(lesson, 10, 1);
        Choose(FVyuka1, answer);
    };
    startAndChoose(markup);
    EXPECT_EQ(FVyuka1->Drill().Spravne, 1);
    startAndChoose("walk");
    EXPECT_EQ(FVyuka1->Drill().Spravne, 1);
    startAndChoose("run");
    EXPECT_EQ(FVyuka1->Drill().Chybne, 1);
    // Unlike the typed word test, no space is put after a ";" of the question.
    EXPECT_EQ(Shown("Label1"), QString::fromUtf8("jít;chodit irr"));
    EXPECT_EQ(PaintedColour(FVyuka1, CellOf(FVyuka1, markup)), Red);
    EXPECT_EQ(PaintedColour(FVyuka1, CellOf(FVyuka1, "walk")), ButtonFace());
}

TEST_F(ChoiceLessonTest, StartsWithoutALessonLeaveTheWindowHidden) {
    const QString noAnswer = Lesson("prazdna.lq", "lq3 test1", WordLesson, {{"", "bez"}});
    const QString words = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(3));
    const QString odd = Lesson("divna.lq", "lq3 test1", FillInLesson, {{"a _", "b"}});
    FVyuka1->Start(noAnswer, 10, 1);
    EXPECT_FALSE(FVyuka1->isVisible());
    EXPECT_EQ(dialogs->shown.size(), 1u);
    FVyuka1->Start(words, 10, 0);
    EXPECT_FALSE(FVyuka1->isVisible());
    EXPECT_EQ(dialogs->shown.size(), 2u);

    WalkReversed(3);
    FVyuka1->Start(words, 10, 1);
    const QStringList grid = GridAnswers(FVyuka1);
    EXPECT_THROW(FVyuka1->Start(odd, 10, 1), std::runtime_error);
    EXPECT_FALSE(FVyuka1->isVisible());
    for (const QString& answer : grid)
        Choose(FVyuka1, answer);
    EXPECT_EQ(FVyuka1->Drill().Spravne + FVyuka1->Drill().Chybne, 0);
    EXPECT_EQ(dialogs->shown.size(), 2u);
}

TEST_F(ChoiceLessonTest, TwinsDifferInLessonKindLayoutBorderAndPlace) {
    const QString lesson = Lesson("vety.lq", "lq4 test2b", FillInLesson,
                                  {{"I _ to work _ day. <jít>", "go"}, {"No gap; here.", "x"}});
    WalkReversed(2);
    FVyuka2->Start(lesson, 10, 1);
    ASSERT_TRUE(FVyuka2->isVisible());
    EXPECT_EQ(Label(FVyuka2, "Label1")->text(), "_____No gap; here.");
    Choose(FVyuka2, "x");
    EXPECT_EQ(Label(FVyuka2, "Label1")->text(), QString::fromUtf8("I _____ to work _ day. jít"));
    EXPECT_EQ(GridAnswers(FVyuka2), QStringList{"go"});

    EXPECT_EQ(FVyuka2->windowTitle(), QString::fromUtf8("Vyuka (doplňování)"));
    EXPECT_EQ(FVyuka2->size(), QSize(553, 461));
    EXPECT_NE(FVyuka2->minimumSize(), FVyuka2->maximumSize());
    EXPECT_TRUE(FVyuka2->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(Label(FVyuka2, "Label1")->height(), 97);
    EXPECT_EQ(FVyuka2->findChild<QFrame*>("Panel1")->y(), 256);
    // The design place, moved only as far as a smaller screen needs.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(FVyuka2->pos(), QPoint(std::min(649, screen.right() + 1 - 561),
                                     std::min(114, screen.bottom() + 1 - 488)));

    EXPECT_EQ(FVyuka1->windowTitle(), QString::fromUtf8("Výuka"));
    EXPECT_EQ(FVyuka1->size(), QSize(553, 367));
    EXPECT_EQ(FVyuka1->minimumSize(), FVyuka1->maximumSize());
    EXPECT_FALSE(FVyuka1->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(Label(FVyuka1, "Label1")->height(), 20);
    EXPECT_EQ(FVyuka1->findChild<QFrame*>("Panel1")->y(), 176);
}

TEST_F(ChoiceLessonTest, VyukaModeStartsTheChoiceLessonOfTheLessonsKind) {
    const QString words = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(3));
    const QString sentences = Lesson("vety.lq", "lq4 test2a", FillInLesson, {{"I _ it.", "see"}});
    FMain->findChild<QRadioButton*>("RadioButton2")->setChecked(true);
    FMain->Setup.VyuZkousetPo = 258;
    FMain->Setup.VyuVyrazKrat = 2;
    FMain->Setup.VyuZkousetCelou = false;
    FMain->OpenLesson(words);
    ASSERT_TRUE(FVyuka1->isVisible());
    EXPECT_FALSE(learner::FTest1->isVisible());
    EXPECT_EQ(FVyuka1->Drill().Count, 6);
    EXPECT_EQ(FVyuka1->Drill().GroupSize, 2);

    FMain->Setup.VyuZkousetCelou = true;
    FMain->OpenLesson(sentences);
    ASSERT_TRUE(FVyuka2->isVisible());
    EXPECT_EQ(FVyuka2->Drill().GroupSize, 25);
}

} // namespace
