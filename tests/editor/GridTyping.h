#pragma once

#include "DatGrid.h"
#include "ULesson.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

// Typing into a lesson window's grid as the author does.

// The open in-place editor of the grid's current cell, or none.
inline QLineEdit* Editor(const TDatGrid& grid) {
    for (QLineEdit* editor : grid.findChildren<QLineEdit*>())
        if (editor->isVisible())
            return editor;
    return nullptr;
}

// Where keys go: the open cell editor, or else the grid.
inline QWidget* KeyTarget(editor::TLessonWindow& window) {
    QLineEdit* editor = Editor(window.DatGrid1());
    return editor ? static_cast<QWidget*>(editor) : &window.DatGrid1();
}

// A key that types the character, also one that no key of a Latin keyboard gives.
inline void Key(QWidget* target, QChar character) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QCoreApplication::sendEvent(target, &event);
    }
}

// The first key opens the cell's editor, the rest go into it.
inline void Type(editor::TLessonWindow& window, const QString& text) {
    for (const QChar character : text)
        Key(KeyTarget(window), character);
}

inline void Enter(editor::TLessonWindow& window) {
    QTest::keyClick(KeyTarget(window), Qt::Key_Return);
}

inline void TypeRow(editor::TLessonWindow& window, const QString& first, const QString& second) {
    Type(window, first);
    Enter(window);
    Type(window, second);
    Enter(window);
}
