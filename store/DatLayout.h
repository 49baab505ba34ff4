#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

// The byte images of a table file's header and field descriptors. Both are kept as the raw bytes
// read from the file, so that bytes no operation interprets go back to the file as they came.

inline constexpr int32_t HeaderSize = 128;
inline constexpr int32_t DescriptorSize = 28;
inline constexpr int MaxFieldNameLength = 20;
inline constexpr int DataTypeLength = 10;

namespace layout {

template <typename T> T Get(const uint8_t* at) {
    static_assert(std::endian::native == std::endian::little, "files are little-endian");
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

template <typename T> void Put(uint8_t* at, T value) {
    static_assert(std::endian::native == std::endian::little, "files are little-endian");
    std::memcpy(at, &value, sizeof value);
}

} // namespace layout

class TDatHeader {
public:
    std::array<uint8_t, HeaderSize> bytes{};

    // Magic, signature and reserved text of a new file; everything else zero.
    void InitFixedParts();
    bool HasMagic() const { return HasMagic(bytes.data(), bytes.size()); }
    static bool HasMagic(const uint8_t* data, size_t size);

    double Created() const { return layout::Get<double>(&bytes[56]); }
    void SetCreated(double days) { layout::Put(&bytes[56], days); }
    double Modified() const { return layout::Get<double>(&bytes[64]); }
    void SetModified(double days) { layout::Put(&bytes[64], days); }
    char* DataType() { return reinterpret_cast<char*>(&bytes[72]); }
    const char* DataType() const { return reinterpret_cast<const char*>(&bytes[72]); }
    uint8_t FieldCount() const { return bytes[82]; }
    void SetFieldCount(uint8_t count) { bytes[82] = count; }
    int32_t RecordCount() const { return layout::Get<int32_t>(&bytes[84]); }
    void SetRecordCount(int32_t count) { layout::Put(&bytes[84], count); }
    int32_t RecordSize() const { return layout::Get<int32_t>(&bytes[88]); }
    void SetRecordSize(int32_t size) { layout::Put(&bytes[88], size); }
};

class TDatFieldDef {
public:
    std::array<uint8_t, DescriptorSize> bytes{};

    uint8_t FieldType() const { return bytes[0]; }
    uint8_t NameLength() const { return bytes[1]; }
    // The stored name; a length byte above the limit yields at most the limit's characters.
    std::string FieldName() const;
    bool HasName(const std::string& name) const;
    int32_t Size() const { return layout::Get<int32_t>(&bytes[24]); }

    // A fresh descriptor: the name's first 20 characters, zeros after them.
    static TDatFieldDef Make(const std::string& name, uint8_t type, int32_t size);
};
