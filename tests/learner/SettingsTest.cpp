#include "LearnerFixture.h"
#include "Registry.h"
#include "UMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QScreen>
#include <QSettings>

using learner::FMain;

namespace {

// Centred by the window's outer size, frame included.
QPoint CentredOnScreen() {
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const QSize window = FMain->frameGeometry().size();
    return {(screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2};
}

// The user's settings file as a text editor or a failing disk left it.
void WriteUserFile(const QByteArray& bytes) {
    const QString path = platform::Registry::FilePath(platform::RegistryRoot::CurrentUser);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

} // namespace

TEST_F(LearnerTest, FirstStartTakesDefaultsAndCentresTheWindow) {
    Start();
    const learner::TSetup& setup = FMain->Setup;
    EXPECT_TRUE(setup.Zvuk);
    EXPECT_EQ(setup.ZkoZkousetPo, 10);
    EXPECT_EQ(setup.ZkoVyrazKrat, 2);
    EXPECT_FALSE(setup.ZkoZkousetCelou);
    EXPECT_EQ(setup.VyuZkousetPo, 10);
    EXPECT_EQ(setup.VyuVyrazKrat, 1);
    EXPECT_TRUE(setup.VyuZkousetCelou);
    EXPECT_EQ(FMain->pos(), CentredOnScreen());
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(LearnerTest, SettingsSavedAtCloseComeBackAtTheNextStart) {
    Start();
    FMain->Setup.Zvuk = false;
    FMain->Setup.ZkoZkousetPo = -3;
    FMain->Setup.VyuVyrazKrat = 300;
    FMain->Setup.VyuZkousetCelou = false;
    FMain->move(40, 30);
    Stop();

    auto saved = UserKey();
    EXPECT_EQ(saved->ReadInteger("Left"), 40);
    EXPECT_EQ(saved->ReadInteger("Top"), 30);
    EXPECT_EQ(saved->ReadInteger("Zvuk"), 0);
    EXPECT_FALSE(saved->ValueExists("Path"));

    Start();
    EXPECT_FALSE(FMain->Setup.Zvuk);
    EXPECT_EQ(FMain->Setup.ZkoZkousetPo, -3);
    EXPECT_EQ(FMain->Setup.ZkoVyrazKrat, 2);
    EXPECT_EQ(FMain->Setup.VyuVyrazKrat, 300);
    EXPECT_FALSE(FMain->Setup.VyuZkousetCelou);
    EXPECT_EQ(FMain->pos(), QPoint(40, 30));
}

TEST_F(LearnerTest, InstallFolderEndsInOneSeparator) {
    const QString folder = install.path();
    for (const auto& [stored, expected] :
         {std::pair{folder, folder + "/"}, {folder + "/", folder + "/"}, {QString(), QString()}}) {
        SetMachinePath(stored);
        Start();
        EXPECT_EQ(FMain->Setup.Path, expected) << stored.toStdString();
        Stop();
    }
}

TEST_F(LearnerTest, RecentListReadsConsecutiveValuesAndWritesOnlyItsOwn) {
    const QString first = lessons.filePath("a.lq"), second = lessons.filePath("b.lq");
    const QString opened = lessons.filePath("c.lq");
    MakeLesson(opened, "lq3 test1");
    {
        auto recent = UserKey(RecentKey);
        recent->WriteString("1", first);
        recent->WriteString("2", second);
        recent->WriteString("4", "/far/away.lq");
    }
    Start();
    ASSERT_EQ(FMain->RecentFiles.Count, 2);
    EXPECT_EQ(FMain->RecentFiles.Items[2], second);
    FMain->RecentFiles.Add(opened);
    Stop();

    auto recent = UserKey(RecentKey);
    EXPECT_EQ(recent->ReadString("1"), opened);
    EXPECT_EQ(recent->ReadString("2"), first);
    EXPECT_EQ(recent->ReadString("3"), second);
    EXPECT_EQ(recent->ReadString("4"), "/far/away.lq");
}

TEST_F(LearnerTest, PlaceIsKeptOnlyWithTheTitleBarOnAScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Place {
        int32_t left, top;
        bool kept;
    };
    for (const auto& [left, top, kept] : {
             // A little past the left edge, with most of the title bar on the screen.
             Place{screen.left() - 10, screen.top() + 100, true},
             {-5000, 9000, false},
             {INT32_MAX, 100, false},
             {INT32_MIN, INT32_MIN, false},
             {screen.right(), screen.bottom(), false},
             {screen.right() - 99, screen.bottom() - 19, true},
         }) {
        auto user = UserKey();
        user->WriteInteger("Left", left);
        user->WriteInteger("Top", top);
        user->Flush();
        Start();
        EXPECT_EQ(FMain->pos(), kept ? QPoint(left, top) : CentredOnScreen())
            << left << ", " << top;
        Stop();
    }
}

TEST_F(LearnerTest, DamagedUserValueTakesItsDefaultAndTheRestLoad) {
    auto user = UserKey();
    user->WriteInteger("Left", 12);
    user->WriteString("Top", "vysoko");
    user->WriteInteger("ZkoZkousetPo", 7);
    user->WriteInteger("VyuZkousetCelou", 0);
    user->Flush();
    Start();
    EXPECT_EQ(FMain->Setup.Left, 12);
    EXPECT_EQ(FMain->Setup.Top, CentredOnScreen().y());
    EXPECT_EQ(FMain->Setup.ZkoZkousetPo, 7);
    EXPECT_EQ(FMain->Setup.ZkoVyrazKrat, 2);
    EXPECT_FALSE(FMain->Setup.VyuZkousetCelou);
    EXPECT_TRUE(FMain->Setup.Zvuk);
}

TEST_F(LearnerTest, StrayLineCostsOnlyItselfAndClosingWritesEverySetting) {
    WriteUserFile("[Software/Orvane/Lexiquill/4]\nLeft=100\nTop=120\nstray line\n"
                  "ZkoZkousetPo=33\n");
    Start();
    EXPECT_EQ(FMain->pos(), QPoint(100, 120));
    EXPECT_EQ(FMain->Setup.ZkoZkousetPo, 33);
    EXPECT_EQ(FMain->Setup.ZkoVyrazKrat, 2);
    FMain->Setup.ZkoVyrazKrat = 4;
    Stop();

    auto saved = UserKey();
    EXPECT_EQ(saved->ReadInteger("Left"), 100);
    EXPECT_EQ(saved->ReadInteger("ZkoZkousetPo"), 33);
    EXPECT_EQ(saved->ReadInteger("ZkoVyrazKrat"), 4);
    EXPECT_TRUE(saved->ReadBool("VyuZkousetCelou"));
}

TEST_F(LearnerTest, JunkSettingsFileIsWrittenAnewAtCloseWithoutABox) {
    QByteArray junk(4096, Qt::Uninitialized);
    QRandomGenerator(11).fillRange(reinterpret_cast<quint32*>(junk.data()), junk.size() / 4);
    WriteUserFile(junk);
    const QString lesson = lessons.filePath("slovicka.lq");
    MakeLesson(lesson, "lq3 test1");
    Start();
    EXPECT_EQ(FMain->Setup.ZkoZkousetPo, 10);
    FMain->RecentFiles.Add(lesson);
    Stop();

    EXPECT_TRUE(dialogs->shown.empty());
    QSettings file(platform::Registry::FilePath(platform::RegistryRoot::CurrentUser),
                   QSettings::IniFormat);
    EXPECT_EQ(file.allKeys().size(), 10) << "the nine settings and one lesson, no junk";
    EXPECT_EQ(UserKey()->ReadInteger("VyuVyrazKrat"), 1);
    EXPECT_EQ(UserKey(RecentKey)->ReadString("1"), lesson);
}
