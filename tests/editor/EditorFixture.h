#pragma once

#include "ScriptedDialogs.h"
#include "Windows.h"
#include "TestSettings.h"

#include <QAction>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>


namespace editor {
class TLessonWindow;
}

inline const QString ProductKey = QStringLiteral("\\Software\\Orvane\\Lexiquill\\4");
inline const QString EditorKey = ProductKey + QStringLiteral("\\Editor");
inline const QString RecentKey = EditorKey + QStringLiteral("\\Naposledy otevrene");

// An editor with its own settings folders and an install folder, holding "Tmp/", that the
// machine's "Path" value names. Boxes and file dialogs are scripted.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the windows and shows the main one, which loads the settings.
    void Start();
    // Closes the main window as "Ukončit" does; frees the windows when it closed.
    bool Stop();

    void SetMachinePath(const QString& path);
    // The current user's key, created when missing.
    WrittenKey UserKey(const QString& key = EditorKey);
    // Writes the current user's settings file as text, for values that the registry class
    // never writes itself.
    void WriteUserFile(const QByteArray& text);

    // A lesson file with the given marker and `records` records, with the fields of the kind
    // the marker names, or the question-answer ones.
    QString WriteLesson(const QString& name, const std::string& marker, int records = 1);
    QString LessonPath(const QString& name) const { return lessons.filePath(name); }

    // The main window's control or command of that name.
    template <typename T = QWidget> T& Control(const char* name) const {
        T* control = qobject_cast<T*>(FindInMainWindow(name));
        EXPECT_NE(control, nullptr) << name;
        return *control;
    }
    static QObject* FindInMainWindow(const char* name);
    QAction& Command(const char* name) const { return Control<QAction>(name); }
    bool StartPanelShown() const;
    // The lesson windows in the frame, oldest first.
    std::vector<editor::TLessonWindow*> LessonWindows() const;
    // The recent list's shown labels, empty texts for hidden ones.
    QStringList RecentLabels() const;
    std::vector<platform::ScriptedDialogs::Shown> Shown(platform::ScriptedDialogs::Kind kind) const;

    QTemporaryDir userConfig, machineConfig, install, lessons;
    platform::ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<editor::TWindows> windows;
};
