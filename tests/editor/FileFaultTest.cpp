// Lessons and edits against full disks and failing media: every file call that opening, editing
// and saving a lesson makes is failed in turn through the preloaded fault shim.
#include "EditorFixture.h"
#include "FaultShim.h"
#include "GridTyping.h"
#include "LessonFixture.h"

#include <QDir>
#include <cerrno>
#include <cstring>
#include <optional>
#include <unistd.h>

namespace {

using editor::TFTest1;
using Content = LessonContent;
using Kind = platform::ScriptedDialogs::Kind;

class FileFaultTest : public LessonFixture {
protected:
    FaultShim shim;

    FileFaultTest() {
        shim.Watch(QFile::encodeName(lessons.path()).constData());
        shim.Watch(QFile::encodeName(install.path()).constData());
    }
    ~FileFaultTest() override {
        shim.Fail(0, 0);
        shim.Watch(nullptr);
    }

    QStringList LessonFolder() const { return QDir(lessons.path()).entryList(QDir::Files); }
    QStringList WorkingFolder() const {
        return QDir(install.filePath("Tmp")).entryList(QDir::Files);
    }

    // Opens the lesson, completes a row in it and saves it; the window, or none when the lesson
    // could not be opened.
    TFTest1* OpenEditAndSave(const QString& path, bool& saved) {
        saved = false;
        TFTest1* window = &MakeWindow<TFTest1>();
        try {
            window->OpenFile(path);
        } catch (const std::exception& error) {
            // As the frame does with a window whose lesson could not be opened.
            window->Discard();
            openFailures_ << error.what();
            return nullptr;
        }
        StartTyping(*window);
        // A completed row, then text typed but not completed.
        window->DatGrid1().SetRow(1);
        window->DatGrid1().SetCol(2);
        Type(*window, "kocka");
        Enter(*window);
        window->DatGrid1().SetRow(1);
        window->DatGrid1().SetCol(1);
        Type(*window, "cat");
        try {
            saved = window->Save();
        } catch (const std::exception& error) {
            reported_.push_back(error.what());
        }
        return window;
    }

    // What was said of a failure, in error boxes or by a save that raised.
    QStringList Reported() const {
        QStringList all = reported_ + openFailures_;
        for (const QString& error : ErrorsShown())
            all << error;
        return all;
    }

    QStringList reported_;
    QStringList openFailures_;
};

// The lesson is always its old or its new self, a save that did not store everything never says
// it did, no file is left half written beside it, and the window saves everything once the fault
// has gone.
TEST_F(FileFaultTest, EveryFailingFileCallLeavesTheLessonWholeAndTheWindowAbleToSave) {
    const Content before{"lq3 test1", {{"dog", "pes"}}};
    const QString path = WriteLesson("lekce.lq", "lq3 test1", before.pairs, "AJ", "CJ");
    const QByteArray original = FileBytes(path);

    bool saved = false;
    shim.Fail(0, 0);
    TFTest1* clean = OpenEditAndSave(path, saved);
    ASSERT_TRUE(saved);
    const int calls = shim.Calls();
    const Content after = ReadLesson(path);
    ASSERT_EQ(after, (Content{"lq3 test1", {{"cat", "kocka"}}}));
    ASSERT_TRUE(Close(*clean));

    for (int nth = 1; nth <= calls; ++nth) {
        SCOPED_TRACE("failing file call " + std::to_string(nth) + " of " + std::to_string(calls));
        ASSERT_TRUE(QFile::remove(path));
        QFile restore(path);
        ASSERT_TRUE(restore.open(QIODevice::WriteOnly) &&
                    restore.write(original) == original.size());
        restore.close();
        dialogs->shown.clear();
        reported_.clear();
        openFailures_.clear();

        const int error = nth % 2 ? ENOSPC : EIO;
        shim.Fail(nth, error);
        TFTest1* window = OpenEditAndSave(path, saved);
        shim.Fail(0, 0);

        const Content now = ReadLesson(path);
        EXPECT_TRUE(now == before || now == after) << ::testing::PrintToString(now);
        // Once the new lesson is in place the save has happened, whatever fails after it.
        EXPECT_EQ(saved, now == after);
        if (!saved) {
            EXPECT_FALSE(Reported().empty()) << "a save that did not happen was not reported";
        }
        // The system's reason, in its words or in Qt's.
        for (const QString& message : reported_)
            EXPECT_TRUE(message.contains(QString::fromUtf8(std::strerror(error))) ||
                        message.contains(qt_error_string(error)))
                << message.toStdString();
        EXPECT_EQ(LessonFolder(), QStringList{"lekce.lq"});

        if (window == nullptr) {
            window = OpenEditAndSave(path, saved);
            ASSERT_NE(window, nullptr) << "the retry";
            EXPECT_TRUE(saved) << "the retry";
        } else if (!saved) {
            EXPECT_TRUE(window->Save()) << "the retry";
        }
        EXPECT_EQ(ReadLesson(path), after);
        ASSERT_TRUE(Close(*window));
        EXPECT_TRUE(WorkingFolder().isEmpty());
    }
}

// The same faults through the editor's frame, as the author meets them: the error box says why,
// and once the fault is gone the same command succeeds.
class FrameFaultTest : public EditorTest {
protected:
    FaultShim shim;

    void SetUp() override {
        EditorTest::SetUp();
        Start();
    }
    void TearDown() override {
        shim.Fail(0, 0);
        shim.Count(nullptr);
        shim.Watch(nullptr);
        EditorTest::TearDown();
    }
    // The next write into `folder` fails as on a full disk.
    void FillDisk(const QString& folder) {
        shim.Watch(QFile::encodeName(folder).constData());
        shim.Count("write,pwrite,pwrite64");
        shim.Fail(1, ENOSPC);
    }
    void FreeDisk() { shim.Fail(0, 0); }
    editor::TLessonWindow& Open(const QString& path) {
        dialogs->openAnswers.push_back(path);
        editor::FMain->OtevritExecute();
        editor::TLessonWindow& window = *LessonWindows().back();
        window.DatGrid1().setFocus();
        return window;
    }
    QStringList Errors() const {
        QStringList texts;
        for (const auto& box : Shown(Kind::Error))
            texts << box.text;
        return texts;
    }
};

TEST_F(FrameFaultTest, SaveOntoAFullDiskSaysWhyAndKeepsTheLesson) {
    const QString path = WriteLesson("slova.lq", "lq3 test1", 2);
    const QByteArray before = FileBytes(path);
    editor::TLessonWindow& window = Open(path);
    window.DatGrid1().SetRow(1);
    window.DatGrid1().SetCol(2);
    Type(window, "pes");

    FillDisk(lessons.path());
    Command("Ulozit").trigger();
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_TRUE(Errors()[0].contains("No space left on device")) << Errors()[0].toStdString();
    EXPECT_EQ(window.StatusText(0), "Neuloženo");
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_EQ(QDir(lessons.path()).entryList(QDir::Files), QStringList{"slova.lq"});

    FreeDisk();
    Command("Ulozit").trigger();
    EXPECT_EQ(Errors().size(), 1);
    EXPECT_TRUE(window.Saved());
    EXPECT_EQ(ReadLesson(path).pairs[0].second, "pes");
}

// A lesson with a second name is written in place: a full disk found before the first old byte
// is overwritten leaves it as it was, size included, and is no change of another program's.
TEST_F(FrameFaultTest, InPlaceSaveOntoAFullDiskLeavesTheLessonAsItWas) {
    const QString path = WriteLesson("slova.lq", "lq3 test1", 2);
    const QString other = LessonPath("druhe-jmeno.lq");
    ASSERT_EQ(link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()), 0);
    const QByteArray before = FileBytes(path);
    editor::TLessonWindow& window = Open(path);
    window.DatGrid1().SetRow(2);
    window.DatGrid1().SetCol(2);
    Type(window, "pes");
    Enter(window);
    TypeRow(window, "cat", "kocka");

    FillDisk(lessons.path());
    Command("Ulozit").trigger();
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_TRUE(Errors()[0].contains("No space left on device")) << Errors()[0].toStdString();
    EXPECT_EQ(FileBytes(path), before);

    FreeDisk();
    Command("Ulozit").trigger();
    EXPECT_TRUE(Shown(Kind::Warning).empty());
    EXPECT_TRUE(window.Saved());
    EXPECT_EQ(ReadLesson(other).pairs.back().first, "cat");
}

TEST_F(FrameFaultTest, ExportOntoAFullDiskSaysWhyAndKeepsTheFileItWouldReplace) {
    editor::TLessonWindow& window = Open(WriteLesson("slova.lq", "lq3 test1", 1));
    const QString csv = LessonPath("slova.csv");
    QFile old(csv);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();

    FillDisk(lessons.path());
    dialogs->saveAnswers.push_back(csv);
    dialogs->warningAnswers.push_back(platform::Dialogs::Button::Yes);
    Command("ExportMenu").trigger();
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_TRUE(Errors()[0].contains("No space left on device")) << Errors()[0].toStdString();
    EXPECT_EQ(FileBytes(csv), "old");
    EXPECT_EQ(QDir(lessons.path()).entryList(QDir::Files), QStringList({"slova.csv", "slova.lq"}));

    FreeDisk();
    dialogs->saveAnswers.push_back(csv);
    dialogs->warningAnswers.push_back(platform::Dialogs::Button::Yes);
    Command("ExportMenu").trigger();
    EXPECT_EQ(FileBytes(csv), "\"word 1\";\"slovo 1\";\r\n");
    EXPECT_TRUE(window.Saved());
}

// A full working folder closes the table: the author hears why, the grid keeps every row, and
// the next completed row or save writes a working copy again.
TEST_F(FrameFaultTest, FullWorkingFolderLosesNoRowAndWritesAgainOnceThereIsRoom) {
    const QString path = WriteLesson("slova.lq", "lq3 test1", 1);
    editor::TLessonWindow& window = Open(path);
    window.DatGrid1().SetRow(1);
    window.DatGrid1().SetCol(2);
    Type(window, "pes");

    FillDisk(install.filePath("Tmp"));
    Enter(window);
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_TRUE(Errors()[0].startsWith("Pracovní kopii lekce")) << Errors()[0].toStdString();
    EXPECT_TRUE(Errors()[0].contains("No space left on device"));
    EXPECT_EQ(window.DatGrid1().Cells(1, 1), "word 1");
    EXPECT_EQ(window.DatGrid1().Cells(2, 1), "pes");

    // Still full: the save says so too and writes nothing.
    shim.Fail(1, ENOSPC);
    Command("Ulozit").trigger();
    EXPECT_EQ(Errors().size(), 2);
    EXPECT_EQ(ReadLesson(path).pairs[0].second, "slovo 1");

    FreeDisk();
    window.DatGrid1().SetCol(2);
    Enter(window);
    EXPECT_EQ(Errors().size(), 2);
    EXPECT_EQ(window.StatusText(1), "Počet záznamů: 2");
    Type(window, "cat");
    Command("Ulozit").trigger();
    EXPECT_EQ(Errors().size(), 2);
    EXPECT_EQ(ReadLesson(path).pairs,
              (std::vector<std::pair<std::string, std::string>>{{"word 1", "pes"}, {"cat", ""}}));
}

} // namespace
