#include "LearnerFixture.h"

#include "Dat.h"
#include "Registry.h"
#include "UMain.h"

#include <QFile>
#include <QStringEncoder>
#include <QTreeWidget>
#include <QtEndian>

void LearnerTest::SetUp() {
    ASSERT_TRUE(userConfig.isValid() && machineConfig.isValid() && install.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(userConfig.path()));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(machineConfig.path()));
    dialogs = &platform::UseScriptedDialogs();
    WriteWave(InstallFile("chyba.wav"));
    WriteWave(InstallFile("spravne.wav"));
    SetMachinePath(install.path());
}

void LearnerTest::TearDown() {
    windows.reset();
    platform::SetDialogs(nullptr);
}

void LearnerTest::Start() {
    windows = std::make_unique<learner::TWindows>();
    learner::FMain->show();
}

void LearnerTest::Stop() {
    learner::FMain->close();
    windows.reset();
}

void LearnerTest::SetMachinePath(const QString& path) {
    WriteMachinePath(machineConfig.path(), userConfig.path(), ProductKey, path);
}

WrittenKey LearnerTest::UserKey(const QString& key) {
    return OpenUserKey(key);
}

QTreeWidget& LearnerTest::RecentView() const {
    return *learner::FMain->findChild<QTreeWidget*>("LVOtevr");
}

namespace {

template <typename T> void AppendLittleEndian(QByteArray& bytes, T value) {
    const T stored = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&stored), sizeof stored);
}

} // namespace

void WriteWave(const QString& path) {
    const quint32 samples = 64, rate = 22050;
    QByteArray wave("RIFF");
    AppendLittleEndian<quint32>(wave, 36 + samples * 2);
    wave.append("WAVEfmt ");
    AppendLittleEndian<quint32>(wave, 16);
    AppendLittleEndian<quint16>(wave, 1); // PCM
    AppendLittleEndian<quint16>(wave, 1); // mono
    AppendLittleEndian<quint32>(wave, rate);
    AppendLittleEndian<quint32>(wave, rate * 2);
    AppendLittleEndian<quint16>(wave, 2);
    AppendLittleEndian<quint16>(wave, 16);
    wave.append("data");
    AppendLittleEndian<quint32>(wave, samples * 2);
    wave.append(QByteArray(samples * 2, 0));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(wave);
}

void MakeLesson(const QString& path, const std::string& marker) {
    TDat table;
    table.SetFileName(QFile::encodeName(path).toStdString());
    table.SetActive(true);
    table.AddField("AJ", dtString, 100);
    table.AddField("CJ", dtString, 100);
    table.SetDataType(marker);
    ASSERT_TRUE(table.Active());
}

void MakeLesson(const QString& path, const std::string& marker,
                const learner::TLessonFields& fields, const std::vector<Record>& records) {
    TDat table;
    table.SetFileName(QFile::encodeName(path).toStdString());
    table.SetActive(true);
    table.AddField(fields.Field1, dtString, 200);
    table.AddField(fields.Field2, dtString, 200);
    table.SetDataType(marker);
    QStringEncoder encoder("windows-1250");
    const auto stored = [&encoder](const QString& text) {
        return QByteArray(encoder.encode(text)).toStdString();
    };
    for (const Record& record : records) {
        table.AppendRecord();
        table.WriteString(fields.Field1, table.RecordCount(), stored(record.first));
        table.WriteString(fields.Field2, table.RecordCount(), stored(record.second));
    }
    ASSERT_FALSE(encoder.hasError());
    ASSERT_TRUE(table.Active());
}
