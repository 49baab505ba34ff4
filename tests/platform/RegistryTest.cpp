#include "Registry.h"

#include "QtPrinting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::Registry;
using platform::RegistryRoot;

namespace {

const QString ProductKey = QStringLiteral("\\Software\\Orvane\\Lexiquill\\4");
const QString RecentKey = ProductKey + QStringLiteral("\\Naposledy otevrene");

// Both roots in a temporary folder, put back as they were afterwards.
class RegistryTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QByteArray oldHome = qgetenv("XDG_CONFIG_HOME");
    QByteArray oldDirs = qgetenv("XDG_CONFIG_DIRS");

    void SetUp() override {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("user")));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dir.filePath("machine") + ":/etc/xdg"));
    }
    void TearDown() override {
        qputenv("XDG_CONFIG_HOME", oldHome);
        qputenv("XDG_CONFIG_DIRS", oldDirs);
    }

    // A settings file as an installer or the user's text editor writes it.
    static QString WriteFile(RegistryRoot root, const QByteArray& text) {
        const QString path = Registry::FilePath(root);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }
};

TEST_F(RegistryTest, ValuesRoundTripThroughTheUsersFile) {
    const QString lesson = QStringLiteral("/home/jan/Moje lekce/slovíčka, část 1; \"nová\".lq");
    Registry writer(RegistryRoot::CurrentUser);
    EXPECT_FALSE(writer.OpenKey(ProductKey, false));
    ASSERT_TRUE(writer.OpenKey(ProductKey, true));
    writer.WriteInteger("Left", INT32_MIN);
    writer.WriteBool("Zvuk", true);
    ASSERT_TRUE(writer.OpenKey(RecentKey, true));
    writer.WriteString("1", lesson);
    writer.WriteString("2", "@  leading spaces");
    writer.Flush();

    EXPECT_TRUE(QFile::exists(dir.filePath("user/Orvane/Lexiquill.conf")));
    Registry reader(RegistryRoot::CurrentUser);
    ASSERT_TRUE(reader.OpenKey(ProductKey, false));
    EXPECT_EQ(reader.ReadInteger("Left"), INT32_MIN);
    EXPECT_TRUE(reader.ReadBool("Zvuk"));
    EXPECT_FALSE(reader.ValueExists("1")) << "the recent list belongs to its own key";
    ASSERT_TRUE(reader.OpenKey(RecentKey, false));
    EXPECT_EQ(reader.ReadString("1"), lesson);
    EXPECT_EQ(reader.ReadString("2"), "@  leading spaces");
    EXPECT_FALSE(reader.OpenKey(ProductKey + "\\Editor", false));
}

TEST_F(RegistryTest, NumbersMustBeDecimalTextAndPresent) {
    WriteFile(RegistryRoot::CurrentUser, "[Software/Orvane/Lexiquill/4]\nLeft=120\nZvuk=7\n"
                                         "Top=12abc\nWidth=99999999999\nName=a, b\n");
    Registry registry(RegistryRoot::CurrentUser);
    ASSERT_TRUE(registry.OpenKey(ProductKey, false));
    EXPECT_EQ(registry.ReadInteger("Left"), 120);
    EXPECT_TRUE(registry.ReadBool("Zvuk")) << "any non-zero value is true";
    EXPECT_EQ(registry.ReadString("Path"), "");
    EXPECT_THROW(registry.ReadInteger("Width"), std::runtime_error);
    EXPECT_THROW(registry.ReadBool("Height"), std::runtime_error);
    EXPECT_THROW(registry.ReadString("Name"), std::runtime_error) << "a list, not a text";
    try {
        registry.ReadInteger("Top");
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'Top'");
    }
}

TEST_F(RegistryTest, MachineRootIsOnlyRead) {
    EXPECT_FALSE(Registry(RegistryRoot::LocalMachine).OpenKey(ProductKey, true));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("machine/Orvane")));

    const QString path = WriteFile(RegistryRoot::LocalMachine, "[Software/Orvane/Lexiquill/4]\n"
                                                               "Path=/opt/Moje programy/LQ\n");
    const QDateTime written = QFileInfo(path).lastModified();
    Registry machine(RegistryRoot::LocalMachine);
    ASSERT_TRUE(machine.OpenKey(ProductKey, false));
    EXPECT_EQ(machine.ReadString("Path"), "/opt/Moje programy/LQ");
    EXPECT_THROW(machine.WriteString("Path", "/elsewhere"), std::runtime_error);
    machine.CloseKey();
    EXPECT_EQ(QFileInfo(path).lastModified(), written);
}

// Read-only permissions do not stop the superuser, who runs the tests in CI; the immutable flag
// stops everyone, where the file system has it.
TEST_F(RegistryTest, UserKeyInAnUnwritableFileCountsAsAbsent) {
    QFile file(WriteFile(RegistryRoot::CurrentUser, "[Software/Orvane/Lexiquill/4]\nLeft=1\n"));
    file.setPermissions(QFile::ReadOwner);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    int flags = 0;
    ioctl(file.handle(), FS_IOC_GETFLAGS, &flags);
    const int immutable = flags | FS_IMMUTABLE_FL;
    ioctl(file.handle(), FS_IOC_SETFLAGS, &immutable);
    if (QFile(file.fileName()).open(QIODevice::ReadWrite))
        GTEST_SKIP() << "no way to make a file unwritable for this user here";
    Registry registry(RegistryRoot::CurrentUser);
    EXPECT_FALSE(registry.OpenKey(ProductKey, false));
    EXPECT_FALSE(registry.OpenKey(ProductKey, true));
    ioctl(file.handle(), FS_IOC_SETFLAGS, &flags); // so that the folder can be removed
}

// The settings file is written by the program itself: whatever a text holds, Qt reads it back
// as it was, and the file keeps the sections that its readers expect.
TEST_F(RegistryTest, EveryTextReadsBackAsItWasWritten) {
    const QStringList texts = {"",
                               " spaces at both ends ",
                               "a, b",
                               "x;y=z",
                               "\"quoted\" \\ back",
                               "@Variant(0)",
                               "@@",
                               QString::fromUtf8("tab\there\nline\x01"
                                                 "abc\x7f"
                                                 "F"),
                               QString::fromUtf8("slovíčka ☺ 😀"),
                               QString(QChar(0xFEFF)) + "mark\x01" + QChar(0xFEFF),
                               QString(QChar(0xD800)) + "lone"};
    const QString odd = ProductKey + QStringLiteral("\\Klíč 100%\\General");
    {
        Registry writer(RegistryRoot::CurrentUser);
        ASSERT_TRUE(writer.OpenKey(ProductKey, true));
        writer.WriteInteger("Left", -5);
        ASSERT_TRUE(writer.OpenKey("\\General", true));
        writer.WriteString("Top", "7");
        ASSERT_TRUE(writer.OpenKey(odd, true));
        for (qsizetype i = 0; i < texts.size(); ++i)
            writer.WriteString(QString::number(i), texts[i]);
        writer.Flush();
    }
    Registry reader(RegistryRoot::CurrentUser);
    ASSERT_TRUE(reader.OpenKey(odd, false));
    for (qsizetype i = 0; i < texts.size(); ++i)
        EXPECT_EQ(reader.ReadString(QString::number(i)), texts[i]) << i;
    ASSERT_TRUE(reader.OpenKey(ProductKey, false));
    EXPECT_EQ(reader.ReadInteger("Left"), -5);
    EXPECT_FALSE(reader.ValueExists("Top"));
    ASSERT_TRUE(reader.OpenKey("\\General", false));
    EXPECT_EQ(reader.ReadInteger("Top"), 7);
    QFile file(Registry::FilePath(RegistryRoot::CurrentUser));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // Qt finds a key's lines by the first part of its name alone, so that is the section.
    EXPECT_TRUE(
        file.readAll().startsWith("[%General]\nTop=7\n\n[Software]"
                                  "\nOrvane\\Lexiquill\\4\\Kl%ED%U010D%20100%25\\General\\0=\n"));
}

// A file that cannot be written whole is not written at all: the old settings stay, and the
// caller hears why.
TEST_F(RegistryTest, FlushThatCannotWriteEverythingKeepsTheFile) {
    const QString path = WriteFile(RegistryRoot::CurrentUser, "[Software]\nOrvane\\x=\"1\"\n");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        Registry writer(RegistryRoot::CurrentUser);
        writer.OpenKey(RecentKey, true);
        for (int i = 1; i <= 100; ++i)
            writer.WriteString(QString::number(i), QString(40, u'x'));
        try {
            writer.Flush();
        } catch (const std::runtime_error& error) {
            _exit(QString::fromUtf8(error.what()).contains("File too large") ? 0 : 2);
        }
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: reported as written, 2: without the reason";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[Software]\nOrvane\\x=\"1\"\n");
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList{"Lexiquill.conf"});
}

// Both programs write their own keys into the one file when they close, often in the same
// instant: neither may write back a reading of the file that the other has just made stale.
TEST_F(RegistryTest, ProgramsFlushingAtOnceKeepEachOthersValues) {
    constexpr int Rounds = 20;
    const QString editorKey = ProductKey + QStringLiteral("\\Editor");
    const auto flush = [](const QString& key, int round) {
        Registry registry(RegistryRoot::CurrentUser);
        registry.OpenKey(key, true);
        registry.WriteInteger("Round", round);
        registry.Flush();
    };
    int gun[2];
    int done[2];
    ASSERT_EQ(pipe(gun), 0);
    ASSERT_EQ(pipe(done), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(gun[1]);
        close(done[0]);
        char shot = 0;
        for (int round = 1; round <= Rounds && read(gun[0], &shot, 1) == 1; ++round) {
            try {
                flush(editorKey, round);
            } catch (const std::exception&) {
                _exit(2);
            }
            if (write(done[1], &shot, 1) != 1)
                _exit(3);
        }
        _exit(0);
    }
    // Each end is held by one program only, so neither waits on the other once it has gone.
    close(gun[0]);
    close(done[1]);
    int lost = 0;
    for (int round = 1; round <= Rounds; ++round) {
        char shot = '!';
        if (write(gun[1], &shot, 1) != 1)
            break;
        EXPECT_NO_THROW(flush(ProductKey, round));
        if (read(done[0], &shot, 1) != 1)
            break;
        Registry reader(RegistryRoot::CurrentUser);
        reader.OpenKey(ProductKey, false);
        lost += reader.ValueExists("Round") && reader.ReadInteger("Round") == round ? 0 : 1;
        reader.OpenKey(editorKey, false);
        lost += reader.ValueExists("Round") && reader.ReadInteger("Round") == round ? 0 : 1;
    }
    // The other program stops at the end of its starting gun.
    close(gun[1]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: its flush failed";
    EXPECT_EQ(lost, 0) << "values lost in " << Rounds << " rounds";
    close(done[0]);
}

} // namespace
