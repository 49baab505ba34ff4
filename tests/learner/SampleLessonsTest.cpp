// The sample lessons that the build writes into the install folder: every record must give an
// item that can be answered, and each lesson must drill from its start to its end message.
#include "Dat.h"
#include "Quiz.h"
#include "TypedTestFixture.h"
#include "UMain.h"
#include "UTest1.h"
#include "UTest2.h"

#include <QFile>
#include <QRegularExpression>

using learner::FMain;

namespace {

const QString SampleFolder = QStringLiteral(LQ_SAMPLE_LESSONS);

// What a learner types for a stored answer: its first alternative without the bracketed parts
// and the one space beside each.
QString TypedAnswer(const QString& expected) {
    static const QRegularExpression bracketed(QStringLiteral(" ?[(<][^)>]*[)>] ?"));
    return expected.section(u';', 0, 0).remove(bracketed);
}

struct Sample {
    const char* file;
    const char* marker;
    const learner::TLessonFields& fields;
    int32_t least;
    learner::TTypedTest* (*window)();
};

const Sample Samples[] = {
    {"anglicka-slovicka.lq", "lq3 test1", learner::WordLesson, 30,
     []() -> learner::TTypedTest* { return learner::FTest1; }},
    {"doplnovani-vet.lq", "lq4 test2a", learner::FillInLesson, 15,
     []() -> learner::TTypedTest* { return learner::FTest2; }},
};

// Each test works on its own copies: a lesson is held exclusively while it is read, and other
// tests read the same samples at the same time.
class SampleLessonsTest : public TypedTestTest {
protected:
    QString CopyOf(const char* file) {
        const QString copy = lessons.filePath(QString::fromUtf8(file));
        QFile::remove(copy);
        EXPECT_TRUE(QFile::copy(SampleFolder + '/' + file, copy)) << file;
        return copy;
    }
};

TEST_F(SampleLessonsTest, EveryRecordGivesAnItemThatCanBeAnswered) {
    for (const Sample& sample : Samples) {
        SCOPED_TRACE(sample.file);
        const std::string path = QFile::encodeName(CopyOf(sample.file)).toStdString();
        TDat table;
        table.SetReadOnly(true);
        table.SetFileName(path);
        table.SetActive(true);
        ASSERT_TRUE(table.Active());
        std::string marker;
        table.GetDataType(marker);
        EXPECT_EQ(marker, sample.marker);
        const int32_t records = table.RecordCount();
        table.SetActive(false);

        learner::TDrill drill;
        drill.Load(table, path, sample.fields, 0, 1);
        EXPECT_EQ(drill.Count, records);
        EXPECT_GE(drill.Count, sample.least);
        for (const learner::Slovo& item : drill.Items) {
            const QString& expected = sample.fields.Answer(item);
            EXPECT_TRUE(learner::CheckAnswer(TypedAnswer(expected), expected))
                << expected.toStdString();
            if (&sample.fields == &learner::FillInLesson) {
                EXPECT_TRUE(sample.fields.Question(item).contains(u'_'))
                    << sample.fields.Question(item).toStdString();
            }
        }
    }
}

TEST_F(SampleLessonsTest, EachSampleDrillsFromStartToEndMessage) {
    for (const Sample& sample : Samples) {
        SCOPED_TRACE(sample.file);
        dialogs->shown.clear();
        FMain->Setup.ZkoZkousetPo = 10;
        FMain->Setup.ZkoVyrazKrat = 1;
        FMain->OpenLesson(CopyOf(sample.file));
        learner::TTypedTest* window = sample.window();
        ASSERT_TRUE(window->isVisible());
        // One miss on the way, so the lesson also takes the requeue.
        Answer(window, "?");
        PressEnter(window);
        for (int asked = 0; window->Drill().HasCurrent() && asked < 100; ++asked)
            Answer(window, TypedAnswer(sample.fields.Answer(window->Drill().Current())));
        EXPECT_FALSE(window->isVisible());
        ASSERT_EQ(dialogs->shown.size(), 1u);
        EXPECT_EQ(dialogs->shown[0].caption, "Konec lekce");
        EXPECT_EQ(Label(window, "LbSpatne")->text(), "1");
    }
}

} // namespace
