#include "EditorFixture.h"
#include "Registry.h"
#include "UMain.h"
#include "UTest1.h"
#include "UTest2.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTest>

using editor::FMain;
using Kind = platform::ScriptedDialogs::Kind;

namespace {

// The commands that need a lesson window, in the order the frame sets them.
const std::vector<const char*> LessonCommands = {
    "Ulozit",         "UlozitJako",      "ExportMenu",         "Zavrit",       "OdebratZaznam",
    "VlozPredminCas", "VlozPredpritCas", "VlozPricestiMinule", "VlozMinulyCas"};
const std::vector<const char*> AlwaysCommands = {"OProgramu", "NaSebe",  "NadSebe", "Seradit",
                                                 "Novy",      "Otevrit", "Ukoncit"};

void Click(QWidget& control) {
    QTest::mouseClick(&control, Qt::LeftButton, {}, control.rect().center());
}

} // namespace

class FrameTest : public EditorTest {
protected:
    void ExpectLessonCommandsEnabled(bool enabled) const {
        for (const char* name : LessonCommands)
            EXPECT_EQ(Command(name).isEnabled(), enabled) << name;
        for (const char* name : AlwaysCommands)
            EXPECT_TRUE(Command(name).isEnabled()) << name;
    }
    void OpenThroughDialog(const QString& path) {
        dialogs->openAnswers.push_back(path);
        Command("Otevrit").trigger();
    }
};

TEST_F(FrameTest, StartsWithThePanelAndWithoutLessonCommands) {
    Start();
    EXPECT_EQ(FMain->windowTitle(), "Editor slovní zásoby pro Lexiquill");
    EXPECT_TRUE(StartPanelShown());
    ExpectLessonCommandsEnabled(false);
    EXPECT_EQ(RecentLabels(), QStringList({"", "", "", ""}));
    for (QAction* item : Control<QMenu>("PMOtev").actions())
        EXPECT_FALSE(item->isVisible());
}

TEST_F(FrameTest, LessonWindowsSwitchThePanelAndTheCommands) {
    Start();
    Click(Control("Label5"));
    ASSERT_EQ(LessonWindows().size(), 1u);
    EXPECT_NE(qobject_cast<editor::TFTest1*>(LessonWindows()[0]), nullptr);
    EXPECT_EQ(LessonWindows()[0]->Tag(), 1);
    EXPECT_FALSE(StartPanelShown());
    ExpectLessonCommandsEnabled(true);

    // "Nový" brings the panel back beside the window; a second new lesson hides it again.
    Command("ToolButton1").trigger();
    EXPECT_TRUE(StartPanelShown());
    Click(Control("Image4"));
    EXPECT_EQ(LessonWindows().size(), 2u);
    EXPECT_FALSE(StartPanelShown());

    Command("ToolButton1").trigger();
    Click(Control("SpeedButton3"));
    EXPECT_FALSE(StartPanelShown());

    Command("Zavrit").trigger();
    EXPECT_EQ(LessonWindows().size(), 1u);
    EXPECT_FALSE(StartPanelShown());
    ExpectLessonCommandsEnabled(true);
    Command("Zavrit1").trigger();
    EXPECT_TRUE(LessonWindows().empty());
    EXPECT_TRUE(StartPanelShown());
    ExpectLessonCommandsEnabled(false);
    EXPECT_TRUE(dialogs->shown.empty()) << "new lessons close unasked";
}

TEST_F(FrameTest, SixRecentFilesShowTheFirstFourAndOpeningOneMovesItUp) {
    auto recent = UserKey(RecentKey);
    for (int n = 1; n <= 6; ++n)
        recent->WriteString(QString::number(n),
                            WriteLesson(QStringLiteral("lekce%1.lq").arg(n), "lq3 test1"));
    recent->Flush();
    Start();
    EXPECT_EQ(FMain->RecentFiles.Count, 6);
    EXPECT_EQ(RecentLabels(), QStringList({"lekce1.lq", "lekce2.lq", "lekce3.lq", "lekce4.lq"}));
    QStringList items;
    for (QAction* item : Control<QMenu>("PMOtev").actions())
        items << (item->isVisible() ? item->text() : QString());
    EXPECT_EQ(items, RecentLabels());

    Click(Control("LbOtev3"));
    ASSERT_EQ(LessonWindows().size(), 1u);
    EXPECT_EQ(LessonWindows()[0]->LessonFile(), LessonPath("lekce3.lq"));
    FMain->ZobrazPanNovyExecute();
    EXPECT_EQ(RecentLabels(), QStringList({"lekce3.lq", "lekce1.lq", "lekce2.lq", "lekce4.lq"}));

    Command("MOtev4").trigger();
    EXPECT_EQ(LessonWindows().size(), 2u);
    EXPECT_EQ(RecentLabels().first(), "lekce4.lq");
    EXPECT_EQ(FMain->RecentFiles.Count, 6);
}

TEST_F(FrameTest, RecentFileThatIsGoneDoesNothing) {
    const QString gone = WriteLesson("pryc.lq", "lq3 test1");
    UserKey(RecentKey)->WriteString("1", gone);
    QFile::remove(gone);
    Start();
    Click(Control("LbOtev1"));
    Command("MOtev1").trigger();
    EXPECT_TRUE(LessonWindows().empty());
    EXPECT_EQ(RecentLabels().first(), "pryc.lq");
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_FALSE(QFile::exists(gone));
}

TEST_F(FrameTest, MarkerChoosesTheWindowKind) {
    Start();
    OpenThroughDialog(WriteLesson("slova.lq", "lq3 test1"));
    OpenThroughDialog(WriteLesson("a.lq", "lq4 test2a"));
    OpenThroughDialog(WriteLesson("b.lq", "lq4 test2b"));
    const auto windows = LessonWindows();
    ASSERT_EQ(windows.size(), 3u);
    EXPECT_NE(qobject_cast<editor::TFTest1*>(windows[0]), nullptr);
    EXPECT_EQ(windows[0]->Tag(), 1);
    for (editor::TLessonWindow* fillIn : {windows[1], windows[2]}) {
        EXPECT_NE(qobject_cast<editor::TFTest2*>(fillIn), nullptr);
        EXPECT_EQ(fillIn->Tag(), 2);
    }
    EXPECT_EQ(FMain->ActiveLessonWindow(), windows[2]);
    EXPECT_EQ(RecentLabels(), QStringList({"b.lq", "a.lq", "slova.lq", ""}));
    EXPECT_TRUE(Shown(Kind::Error).empty());
}

TEST_F(FrameTest, MarkerOfNoKindOpensNoWindowButEntersTheRecentList) {
    Start();
    for (const char* marker : {"LQ3 test1", " lq4 test2", "lq3 test", ""})
        OpenThroughDialog(WriteLesson(QStringLiteral("jiny%1.lq").arg(strlen(marker)), marker));
    EXPECT_TRUE(LessonWindows().empty());
    EXPECT_EQ(FMain->RecentFiles.Count, 4);
    EXPECT_TRUE(StartPanelShown());
    EXPECT_TRUE(dialogs->shown.size() == 4u) << "only the four open dialogs";
}

TEST_F(FrameTest, TextFileIsNotCompatibleAndChangesNothing) {
    Start();
    const QString text = LessonPath("poznamky.txt");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("dog;pes\r\n");
    file.close();
    OpenThroughDialog(text);
    ASSERT_EQ(Shown(Kind::Error).size(), 1u);
    EXPECT_EQ(Shown(Kind::Error)[0].text, "File is not compatible");
    EXPECT_TRUE(LessonWindows().empty());
    EXPECT_EQ(FMain->RecentFiles.Count, 0);
    EXPECT_FALSE(FMain->Dat1.Active());
    EXPECT_TRUE(StartPanelShown());
}

TEST_F(FrameTest, SameLessonOpenedTwiceGivesTwoWindows) {
    Start();
    const QString lesson = WriteLesson("slova.lq", "lq3 test1", 3);
    OpenThroughDialog(lesson);
    OpenThroughDialog(lesson);
    const auto windows = LessonWindows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0]->LessonFile(), lesson);
    EXPECT_EQ(windows[1]->LessonFile(), lesson);
    EXPECT_EQ(FMain->RecentFiles.Count, 1);
    EXPECT_TRUE(Shown(Kind::Error).empty());
}

TEST_F(FrameTest, MistypedNameInTheOpenDialogCreatesNothing) {
    Start();
    const QString typed = LessonPath("preklep.lq");
    OpenThroughDialog(typed);
    EXPECT_FALSE(QFile::exists(typed));
    EXPECT_TRUE(LessonWindows().empty());
    EXPECT_EQ(FMain->RecentFiles.Count, 0);
    EXPECT_TRUE(Shown(Kind::Error).empty());
}

TEST_F(FrameTest, ReadOnlyLessonStillOpensForEditing) {
    Start();
    const QString lesson = WriteLesson("jen-cist.lq", "lq3 test1", 2);
    QFile::setPermissions(lesson, QFile::ReadOwner | QFile::ReadGroup);
    OpenThroughDialog(lesson);
    EXPECT_TRUE(Shown(Kind::Error).empty());
    ASSERT_EQ(LessonWindows().size(), 1u);
    EXPECT_EQ(LessonWindows()[0]->Tag(), 1);
}

TEST_F(FrameTest, FailedNewLessonLeavesNoWindowToTypeInto) {
    QDir(install.path()).rmdir("Tmp");
    Start();
    Click(Control("Label5"));
    ASSERT_EQ(Shown(Kind::Error).size(), 1u);
    EXPECT_TRUE(Shown(Kind::Error)[0].text.startsWith("Cannot create file"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(LessonWindows().empty());
    EXPECT_EQ(FMain->ActiveLessonWindow(), nullptr);
    EXPECT_TRUE(StartPanelShown()) << "the steps after a failed new lesson do not run";
    EXPECT_FALSE(Command("Ulozit").isEnabled());
}
