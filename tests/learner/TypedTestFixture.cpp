#include "TypedTestFixture.h"

#include <QTest>

void TypedTestTest::SetUp() {
    LearnerTest::SetUp();
    Start();
}

void TypedTestTest::TearDown() {
    learner::SetRandom(nullptr);
    LearnerTest::TearDown();
}

learner::ScriptedRandom& TypedTestTest::ScriptReverseOrder(int32_t count) {
    // Each draw swaps the first item still in place with its mirror, from the outside in.
    auto random = std::make_unique<learner::ScriptedRandom>();
    for (int32_t place = 0; place < count / 2; ++place)
        random->Push(count - 1 - place);
    learner::ScriptedRandom& installed = *random;
    learner::SetRandom(std::move(random));
    return installed;
}

QString TypedTestTest::Lesson(const char* name, const std::string& marker,
                              const learner::TLessonFields& fields,
                              const std::vector<Record>& records) {
    const QString path = lessons.filePath(name);
    MakeLesson(path, marker, fields, records);
    return path;
}

std::vector<Record> NumberedWords(int count) {
    std::vector<Record> records;
    for (int k = 1; k <= count; ++k)
        records.emplace_back(QString("word%1").arg(k), QString("slovo%1").arg(k));
    return records;
}

QLabel* Label(const QWidget* window, const char* name) {
    return window->findChild<QLabel*>(name);
}

QLineEdit* AnswerField(const QWidget* window) {
    return window->findChild<QLineEdit*>("Edit1");
}

QPushButton* OkButton(const QWidget* window) {
    return window->findChild<QPushButton*>("Button1");
}

void Answer(const QWidget* window, const QString& text) {
    // Typed character by character with its text, as a keyboard layout with Czech letters would.
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, AnswerField(window), Qt::Key_unknown, QString(c),
                            Qt::NoModifier);
    QTest::keyClick(AnswerField(window), Qt::Key_Return);
}

void AnswerNumberedRight(const QWidget* window) {
    const QString question = Label(window, "Label1")->text();
    ASSERT_TRUE(question.startsWith("slovo")) << question.toStdString();
    Answer(window, "word" + question.mid(5));
}

void PressEnter(const QWidget* window) {
    QWidget* focused = window->focusWidget();
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, Qt::Key_Return);
}
