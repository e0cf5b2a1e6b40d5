#include "store/DbfHeader.h"

#include <ctime>
#include <set>
#include <stdexcept>

#include "base/TextCase.h"

namespace vl::store {

namespace {

constexpr size_t kDescriptorSize = 32;
constexpr char kTerminator = 0x0D;
constexpr uint8_t kLanguageCp1252 = 0x03;

bool KnownVersion(uint8_t v) {
    // dBase III with and without memo, and the FoxPro variants that share its
    // descriptor layout.
    return v == 0x03 || v == 0x83 || v == 0x30 || v == 0x31 || v == 0xF5;
}

FieldDef ParseDescriptor(std::string_view d, int index) {
    const std::string where = "field " + std::to_string(index + 1);
    size_t nameLength = 0;
    while (nameLength < 11 && d[nameLength] != '\0') ++nameLength;
    std::string_view name = d.substr(0, nameLength);
    if (name.empty()) throw std::invalid_argument(where + " has no name");
    if (!IsNameText(name)) throw std::invalid_argument(where + " has a name with unusable characters");
    FieldDef f;
    f.name = base::UpperAscii(name);
    f.width = static_cast<uint8_t>(d[16]);
    f.decimals = static_cast<uint8_t>(d[17]);
    switch (d[11]) {
    case 'C': f.type = FieldType::Character; f.decimals = 0; break;
    case 'D': f.type = FieldType::Date; break;
    case 'L': f.type = FieldType::Logical; break;
    case 'N': f.type = FieldType::Numeric; break;
    default:
        throw std::invalid_argument(where + " (" + f.name + ") has a field type this program does not handle");
    }
    if (f.width == 0) throw std::invalid_argument(where + " (" + f.name + ") has width 0");
    if ((f.type == FieldType::Date && f.width != 8) || (f.type == FieldType::Logical && f.width != 1))
        throw std::invalid_argument(where + " (" + f.name + ") has a width its type does not allow");
    if (f.type == FieldType::Numeric ? f.decimals >= f.width : f.decimals != 0)
        throw std::invalid_argument(where + " (" + f.name + ") has too many decimals");
    return f;
}

}  // namespace

bool IsNameText(std::string_view name) {
    for (char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}

uint16_t GetLe16(std::string_view b, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

uint32_t GetLe32(std::string_view b, size_t at) {
    return GetLe16(b, at) | static_cast<uint32_t>(GetLe16(b, at + 2)) << 16;
}

uint64_t GetLe64(std::string_view b, size_t at) {
    return GetLe32(b, at) | static_cast<uint64_t>(GetLe32(b, at + 4)) << 32;
}

void PutLe16(std::string& b, size_t at, uint16_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}

void PutLe32(std::string& b, size_t at, uint32_t v) {
    PutLe16(b, at, static_cast<uint16_t>(v & 0xFFFF));
    PutLe16(b, at + 2, static_cast<uint16_t>(v >> 16));
}

void PutLe64(std::string& b, size_t at, uint64_t v) {
    PutLe32(b, at, static_cast<uint32_t>(v));
    PutLe32(b, at + 4, static_cast<uint32_t>(v >> 32));
}

DbfHeader ParseDbfHeader(std::string_view bytes) {
    if (bytes.size() < kDbfPrefixSize + 1) throw std::invalid_argument("file is too short for a table header");
    if (!KnownVersion(static_cast<uint8_t>(bytes[0]))) throw std::invalid_argument("not a dBase table");
    DbfHeader h;
    h.prefix = std::string(bytes.substr(0, kDbfPrefixSize));
    h.recordCount = GetLe32(bytes, 4);
    h.headerLength = GetLe16(bytes, 8);
    h.recordLength = GetLe16(bytes, 10);
    h.changeCounter = GetLe32(bytes, 16);
    h.tableId = GetLe64(bytes, 20);
    if (h.headerLength < kDbfPrefixSize + kDescriptorSize + 1)
        throw std::invalid_argument("header length is too small");
    if (h.headerLength > bytes.size()) throw std::invalid_argument("header is longer than the file");

    std::vector<FieldDef> fields;
    std::set<std::string> names;
    size_t at = kDbfPrefixSize;
    while (true) {
        if (at >= h.headerLength) throw std::invalid_argument("field descriptors run past the header");
        if (bytes[at] == kTerminator) break;
        if (at + kDescriptorSize > h.headerLength) throw std::invalid_argument("field descriptors run past the header");
        FieldDef f = ParseDescriptor(bytes.substr(at, kDescriptorSize), static_cast<int>(fields.size()));
        if (!names.insert(f.name).second) throw std::invalid_argument("field " + f.name + " appears twice");
        fields.push_back(std::move(f));
        at += kDescriptorSize;
    }
    if (fields.empty()) throw std::invalid_argument("table has no fields");
    h.layout = RecordLayout(std::move(fields));
    if (h.layout.RecordLength() != h.recordLength)
        throw std::invalid_argument("record length does not match the fields");
    return h;
}

std::string BuildDbfHeader(const RecordLayout& layout, uint64_t tableId) {
    const size_t fieldCount = layout.Fields().size();
    std::string b(kDbfPrefixSize + fieldCount * kDescriptorSize + 1, '\0');
    b[0] = 0x03;
    PutLe16(b, 8, static_cast<uint16_t>(b.size()));
    PutLe16(b, 10, static_cast<uint16_t>(layout.RecordLength()));
    PutLe64(b, 20, tableId);
    b[29] = static_cast<char>(kLanguageCp1252);
    size_t at = kDbfPrefixSize;
    for (const FieldDef& f : layout.Fields()) {
        b.replace(at, f.name.size(), f.name);
        b[at + 11] = static_cast<char>(f.type);
        b[at + 16] = static_cast<char>(f.width);
        b[at + 17] = static_cast<char>(f.decimals);
        at += kDescriptorSize;
    }
    b[at] = kTerminator;
    DbfHeader h;
    h.prefix = b.substr(0, kDbfPrefixSize);
    h.tableId = tableId;
    return UpdatedPrefix(h) + b.substr(kDbfPrefixSize);
}

std::string UpdatedPrefix(const DbfHeader& h) {
    std::string p = h.prefix;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    p[1] = static_cast<char>(local.tm_year % 256);
    p[2] = static_cast<char>(local.tm_mon + 1);
    p[3] = static_cast<char>(local.tm_mday);
    PutLe32(p, 4, h.recordCount);
    PutLe32(p, 16, h.changeCounter);
    PutLe64(p, 20, h.tableId);
    return p;
}

}  // namespace vl::store
