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

// A stand-in editor that writes its argument count and its working folder into `mark`.
void WriteMarkingProgram(const QString& path, const QString& mark) {
    QFile script(path);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QString("#!/bin/sh\necho \"$# $(pwd -P)\" > '%1.tmp'; mv '%1.tmp' '%1'\n")
                     .arg(mark)
                     .toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString WaitForMark(const QString& mark) {
    QDeadlineTimer deadline(5000);
    while (!QFile::exists(mark) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile result(mark);
    return result.open(QIODevice::ReadOnly) ? QString::fromUtf8(result.readAll()).trimmed()
                                            : QStringLiteral("(the program did not run)");
}

// The editor starts without arguments in the learner's current folder, also from a folder whose
// name has a space, and the learner does not wait for it.
TEST(ShellTest, StartedProgramRunsInTheCurrentFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("Moje programy"));
    const QString mark = dir.filePath("mark");
    const QString program = dir.filePath("Moje programy/" + platform::ExecutableName("lexforge"));
    WriteMarkingProgram(program, mark);

    platform::shell().StartProgram(program);
    EXPECT_EQ(WaitForMark(mark), "0 " + QFileInfo(QDir::currentPath()).canonicalFilePath());
}

// Without a known install folder the learner names the editor bare, meaning the one in its
// current folder, not one on the PATH.
TEST(ShellTest, BareNameStartsTheProgramOfTheCurrentFolder) {
    QTemporaryDir dir;
    const QString mark = dir.filePath("mark");
    WriteMarkingProgram(dir.filePath(platform::ExecutableName("lexforge")), mark);
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    platform::shell().StartProgram(platform::ExecutableName("lexforge"));
    QDir::setCurrent(before);
    EXPECT_EQ(WaitForMark(mark), "0 " + QFileInfo(dir.path()).canonicalFilePath());
}

} // namespace
