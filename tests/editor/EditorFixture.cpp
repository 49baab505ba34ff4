#include "EditorFixture.h"

#include "Dat.h"
#include "LessonInfo.h"
#include "Registry.h"
#include "ULesson.h"
#include "UMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

void EditorTest::SetUp() {
    ASSERT_TRUE(userConfig.isValid() && machineConfig.isValid() && install.isValid() &&
                lessons.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(userConfig.path()));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(machineConfig.path()));
    dialogs = &platform::UseScriptedDialogs();
    ASSERT_TRUE(QDir(install.path()).mkdir(QStringLiteral("Tmp")));
    SetMachinePath(install.path());
}

void EditorTest::TearDown() {
    windows.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::SetDialogs(nullptr);
}

void EditorTest::Start() {
    windows = std::make_unique<editor::TWindows>();
    editor::FMain->show();
}

bool EditorTest::Stop() {
    const bool closed = editor::FMain->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (closed)
        windows.reset();
    return closed;
}

void EditorTest::SetMachinePath(const QString& path) {
    WriteMachinePath(machineConfig.path(), userConfig.path(), ProductKey, path);
}

WrittenKey EditorTest::UserKey(const QString& key) {
    return OpenUserKey(key);
}

void EditorTest::WriteUserFile(const QByteArray& text) {
    const QString path = platform::Registry::FilePath(platform::RegistryRoot::CurrentUser);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

QString EditorTest::WriteLesson(const QString& name, const std::string& marker, int records) {
    const QString path = LessonPath(name);
    TDat dat;
    dat.SetFileName(QFile::encodeName(path).toStdString());
    dat.SetActive(true);
    const bool fillIn = LessonKindOf(marker) == LessonKind::FillIn;
    const std::string field1 = fillIn ? "veta" : "AJ";
    const std::string field2 = fillIn ? "vyraz" : "CJ";
    dat.AddField(field1, dtString, 100);
    dat.AddField(field2, dtString, 100);
    dat.SetDataType(marker);
    for (int record = 1; record <= records; ++record) {
        dat.AppendRecord();
        dat.WriteString(field1, record, "word " + std::to_string(record));
        dat.WriteString(field2, record, "slovo " + std::to_string(record));
    }
    return path;
}

QObject* EditorTest::FindInMainWindow(const char* name) {
    return editor::FMain->findChild<QObject*>(QString::fromLatin1(name));
}

bool EditorTest::StartPanelShown() const {
    return !Control("PanNovy").isHidden();
}

std::vector<editor::TLessonWindow*> EditorTest::LessonWindows() const {
    std::vector<editor::TLessonWindow*> windows;
    for (QMdiSubWindow* child : Control<QMdiArea>("MdiArea").subWindowList(QMdiArea::CreationOrder))
        if (auto* window = qobject_cast<editor::TLessonWindow*>(child->widget()))
            windows.push_back(window);
    return windows;
}

QStringList EditorTest::RecentLabels() const {
    QStringList texts;
    for (const char* name : {"LbOtev1", "LbOtev2", "LbOtev3", "LbOtev4"}) {
        const QLabel& label = Control<QLabel>(name);
        texts << (label.isHidden() ? QString() : label.text());
    }
    return texts;
}

std::vector<platform::ScriptedDialogs::Shown>
EditorTest::Shown(platform::ScriptedDialogs::Kind kind) const {
    std::vector<platform::ScriptedDialogs::Shown> shown;
    for (const auto& box : dialogs->shown)
        if (box.kind == kind)
            shown.push_back(box);
    return shown;
}
