// The lesson windows' file side: new lesson, working copies, save, save as and the close
// question.
#include "FileReplacement.h"
#include "FileStream.h"
#include "LessonFixture.h"

#include <QFileInfo>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using editor::TFTest1;
using editor::TFTest2;
using editor::TLessonWindow;
using Button = platform::Dialogs::Button;
using Content = LessonContent;

class LessonFileTest : public LessonFixture {};

TEST_F(LessonFileTest, NewLessonShowsOneEmptyRowOverAFreshWorkingCopy) {
    // A working copy left behind by an earlier run is not taken over.
    QFile leftover(TempName(1));
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.write("left over");
    leftover.close();

    TFTest1& window = NewLesson();

    EXPECT_EQ(window.windowTitle(), "Test otázka odpověď - Nový");
    EXPECT_EQ(window.LessonFile(), "Nový");
    EXPECT_EQ(window.DatGrid1().RowCount(), 2);
    EXPECT_EQ(window.DatGrid1().ColCount(), 3);
    EXPECT_EQ(window.DatGrid1().Cells(0, 1), "1");
    EXPECT_EQ(window.DatGrid1().Cells(1, 0), "Cizí výraz");
    EXPECT_EQ(window.DatGrid1().Cells(2, 0), "Český výraz");
    EXPECT_TRUE(window.Saved());
    EXPECT_EQ(window.StatusText(0), "");
    EXPECT_EQ(window.StatusText(1), "Počet záznamů: 1");

    TDat& dat = window.Dat1();
    EXPECT_EQ(dat.FileName(), QFile::encodeName(TempName(1)).toStdString());
    std::string marker;
    dat.GetDataType(marker);
    EXPECT_EQ(marker, "lq3 test1");
    ASSERT_EQ(dat.FieldCount(), 2);
    EXPECT_EQ(dat.FieldName(1), "AJ");
    EXPECT_EQ(dat.FieldName(2), "CJ");
    EXPECT_EQ(dat.GetFieldType(1), dtString);
    EXPECT_EQ(dat.FieldSize(1), TDat::TypeSize(dtString, 100));
    EXPECT_EQ(dat.FieldSize(2), TDat::TypeSize(dtString, 100));
    EXPECT_EQ(dat.RecordCount(), 1);
    EXPECT_EQ(dat.ReadString("AJ", 1), "");
    EXPECT_EQ(dat.ReadString("CJ", 1), "");
}

TEST_F(LessonFileTest, SaveAsAppendsTheExtensionAndDropsTheTrailingEmptyRecord) {
    TFTest1& window = NewLesson();
    dialogs->saveAnswers.push_back(LessonPath("lekce"));
    ASSERT_TRUE(window.Save());

    const QString saved = LessonPath("lekce.lq");
    EXPECT_EQ(window.LessonFile(), saved);
    EXPECT_EQ(window.windowTitle(), "Test otázka odpověď - lekce.lq");
    EXPECT_EQ(ReadLesson(saved), (Content{"lq3 test1", {}}));
    EXPECT_EQ(FileBytes(saved), FileBytes(TempName(1)));
    EXPECT_TRUE(window.Saved());
    // The count follows the dropped record.
    EXPECT_EQ(window.StatusText(1), "Počet záznamů: 0");

    // A lesson without records has nothing to drop and saves again.
    EXPECT_TRUE(window.Save());
    EXPECT_TRUE(ErrorsShown().empty());

    // Only ".lq" itself counts as the extension, case included.
    dialogs->saveAnswers.push_back(LessonPath("velka.LQ"));
    ASSERT_TRUE(window.SaveAs());
    EXPECT_EQ(window.LessonFile(), LessonPath("velka.LQ.lq"));
    dialogs->saveAnswers.push_back(LessonPath("mala.lq"));
    ASSERT_TRUE(window.SaveAs());
    EXPECT_EQ(window.LessonFile(), LessonPath("mala.lq"));
    EXPECT_TRUE(QFileInfo::exists(LessonPath("mala.lq")));
}

TEST_F(LessonFileTest, OverwriteAnsweredNoWritesNothingAndKeepsTheName) {
    const QString existing = WriteLesson("stara.lq", "lq3 test1", {{"old", "stary"}}, "AJ", "CJ");
    const QByteArray before = FileBytes(existing);
    TFTest1& window = NewLesson();
    TypeRow(window, "dog", "pes");

    dialogs->saveAnswers.push_back(existing);
    dialogs->warningAnswers.push_back(Button::No);
    EXPECT_FALSE(window.Save());
    EXPECT_EQ(dialogs->shown.back().text, "Tento soubor již existuje. Chcete jej přepsat?");
    EXPECT_EQ(FileBytes(existing), before);
    EXPECT_EQ(window.LessonFile(), "Nový");
    EXPECT_EQ(window.windowTitle(), "Test otázka odpověď - Nový");
    EXPECT_FALSE(window.Saved());

    dialogs->saveAnswers.push_back(existing);
    dialogs->warningAnswers.push_back(Button::Yes);
    EXPECT_TRUE(window.Save());
    EXPECT_EQ(ReadLesson(existing), (Content{"lq3 test1", {{"dog", "pes"}}}));
}

// Only field 1 of the last record decides; the grid's typed text is stored first, so what the
// author sees is what is saved.
TEST_F(LessonFileTest, SaveKeepsTypedTextAndDropsALastRecordWithoutField1) {
    const QString path = WriteLesson("otazky.lq", "lq3 test1",
                                     {{"dog", "pes"}, {"", ""}, {"", "jen druhe"}}, "AJ", "CJ");
    auto& window = OpenLesson<TFTest1>(path);
    EXPECT_EQ(window.StatusText(1), "Počet záznamů: 3");
    window.DatGrid1().SetRow(1);
    window.DatGrid1().SetCol(2);
    Type(window, "x");
    ASSERT_TRUE(window.Save());

    EXPECT_EQ(ReadLesson(path), (Content{"lq3 test1", {{"dog", "x"}, {"", ""}}}));
    EXPECT_EQ(window.DatGrid1().RowCount(), 3);
    EXPECT_TRUE(window.Saved());
    EXPECT_EQ(window.StatusText(0), "");
}

TEST_F(LessonFileTest, FillInLessonsKeepTheirMarker) {
    for (const std::string marker : {"lq4 test2a", "lq4 test2b"}) {
        const QString path =
            WriteLesson(QString::fromStdString(marker) + ".lq", marker, {{"I have _", "a dog"}});
        auto& window = OpenLesson(path);
        EXPECT_EQ(window.windowTitle(), "Doplňování - " + QString::fromStdString(marker) + ".lq");
        EXPECT_EQ(window.DatGrid1().Cells(1, 0), "Věta");
        EXPECT_EQ(window.DatGrid1().Cells(2, 0), "Výraz pro vložení");
        EXPECT_EQ(window.DatGrid1().Cells(1, 1), "I have _");
        ASSERT_TRUE(window.Save());
        EXPECT_EQ(ReadLesson(path, "veta", "vyraz"), (Content{marker, {{"I have _", "a dog"}}}));
        EXPECT_TRUE(Close(window));
    }
}

// Opening works on a copy: the lesson file stays as it was until the author saves, and a
// read-only lesson still gives a copy the window can write.
TEST_F(LessonFileTest, OpenedLessonIsEditedInAWritableWorkingCopy) {
    const QString path = WriteLesson("jen-cist.lq", "lq4 test2a", {{"I have _", "a dog"}});
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
    const QByteArray before = FileBytes(path);

    auto& window = OpenLesson(path);
    EXPECT_TRUE(QFileInfo(TempName(1)).permissions().testFlag(QFile::WriteOwner));
    window.DatGrid1().SetCol(2);
    Enter(window);
    Type(window, "x");
    Enter(window);
    Enter(window);

    EXPECT_TRUE(window.Dat1().Active());
    EXPECT_EQ(window.Dat1().RecordCount(), 2);
    EXPECT_EQ(FileBytes(path), before);
}

TEST_F(LessonFileTest, WindowsNeverShareAWorkingCopy) {
    TFTest1& first = NewLesson();
    TFTest1& second = NewLesson();
    TypeRow(second, "cat", "kocka");
    const QByteArray secondCopy = FileBytes(TempName(2));
    ASSERT_TRUE(QFileInfo::exists(TempName(1)));

    dialogs->warningAnswers.push_back(Button::No);
    ASSERT_TRUE(Close(first));
    EXPECT_FALSE(QFileInfo::exists(TempName(1)));
    EXPECT_EQ(TLessonWindow::OpenWindows(), std::vector<TLessonWindow*>{&second});

    // Two windows exist again, but number 2 is taken: the new one gets the free number 1.
    TFTest1& third = NewLesson();
    EXPECT_TRUE(third.Dat1().Active());
    EXPECT_EQ(third.Dat1().FileName(), QFile::encodeName(TempName(1)).toStdString());
    EXPECT_EQ(FileBytes(TempName(2)), secondCopy);
    EXPECT_TRUE(ErrorsShown().empty());
}

TEST_F(LessonFileTest, WorkingCopyOfAnotherEditorIsLeftAlone) {
    {
        QFile file(TempName(1));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("another editor's lesson");
    }
    const FileStream otherEditor(QFile::encodeName(TempName(1)).toStdString(),
                                 FileStream::Mode::Read);
    TFTest1& window = NewLesson();
    EXPECT_EQ(window.Dat1().FileName(), QFile::encodeName(TempName(2)).toStdString());
    EXPECT_EQ(FileBytes(TempName(1)), "another editor's lesson");
    EXPECT_TRUE(ErrorsShown().empty());
}

TEST_F(LessonFileTest, SaveThatCannotWriteReportsAndStaysUnsaved) {
    QDir gone(LessonPath("slozka"));
    ASSERT_TRUE(gone.mkpath("."));
    TFTest1& window = NewLesson();
    TypeRow(window, "dog", "pes");
    dialogs->saveAnswers.push_back(gone.filePath("lekce.lq"));
    ASSERT_TRUE(window.Save());
    window.DatGrid1().SetRow(1);
    window.DatGrid1().SetCol(1);
    Type(window, "cat");
    ASSERT_TRUE(gone.removeRecursively());

    EXPECT_THROW(window.Save(), std::runtime_error);
    EXPECT_FALSE(window.Saved());
    EXPECT_EQ(window.StatusText(0), "Neuloženo");
    // The working copy is open again and holds everything typed.
    ASSERT_TRUE(window.Dat1().Active());
    EXPECT_EQ(window.Dat1().ReadString("AJ", 1), "cat");
}

// A working copy deleted from outside is made anew from the grid, with the lesson's marker and
// fields: a save stores what the window shows, never an empty table.
TEST_F(LessonFileTest, WorkingCopyDeletedFromOutsideIsMadeAnewFromTheGrid) {
    const QString path =
        WriteLesson("vety.lq", "lq4 test2b", {{"I have _", "a dog"}, {"_ is", "it"}});
    auto& window = OpenLesson(path);
    window.DatGrid1().SetRow(2);
    window.DatGrid1().SetCol(2);
    Type(window, "that");
    ASSERT_TRUE(QFile::remove(TempName(1)));

    ASSERT_TRUE(window.Save());
    EXPECT_EQ(ReadLesson(path, "veta", "vyraz"),
              (Content{"lq4 test2b", {{"I have _", "a dog"}, {"_ is", "that"}}}));
    TDat saved;
    saved.SetFileName(QFile::encodeName(path).toStdString());
    saved.SetActive(true);
    EXPECT_EQ(saved.FieldSize(1), TDat::TypeSize(dtString, 200));
    EXPECT_EQ(saved.FieldSize(2), TDat::TypeSize(dtString, 40));
    saved.SetActive(false);

    // The new copy is the window's own from now on.
    TypeRow(window, "_ cat", "a");
    EXPECT_TRUE(window.Dat1().Active());
    EXPECT_EQ(window.Dat1().RecordCount(), 3);
    EXPECT_TRUE(ErrorsShown().empty());
}

// Two editors on one lesson: the later save never throws away the earlier one unasked, and the
// window's own saves do not ask.
TEST_F(LessonFileTest, SaveOverALessonChangedMeanwhileAsksFirst) {
    const QString path = WriteLesson("lekce.lq", "lq3 test1", {{"dog", "pes"}}, "AJ", "CJ");
    TFTest1& first = OpenLesson<TFTest1>(path);
    TFTest1& second = OpenLesson<TFTest1>(path);
    first.DatGrid1().SetCol(2);
    Type(first, "kocka");
    ASSERT_TRUE(first.Save());
    second.DatGrid1().SetCol(1);
    Type(second, "cat");

    dialogs->warningAnswers.push_back(Button::No);
    EXPECT_FALSE(second.Save());
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].text,
              "Lekce „" + path + "“ byla mezitím změněna jiným programem. Chcete ji přepsat?");
    EXPECT_EQ(ReadLesson(path), (Content{"lq3 test1", {{"dog", "kocka"}}}));
    EXPECT_EQ(second.StatusText(0), "Neuloženo");
    EXPECT_EQ(second.DatGrid1().Cells(1, 1), "cat");

    dialogs->warningAnswers.push_back(Button::Yes);
    EXPECT_TRUE(second.Save());
    EXPECT_EQ(ReadLesson(path), (Content{"lq3 test1", {{"cat", "pes"}}}));
    EXPECT_TRUE(second.Save());
    EXPECT_EQ(dialogs->shown.size(), 2u);

    // A copy of the same size written over the file, in the same tick of a clock that keeps
    // whole seconds: the inode, the size and the time stay what they were.
    const QByteArray copy =
        FileBytes(WriteLesson("kopie.lq", "lq3 test1", {{"cow", "pes"}}, "AJ", "CJ"));
    struct stat before {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &before), 0);
    QFile over(path);
    ASSERT_TRUE(over.open(QIODevice::ReadWrite) && over.write(copy) == copy.size());
    over.close();
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    EXPECT_FALSE(second.Save());
    EXPECT_EQ(dialogs->shown.size(), 3u);
    EXPECT_EQ(FileBytes(path), copy);
}

// "Ano" agrees to replace the version asked about: one written while the question is open is
// asked about in turn, also after the question of save as.
TEST_F(LessonFileTest, VersionWrittenWhileTheQuestionIsOpenIsAskedAbout) {
    const QString path = WriteLesson("lekce.lq", "lq3 test1", {{"dog", "pes"}}, "AJ", "CJ");
    const QString other = WriteLesson("jina.lq", "lq3 test1", {{"cow", "krava"}}, "AJ", "CJ");
    TFTest1& window = OpenLesson<TFTest1>(path);
    Type(window, "cat");
    const auto writeMeanwhile = [](const QString& file, const char* text) {
        QFile meanwhile(file);
        ASSERT_TRUE(meanwhile.open(QIODevice::Append) && meanwhile.write(text) == 1);
    };
    writeMeanwhile(path, "1");
    dialogs->whileWarning = [&] { writeMeanwhile(path, "2"); };
    dialogs->warningAnswers = {Button::Yes, Button::No};
    EXPECT_FALSE(window.Save());
    EXPECT_EQ(dialogs->shown.size(), 2u);
    EXPECT_TRUE(FileBytes(path).endsWith("12"));

    dialogs->whileWarning = [&] { writeMeanwhile(other, "3"); };
    dialogs->saveAnswers = {other};
    dialogs->warningAnswers = {Button::Yes, Button::No};
    EXPECT_FALSE(window.SaveAs());
    EXPECT_TRUE(FileBytes(other).endsWith("3"));
}

// Another program holds the lesson while the save waits for it: what it leaves in the lesson's
// place decides, a version of its own that is asked about, or none, which is made anew.
TEST_F(LessonFileTest, SaveWaitingForAnotherWriterTakesWhatItLeft) {
    const QString path = WriteLesson("lekce.lq", "lq3 test1", {{"dog", "pes"}}, "AJ", "CJ");
    const QString newer = WriteLesson("novejsi.lq", "lq3 test1", {{"cow", "krava"}}, "AJ", "CJ");
    TFTest1& window = OpenLesson<TFTest1>(path);
    Type(window, "cat");
    const auto whileHeld = [&](const std::function<void()>& change) {
        const int held = open(QFile::encodeName(path).constData(), O_RDONLY);
        EXPECT_EQ(flock(held, LOCK_EX), 0);
        const std::jthread other([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            change();
            close(held);
        });
        return window.Save();
    };
    EXPECT_FALSE(whileHeld([&] { std::rename(newer.toUtf8(), path.toUtf8()); }));
    EXPECT_EQ(ReadLesson(path), (Content{"lq3 test1", {{"cow", "krava"}}}));
    EXPECT_TRUE(whileHeld([&] { QFile::remove(path); }));
    EXPECT_EQ(ReadLesson(path), (Content{"lq3 test1", {{"cat", "pes"}}}));
    EXPECT_EQ(dialogs->shown.size(), 1u);
}

// A folder reached through a link, holding a link that goes up with "..": the system goes up
// from where the folder's link leads, and so does the save; both links stay.
TEST_F(LessonFileTest, SaveThroughALinkedFolderGoesUpFromWhereItsLinkLeads) {
    ASSERT_TRUE(QDir(lessons.path()).mkpath("skola/tridy/3a") &&
                QDir(lessons.path()).mkpath("skola/lekce") && QDir(lessons.path()).mkpath("domov"));
    const QString real =
        WriteLesson("skola/lekce/zvirata.lq", "lq3 test1", {{"dog", "pes"}}, "AJ", "CJ");
    ASSERT_TRUE(QFile::link("../skola/tridy/3a", LessonPath("domov/moje-trida")) &&
                QFile::link("../../lekce/zvirata.lq", LessonPath("skola/tridy/3a/zvirata.lq")));
    TFTest1& window = OpenLesson<TFTest1>(LessonPath("domov/moje-trida/zvirata.lq"));
    Type(window, "cat");
    EXPECT_TRUE(window.Save());
    EXPECT_EQ(ReadLesson(real), (Content{"lq3 test1", {{"cat", "pes"}}}));
    EXPECT_TRUE(QFileInfo(LessonPath("domov/moje-trida")).isSymLink() &&
                QFileInfo(LessonPath("skola/tridy/3a/zvirata.lq")).isSymLink());
}

// A name that is no file, a device or a pipe, is refused at once: nothing there is asked about,
// read, written or replaced.
TEST_F(LessonFileTest, NameThatIsNoFileIsRefusedAtOnce) {
    TFTest1& window = NewLesson();
    const QString zero = LessonPath("nula.lq");
    const QString pipe = LessonPath("roura.csv");
    ASSERT_TRUE(QFile::link("/dev/zero", zero) &&
                mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    dialogs->saveAnswers.push_back(zero);
    EXPECT_THROW(window.SaveAs(), std::runtime_error);
    EXPECT_THROW(window.ExportCsv(pipe), std::runtime_error);
    EXPECT_EQ(dialogs->shown.size(), 1u) << "only the save dialog";
    EXPECT_EQ(window.LessonFile(), "Nový");
    EXPECT_TRUE(QFileInfo::exists(pipe) && !QFileInfo(pipe).isFile());
}

// Links are followed: a save through one whose file has gone makes the lesson where it points,
// as a save as onto such a link does, and each link stays.
TEST_F(LessonFileTest, SaveThroughALinkWhoseFileHasGoneWritesWhereItPoints) {
    const QString real = WriteLesson("lekce.lq", "lq3 test1", {{"dog", "pes"}}, "AJ", "CJ");
    const QString link = LessonPath("odkaz.lq");
    ASSERT_TRUE(QFile::link("lekce.lq", link));
    TFTest1& window = OpenLesson<TFTest1>(link);
    window.DatGrid1().SetCol(2);
    Type(window, "kocka");
    ASSERT_TRUE(QFile::rename(real, LessonPath("presunuta.lq")));

    EXPECT_TRUE(window.Save());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadLesson(real), (Content{"lq3 test1", {{"dog", "kocka"}}}));

    const QString dangling = LessonPath("jinam.lq");
    ASSERT_TRUE(QFile::link("chybi.lq", dangling));
    dialogs->saveAnswers.push_back(dangling);
    EXPECT_TRUE(window.SaveAs());
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());
    EXPECT_EQ(ReadLesson(LessonPath("chybi.lq")), (Content{"lq3 test1", {{"dog", "kocka"}}}));
    EXPECT_TRUE(dialogs->shown.size() == 1 && ErrorsShown().empty()) << "only the save dialog";
}

// A class folder that the author may not write, holding a lesson the author may write but not
// read: the lesson is written in place, replacing the version the author agreed to. A lesson
// replaced in a folder that several people write keeps its owner, group and permissions.
TEST_F(LessonFileTest, LessonThatCannotBeReplacedIsWrittenInPlaceAndKeepsItsOwners) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs the superuser, to act as another user";
    const QString path = WriteLesson("trida.lq", "lq3 test1", {{"dog", "pes"}}, "AJ", "CJ");
    const QString other = WriteLesson("jina.lq", "lq3 test1", {{"cat", "kocka"}}, "AJ", "CJ");
    const QByteArray content = FileBytes(other);
    struct stat before {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &before), 0);
    ASSERT_EQ(chmod(QFile::encodeName(lessons.path()).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0622), 0);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(2);
        try {
            platform::FileVersion agreed = platform::FileVersion::Of(path);
            platform::ReplaceFileWith(path, content, &agreed);
        } catch (const std::exception&) {
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: not written, 2: no other user";
    struct stat after {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(FileBytes(path), content);

    ASSERT_EQ(chown(QFile::encodeName(other).constData(), 1234, 5678), 0);
    ASSERT_EQ(chmod(QFile::encodeName(other).constData(), 02660), 0);
    platform::ReplaceFileWith(other, "new");
    ASSERT_EQ(stat(QFile::encodeName(other).constData(), &after), 0);
    EXPECT_EQ(after.st_uid, 1234u);
    EXPECT_EQ(after.st_gid, 5678u);
    EXPECT_EQ(after.st_mode & 07777, 02660u);
}

// A save killed part-way, here by the file size limit, leaves the lesson as it was and nothing
// beside it.
TEST_F(LessonFileTest, SaveKilledPartWayLeavesNothingBehind) {
    const QString path = WriteLesson("lekce.lq", "lq3 test1", {{"dog", "pes"}}, "AJ", "CJ");
    const QByteArray before = FileBytes(path);
    const int unnamed =
        open(QFile::encodeName(lessons.path()).constData(), O_TMPFILE | O_WRONLY, 0600);
    if (unnamed < 0)
        GTEST_SKIP() << "the file system has no unnamed files";
    close(unnamed);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit noCore{0, 0};
        const rlimit small{64 * 1024, 64 * 1024};
        setrlimit(RLIMIT_CORE, &noCore);
        setrlimit(RLIMIT_FSIZE, &small);
        platform::ReplaceFileWith(path, QByteArray(1024 * 1024, 'x'));
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_EQ(QDir(lessons.path()).entryList(QDir::Files), (QStringList{"lekce.lq"}));
}

class CloseQuestionTest : public LessonFixture {
protected:
    TFTest1& UnsavedLesson() {
        TFTest1& window = NewLesson();
        TypeRow(window, "dog", "pes");
        return window;
    }
    int Questions() const {
        return int(std::count_if(dialogs->shown.begin(), dialogs->shown.end(), [](auto& shown) {
            return shown.text == "Soubor není uložen. Chcete jej uložit?";
        }));
    }
};

TEST_F(CloseQuestionTest, SavedWindowClosesUnaskedAndDeletesItsWorkingCopy) {
    TFTest1& window = NewLesson();
    EXPECT_TRUE(Close(window));
    EXPECT_EQ(Questions(), 0);
    EXPECT_FALSE(QFileInfo::exists(TempName(1)));
    EXPECT_TRUE(TLessonWindow::OpenWindows().empty());
}

TEST_F(CloseQuestionTest, CancelKeepsTheWindowAndNoLetsItGo) {
    TFTest1& window = UnsavedLesson();
    dialogs->warningAnswers.push_back(Button::Cancel);
    EXPECT_FALSE(Close(window));
    EXPECT_EQ(dialogs->shown.back().choice, platform::Dialogs::Choice::YesNoCancel);
    EXPECT_TRUE(QFileInfo::exists(TempName(1)));

    dialogs->warningAnswers.push_back(Button::No);
    EXPECT_TRUE(Close(window));
    EXPECT_EQ(Questions(), 2);
    EXPECT_FALSE(QFileInfo::exists(TempName(1)));
    EXPECT_TRUE(QDir(lessons.path()).isEmpty());
}

TEST_F(CloseQuestionTest, YesSavesAndCloses) {
    TFTest1& window = UnsavedLesson();
    dialogs->warningAnswers.push_back(Button::Yes);
    dialogs->saveAnswers.push_back(LessonPath("nova"));
    EXPECT_TRUE(Close(window));
    EXPECT_EQ(ReadLesson(LessonPath("nova.lq")), (Content{"lq3 test1", {{"dog", "pes"}}}));
}

// Nothing typed is lost unless the author says No.
TEST_F(CloseQuestionTest, YesWithASaveThatDoesNotHappenKeepsTheWindow) {
    TFTest1& window = UnsavedLesson();
    dialogs->warningAnswers.push_back(Button::Yes); // then the save dialog is cancelled
    EXPECT_FALSE(Close(window));

    const QString existing = WriteLesson("jina.lq", "lq3 test1", {}, "AJ", "CJ");
    dialogs->warningAnswers.insert(dialogs->warningAnswers.end(), {Button::Yes, Button::No});
    dialogs->saveAnswers.push_back(existing);
    EXPECT_FALSE(Close(window));

    dialogs->warningAnswers.push_back(Button::Yes);
    dialogs->saveAnswers.push_back(LessonPath("chybi/lekce"));
    EXPECT_FALSE(Close(window));
    ASSERT_EQ(ErrorsShown().size(), 1u);
    EXPECT_TRUE(ErrorsShown().front().contains("chybi/lekce.lq"));

    EXPECT_TRUE(window.Dat1().Active());
    EXPECT_EQ(window.Dat1().ReadString("AJ", 1), "dog");
}

} // namespace
