#include "DatLayout.h"

#include <algorithm>

namespace {

constexpr char Magic[4] = {'D', '0', 'A', '\0'};
// 29 characters ending in two spaces, then the zero byte that fills the 30-byte field.
constexpr char Signature[30] = "Database by Zarnek & Quilby  ";
constexpr char Reserved[20] = "                   ";

} // namespace

void TDatHeader::InitFixedParts() {
    bytes.fill(0);
    std::memcpy(&bytes[0], Magic, sizeof Magic);
    std::memcpy(&bytes[4], Signature, sizeof Signature);
    std::memcpy(&bytes[34], Reserved, sizeof Reserved);
}

bool TDatHeader::HasMagic(const uint8_t* data, size_t size) {
    return size >= sizeof Magic && std::memcmp(data, Magic, sizeof Magic) == 0;
}

std::string TDatFieldDef::FieldName() const {
    const int length = std::min<int>(NameLength(), MaxFieldNameLength);
    return std::string(reinterpret_cast<const char*>(&bytes[2]), size_t(length));
}

bool TDatFieldDef::HasName(const std::string& name) const {
    const size_t length = size_t(std::min<int>(NameLength(), MaxFieldNameLength));
    return name.size() == length && std::memcmp(name.data(), &bytes[2], length) == 0;
}

TDatFieldDef TDatFieldDef::Make(const std::string& name, uint8_t type, int32_t size) {
    TDatFieldDef def;
    const size_t length = std::min<size_t>(name.size(), MaxFieldNameLength);
    def.bytes[0] = type;
    def.bytes[1] = uint8_t(length);
    std::memcpy(&def.bytes[2], name.data(), length);
    layout::Put(&def.bytes[24], size);
    return def;
}
