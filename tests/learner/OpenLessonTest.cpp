#include "Dat.h"
#include "DatLayout.h"
#include "TypedTestFixture.h"
#include "UMain.h"
#include "UTest1.h"
#include "UTest2.h"

#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <cstring>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

using learner::FillInLesson;
using learner::FMain;
using learner::FTest1;
using learner::FTest2;
using learner::WordLesson;
using Kind = platform::ScriptedDialogs::Kind;

namespace {

class OpenLessonTest : public TypedTestTest {
protected:
    // Chooses `path` in the dialog of "Další...".
    void OpenThroughDialog(const QString& path) {
        dialogs->openAnswers.push_back(path);
        QTest::mouseClick(FMain->findChild<QPushButton*>("Button1"), Qt::LeftButton);
    }
    void DoubleClickRow(int row) {
        QTreeWidget& view = RecentView();
        const QPoint at = view.visualItemRect(view.topLevelItem(row)).center();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
    }
    void SetRecent(const QStringList& paths) {
        FMain->RecentFiles.Items.assign(1, QString());
        for (const QString& path : paths)
            FMain->RecentFiles.Items.push_back(path);
        FMain->RecentFiles.Count = int32_t(paths.size());
        FMain->RecentFiles.Refresh();
    }
    QStringList Recent() const {
        return QStringList(FMain->RecentFiles.Items.begin() + 1, FMain->RecentFiles.Items.end());
    }
    // Only the open dialogs were shown: no message and no error.
    void ExpectNoBox() const {
        for (const auto& shown : dialogs->shown)
            EXPECT_EQ(shown.kind, Kind::OpenFile) << shown.text.toStdString();
    }
};

// Lets the process take only `room` more bytes of address space than it holds, while it lasts.
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(rlim_t room) {
        getrlimit(RLIMIT_AS, &saved_);
        std::ifstream statm("/proc/self/statm");
        rlim_t pages = 0;
        statm >> pages;
        const rlimit limit{pages * rlim_t(sysconf(_SC_PAGESIZE)) + room, saved_.rlim_max};
        EXPECT_EQ(setrlimit(RLIMIT_AS, &limit), 0);
    }
    ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &saved_); }
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

private:
    rlimit saved_{};
};

// Gives the one-record lesson `path` `records` records: copies of its record, or records of
// zeros, whose texts are empty.
void GrowLesson(const QString& path, int32_t records, bool copies) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    TDatHeader header;
    std::memcpy(header.bytes.data(), bytes.constData(), HeaderSize);
    ASSERT_EQ(header.RecordCount(), 1);
    const qsizetype start = HeaderSize + header.FieldCount() * DescriptorSize;
    QByteArray record = bytes.mid(start).leftJustified(header.RecordSize(), '\0', true);
    header.SetRecordCount(records);
    bytes = QByteArray(reinterpret_cast<const char*>(header.bytes.data()), HeaderSize) +
            bytes.mid(HeaderSize, start - HeaderSize) + record;
    bytes += copies ? record.repeated(records - 1)
                    : QByteArray(qsizetype(records - 1) * record.size(), '\0');
    ASSERT_TRUE(file.resize(0));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

TEST_F(OpenLessonTest, MarkerAndModeChooseTheDrill) {
    const QString words = Lesson("slova.lq", "lq3 test1", WordLesson, {{"dog", "pes"}});
    const QString inOrder = Lesson("a.lq", "lq4 test2a", FillInLesson, {{"I _ it.", "see"}});
    const QString inSequence = Lesson("b.lq", "lq4 test2b", FillInLesson, {{"I _ it.", "see"}});
    const QString other = Lesson("jina.lq", "lq3 test2", WordLesson, {{"dog", "pes"}});
    const QString blank = Lesson("prazdna.lq", "", WordLesson, {{"dog", "pes"}});
    const struct {
        QString path;
        const QWidget* drill;
    } rows[] = {{words, FTest1},
                {inOrder, FTest2},
                {inSequence, FTest2},
                {other, nullptr},
                {blank, nullptr}};
    for (const auto& row : rows) {
        OpenThroughDialog(row.path);
        EXPECT_EQ(FTest1->isVisible(), row.drill == FTest1) << row.path.toStdString();
        EXPECT_EQ(FTest2->isVisible(), row.drill == FTest2) << row.path.toStdString();
        EXPECT_EQ(Recent().value(0), row.path);
        FTest1->close();
        FTest2->close();
    }
    EXPECT_EQ(dialogs->shown.back().text, "Lexiquil (*.lq)");
    ExpectNoBox();

    // "Výuka" is the choice lessons' mode: the typed tests stay closed.
    FMain->findChild<QRadioButton*>("RadioButton2")->setChecked(true);
    OpenThroughDialog(inOrder);
    OpenThroughDialog(words);
    EXPECT_FALSE(FTest1->isVisible() || FTest2->isVisible());
    EXPECT_EQ(Recent().value(0), words);
}

TEST_F(OpenLessonTest, OpeningAnEntryMovesItToTheTopAndDrillsIt) {
    QStringList paths;
    for (int k = 1; k <= 5; ++k)
        paths << Lesson(qPrintable(QString("lekce%1.lq").arg(k)), "lq3 test1", WordLesson,
                        {{QString("word%1").arg(k), QString("slovo%1").arg(k)}});
    SetRecent(paths);
    DoubleClickRow(2);
    EXPECT_EQ(Recent(), (QStringList{paths[2], paths[0], paths[1], paths[3], paths[4]}));
    ASSERT_TRUE(FTest1->isVisible());
    EXPECT_EQ(Label(FTest1, "Label1")->text(), "slovo3");
    EXPECT_EQ(RecentView().topLevelItem(0)->text(0), "lekce3.lq");

    // Opening the top entry keeps the order and still refills the view.
    RecentView().topLevelItem(4)->setText(0, "stale");
    DoubleClickRow(0);
    EXPECT_EQ(Recent(), (QStringList{paths[2], paths[0], paths[1], paths[3], paths[4]}));
    EXPECT_EQ(RecentView().topLevelItem(4)->text(0), "lekce5.lq");
    ExpectNoBox();
}

TEST_F(OpenLessonTest, RowAfterAMissingEntryOpensItsOwnEntry) {
    const QString first = Lesson("prvni.lq", "lq3 test1", WordLesson, {{"one", "jedna"}});
    const QString third = Lesson("treti.lq", "lq3 test1", WordLesson, {{"three", "tři"}});
    const QString missing = lessons.filePath("chybi.lq");
    SetRecent({first, missing, third});
    ASSERT_EQ(RecentView().topLevelItemCount(), 2);
    DoubleClickRow(1);
    EXPECT_EQ(Recent(), (QStringList{third, first, missing}));
    EXPECT_EQ(Label(FTest1, "Label1")->text(), QString::fromUtf8("tři"));
}

TEST_F(OpenLessonTest, FileThatIsNoLessonTableChangesNothing) {
    const QString words = Lesson("slova.lq", "lq3 test1", WordLesson, {{"dog", "pes"}});
    const QString text = lessons.filePath("text.lq");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("dog;pes\r\n");
    file.close();
    SetRecent({words});
    OpenThroughDialog(text);
    // A cancelled dialog answers with no file.
    OpenThroughDialog(QString());
    EXPECT_EQ(Recent(), QStringList{words});
    EXPECT_FALSE(FTest1->isVisible() || FTest2->isVisible());
    EXPECT_EQ(dialogs->shown.size(), 2u);
    ExpectNoBox();
}

TEST_F(OpenLessonTest, NoSelectedRowOpensNothing) {
    const QString words = Lesson("slova.lq", "lq3 test1", WordLesson, {{"dog", "pes"}});
    SetRecent({words});
    RecentView().setCurrentItem(nullptr);
    RecentView().clearSelection();
    FMain->LVOtevrDblClick();
    EXPECT_FALSE(FTest1->isVisible());
}

TEST_F(OpenLessonTest, SettingsReachTheDrillAsTheirLowByte) {
    const QString words = Lesson("slova.lq", "lq3 test1", WordLesson, NumberedWords(3));
    FMain->Setup.ZkoZkousetCelou = true;
    FMain->Setup.ZkoZkousetPo = 7;
    FMain->Setup.ZkoVyrazKrat = 258;
    FMain->OpenLesson(words);
    EXPECT_EQ(FTest1->Drill().GroupSize, 0);
    EXPECT_EQ(FTest1->Drill().Count, 6);
    EXPECT_EQ(Label(FTest1, "LbSkupina")->text(), QString::fromUtf8("vše"));

    FMain->Setup.ZkoZkousetCelou = false;
    FMain->Setup.ZkoZkousetPo = 300;
    FMain->Setup.ZkoVyrazKrat = -255;
    FMain->OpenLesson(words);
    EXPECT_EQ(FTest1->Drill().GroupSize, 44);
    EXPECT_EQ(FTest1->Drill().Count, 3);
}

TEST_F(OpenLessonTest, StartErrorsReachTheErrorBoxAfterTheListTookTheLesson) {
    const QString odd = Lesson("divna.lq", "lq3 test1", FillInLesson, {{"a _", "b"}});
    OpenThroughDialog(odd);
    ASSERT_EQ(dialogs->shown.size(), 2u);
    EXPECT_EQ(dialogs->shown[1].kind, Kind::Error);
    EXPECT_EQ(dialogs->shown[1].text, "Error, record or field is wrong");
    EXPECT_EQ(Recent().value(0), odd);
    EXPECT_FALSE(FTest1->isVisible());
}

TEST_F(OpenLessonTest, LessonHeldByAnotherProgramCannotBeReadAndChangesNothing) {
    const QString words = Lesson("slova.lq", "lq3 test1", WordLesson, {{"dog", "pes"}});
    TDat holder;
    holder.SetFileName(QFile::encodeName(words).toStdString());
    holder.SetActive(true);
    ASSERT_TRUE(holder.Active());
    OpenThroughDialog(words);
    EXPECT_EQ(FMain->RecentFiles.Count, 0);
    EXPECT_FALSE(FTest1->isVisible());
    ExpectNoBox();
}

TEST_F(OpenLessonTest, ReadOnlyLessonOpensAndDrills) {
    const QString words = Lesson("slova.lq", "lq3 test1", WordLesson, {{"dog", "pes"}});
    ASSERT_TRUE(QFile::setPermissions(words, QFile::ReadOwner | QFile::ReadGroup));
    OpenThroughDialog(words);
    EXPECT_TRUE(FTest1->isVisible());
    EXPECT_EQ(RecentView().topLevelItemCount(), 1);
    ExpectNoBox();
}

TEST_F(OpenLessonTest, LessonBeyondTheMemorySaysSoAndRecordsWithoutAnswerTakeNoRoom) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer holds more address space than any limit would leave";
#endif
    // 20 000 records asked 255 times each need some 245 MB, far beyond the room left.
    constexpr int32_t Records = 20000;
    const QString large = Lesson("velka.lq", "lq3 test1", WordLesson, {{"dog", "pes"}});
    const QString sparse = Lesson("ridka.lq", "lq3 test1", WordLesson, {{"dog", "pes"}});
    GrowLesson(large, Records, true);
    GrowLesson(sparse, Records, false);
    FMain->Setup.ZkoVyrazKrat = 255;
    {
        const AddressSpaceLimit limit(128 << 20);
        OpenThroughDialog(large);
        OpenThroughDialog(sparse);
    }
    // Each opening showed its open dialog; only the large lesson had a box besides.
    ASSERT_EQ(dialogs->shown.size(), 3u) << dialogs->shown.back().text.toStdString();
    EXPECT_EQ(dialogs->shown[1].kind, Kind::Error);
    EXPECT_EQ(dialogs->shown[1].text,
              QString::fromUtf8("Lekce „%1“ je příliš velká, nelze ji otevřít.").arg(large));
    EXPECT_EQ(Recent(), (QStringList{sparse, large}));
    ASSERT_TRUE(FTest1->isVisible());
    EXPECT_EQ(FTest1->Drill().Count, 255);
}

} // namespace
