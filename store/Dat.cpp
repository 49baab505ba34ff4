#include "Dat.h"

#include "DateTime.h"
#include "FileStream.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

const char* const ErrNotActive = "Database is not active";
const char* const ErrNotCompatible = "File is not compatible";
const char* const ErrFieldExists = "Field jiz existuje";
const char* const ErrPosition = "Chyba pri hledani pozice dat. Field nebo veta neexistuje.";
const char* const ErrValueNotActive = "Error, database is not active";
const char* const ErrValueWrong = "Error, record or field is wrong";
const char* const ErrReadOnly = "Database is opened for reading only";

// Bytes moved at once when a gap is opened or closed: the file is never held in memory whole.
constexpr int64_t MoveChunk = 64 * 1024;

[[noreturn]] void Raise(const std::string& message) {
    throw std::runtime_error(message);
}

void ReadSchema(const FileStream& file, TDatHeader& header, std::vector<TDatFieldDef>& defs) {
    file.ReadExact(0, header.bytes.data(), HeaderSize);
    defs.resize(header.FieldCount());
    for (size_t i = 0; i < defs.size(); ++i)
        file.ReadExact(HeaderSize + int64_t(i) * DescriptorSize, defs[i].bytes.data(),
                       DescriptorSize);
}

// Whether every position computed from this schema lies where a file written by the store could
// have it: names and string sizes within the limits, the record size the sum of the slots, and
// the last record starting inside the file.
bool IsTrustworthy(const TDatHeader& header, const std::vector<TDatFieldDef>& defs,
                   int64_t fileLength) {
    int64_t slots = 0;
    for (const auto& def : defs) {
        if (def.NameLength() > MaxFieldNameLength)
            return false;
        if (def.FieldType() == dtString && (def.Size() < 0 || def.Size() > MaxStringSize))
            return false;
        slots += TDat::TypeSize(def.FieldType(), uint16_t(def.Size()));
    }
    const int64_t recordArea = HeaderSize + int64_t(defs.size()) * DescriptorSize;
    const int64_t records = header.RecordCount();
    if (header.RecordSize() != slots || records < 0 || (records > 0 && slots == 0))
        return false;
    if (recordArea + records * slots > std::numeric_limits<int32_t>::max())
        return false;
    return records == 0 || recordArea + (records - 1) * slots <= fileLength;
}

} // namespace

TDat::TDat() = default;

TDat::~TDat() {
    CloseFile();
}

FileStream& TDat::Stream() const {
    if (!file_)
        Raise(ErrNotActive);
    return *file_;
}

template <typename Step> bool TDat::Guarded(Step&& step) {
    try {
        step();
        return true;
    } catch (const std::exception& error) {
        // Only the failure that closes the table says why; the steps after it only find it
        // closed.
        if (Active())
            failureReason_ = error.what();
        CloseFile();
        return false;
    }
}

// ---------------------------------------------------------------- life cycle and header

void TDat::SetActive(bool value) {
    if (!value) {
        CloseFile();
        return;
    }
    if (Active())
        return;
    if (FileStream::IsRegularFile(fileName_))
        Open();
    else if (createFile_ && !readOnly_)
        Create();
}

void TDat::Open() {
    if (!IsCompatibleFile(fileName_))
        Raise(ErrNotCompatible);
    file_ = std::make_unique<FileStream>(fileName_, readOnly_ ? FileStream::Mode::Read
                                                              : FileStream::Mode::ReadWrite);
    LoadTrustedSchema();
    failureReason_.clear();
    if (AfterActive)
        AfterActive(*this);
}

void TDat::Create() {
    InitHeader();
    fieldDefs_.clear();
    file_ = std::make_unique<FileStream>(fileName_, FileStream::Mode::Create);
    failureReason_.clear();
    WriteHeader();
    ReadFieldDefs();
}

// A damaged file must be refused before anything trusts its header: every later position is
// computed from it.
void TDat::LoadTrustedSchema() {
    TDatHeader header;
    std::vector<TDatFieldDef> defs;
    bool trusted = false;
    try {
        ReadSchema(Stream(), header, defs);
        trusted = IsTrustworthy(header, defs, Stream().Length());
    } catch (const std::exception&) {
        trusted = false;
    }
    if (!trusted) {
        file_.reset();
        Raise(ErrNotCompatible);
    }
    header_ = header;
    fieldDefs_ = std::move(defs);
}

void TDat::SetFileName(const std::string& value) {
    const bool same = value == fileName_;
    if (autoActive_ && same) {
        SetActive(true);
        return;
    }
    if (autoActive_ || Active()) {
        SetActive(false);
        fileName_ = value;
        SetActive(true);
        return;
    }
    fileName_ = value;
}

bool TDat::IsCompatibleFile(const std::string& fileName) {
    if (Active() && fileName == fileName_)
        return true;
    try {
        const FileStream probe(fileName, FileStream::Mode::Read);
        uint8_t start[HeaderSize];
        const size_t got = probe.ReadSome(0, start, sizeof start);
        return TDatHeader::HasMagic(start, got);
    } catch (const std::exception&) {
        return false;
    }
}

void TDat::CloseFile() {
    file_.reset();
}

void TDat::WriteHeader() {
    Guarded([&] { Stream().WriteExact(0, header_.bytes.data(), HeaderSize); });
}

void TDat::InitHeader() {
    header_.InitFixedParts();
    header_.SetCreated(NowAsDayCount());
    header_.SetModified(NowAsDayCount());
    PadChars("", header_.DataType(), DataTypeLength);
}

void TDat::ReadFieldDefs() {
    if (Active())
        Guarded([&] { ReadSchema(Stream(), header_, fieldDefs_); });
}

std::string TDat::TrimmedChars(const char* chars, int count) {
    while (count > 0 && chars[count - 1] == ' ')
        --count;
    return std::string(chars, size_t(count));
}

void TDat::PadChars(const std::string& value, char* chars, int count) {
    for (int i = 0; i < count; ++i)
        chars[i] = size_t(i) < value.size() ? value[size_t(i)] : ' ';
}

void TDat::GetDataType(std::string& out) const {
    if (Active())
        out = TrimmedChars(header_.DataType(), DataTypeLength);
}

void TDat::SetDataType(const std::string& value) {
    if (!Active())
        return;
    RefuseIfReadOnly();
    header_.SetModified(NowAsDayCount());
    PadChars(value, header_.DataType(), DataTypeLength);
    WriteHeader();
}

void TDat::RefuseIfReadOnly() const {
    if (readOnly_)
        Raise(ErrReadOnly);
}

// ---------------------------------------------------------------- schema and records

uint16_t TDat::TypeSize(uint8_t type, uint16_t size) {
    switch (type) {
    case dtBoolean:
        return 1;
    case dtInteger:
        return 4;
    case dtFloat:
        return 8;
    case dtString:
        return uint16_t(size + 2);
    default:
        return 255;
    }
}

uint16_t TDat::FieldSize(uint8_t field) const {
    const TDatFieldDef& def = fieldDefs_.at(size_t(field) - 1);
    return TypeSize(def.FieldType(), uint16_t(def.Size()));
}

bool TDat::FieldExists(const std::string& name) const {
    if (!Active())
        Raise(ErrNotActive);
    return FieldIndex(name) != 0;
}

uint8_t TDat::FieldIndex(const std::string& name) const {
    uint8_t found = 0;
    for (size_t i = 0; i < fieldDefs_.size(); ++i)
        if (fieldDefs_[i].HasName(name))
            found = uint8_t(i + 1);
    return found;
}

std::string TDat::FieldName(uint8_t field) const {
    if (field == 0 || field > fieldDefs_.size())
        Raise("Field [" + std::to_string(field) + "] not exists");
    return fieldDefs_[field - 1].FieldName();
}

uint8_t TDat::GetFieldType(uint8_t field) const {
    if (field == 0 || field > fieldDefs_.size())
        Raise("Field [" + std::to_string(field) + "] not exists");
    return fieldDefs_[field - 1].FieldType();
}

int64_t TDat::RecordAreaStart() const {
    return HeaderSize + int64_t(header_.FieldCount()) * DescriptorSize;
}

int32_t TDat::FieldPosition(const std::string& name, int32_t recNo) const {
    if (!Active())
        Raise(ErrNotActive);
    const uint8_t index = FieldIndex(name);
    if (index == 0 || recNo > RecordCount() || recNo < 1)
        Raise(ErrPosition);
    int64_t position = RecordAreaStart() + int64_t(recNo - 1) * header_.RecordSize();
    for (uint8_t j = 1; j < index; ++j)
        position += FieldSize(j);
    if (position > std::numeric_limits<int32_t>::max())
        Raise(ErrPosition);
    return int32_t(position);
}

// The bytes from `position` to the end move up by `count`, last chunk first, so that nothing is
// overwritten before it was moved.
void TDat::InsertBytes(int64_t position, int64_t count) {
    if (!Active() || count <= 0 || position < 0)
        return;
    Guarded([&] {
        const int64_t length = Stream().Length();
        std::vector<uint8_t> buffer;
        for (int64_t end = length; end > position;) {
            const int64_t begin = std::max(position, end - MoveChunk);
            buffer.resize(size_t(end - begin));
            Stream().ReadExact(begin, buffer.data(), buffer.size());
            Stream().WriteExact(begin + count, buffer.data(), buffer.size());
            end = begin;
        }
    });
}

void TDat::RemoveBytes(int64_t position, int64_t count) {
    if (!Active() || count <= 0 || position < 0)
        return;
    Guarded([&] {
        const int64_t length = Stream().Length();
        const int64_t kept = length - position - count;
        if (kept < 1)
            return;
        std::vector<uint8_t> buffer;
        for (int64_t done = 0; done < kept;) {
            buffer.resize(size_t(std::min(MoveChunk, kept - done)));
            Stream().ReadExact(position + count + done, buffer.data(), buffer.size());
            Stream().WriteExact(position + done, buffer.data(), buffer.size());
            done += int64_t(buffer.size());
        }
        Stream().Truncate(position + kept);
    });
}

// Fields of unknown type get no value, so where only such fields follow the file's last byte,
// the file would end before its last record starts and be refused when opened again.
void TDat::ReachLastRecord() {
    const int64_t lastStart =
        RecordAreaStart() + int64_t(header_.RecordSize()) * (int64_t(RecordCount()) - 1);
    if (RecordCount() > 0 && Stream().Length() < lastStart)
        Stream().Truncate(lastStart);
}

// Every default value is zeros: false, 0, 0.0, or a string of length 0 whose characters are
// left as the gap held them. Other type codes have no default.
size_t TDat::DefaultValueLength(uint8_t type) {
    switch (type) {
    case dtBoolean:
    case dtInteger:
    case dtFloat:
        return TypeSize(type, 0);
    case dtString:
        return sizeof(uint16_t);
    default:
        return 0;
    }
}

void TDat::WriteDefaultValue(const std::string& name, uint8_t type, int32_t recNo) {
    const size_t length = DefaultValueLength(type);
    if (length == 0)
        return;
    CheckValueAccess(name, recNo);
    if (!StampModifiedAndWriteHeader())
        return;
    const uint64_t zeros = 0;
    Stream().WriteExact(FieldPosition(name, recNo), &zeros, length);
}

void TDat::AddField(const std::string& name, uint8_t type, int32_t size) {
    if (!Active())
        Raise(ErrNotActive);
    if (FieldExists(name))
        Raise(ErrFieldExists);
    RefuseIfReadOnly();
    if (header_.FieldCount() >= MaxFieldCount)
        Raise("A table holds at most " + std::to_string(MaxFieldCount) + " fields");
    if (name.size() > size_t(MaxFieldNameLength))
        Raise("Field name \"" + name + "\" is longer than " + std::to_string(MaxFieldNameLength) +
              " characters");
    if (type == dtString && (size < 0 || size > MaxStringSize))
        Raise("String field size " + std::to_string(size) + " is outside 0 to " +
              std::to_string(MaxStringSize));
    const uint16_t slot = TypeSize(type, uint16_t(size));
    const int64_t newRecordSize = int64_t(header_.RecordSize()) + slot;
    if (RecordAreaStart() + DescriptorSize + int64_t(RecordCount()) * newRecordSize >
        std::numeric_limits<int32_t>::max())
        Raise("The table would grow beyond 2 GiB");

    Guarded([&] {
        header_.SetModified(NowAsDayCount());
        header_.SetFieldCount(uint8_t(header_.FieldCount() + 1));
        fieldDefs_.push_back(TDatFieldDef::Make(name, type, size));
        header_.SetRecordSize(int32_t(newRecordSize));
        const int64_t descriptorAt =
            HeaderSize + int64_t(header_.FieldCount() - 1) * DescriptorSize;
        InsertBytes(descriptorAt, DescriptorSize);
        Stream().WriteExact(descriptorAt, fieldDefs_.back().bytes.data(), DescriptorSize);
        WriteHeader();
        const int32_t records = RecordCount();
        for (int32_t r = 1; r <= records; ++r) {
            InsertBytes(FieldPosition(name, r), slot);
            WriteDefaultValue(name, type, r);
        }
        ReachLastRecord();
    });
}

// The new record's values are written before the header counts it: a write that fails on the
// way leaves a file that still opens, holding the records it had.
void TDat::AppendRecord() {
    if (header_.FieldCount() == 0)
        return;
    if (Active())
        RefuseIfReadOnly();
    const TDatHeader before = header_;
    const bool appended = Guarded([&] {
        if (!Active())
            Raise(ErrNotActive);
        const int64_t recordStart =
            RecordAreaStart() + int64_t(header_.RecordSize()) * RecordCount();
        if (recordStart + header_.RecordSize() > std::numeric_limits<int32_t>::max())
            Raise(ErrPosition);
        InsertBytes(recordStart, header_.RecordSize());
        int64_t slot = recordStart;
        for (uint8_t field = 1; field <= header_.FieldCount(); ++field) {
            const uint64_t zeros = 0;
            if (const size_t length = DefaultValueLength(GetFieldType(field)))
                Stream().WriteExact(slot, &zeros, length);
            slot += FieldSize(field);
        }
        header_.SetModified(NowAsDayCount());
        header_.SetRecordCount(RecordCount() + 1);
        ReachLastRecord();
        WriteHeader();
        if (!Active())
            Raise(ErrNotActive);
    });
    if (!appended)
        header_ = before;
}

void TDat::DeleteRecord(int32_t recNo) {
    if (recNo < 1 || recNo > RecordCount())
        return;
    if (Active())
        RefuseIfReadOnly();
    Guarded([&] {
        const int32_t start = FieldPosition(FieldName(1), recNo);
        RemoveBytes(start, header_.RecordSize());
        if (!Active())
            return;
        header_.SetRecordCount(RecordCount() - 1);
        WriteHeader();
    });
}

// ---------------------------------------------------------------- values

void TDat::CheckValueAccess(const std::string& field, int32_t recNo) const {
    if (!Active())
        Raise(ErrValueNotActive);
    if (recNo < 1 || recNo > RecordCount() || !FieldExists(field))
        Raise(ErrValueWrong);
}

bool TDat::StampModifiedAndWriteHeader() {
    RefuseIfReadOnly();
    header_.SetModified(NowAsDayCount());
    WriteHeader();
    return Active();
}

template <typename T> T TDat::ReadValue(const std::string& field, int32_t recNo) {
    CheckValueAccess(field, recNo);
    T value{};
    if (!Guarded([&] { Stream().ReadExact(FieldPosition(field, recNo), &value, sizeof value); }))
        return T{};
    return value;
}

template <typename T> void TDat::WriteValue(const std::string& field, int32_t recNo, T value) {
    CheckValueAccess(field, recNo);
    if (!StampModifiedAndWriteHeader())
        return;
    Guarded([&] { Stream().WriteExact(FieldPosition(field, recNo), &value, sizeof value); });
}

uint8_t TDat::ReadBoolean(const std::string& field, int32_t recNo) {
    return ReadValue<uint8_t>(field, recNo);
}

void TDat::WriteBoolean(const std::string& field, int32_t recNo, uint8_t value) {
    WriteValue(field, recNo, value);
}

int32_t TDat::ReadInteger(const std::string& field, int32_t recNo) {
    return ReadValue<int32_t>(field, recNo);
}

void TDat::WriteInteger(const std::string& field, int32_t recNo, int32_t value) {
    WriteValue(field, recNo, value);
}

double TDat::ReadFloat(const std::string& field, int32_t recNo) {
    return ReadValue<double>(field, recNo);
}

void TDat::WriteFloat(const std::string& field, int32_t recNo, double value) {
    WriteValue(field, recNo, value);
}

// A string field's Size; for a field of another type, what its slot holds behind the length.
// The store never writes more, and a stored length beyond it must not read on into the values
// after the slot: a crafted length would turn every small record into 64 KiB of text.
size_t TDat::StringRoom(uint8_t field) const {
    return size_t(std::max(int(FieldSize(field)) - int(sizeof(uint16_t)), 0));
}

std::string TDat::ReadString(const std::string& field, int32_t recNo) {
    CheckValueAccess(field, recNo);
    std::string value;
    const bool read = Guarded([&] {
        const int32_t position = FieldPosition(field, recNo);
        uint16_t length = 0;
        Stream().ReadExact(position, &length, sizeof length);
        value.resize(std::min<size_t>(length, StringRoom(FieldIndex(field))));
        Stream().ReadExact(int64_t(position) + sizeof length, value.data(), value.size());
        value.resize(std::min(value.size(), value.find('\0')));
    });
    return read ? value : std::string();
}

void TDat::WriteString(const std::string& field, int32_t recNo, const std::string& value) {
    CheckValueAccess(field, recNo);
    if (!StampModifiedAndWriteHeader())
        return;
    Guarded([&] {
        const uint16_t length = uint16_t(std::min(value.size(), StringRoom(FieldIndex(field))));
        std::string slot(sizeof length + length, '\0');
        layout::Put(reinterpret_cast<uint8_t*>(slot.data()), length);
        value.copy(slot.data() + sizeof length, length);
        Stream().WriteExact(FieldPosition(field, recNo), slot.data(), slot.size());
    });
}
