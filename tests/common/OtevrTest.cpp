#include "Otevr.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class OtevrTest : public ::testing::Test {
protected:
    // Creates the lesson file `name` in the temporary folder and returns its full path.
    QString Lesson(const QString& name) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }
    // The entries, most recent first, after checking that element 0 is the only spare one.
    std::vector<QString> Entries() const {
        EXPECT_EQ(recent.Items.size(), size_t(recent.Count) + 1);
        return {recent.Items.begin() + 1, recent.Items.end()};
    }
    // Fills the list so that it reads "1.lq" .. "<count>.lq" from the top.
    std::vector<QString> Fill(int count) {
        std::vector<QString> paths;
        for (int i = 1; i <= count; ++i)
            paths.push_back(Lesson(QStringLiteral("%1.lq").arg(i)));
        for (auto path = paths.rbegin(); path != paths.rend(); ++path)
            recent.Add(*path);
        refreshes = 0;
        return paths;
    }

    QTemporaryDir folder;
    TOtevr recent;
    int refreshes = 0;

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        recent.Refresh = [this] { ++refreshes; };
    }
};

TEST_F(OtevrTest, AnExistingEntryMovesToTheTopAndTheOthersKeepTheirOrder) {
    const std::vector<QString> p = Fill(5);
    recent.Add(p[2]);
    EXPECT_EQ(Entries(), (std::vector<QString>{p[2], p[0], p[1], p[3], p[4]}));
    EXPECT_EQ(refreshes, 1);
}

TEST_F(OtevrTest, TheTopEntryStaysWhereItIsButTheListIsShownAgain) {
    const std::vector<QString> p = Fill(3);
    recent.Add(p[0]);
    EXPECT_EQ(Entries(), p);
    EXPECT_EQ(refreshes, 1);
}

TEST_F(OtevrTest, ANewEntryGoesOnTop) {
    const std::vector<QString> p = Fill(2);
    const QString added = Lesson(QStringLiteral("new.lq"));
    recent.Add(added);
    EXPECT_EQ(recent.Count, 3);
    EXPECT_EQ(Entries(), (std::vector<QString>{added, p[0], p[1]}));
    EXPECT_EQ(refreshes, 1);
}

TEST_F(OtevrTest, AMissingFileChangesNothingAndShowsNothing) {
    const std::vector<QString> p = Fill(2);
    recent.Add(folder.filePath(QStringLiteral("gone.lq")));
    recent.Add(folder.path());
    EXPECT_EQ(Entries(), p);
    EXPECT_EQ(refreshes, 0);
}

TEST_F(OtevrTest, PathsThatDifferInCaseAreTwoEntries) {
    const QString lower = Lesson(QStringLiteral("slovicka.lq"));
    const QString upper = Lesson(QStringLiteral("SLOVICKA.lq"));
    recent.Add(lower);
    recent.Add(upper);
    EXPECT_EQ(Entries(), (std::vector<QString>{upper, lower}));
}

} // namespace
