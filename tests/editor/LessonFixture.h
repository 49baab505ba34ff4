#pragma once

#include "Dat.h"
#include "DatGrid.h"
#include "GridTyping.h"
#include "ScriptedDialogs.h"
#include "UMain.h"
#include "UTest1.h"
#include "UTest2.h"
#include "Windows.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

// What a lesson file holds: its marker and its pairs in record order.
struct LessonContent {
    std::string marker;
    std::vector<std::pair<std::string, std::string>> pairs;
    bool operator==(const LessonContent&) const = default;
    friend void PrintTo(const LessonContent& content, std::ostream* out) {
        *out << '"' << content.marker << "\" " << ::testing::PrintToString(content.pairs);
    }
};

inline LessonContent ReadLesson(const QString& path, const std::string& field1 = "AJ",
                                const std::string& field2 = "CJ") {
    TDat dat;
    dat.SetFileName(QFile::encodeName(path).toStdString());
    dat.SetActive(true);
    LessonContent content;
    dat.GetDataType(content.marker);
    for (int32_t record = 1; record <= dat.RecordCount(); ++record)
        content.pairs.emplace_back(dat.ReadString(field1, record), dat.ReadString(field2, record));
    return content;
}
inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

inline std::pair<int, int> Current(const editor::TLessonWindow& window) {
    return {window.DatGrid1().Col(), window.DatGrid1().Row()};
}
inline QStringList Column(const editor::TLessonWindow& window, int col) {
    QStringList cells;
    for (int row = 1; row < window.DatGrid1().RowCount(); ++row)
        cells << window.DatGrid1().Cells(col, row);
    return cells;
}

// Lesson windows of a main window whose install folder is a fresh temporary one with its "Tmp/",
// with scripted dialogs and settings kept in temporary folders.
class LessonFixture : public ::testing::Test {
protected:
    QTemporaryDir config;
    QTemporaryDir install;
    QTemporaryDir lessons;
    platform::ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<editor::TWindows> windows;

    LessonFixture() {
        qputenv("XDG_CONFIG_HOME", config.filePath("user").toUtf8());
        qputenv("XDG_CONFIG_DIRS", config.filePath("machine").toUtf8());
        QDir(install.path()).mkdir(QStringLiteral("Tmp"));
        dialogs = &platform::UseScriptedDialogs();
        windows = std::make_unique<editor::TWindows>();
        editor::TSetup& setup = editor::FMain->Setup;
        setup.Path = install.path() + u'/';
        setup.ColSizeTest1_1 = 50;
        setup.ColSizeTest1_2 = 50;
        setup.ColSizeTest2_1 = 70;
        setup.ColSizeTest2_2 = 30;
    }

    ~LessonFixture() override {
        for (const QPointer<editor::TLessonWindow>& window : made_)
            delete window.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        windows.reset();
        platform::SetDialogs(nullptr);
    }

    // A shown, active window of the kind, not yet given a lesson.
    template <typename Window> Window& MakeWindow() {
        auto* window = new Window;
        made_.emplace_back(window);
        window->resize(600, 300);
        window->show();
        return *window;
    }
    editor::TFTest1& NewLesson() {
        auto& window = MakeWindow<editor::TFTest1>();
        window.NewFile();
        StartTyping(window);
        return window;
    }
    template <typename Window = editor::TFTest2> Window& OpenLesson(const QString& fileName) {
        auto& window = MakeWindow<Window>();
        window.OpenFile(fileName);
        StartTyping(window);
        return window;
    }
    // The first cell becomes current, as when the author first goes into the grid.
    static void StartTyping(editor::TLessonWindow& window) {
        window.activateWindow();
        window.DatGrid1().setFocus();
        window.DatGrid1().SetCol(1);
    }
    // Closes a window as its close box does; returns whether it went.
    static bool Close(editor::TLessonWindow& window) {
        QPointer<editor::TLessonWindow> guard(&window);
        const bool closed = window.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(closed, guard.isNull());
        return closed;
    }

    QString TempName(int number) const {
        return install.filePath(QStringLiteral("Tmp/%1.tmp").arg(number));
    }
    QString LessonPath(const QString& name) const { return lessons.filePath(name); }

    // A lesson file of the given marker and fields holding the given pairs.
    QString WriteLesson(const QString& name, const std::string& marker,
                        const std::vector<std::pair<std::string, std::string>>& pairs,
                        const std::string& field1 = "veta", const std::string& field2 = "vyraz") {
        const QString path = LessonPath(name);
        TDat dat;
        dat.SetFileName(QFile::encodeName(path).toStdString());
        dat.SetActive(true);
        dat.AddField(field1, dtString, 200);
        dat.AddField(field2, dtString, 40);
        dat.SetDataType(marker);
        for (const auto& [first, second] : pairs) {
            dat.AppendRecord();
            dat.WriteString(field1, dat.RecordCount(), first);
            dat.WriteString(field2, dat.RecordCount(), second);
        }
        return path;
    }

    std::vector<QString> ErrorsShown() const {
        std::vector<QString> errors;
        for (const auto& shown : dialogs->shown)
            if (shown.kind == platform::ScriptedDialogs::Kind::Error)
                errors.push_back(shown.text);
        return errors;
    }

private:
    std::vector<QPointer<editor::TLessonWindow>> made_;
};
