#pragma once

#include "Drill.h"
#include "ScriptedDialogs.h"
#include "Windows.h"
#include "TestSettings.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QTreeWidget;

namespace platform {
class Registry;
}

inline const QString ProductKey = QStringLiteral("\\Software\\Orvane\\Lexiquill\\4");
inline const QString RecentKey = ProductKey + QStringLiteral("\\Naposledy otevrene");

// A learner with its own settings folders and an install folder that holds both sounds and is
// named by the machine's "Path" value. Boxes are scripted.
class LearnerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the windows and shows the main one, which loads the settings.
    void Start();
    // Closes the main window, which saves the settings, and frees the windows.
    void Stop();

    void SetMachinePath(const QString& path);
    // The current user's key, created when missing.
    WrittenKey UserKey(const QString& key = ProductKey);
    QString InstallFile(const QString& name) const { return install.filePath(name); }
    QTreeWidget& RecentView() const;

    QTemporaryDir userConfig, machineConfig, install, lessons;
    platform::ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<learner::TWindows> windows;
};

// A playable wave file of a few silent samples.
void WriteWave(const QString& path);
// A lesson file of the given kind marker, with the question-answer fields and no records.
void MakeLesson(const QString& path, const std::string& marker);

// One record of a lesson: the texts of its first and its second field.
using Record = std::pair<QString, QString>;
// A lesson file of the given kind marker with the two string fields of `fields` and the records,
// their texts stored in Windows-1250.
void MakeLesson(const QString& path, const std::string& marker,
                const learner::TLessonFields& fields, const std::vector<Record>& records);
