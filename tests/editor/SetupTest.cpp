#include "Setup.h"

#include "FileDialog.h"
#include "ScriptedDialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>

using editor::PercentToPixels;
using editor::PixelsToPercent;

TEST(PercentConversion, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(PercentToPixels(5, 50), 2);   // 2.5
    EXPECT_EQ(PercentToPixels(3, 150), 4);  // 4.5
    EXPECT_EQ(PixelsToPercent(5, 200), 2);  // 2.5
    EXPECT_EQ(PixelsToPercent(7, 200), 4);  // 3.5
    EXPECT_EQ(PercentToPixels(-5, 50), -2); // -2.5
    EXPECT_EQ(PercentToPixels(7, 50), 4);   // 3.5
    EXPECT_EQ(PercentToPixels(50, 0), 0);
}

TEST(PercentConversion, SharesTheRoomOfAGridSixHundredPixelsWide) {
    const int room = 600 - 56;
    EXPECT_EQ(PercentToPixels(50, room), 272);
    EXPECT_EQ(PercentToPixels(70, room), 381);
    EXPECT_EQ(PercentToPixels(30, room), 163);
    EXPECT_EQ(PixelsToPercent(300, room), 55);
    EXPECT_EQ(PixelsToPercent(room - 300, room), 45);
}

TEST(PercentConversion, NoRoomIsRefusedAndHugeSettingsStayInRange) {
    EXPECT_THROW(PixelsToPercent(10, 0), std::domain_error);
    constexpr int32_t most = std::numeric_limits<int32_t>::max();
    constexpr int32_t least = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(PercentToPixels(most, 1000), most);
    EXPECT_EQ(PercentToPixels(least, 1000), least);
    EXPECT_EQ(PixelsToPercent(most, 1), most);
}

TEST(FileNames, ExtensionStartsAtTheLastDotOfTheFileName) {
    EXPECT_EQ(editor::ExtractFileExt("/lekce/slova.lq"), ".lq");
    EXPECT_EQ(editor::ExtractFileExt("/lekce/slova.tar.CSV"), ".CSV");
    EXPECT_EQ(editor::ExtractFileExt("/lekce.v2/slova"), "");
    EXPECT_EQ(editor::ExtractFileExt("slova"), "");
    EXPECT_EQ(editor::ExtractFileExt("/lekce/slova."), ".");
}

TEST(FileNames, MissingExtensionIsAppendedAndKeptForTheNextUse) {
    editor::TFileDialog dialog(editor::TFileDialog::Kind::Save, "Hodnoty (*.csv)");
    for (const auto& [typed, result] : std::vector<std::pair<QString, QString>>{
             {"/a/export", "/a/export.csv"},
             {"/a/export.CSV", "/a/export.CSV.csv"},
             {"/a/export.txt", "/a/export.txt.csv"},
             {"/a/export.csv", "/a/export.csv"},
         }) {
        dialog.SetFileName(typed);
        EXPECT_EQ(dialog.AppendMissingExtension(".csv"), result);
        EXPECT_EQ(dialog.FileName(), result);
    }
}

TEST(FileNames, OpenDialogTakesOnlyFilesThatExist) {
    QTemporaryDir folder;
    const QString existing = folder.filePath("je.lq");
    QFile(existing).open(QIODevice::WriteOnly);
    platform::ScriptedDialogs& dialogs = platform::UseScriptedDialogs();
    dialogs.openAnswers = {folder.filePath("neni.lq"), folder.path(), existing};
    editor::TFileDialog dialog(editor::TFileDialog::Kind::Open, "Lekce (*.lq)");

    EXPECT_FALSE(dialog.Execute(nullptr));
    EXPECT_FALSE(dialog.Execute(nullptr));
    EXPECT_FALSE(QFile::exists(folder.filePath("neni.lq")));
    EXPECT_TRUE(dialog.Execute(nullptr));
    EXPECT_EQ(dialog.FileName(), existing);
    EXPECT_FALSE(dialog.Execute(nullptr)); // cancelled
    EXPECT_EQ(dialog.FileName(), existing);
    platform::SetDialogs(nullptr);
}

TEST(FileNames, AnExistingFileIsReplacedOnlyWhenTheAuthorAgrees) {
    QTemporaryDir folder;
    const QString existing = folder.filePath("export.csv");
    QFile(existing).open(QIODevice::WriteOnly);
    platform::ScriptedDialogs& dialogs = platform::UseScriptedDialogs();
    dialogs.warningAnswers = {platform::Dialogs::Button::No, platform::Dialogs::Button::Yes};

    EXPECT_TRUE(editor::MayOverwrite(folder.filePath("nove.csv")));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(editor::MayOverwrite(existing));
    EXPECT_TRUE(editor::MayOverwrite(existing));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text, "Tento soubor již existuje. Chcete jej přepsat?");
    EXPECT_EQ(dialogs.shown[0].choice, platform::Dialogs::Choice::YesNo);
    platform::SetDialogs(nullptr);
}
