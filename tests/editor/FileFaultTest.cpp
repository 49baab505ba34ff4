// Lessons and edits against full disks and failing media: every file call that opening, editing
// and saving a lesson makes is failed in turn through the preloaded fault shim.
#include "EditorFixture.h"
#include "FaultShim.h"
#include "GridTyping.h"
#include "LessonFixture.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <optional>
#include <unistd.h>

namespace {

using editor::TFTest1;
using Content = LessonContent;
using Kind = platform::ScriptedDialogs::Kind;

class FileFaultTest : public LessonFixture, public ::testing::WithParamInterface<bool> {
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
        // A completed row, then text typed but not completed in the row it added: the lesson
        // grows. After an error box the author completes the row again.
        window->DatGrid1().SetRow(1);
        window->DatGrid1().SetCol(2);
        Type(*window, "kocka");
        Enter(*window);
        if (window->DatGrid1().Row() == 1) {
            window->DatGrid1().SetCol(2);
            Enter(*window);
        }
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

    // The lesson as it was before a save, with a time long past, and with a second name when
    // `linked`.
    void Restore(const QString& path, const QByteArray& original, bool linked) {
        QFile::remove(path);
        QFile::remove(LessonPath("druhe.lq"));
        QFile restore(path);
        ASSERT_TRUE(restore.open(QIODevice::WriteOnly) &&
                    restore.write(original) == original.size() && restore.flush());
        ASSERT_TRUE(restore.setFileTime(OldTime, QFileDevice::FileModificationTime));
        restore.close();
        ASSERT_TRUE(!linked || link(QFile::encodeName(path).constData(),
                                    QFile::encodeName(LessonPath("druhe.lq")).constData()) == 0);
    }

    const QDateTime OldTime = QDateTime::fromSecsSinceEpoch(1'600'000'000);
    QStringList reported_;
    QStringList openFailures_;
};

// The lesson is always its old self, time included, or its new self, a save that did not store
// everything never says it did, no file is left half written beside it, and the window saves
// everything once the fault has gone, asking nothing about its own attempt. A lesson with a
// second name is written in place, where a failure after the last byte leaves it new, unsaved.
TEST_P(FileFaultTest, EveryFailingFileCallLeavesTheLessonWholeAndTheWindowAbleToSave) {
    const bool linked = GetParam();
    const QString path = WriteLesson("lekce.lq", "lq3 test1", {{"dog", "pes"}}, "AJ", "CJ");
    const QByteArray original = FileBytes(path);
    const QStringList names =
        linked ? QStringList{"druhe.lq", "lekce.lq"} : QStringList{"lekce.lq"};

    bool saved = false;
    Restore(path, original, linked);
    shim.Fail(0, 0);
    TFTest1* clean = OpenEditAndSave(path, saved);
    ASSERT_TRUE(saved);
    const int calls = shim.Calls();
    const Content after = ReadLesson(path);
    ASSERT_EQ(after, (Content{"lq3 test1", {{"dog", "kocka"}, {"cat", ""}}}));
    ASSERT_TRUE(Close(*clean));

    for (int nth = 1; nth <= calls; ++nth) {
        SCOPED_TRACE("failing file call " + std::to_string(nth) + " of " + std::to_string(calls));
        Restore(path, original, linked);
        dialogs->shown.clear();
        reported_.clear();
        openFailures_.clear();

        const int error = nth % 2 ? ENOSPC : EIO;
        shim.Fail(nth, error);
        TFTest1* window = OpenEditAndSave(path, saved);
        shim.Fail(0, 0);

        const Content now = ReadLesson(path);
        const bool old = FileBytes(path) == original;
        EXPECT_TRUE(old || now == after) << ::testing::PrintToString(now);
        EXPECT_TRUE(!old || QFileInfo(path).lastModified() == OldTime);
        // Once the new lesson is in place by its rename the save has happened, whatever fails
        // after it.
        EXPECT_TRUE(saved ? now == after : linked || old);
        if (!saved) {
            EXPECT_FALSE(Reported().empty()) << "a save that did not happen was not reported";
        }
        // The system's reason, in its words or in Qt's.
        for (const QString& message : reported_)
            EXPECT_TRUE(message.contains(QString::fromUtf8(std::strerror(error))) ||
                        message.contains(qt_error_string(error)))
                << message.toStdString();
        EXPECT_EQ(LessonFolder(), names);

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

INSTANTIATE_TEST_SUITE_P(OneNameOrTwo, FileFaultTest, ::testing::Bool());

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

    // Overwritten but not cut to its shorter length, it is no longer whole: the author hears so.
    Command("OdebratZaznam").trigger();
    shim.Count("ftruncate,ftruncate64");
    shim.Fail(1, EIO);
    Command("Ulozit").trigger();
    ASSERT_EQ(Errors().size(), 2);
    EXPECT_TRUE(Errors()[1].endsWith("Input/output error. Soubor lekce teď není celý: až bude na "
                                     "disku místo, uložte lekci znovu, tím se opraví."));
    FreeDisk();
    Command("Ulozit").trigger();
    EXPECT_TRUE(Shown(Kind::Warning).empty());
    EXPECT_EQ(ReadLesson(other).pairs.size(), 2u);
}

// A file system that keeps no permissions (FAT through FUSE) says so when they are set: saving,
// saving as and exporting go on.
TEST_F(FrameFaultTest, FileSystemWithoutPermissionsTakesEveryWrite) {
    Open(WriteLesson("slova.lq", "lq3 test1", 1));
    shim.Watch(QFile::encodeName(lessons.path()).constData());
    shim.Count("fchmod");
    dialogs->saveAnswers = {LessonPath("kopie.lq"), LessonPath("slova.csv")};
    for (const char* command : {"Ulozit", "UlozitJako", "ExportMenu"}) {
        shim.Fail(1, command[0] == 'E' ? EOPNOTSUPP : ENOSYS);
        Command(command).trigger();
        EXPECT_TRUE(shim.Failed()) << command;
    }
    EXPECT_TRUE(Errors().empty()) << Errors().join('\n').toStdString();
    EXPECT_EQ(ReadLesson(LessonPath("kopie.lq")), ReadLesson(LessonPath("slova.lq")));
    EXPECT_EQ(FileBytes(LessonPath("slova.csv")), "\"word 1\";\"slovo 1\";\r\n");
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
