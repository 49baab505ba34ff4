#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// The quiz routines that every drill window calls through the main window. They keep no state:
// each works on its arguments only, and the shuffle draws from Random().
namespace learner {

// The question as shown: the text without any "<" or ">", so a hint stays readable.
QString StripMarks(const QString& text);

// True when `answer` equals, character for character, one of the ";"-separated alternatives of
// `expected` once its hints "<…>", optional parts "(…)" and the one space beside each are left
// out. An empty answer or an empty expected text is never right.
bool CheckAnswer(const QString& answer, const QString& expected);

// Fills order[0 … count − 1] with a random permutation in which no item k is directly followed by
// item k + 1. An order shorter than `count` is first lengthened to it.
void ShuffleOrder(std::vector<int32_t>& order, int32_t count);

// Moves the missed item order[pos] to the last place of its group, groupEnd; the rest of the group
// moves up by one. Outside 0 ≤ pos ≤ groupEnd < count (and within the order) nothing is touched.
void RequeueMissed(std::vector<int32_t>& order, int32_t pos, int32_t count, int32_t groupEnd);

} // namespace learner
