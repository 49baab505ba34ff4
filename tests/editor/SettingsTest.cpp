#include "EditorFixture.h"
#include "Registry.h"
#include "UMain.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>

using editor::FMain;
using Kind = platform::ScriptedDialogs::Kind;

namespace {

QRect CentredAt600By400() {
    const QSize screen = QGuiApplication::primaryScreen()->size();
    return {(screen.width() - 600) / 2, (screen.height() - 400) / 2, 600, 400};
}

// The placement as the settings keep it: the outer position and the inner size.
QRect Placement() {
    return {FMain->pos(), FMain->size()};
}

void ExpectDefaultPercentages() {
    EXPECT_EQ(FMain->Setup.ColSizeTest1_1, 50);
    EXPECT_EQ(FMain->Setup.ColSizeTest1_2, 50);
    EXPECT_EQ(FMain->Setup.ColSizeTest2_1, 70);
    EXPECT_EQ(FMain->Setup.ColSizeTest2_2, 30);
}

// Replaces a stored text by "a, b", which the settings file reads back as a list: a value of
// another type than a string.
void DamageValue(const QString& settingsFile, const QByteArray& stored) {
    QFile file(settingsFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray text = file.readAll();
    file.close();
    ASSERT_TRUE(text.contains(stored));
    text.replace(stored, "a, b");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

// Settings of a window that was not maximised, with every percentage at 40.
void SavePlacement(WrittenKey key, QPoint place, int32_t width, int32_t height) {
    key->WriteInteger("Left", place.x());
    key->WriteInteger("Top", place.y());
    key->WriteInteger("Width", width);
    key->WriteInteger("Height", height);
    key->WriteInteger("Maximized", 0);
    for (const char* percent :
         {"ColSizeTest1_1", "ColSizeTest1_2", "ColSizeTest2_1", "ColSizeTest2_2"})
        key->WriteInteger(percent, 40);
}

} // namespace

TEST_F(EditorTest, FirstStartCentres600By400ThenMaximizes) {
    Start();
    EXPECT_TRUE(FMain->isMaximized());
    ExpectDefaultPercentages();
    EXPECT_EQ(FMain->RecentFiles.Count, 0);
    FMain->showNormal();
    EXPECT_EQ(Placement(), CentredAt600By400());
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(EditorTest, MaximizedExitKeepsNoBoundsAndTheNextStartRestoresToTheLayout) {
    Start();
    ASSERT_TRUE(Stop());
    auto key = UserKey();
    EXPECT_EQ(key->ReadInteger("Maximized"), 1);
    EXPECT_EQ(key->ReadInteger("ColSizeTest2_1"), 70);
    for (const char* bound : {"Left", "Top", "Width", "Height"})
        EXPECT_FALSE(key->ValueExists(bound)) << bound;

    Start();
    EXPECT_TRUE(FMain->isMaximized());
    FMain->showNormal();
    EXPECT_EQ(Placement(), QRect(195, 115, 805, 557));
}

TEST_F(EditorTest, PlacementAndPercentagesComeBackAtTheNextStart) {
    Start();
    FMain->showNormal();
    FMain->move(40, 30);
    FMain->resize(700, 500);
    FMain->Setup.ColSizeTest1_1 = 61;
    FMain->Setup.ColSizeTest2_2 = -4;
    ASSERT_TRUE(Stop());
    EXPECT_EQ(UserKey()->ReadInteger("Maximized"), 0);
    EXPECT_EQ(UserKey()->ReadInteger("Width"), 700);

    Start();
    EXPECT_FALSE(FMain->isMaximized());
    EXPECT_EQ(Placement(), QRect(40, 30, 700, 500));
    EXPECT_EQ(FMain->Setup.ColSizeTest1_1, 61);
    EXPECT_EQ(FMain->Setup.ColSizeTest1_2, 50);
    EXPECT_EQ(FMain->Setup.ColSizeTest2_2, -4);
}

TEST_F(EditorTest, PlaceOutOfReachCentresTheWindowAtItsSavedSize) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QPoint place : {QPoint(INT32_MAX, 40), QPoint(screen.right(), screen.bottom())}) {
        SavePlacement(UserKey(), place, 700, 500);
        Start();
        const QSize size = QGuiApplication::primaryScreen()->size();
        EXPECT_EQ(Placement(), QRect((size.width() - 700) / 2, (size.height() - 500) / 2, 700, 500))
            << place.x() << ", " << place.y();
        EXPECT_EQ(FMain->Setup.ColSizeTest2_2, 40);
        windows.reset();
    }
}

TEST_F(EditorTest, SizeBeyondTheScreenShrinksToItsRoomBeforeThePlaceIsJudged) {
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QPoint centred((screen.width() - room.width()) / 2,
                         (screen.height() - room.height()) / 2);
    const struct {
        QPoint saved;
        int32_t size;
        QPoint shown;
    } cases[] = {
        // A little past the left edge, with most of the title bar on the screen.
        {room.topLeft() + QPoint(-10, 100), 100000, room.topLeft() + QPoint(-10, 100)},
        {{INT32_MIN, INT32_MIN}, INT32_MAX, centred},
    };
    for (const auto& [saved, size, shown] : cases) {
        SavePlacement(UserKey(), saved, size, size);
        Start();
        EXPECT_FALSE(FMain->isMaximized());
        EXPECT_EQ(Placement(), QRect(shown, room.size())) << saved.x() << ", " << size;
        windows.reset();
    }
}

TEST_F(EditorTest, OneMissingOrDamagedValueFallsBackToAllDefaults) {
    for (const char* damage : {"", "abc"}) {
        auto key = UserKey();
        key->WriteInteger("Left", 10);
        key->WriteInteger("Top", 20);
        key->WriteInteger("Width", 300);
        key->WriteInteger("Height", 200);
        key->WriteInteger("Maximized", 0);
        key->WriteInteger("ColSizeTest1_1", 11);
        key->WriteInteger("ColSizeTest1_2", 12);
        key->WriteInteger("ColSizeTest2_1", 13);
        if (*damage)
            key->WriteString("ColSizeTest2_2", damage);
        UserKey(RecentKey)->WriteString("1", LessonPath("a.lq"));

        Start();
        EXPECT_TRUE(FMain->isMaximized()) << damage;
        ExpectDefaultPercentages();
        EXPECT_EQ(FMain->RecentFiles.Count, 1) << "the recent list is still read";
        FMain->showNormal();
        EXPECT_EQ(Placement(), CentredAt600By400());
        EXPECT_TRUE(dialogs->shown.empty());
        windows.reset();
    }
}

TEST_F(EditorTest, RecentListStopsAtTheFirstGapAndKeepsWhatLiesBeyond) {
    auto recent = UserKey(RecentKey);
    recent->WriteString("1", "/lekce/jedna.lq");
    recent->WriteString("2", "/lekce/dva.lq");
    recent->WriteString("4", "/lekce/ctyri.lq");
    recent->Flush();
    Start();
    EXPECT_EQ(FMain->RecentFiles.Count, 2);
    EXPECT_EQ(RecentLabels(), QStringList({"jedna.lq", "dva.lq", "", ""}));
    ASSERT_TRUE(Stop());
    recent = UserKey(RecentKey);
    EXPECT_EQ(recent->ReadString("2"), "/lekce/dva.lq");
    EXPECT_FALSE(recent->ValueExists("3"));
    EXPECT_EQ(recent->ReadString("4"), "/lekce/ctyri.lq");
}

TEST_F(EditorTest, InstallFolderGetsOneTrailingSeparator) {
    for (const auto& [stored, used] : std::vector<std::pair<QString, QString>>{
             {"/opt/lq", "/opt/lq/"}, {"/opt/lq/", "/opt/lq/"}, {"", ""}}) {
        SetMachinePath(stored);
        Start();
        EXPECT_EQ(FMain->Setup.Path, used);
        windows.reset();
    }
}

TEST_F(EditorTest, DamagedInstallFolderIsReportedAndTheRestStillLoads) {
    SetMachinePath("DAMAGED-PATH");
    DamageValue(machineConfig.filePath("Orvane/Lexiquill.conf"), "DAMAGED-PATH");
    auto key = UserKey();
    key->WriteInteger("Maximized", 0);
    for (const char* name :
         {"ColSizeTest1_1", "ColSizeTest1_2", "ColSizeTest2_1", "ColSizeTest2_2"})
        key->WriteInteger(name, 25);
    key->Flush();
    UserKey(RecentKey)->WriteString("1", "/lekce/jedna.lq");

    Start();
    EXPECT_EQ(Shown(Kind::Error).size(), 1u);
    EXPECT_EQ(FMain->Setup.Path, "");
    EXPECT_EQ(FMain->Setup.ColSizeTest2_2, 25);
    EXPECT_EQ(RecentLabels().first(), "jedna.lq");
    EXPECT_TRUE(StartPanelShown());
    EXPECT_FALSE(Command("Ulozit").isEnabled());
}

TEST_F(EditorTest, DamagedRecentEntryEndsTheListWithoutAnEmptyEntry) {
    auto recent = UserKey(RecentKey);
    recent->WriteString("1", "/lekce/jedna.lq");
    recent->WriteString("2", "DAMAGED-ENTRY");
    recent->WriteString("3", "/lekce/tri.lq");
    recent->Flush();
    DamageValue(platform::Registry::FilePath(platform::RegistryRoot::CurrentUser), "DAMAGED-ENTRY");

    Start();
    EXPECT_EQ(Shown(Kind::Error).size(), 1u);
    EXPECT_EQ(FMain->RecentFiles.Count, 1);
    EXPECT_EQ(RecentLabels(), QStringList({"jedna.lq", "", "", ""}));
    EXPECT_FALSE(Command("Zavrit").isEnabled());
    ASSERT_TRUE(Stop());
    EXPECT_EQ(UserKey(RecentKey)->ReadString("3"), "/lekce/tri.lq");
}
