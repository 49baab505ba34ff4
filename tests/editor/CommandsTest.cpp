#include "DatGrid.h"
#include "EditorFixture.h"
#include "GridTyping.h"
#include "Registry.h"
#include "UAbout.h"
#include "ULesson.h"
#include "UMain.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

using editor::FMain;
using Kind = platform::ScriptedDialogs::Kind;
using Button = platform::Dialogs::Button;

class CommandTest : public EditorTest {
protected:
    void StartActive() {
        Start();
        FMain->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(FMain));
    }
    editor::TLessonWindow& OpenLesson(const QString& path) {
        dialogs->openAnswers.push_back(path);
        FMain->OtevritExecute();
        return *LessonWindows().back();
    }
    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
};

TEST_F(CommandTest, LessonCommandsDoNothingWithoutALessonWindow) {
    StartActive();
    for (const char* item : {"Ulozit1", "UlozitJako1", "Zavrit1", "Export1", "OdebratZaznam1",
                             "PredpritCas1", "PricestiMinule1", "PredminCas1", "MinulyCas1",
                             "NaSebe1", "NadSebe1", "SeraditIkony1", "ToolButton3", "ToolButton4"})
        Command(item).trigger();
    for (const QKeySequence& keys :
         {QKeySequence("Ctrl+S"), QKeySequence("Ctrl+U"), QKeySequence("Ctrl+Del")})
        QTest::keySequence(FMain, keys);
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_TRUE(LessonWindows().empty());
    EXPECT_TRUE(StartPanelShown());
}

TEST_F(CommandTest, ShortcutsReachTheActiveLessonWindow) {
    StartActive();
    FMain->NovyTest1Execute();
    QTest::keySequence(FMain, QKeySequence("Ctrl+S"));
    QTest::keySequence(FMain, QKeySequence("Ctrl+U"));
    EXPECT_EQ(Shown(Kind::SaveFile).size(), 2u) << "a new lesson is saved under a name";
    QTest::keySequence(FMain, QKeySequence("Ctrl+O"));
    ASSERT_EQ(Shown(Kind::OpenFile).size(), 1u);
    EXPECT_EQ(Shown(Kind::OpenFile)[0].text, "Soubory slovní zásoby (*.lq)");
    EXPECT_EQ(Shown(Kind::SaveFile)[0].text, "Soubory slovní zásoby (*.lq)");
    EXPECT_EQ(Shown(Kind::SaveFile)[0].caption, "") << "nothing chosen before";
}

TEST_F(CommandTest, ExportAppendsCsvUnlessTheNameEndsInExactlyThat) {
    Start();
    OpenLesson(WriteLesson("slova.lq", "lq3 test1", 2));
    for (const auto& [typed, written] : std::vector<std::pair<QString, QString>>{
             {"bez", "bez.csv"},
             {"velke.CSV", "velke.CSV.csv"},
             {"text.txt", "text.txt.csv"},
             {"hotovo.csv", "hotovo.csv"},
         }) {
        dialogs->saveAnswers.push_back(LessonPath(typed));
        Command("ExportMenu").trigger();
        EXPECT_EQ(Bytes(LessonPath(written)),
                  "\"word 1\";\"slovo 1\";\r\n\"word 2\";\"slovo 2\";\r\n")
            << typed.toStdString();
        EXPECT_EQ(FMain->SaveDialogExp.FileName(), LessonPath(written));
    }
    EXPECT_FALSE(QFile::exists(LessonPath("velke.CSV")));
    ASSERT_FALSE(Shown(Kind::SaveFile).empty());
    EXPECT_EQ(Shown(Kind::SaveFile)[0].text, "Hodnoty oddělené středníkem (*.csv)");
    // Each export starts at the name the one before it wrote.
    EXPECT_EQ(Shown(Kind::SaveFile)[1].caption, LessonPath("bez.csv"));
    EXPECT_TRUE(Shown(Kind::Warning).empty());
}

TEST_F(CommandTest, ExportOverAFileAsksFirst) {
    Start();
    OpenLesson(WriteLesson("slova.lq", "lq3 test1", 1));
    const QString target = LessonPath("stary.csv");
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("old");
    file.close();

    dialogs->saveAnswers = {target, target};
    dialogs->warningAnswers = {Button::No, Button::Yes};
    FMain->ExportMenuExecute();
    EXPECT_EQ(Bytes(target), "old");
    FMain->ExportMenuExecute();
    EXPECT_EQ(Bytes(target), "\"word 1\";\"slovo 1\";\r\n");
    const auto warnings = Shown(Kind::Warning);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0].text, "Tento soubor již existuje. Chcete jej přepsat?");

    dialogs->saveAnswers.clear();
    FMain->ExportMenuExecute(); // cancelled
    EXPECT_EQ(Shown(Kind::Warning).size(), 2u);
}

TEST_F(CommandTest, TenseLabelsGoIntoBothKindsOfWindow) {
    Start();
    editor::TLessonWindow& fillIn = OpenLesson(WriteLesson("doplnovani.lq", "lq4 test2b", 1));
    TDatGrid& grid = fillIn.DatGrid1();
    grid.SetCol(1);
    grid.SetRow(1);
    Command("PredminCas1").trigger();
    EXPECT_EQ(grid.Cells(1, 1), "<Předminulý čas:> word 1");
    EXPECT_EQ(fillIn.StatusText(0), "Neuloženo");

    FMain->NovyTest1Execute();
    editor::TLessonWindow& words = *LessonWindows().back();
    for (const char* command :
         {"VlozMinulyCas", "VlozPredminCas", "VlozPredpritCas", "VlozPricestiMinule"})
        Command(command).trigger();
    EXPECT_EQ(words.DatGrid1().Cells(1, 1),
              "<Příčestí minulé:> <Předpřítomný čas:> <Předminulý čas:> <Minulý čas:> ");
    EXPECT_EQ(grid.Cells(1, 1), "<Předminulý čas:> word 1") << "only the active window";
}

TEST_F(CommandTest, DeleteReachesTheActiveWindow) {
    Start();
    editor::TLessonWindow& window = OpenLesson(WriteLesson("slova.lq", "lq3 test1", 3));
    window.DatGrid1().SetRow(2);
    Command("OdebratZaznam1").trigger();
    EXPECT_EQ(window.Dat1().RecordCount(), 2);
}

TEST_F(CommandTest, CancelOnTheFirstUnsavedWindowKeepsTheEditorAsItWas) {
    Start();
    FMain->NovyTest1Execute();
    FMain->NovyTest1Execute();
    for (editor::TLessonWindow* window : LessonWindows())
        window->SetSaved(false);
    dialogs->warningAnswers = {Button::Cancel};
    EXPECT_FALSE(Stop());
    const auto warnings = Shown(Kind::Warning);
    ASSERT_EQ(warnings.size(), 1u) << "the second window is not asked";
    EXPECT_EQ(warnings[0].text, "Soubor není uložen. Chcete jej uložit?");
    EXPECT_EQ(LessonWindows().size(), 2u);
    EXPECT_TRUE(FMain->isVisible());
    platform::Registry user(platform::RegistryRoot::CurrentUser);
    EXPECT_FALSE(user.OpenKey(EditorKey, false)) << "no settings saved";
}

TEST_F(CommandTest, QuittingAsksEveryUnsavedWindowThenSaves) {
    Start();
    FMain->NovyTest1Execute();
    FMain->NovyTest1Execute();
    LessonWindows()[1]->SetSaved(false);
    dialogs->warningAnswers = {Button::No};
    Command("Ukoncit").trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(FMain->isVisible());
    EXPECT_EQ(Shown(Kind::Warning).size(), 1u);
    EXPECT_TRUE(UserKey()->ValueExists("Maximized"));
}

// No window goes before every window has answered: "Ne" for one and "Storno" for a later one keep
// both as they were, with what was typed and their working copies.
TEST_F(CommandTest, CancelAfterNoKeepsEveryWindowAsItWas) {
    StartActive();
    FMain->NovyTest1Execute();
    FMain->NovyTest1Execute();
    const std::vector<editor::TLessonWindow*> windows = LessonWindows();
    for (editor::TLessonWindow* window : windows) {
        window->DatGrid1().SetCol(1);
        TypeRow(*window, "dog", "pes");
    }
    const QDir workingCopies(install.filePath("Tmp"));
    dialogs->warningAnswers = {Button::No, Button::Cancel};
    EXPECT_FALSE(Stop());
    EXPECT_EQ(Shown(Kind::Warning).size(), 2u);
    ASSERT_EQ(LessonWindows(), windows);
    for (editor::TLessonWindow* window : windows) {
        EXPECT_FALSE(window->Saved());
        EXPECT_EQ(window->DatGrid1().Cells(1, 1), "dog");
    }
    EXPECT_EQ(workingCopies.entryList(QDir::Files).size(), 2);

    dialogs->warningAnswers = {Button::No, Button::No};
    EXPECT_TRUE(Stop());
    EXPECT_TRUE(workingCopies.isEmpty());
}

// The cell editor's own keys (Ctrl+U clears the line under X11) never take a command's shortcut.
TEST_F(CommandTest, ShortcutsInsideACellEditorReachTheirCommands) {
    StartActive();
    const QString path = WriteLesson("slova.lq", "lq3 test1", 2);
    editor::TLessonWindow& window = OpenLesson(path);
    window.DatGrid1().SetRow(1);
    window.DatGrid1().SetCol(2);
    Type(window, "pes");
    QLineEdit* cellEditor = Editor(window.DatGrid1());
    ASSERT_NE(cellEditor, nullptr);

    QTest::keyClick(cellEditor, Qt::Key_U, Qt::ControlModifier);
    EXPECT_TRUE(window.Saved());
    EXPECT_EQ(cellEditor->text(), "pes");
    TDat saved;
    saved.SetFileName(QFile::encodeName(path).toStdString());
    saved.SetActive(true);
    EXPECT_EQ(saved.ReadString("CJ", 1), "pes");
    saved.SetActive(false);

    QTest::keyClick(cellEditor, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(window.Dat1().RecordCount(), 1);
}

TEST_F(CommandTest, AboutBoxIsShownModally) {
    Start();
    bool shownModal = false;
    QTimer::singleShot(0, [&] {
        shownModal = editor::FAbout->isVisible() && editor::FAbout->isModal();
        editor::FAbout->reject();
    });
    Command("OProgramu1").trigger();
    EXPECT_TRUE(shownModal);
}
