#include "EditorFixture.h"
#include "UMain.h"

#include <QMdiArea>
#include <QMdiSubWindow>

using editor::FMain;

class ArrangeTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        Start();
        FMain->showNormal();
        FMain->setGeometry(0, 0, 800, 600);
    }
    QMdiArea& Area() const { return Control<QMdiArea>("MdiArea"); }
    QList<QMdiSubWindow*> Children() const { return Area().subWindowList(QMdiArea::CreationOrder); }
    QList<QRect> Places() const {
        QList<QRect> places;
        for (const QMdiSubWindow* child : Children())
            places << child->geometry();
        return places;
    }
};

TEST_F(ArrangeTest, WithoutLessonWindowsNothingMoves) {
    FMain->NaSebeExecute();
    FMain->NadSebeExecute();
    FMain->VedleSebeExecute();
    EXPECT_TRUE(Children().isEmpty());
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(ArrangeTest, TileMakesFullWidthStripsOneAboveAnother) {
    for (int i = 0; i < 3; ++i)
        FMain->NovyTest1Execute();
    Children()[1]->showMaximized();
    FMain->NadSebeExecute();
    const QRect room = Area().viewport()->rect();
    const QList<QRect> places = Places();
    ASSERT_EQ(places.size(), 3);
    int top = 0;
    for (const QRect& place : places) {
        EXPECT_EQ(place.left(), 0);
        EXPECT_EQ(place.width(), room.width());
        EXPECT_EQ(place.top(), top);
        EXPECT_LE(std::abs(place.height() - room.height() / 3), 1);
        top = place.bottom() + 1;
    }
    EXPECT_EQ(top, room.height());
    EXPECT_FALSE(Children()[1]->isMaximized());
}

TEST_F(ArrangeTest, CascadeStepsEachWindowDownAndRight) {
    FMain->NovyTest1Execute();
    FMain->NovyTest1Execute();
    FMain->NadSebeExecute();
    FMain->NaSebeExecute();
    const QList<QRect> places = Places();
    ASSERT_EQ(places.size(), 2);
    EXPECT_NE(places[0].topLeft(), places[1].topLeft());
    EXPECT_GT(places[0].bottom(), places[1].top()) << "overlapping, not tiled";
}

TEST_F(ArrangeTest, IconsOfMinimisedWindowsLineUpAlongTheBottom) {
    for (int i = 0; i < 3; ++i)
        FMain->NovyTest1Execute();
    Children()[0]->showMinimized();
    Children()[2]->showMinimized();
    Children()[0]->move(300, 10);
    Children()[2]->move(20, 50);
    const QRect open = Children()[1]->geometry();
    FMain->VedleSebeExecute();

    const QRect room = Area().viewport()->rect();
    const QRect first = Children()[0]->geometry();
    const QRect second = Children()[2]->geometry();
    EXPECT_EQ(first.left(), 0);
    EXPECT_EQ(first.bottom(), room.bottom());
    EXPECT_EQ(second.left(), first.right() + 1);
    EXPECT_EQ(second.bottom(), room.bottom());
    EXPECT_EQ(Children()[1]->geometry(), open) << "open windows stay where they are";
}
