#include "Dat.h"
#include "LearnerFixture.h"
#include "UMain.h"

#include <QFile>
#include <QTreeWidget>

using learner::FMain;

TEST_F(LearnerTest, RecentViewListsReadableLessonsWithKindAndFolder) {
    const QString folder = lessons.path();
    const QStringList paths = {
        folder + "/slovicka.lq", folder + "/chybi.lq", folder + "/vety.lq",
        folder + "/prazdna.lq",  folder + "/text.lq",  folder + "/drzena.lq",
        folder + "/vety2.lq",
    };
    MakeLesson(paths[0], "lq3 test1");
    MakeLesson(paths[2], "lq4 test2b");
    MakeLesson(paths[3], "");
    QFile text(paths[4]);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a lesson");
    text.close();
    MakeLesson(paths[5], "lq4 test2a");
    MakeLesson(paths[6], "lq4 test2a");
    // Another table holding the file keeps it from being read, as another program would.
    TDat holder;
    holder.SetFileName(QFile::encodeName(paths[5]).toStdString());
    holder.SetActive(true);
    ASSERT_TRUE(holder.Active());

    Start();
    for (const QString& path : paths)
        FMain->RecentFiles.Items.push_back(path);
    FMain->RecentFiles.Count = int32_t(paths.size());
    FMain->RecentFiles.Refresh();

    QTreeWidget& view = RecentView();
    struct Row {
        QString name, kind;
        int entry;
    };
    const std::vector<Row> expected = {{"slovicka.lq", "Otázka-odpověď", 1},
                                       {"vety.lq", "Doplňování", 3},
                                       {"prazdna.lq", "", 4},
                                       {"vety2.lq", "Doplňování", 7}};
    ASSERT_EQ(view.topLevelItemCount(), int(expected.size()));
    for (int r = 0; r < view.topLevelItemCount(); ++r) {
        const QTreeWidgetItem* row = view.topLevelItem(r);
        EXPECT_EQ(row->text(0), expected[r].name);
        EXPECT_EQ(row->text(1), expected[r].kind);
        EXPECT_EQ(row->text(2), folder);
        EXPECT_EQ(row->data(0, Qt::UserRole).toInt(), expected[r].entry);
    }
    EXPECT_EQ(FMain->RecentFiles.Count, 7);

    holder.SetActive(false);
    MakeLesson(paths[1], "lq3 test1");
    FMain->RecentFiles.Refresh();
    EXPECT_EQ(view.topLevelItemCount(), 6);
    EXPECT_EQ(view.topLevelItem(1)->text(0), "chybi.lq");
}
