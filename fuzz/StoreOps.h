#pragma once

#include <cstdint>

// The operations of the store's fuzz target. A control byte b picks operation b % Count with the
// argument b / Count; some operations take further control bytes as their parameters.
enum class StoreOp : uint8_t {
    OpenReadOnly,
    OpenReadWrite,
    Close,
    AddField,  // argument: type; parameter: string size; an argument of 10 or more: a taken name
    SetMarker, // argument: which marker
    Append,
    Delete, // argument: which record
    Write,  // argument: field; parameters: record, writer, value
    Read,   // argument 0: the whole table; otherwise every reader on one record
    Reopen, // the table held and the file opened again must read alike
    Create, // the file removed and a new, empty table made in its place
    Probe,  // while the table holds the file, no other table can take it
    Count
};

inline constexpr uint8_t Control(StoreOp op, uint8_t argument = 0) {
    return uint8_t(argument * uint8_t(StoreOp::Count) + uint8_t(op));
}
