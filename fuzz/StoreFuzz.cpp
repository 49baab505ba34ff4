// libFuzzer target: the store under a sequence of operations that the input's control bytes pick,
// on the lesson file that the rest of the input is. After every step the store's own invariants
// must hold: the header in the file agrees with the table held, the file opens again whatever
// closed the table, a value written reads back, and the file opened again reads as the table
// held.
#include "Dat.h"
#include "DatLayout.h"
#include "FuzzInput.h"
#include "StoreOps.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// What the target lets the file grow to and the bytes it lets one new field move, so that one
// input stays fast; the store's own limits lie far beyond.
constexpr int64_t MaxFileLength = 4 << 20;
constexpr int64_t MaxMovedBytes = 32 << 20;

// Without control bytes, the target does with the lesson what the programs do.
const StoreOp DefaultRun[] = {StoreOp::OpenReadOnly,  StoreOp::Read,   StoreOp::Reopen,
                              StoreOp::OpenReadWrite, StoreOp::Append, StoreOp::Delete,
                              StoreOp::Read,          StoreOp::Reopen};

const uint8_t FieldTypes[] = {dtBoolean, dtInteger, dtFloat, dtString, 5};
const uint8_t Accessors[] = {dtBoolean, dtInteger, dtFloat, dtString};
const char* const Markers[] = {"lq3 test1", "lq4 test2a", "", "lq4 test2b+more"};

// A value as the reader of `type` gives it, as bytes: floats by their bits, so NaN equals itself.
std::string ValueText(TDat& table, uint8_t type, const std::string& field, int32_t record) {
    switch (type) {
    case dtBoolean:
        return std::to_string(table.ReadBoolean(field, record));
    case dtInteger:
        return std::to_string(table.ReadInteger(field, record));
    case dtFloat: {
        const double value = table.ReadFloat(field, record);
        return std::string(reinterpret_cast<const char*>(&value), sizeof value);
    }
    default:
        return table.ReadString(field, record);
    }
}

// Everything the readers see of a table, up to the read that closed it, if any.
std::vector<std::string> Snapshot(TDat& table) {
    std::vector<std::string> seen;
    std::string marker;
    table.GetDataType(marker);
    seen.push_back(marker + "/" + std::to_string(table.RecordCount()));
    for (int k = 1; k <= table.FieldCount(); ++k)
        seen.push_back(table.FieldName(uint8_t(k)) + "/" + std::to_string(table.FieldSize(k)) +
                       "/" + std::to_string(table.GetFieldType(uint8_t(k))));
    for (int32_t r = 1; r <= table.RecordCount() && table.Active(); ++r)
        for (int k = 1; k <= table.FieldCount() && table.Active(); ++k)
            seen.push_back(
                ValueText(table, table.GetFieldType(uint8_t(k)), table.FieldName(uint8_t(k)), r));
    seen.push_back(table.Active() ? "open" : "closed");
    return seen;
}

class StoreRun {
public:
    explicit StoreRun(FuzzInput& input) : input_(input) {
        table_.SetCreateFile(false);
        table_.SetFileName(input.Path());
    }

    void Do(StoreOp op, uint8_t argument) {
        try {
            Step(op, argument);
        } catch (const std::runtime_error&) {
            // The store's refusals; the invariants below hold all the same.
        }
        if (table_.Active())
            CheckAgainstFile();
        else if (opened_)
            CheckStillOpens();
    }

private:
    void Step(StoreOp op, uint8_t argument) {
        switch (op) {
        case StoreOp::OpenReadOnly:
        case StoreOp::OpenReadWrite:
            Open(op == StoreOp::OpenReadOnly);
            break;
        case StoreOp::Close:
            table_.SetActive(false);
            break;
        case StoreOp::AddField:
            AddField(argument);
            break;
        case StoreOp::SetMarker:
            table_.SetDataType(Markers[argument % std::size(Markers)]);
            break;
        case StoreOp::Append:
            if (input_.FileLength() + RecordSize() <= MaxFileLength)
                table_.AppendRecord();
            break;
        case StoreOp::Delete:
            Delete(argument);
            break;
        case StoreOp::Write:
            Write(argument);
            break;
        case StoreOp::Read:
            if (argument == 0)
                Snapshot(table_);
            else if (table_.RecordCount() > 0)
                ReadRecord(PickRecord(argument));
            break;
        case StoreOp::Reopen:
            Reopen();
            break;
        case StoreOp::Create:
            table_.SetActive(false);
            std::filesystem::remove(input_.Path());
            table_.SetReadOnly(false);
            table_.SetCreateFile(true);
            table_.SetActive(true);
            table_.SetCreateFile(false);
            opened_ = true;
            break;
        case StoreOp::Probe:
            Probe();
            break;
        case StoreOp::Count:
            break;
        }
    }

    void Open(bool readOnly) {
        table_.SetActive(false);
        table_.SetReadOnly(readOnly);
        table_.SetActive(true);
        opened_ = opened_ || table_.Active();
    }

    void AddField(uint8_t argument) {
        const uint8_t type = FieldTypes[argument % std::size(FieldTypes)];
        const uint8_t sizeChoice = input_.Next();
        const int32_t size = sizeChoice == 255   ? MaxStringSize
                             : sizeChoice == 254 ? MaxStringSize + 1
                                                 : sizeChoice;
        std::string name = "f" + std::to_string(table_.FieldCount() + 1);
        if (argument / std::size(FieldTypes) == 1 && table_.FieldCount() > 0)
            name = table_.FieldName(1);
        else if (argument / std::size(FieldTypes) == 2)
            name.resize(MaxFieldNameLength + 1, 'n');
        const int64_t records = std::max(table_.RecordCount(), 0);
        const int64_t grown = input_.FileLength() + records * TDat::TypeSize(type, uint16_t(size));
        if (grown <= MaxFileLength && records * grown <= MaxMovedBytes)
            table_.AddField(name, type, size);
    }

    void Delete(uint8_t argument) {
        const int32_t records = table_.RecordCount();
        const int32_t choices[] = {1, records, 0, records + 1};
        table_.DeleteRecord(argument < std::size(choices) ? choices[argument]
                            : records > 0                 ? PickRecord(argument)
                                                          : 1);
    }

    // A value of any type from the next control bytes, through a writer of the field's own type
    // or of another; it must read back through the reader of the same type.
    void Write(uint8_t argument) {
        if (table_.FieldCount() == 0 || table_.RecordCount() <= 0)
            return;
        const uint8_t index =
            table_.FieldIndex(table_.FieldName(uint8_t(1 + argument % table_.FieldCount())));
        const std::string field = table_.FieldName(index);
        const int32_t record = PickRecord(input_.Next());
        const uint8_t how = input_.Next();
        const uint8_t ownType = table_.GetFieldType(index);
        const uint8_t type = how & 0x80 ? ownType : Accessors[how % std::size(Accessors)];
        uint8_t raw[8];
        for (uint8_t& byte : raw)
            byte = input_.Next();
        std::string expected;
        switch (type) {
        case dtBoolean:
            table_.WriteBoolean(field, record, raw[0]);
            expected = std::to_string(raw[0]);
            break;
        case dtInteger: {
            int32_t value;
            std::memcpy(&value, raw, sizeof value);
            table_.WriteInteger(field, record, value);
            expected = std::to_string(value);
            break;
        }
        case dtFloat: {
            double value;
            std::memcpy(&value, raw, sizeof value);
            table_.WriteFloat(field, record, value);
            expected.assign(reinterpret_cast<const char*>(raw), sizeof raw);
            break;
        }
        default: {
            // 255 asks for a text longer than any field holds.
            const size_t length = raw[0] == 255 ? 70000 : raw[0] % 64;
            std::string value(length, '\0');
            for (size_t k = 0; k < length; ++k)
                value[k] = char(raw[1 + k % 7]);
            table_.WriteString(field, record, value);
            const size_t room = size_t(std::max(int(table_.FieldSize(index)) - 2, 0));
            expected = value.substr(0, std::min(room, value.find('\0')));
            break;
        }
        }
        if (table_.Active())
            Check(ValueText(table_, type, field, record) == expected,
                  "a value written does not read back");
    }

    // Every reader on every field of one record, the readers of other types too.
    void ReadRecord(int32_t record) {
        for (int k = 1; k <= table_.FieldCount() && table_.Active(); ++k)
            for (const uint8_t type : Accessors)
                if (table_.Active())
                    ValueText(table_, type, table_.FieldName(uint8_t(k)), record);
    }

    void Reopen() {
        if (!opened_) {
            Open(table_.ReadOnly());
            return;
        }
        const bool held = table_.Active();
        const std::vector<std::string> before =
            held ? Snapshot(table_) : std::vector<std::string>{};
        Open(table_.ReadOnly());
        Check(table_.Active(), "a file that the store held does not open again");
        if (held)
            Check(Snapshot(table_) == before, "the file opened again differs from the table held");
    }

    void Probe() {
        const bool held = table_.Active();
        Check(table_.IsCompatibleFile(input_.Path()) || !held, "the table does not know its file");
        TDat other;
        other.SetFileName(input_.Path());
        try {
            other.SetActive(true);
        } catch (const std::runtime_error&) {
        }
        Check(!(held && other.Active()), "two tables hold one file");
    }

    void CheckAgainstFile() const {
        const std::string bytes = input_.FileBytes(HeaderSize);
        Check(bytes.size() == size_t(HeaderSize), "the file lost its header");
        TDatHeader header;
        std::memcpy(header.bytes.data(), bytes.data(), bytes.size());
        std::string marker;
        table_.GetDataType(marker);
        marker.resize(DataTypeLength, ' ');
        const double times[] = {table_.Created(), table_.Modified()};
        Check(header.FieldCount() == table_.FieldCount() &&
                  header.RecordCount() == table_.RecordCount() &&
                  std::string(header.DataType(), DataTypeLength) == marker &&
                  std::memcmp(&bytes[56], times, sizeof times) == 0,
              "the header in the file differs from the table's");
        const int64_t slots = RecordSize();
        Check(header.RecordSize() == slots, "the record size is not the sum of the slots");
        const int64_t lastRecord = HeaderSize + int64_t(DescriptorSize) * header.FieldCount() +
                                   (int64_t(header.RecordCount()) - 1) * slots;
        Check(header.RecordCount() == 0 || lastRecord <= input_.FileLength(),
              "the last record starts beyond the end of the file");
    }

    // Whatever closed the table, the file must still open with the records it holds.
    void CheckStillOpens() const {
        TDat probe;
        probe.SetReadOnly(true);
        probe.SetFileName(input_.Path());
        try {
            probe.SetActive(true);
        } catch (const std::runtime_error&) {
        }
        Check(probe.Active(), "a file that the store held does not open again");
    }

    int64_t RecordSize() const {
        int64_t slots = 0;
        for (int k = 1; k <= table_.FieldCount(); ++k)
            slots += table_.FieldSize(uint8_t(k));
        return slots;
    }

    int32_t PickRecord(uint8_t choice) const { return 1 + choice % table_.RecordCount(); }

    FuzzInput& input_;
    TDat table_;
    // The file was taken once, so whatever the store does to it must leave it openable.
    bool opened_ = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    StoreRun run(input);
    if (!input.ControlsLeft()) {
        for (const StoreOp op : DefaultRun)
            run.Do(op, 0);
        return 0;
    }
    while (input.ControlsLeft()) {
        const uint8_t control = input.Next();
        run.Do(StoreOp(control % uint8_t(StoreOp::Count)), control / uint8_t(StoreOp::Count));
    }
    run.Do(StoreOp::Reopen, 0);
    return 0;
}
