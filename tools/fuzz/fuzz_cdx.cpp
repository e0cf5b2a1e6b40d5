// Arbitrary bytes as the .CDX of a small valid table. Read two ways:
// - as the table's index file: it is used, rebuilt or ignored, never trusted
//   into a crash; every tag it defines then walks in the right order;
// - straight through the index reader, so that entries the reader accepts
//   (which the file path above rarely reaches: the stamp must match) are
//   checked against the order a fresh build makes.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "store/DbfHeader.h"
#include "store/IndexFile.h"
#include "store/TagIndex.h"
#include "store/Table.h"

namespace {

using namespace vl::store;

void Check(bool ok) {
    if (!ok) std::abort();
}

const RecordLayout& Layout() {
    static const RecordLayout layout({{"NAME", FieldType::Character, 6, 0, 0},
                                      {"WHEN", FieldType::Date, 8, 0, 0},
                                      {"OK", FieldType::Logical, 1, 0, 0}});
    return layout;
}

// Eight records, two of them deleted, with repeated and blank keys.
const std::string& Records() {
    static const std::string records = " delta 20240101T"
                                       " alpha 20231231F"
                                       "*alpha 20240101T"
                                       "               F"
                                       " Bravo 20240315T"
                                       "*zulu          T"
                                       " delta 19991231 "
                                       " alpha 20240101F";
    return records;
}

constexpr uint32_t kCount = 8;

std::vector<uint32_t> Order(const TagIndex& tag) {
    return {tag.Begin(), tag.End()};
}

void ThroughTheReader(std::string_view bytes) {
    const auto saved = ParseIndex(bytes);
    if (!saved) return;
    const size_t length = static_cast<size_t>(Layout().RecordLength());
    for (const SavedTag& t : saved->tags) {
        try {
            TagIndex adopted(t.info, Layout());
            TagIndex built(t.info, Layout());
            built.Build(Records().data(), length, kCount, {});
            if (saved->entriesUsable && t.keyLength == adopted.KeyLength() &&
                adopted.Adopt(Records().data(), length, kCount, t.order, t.keys))
                Check(Order(adopted) == Order(built));
        } catch (const std::invalid_argument&) {
        }
    }
}

std::vector<uint32_t> Walk(Table& t) {
    std::vector<uint32_t> out;
    for (t.GoTop(); !t.Eof(); t.Skip()) out.push_back(t.RecNo());
    return out;
}

void AsTheTablesIndex(const char* data, size_t size) {
    const std::string folder = vl::fuzz::ScratchFolder();
    const std::string table = folder + "FUZZ.DBF";
    std::string bytes = BuildDbfHeader(Layout(), 1) + Records() + '\x1A';
    PutLe32(bytes, 4, kCount);
    std::ofstream(table, std::ios::binary | std::ios::trunc) << bytes;
    std::ofstream(folder + "FUZZ.CDX", std::ios::binary | std::ios::trunc)
        .write(data, static_cast<std::streamsize>(size));
    auto t = Table::Open(table, OpenMode::ReadOnly);
    const auto tags = t->Tags();
    std::vector<std::vector<uint32_t>> orders;
    for (size_t i = 1; i <= tags.size(); ++i) {
        t->SetOrder(static_cast<int>(i));
        orders.push_back(Walk(*t));
    }
    t->Close();
    // The same tags built afresh walk the same way.
    std::filesystem::remove(folder + "FUZZ.CDX");
    auto fresh = Table::Open(table, OpenMode::Exclusive);
    for (size_t i = 0; i < tags.size(); ++i) {
        fresh->AddIndexTag(tags[i].name, tags[i].keyExpr, tags[i].descending, tags[i].condition);
        Check(Walk(*fresh) == orders[i]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ThroughTheReader(std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        AsTheTablesIndex(reinterpret_cast<const char*>(data), size);
    } catch (const EStoreError&) {
    }
    return 0;
}
