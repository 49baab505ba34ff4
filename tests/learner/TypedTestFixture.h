#pragma once

#include "LearnerFixture.h"
#include "Random.h"
#include "TypedTest.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// A started learner whose drills ask in an order that the test scripts.
class TypedTestTest : public LearnerTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Scripts the draws with which the shuffle of `count` items asks them in reverse order, the
    // last record first.
    learner::ScriptedRandom& ScriptReverseOrder(int32_t count);
    // A lesson in the test's lesson folder.
    QString Lesson(const char* name, const std::string& marker,
                   const learner::TLessonFields& fields, const std::vector<Record>& records);
};

// Records ("word1", "slovo1") … ("word<n>", "slovo<n>").
std::vector<Record> NumberedWords(int count);

QLabel* Label(const QWidget* window, const char* name);
QLineEdit* AnswerField(const QWidget* window);
QPushButton* OkButton(const QWidget* window);
// Types the answer into the window's answer field and presses Enter.
void Answer(const QWidget* window, const QString& text);
// The answer to a question of NumberedWords: "slovo7" is answered "word7".
void AnswerNumberedRight(const QWidget* window);
// Enter on the window's focus widget, where the learner's Enter goes.
void PressEnter(const QWidget* window);
