#pragma once

#include "DatLayout.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class FileStream;

inline constexpr uint8_t dtBoolean = 0;
inline constexpr uint8_t dtInteger = 3;
inline constexpr uint8_t dtFloat = 6;
inline constexpr uint8_t dtString = 8;

inline constexpr int MaxFieldCount = 255;
inline constexpr int32_t MaxStringSize = 65533;

// One table of named, typed fields and fixed-size records, kept in one binary file: the lesson
// file of both programs. Every operation goes to the file at once; only the header and the
// field descriptors are held in memory.
//
// Errors that callers must see are std::runtime_errors with fixed texts. A failure while moving
// bytes of an open table closes the table and is swallowed: callers learn of it from Active().
class TDat {
public:
    TDat();
    ~TDat();
    TDat(const TDat&) = delete;
    TDat& operator=(const TDat&) = delete;

    bool Active() const { return file_ != nullptr; }
    // Why the table last closed itself after a failed read or write of its file; empty until
    // then. Opening the table again clears it.
    const std::string& FailureReason() const { return failureReason_; }
    void SetActive(bool value);
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value);
    bool CreateFile() const { return createFile_; }
    void SetCreateFile(bool value) { createFile_ = value; }
    bool AutoActive() const { return autoActive_; }
    void SetAutoActive(bool value) { autoActive_ = value; }
    bool Indexing() const { return indexing_; }
    void SetIndexing(bool value) { indexing_ = value; }
    const std::string& IndexField() const { return indexField_; }
    void SetIndexField(const std::string& value) { indexField_ = value; }
    // Opens existing files for reading only and never creates one; every change is refused.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    // Called after an existing file was opened.
    std::function<void(TDat&)> AfterActive;

    int32_t RecordCount() const { return header_.RecordCount(); }
    uint8_t FieldCount() const { return header_.FieldCount(); }
    double Created() const { return header_.Created(); }
    double Modified() const { return header_.Modified(); }

    bool IsCompatibleFile(const std::string& fileName);
    void CloseFile();
    void GetDataType(std::string& out) const;
    void SetDataType(const std::string& value);

    void AddField(const std::string& name, uint8_t type, int32_t size);
    void AppendRecord();
    void DeleteRecord(int32_t recNo);
    bool FieldExists(const std::string& name) const;
    uint8_t FieldIndex(const std::string& name) const;
    std::string FieldName(uint8_t field) const;
    uint8_t GetFieldType(uint8_t field) const;
    static uint16_t TypeSize(uint8_t type, uint16_t size);
    uint16_t FieldSize(uint8_t field) const;
    int32_t FieldPosition(const std::string& name, int32_t recNo) const;

    uint8_t ReadBoolean(const std::string& field, int32_t recNo);
    void WriteBoolean(const std::string& field, int32_t recNo, uint8_t value);
    int32_t ReadInteger(const std::string& field, int32_t recNo);
    void WriteInteger(const std::string& field, int32_t recNo, int32_t value);
    double ReadFloat(const std::string& field, int32_t recNo);
    void WriteFloat(const std::string& field, int32_t recNo, double value);
    std::string ReadString(const std::string& field, int32_t recNo);
    void WriteString(const std::string& field, int32_t recNo, const std::string& value);

private:
    void Open();
    void Create();
    void LoadTrustedSchema();
    void WriteHeader();
    void InitHeader();
    void ReadFieldDefs();
    static std::string TrimmedChars(const char* chars, int count);
    static void PadChars(const std::string& value, char* chars, int count);

    void InsertBytes(int64_t position, int64_t count);
    void RemoveBytes(int64_t position, int64_t count);
    int64_t RecordAreaStart() const;
    // The bytes of a type's default value, all zero; 0 for a type without one.
    static size_t DefaultValueLength(uint8_t type);
    void WriteDefaultValue(const std::string& name, uint8_t type, int32_t recNo);
    // Makes the file long enough to hold the start of the last record.
    void ReachLastRecord();
    void RefuseIfReadOnly() const;

    // Checks the name and record of a value access, raising the accessors' errors.
    void CheckValueAccess(const std::string& field, int32_t recNo) const;
    // The most characters a string value of the field has: both string accessors keep to it.
    size_t StringRoom(uint8_t field) const;
    template <typename T> T ReadValue(const std::string& field, int32_t recNo);
    template <typename T> void WriteValue(const std::string& field, int32_t recNo, T value);
    bool StampModifiedAndWriteHeader();
    // Runs `step`; an error in it closes the table and is swallowed. Returns whether it ran
    // through.
    template <typename Step> bool Guarded(Step&& step);
    // The open file; raises when the table is inactive, so guarded steps stop there.
    FileStream& Stream() const;

    std::unique_ptr<FileStream> file_;
    std::string fileName_;
    std::string failureReason_;
    TDatHeader header_;
    std::vector<TDatFieldDef> fieldDefs_;
    bool createFile_ = true;
    bool autoActive_ = false;
    bool indexing_ = false;
    std::string indexField_;
    bool readOnly_ = false;
};
