#include "Shell.h"

#include "QtPrinting.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// The editor starts without arguments in the learner's current folder, also from a folder whose
// name has a space, and the learner does not wait for it.
TEST(ShellTest, StartedProgramRunsInTheCurrentFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("Moje programy"));
    const QString mark = dir.filePath("mark");
    QFile script(dir.filePath("Moje programy/" + platform::ExecutableName("lexforge")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QString("#!/bin/sh\necho \"$# $(pwd -P)\" > '%1.tmp'; mv '%1.tmp' '%1'\n")
                     .arg(mark)
                     .toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    platform::shell().StartProgram(script.fileName());
    QDeadlineTimer deadline(5000);
    while (!QFile::exists(mark) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile result(mark);
    ASSERT_TRUE(result.open(QIODevice::ReadOnly)) << "the program did not run";
    EXPECT_EQ(QString::fromUtf8(result.readAll()).trimmed(),
              "0 " + QFileInfo(QDir::currentPath()).canonicalFilePath());
}

} // namespace
