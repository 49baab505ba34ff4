// Turns the plain text of a lesson into a lesson file; the build runs it on the sample lessons.
//
//     make_lesson <lesson.txt> <lesson.lq>
//
// The text is UTF-8, one line at a time: "#" begins a comment line and empty lines are skipped;
// "marker: <kind marker>" and "fields: <name> <size> | <name> <size> …" come first, every line
// after them is one record, its values in the order of the fields and separated by "|". Spaces
// around a value are not part of it. The values are stored in Windows-1250, and a value that
// this code page cannot hold, or that is longer than its field, stops the tool with the line
// number: a lesson never leaves the build quietly changed.
#include "Dat.h"
#include "LessonText.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Field {
    std::string name;
    int32_t size = 0;
};

struct Lesson {
    std::string marker;
    std::vector<Field> fields;
    std::vector<std::vector<std::string>> records;
};

[[noreturn]] void Fail(int line, const QString& message) {
    throw std::runtime_error("line " + std::to_string(line) + ": " + message.toStdString());
}

std::string Encoded(const QString& text, int line) {
    const std::optional<std::string> bytes = platform::ToLessonText(text);
    if (!bytes)
        Fail(line, "\"" + text + "\" has a character that Windows-1250 cannot hold");
    return *bytes;
}

std::vector<Field> ParseFields(const QString& declaration, int line) {
    std::vector<Field> fields;
    for (const QString& part : declaration.split(u'|')) {
        const QStringList words = part.split(u' ', Qt::SkipEmptyParts);
        bool isNumber = false;
        const int size = words.size() == 2 ? words[1].toInt(&isNumber) : 0;
        if (!isNumber || size < 1 || size > MaxStringSize)
            Fail(line, "a field is \"<name> <size>\", not \"" + part.trimmed() + "\"");
        fields.push_back({Encoded(words[0], line), size});
    }
    return fields;
}

Lesson Parse(const QString& text) {
    Lesson lesson;
    const QStringList lines = text.split(u'\n');
    for (int n = 1; n <= lines.size(); ++n) {
        const QString line = lines[n - 1].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(QLatin1String("marker:"))) {
            lesson.marker = Encoded(line.mid(7).trimmed(), n);
            if (lesson.marker.size() > 10)
                Fail(n, "a kind marker has at most 10 characters");
        } else if (line.startsWith(QLatin1String("fields:"))) {
            lesson.fields = ParseFields(line.mid(7), n);
        } else {
            if (lesson.marker.empty() || lesson.fields.empty())
                Fail(n, "the marker and the fields come before the first record");
            const QStringList values = line.split(u'|');
            if (size_t(values.size()) != lesson.fields.size())
                Fail(n, QString("%1 values for %2 fields")
                            .arg(values.size())
                            .arg(lesson.fields.size()));
            std::vector<std::string> record;
            for (size_t f = 0; f < lesson.fields.size(); ++f) {
                record.push_back(Encoded(values[qsizetype(f)].trimmed(), n));
                if (record.back().size() > size_t(lesson.fields[f].size))
                    Fail(n, "\"" + values[qsizetype(f)].trimmed() + "\" is longer than " +
                                QString::fromStdString(lesson.fields[f].name) + " holds");
            }
            lesson.records.push_back(std::move(record));
        }
    }
    if (lesson.marker.empty() || lesson.fields.empty())
        throw std::runtime_error("the text has no marker or no fields");
    return lesson;
}

QString ReadText(const std::string& path) {
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path + ": " + file.errorString().toStdString());
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(file.readAll());
    if (decoder.hasError())
        throw std::runtime_error(path + " is not UTF-8 text");
    return text;
}

void Write(const Lesson& lesson, const std::string& path) {
    TDat table;
    table.SetFileName(path);
    table.SetActive(true);
    for (const Field& field : lesson.fields)
        table.AddField(field.name, dtString, field.size);
    table.SetDataType(lesson.marker);
    for (const std::vector<std::string>& record : lesson.records) {
        table.AppendRecord();
        for (size_t f = 0; f < record.size(); ++f)
            table.WriteString(lesson.fields[f].name, table.RecordCount(), record[f]);
    }
    // The store closes the table when a write fails and says nothing more.
    if (!table.Active())
        throw std::runtime_error("cannot write " + path + ": " + table.FailureReason());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_lesson <lesson.txt> <lesson.lq>\n";
        return 2;
    }
    const std::filesystem::path output = argv[2];
    // Written beside its place and renamed at the end, so that a failed run leaves no lesson
    // that the next build would take as done.
    std::filesystem::path part = output;
    part += ".part";
    try {
        const Lesson lesson = Parse(ReadText(argv[1]));
        if (output.has_parent_path())
            std::filesystem::create_directories(output.parent_path());
        std::filesystem::remove(part);
        Write(lesson, part.string());
        std::filesystem::rename(part, output);
    } catch (const std::exception& error) {
        std::error_code ignored;
        std::filesystem::remove(part, ignored);
        std::cerr << argv[1] << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}
