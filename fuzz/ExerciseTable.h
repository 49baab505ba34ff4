#pragma once

#include <string>

// Opens the table file at `path` and touches everything in it the way the programs do: the
// marker, every field's name and type, every value of every record with the reader of its type;
// on a writable table also one appended and one deleted record. The store's own errors are
// expected and ignored; anything worse is a fault.
void ExerciseTable(const std::string& path, bool readOnly);
