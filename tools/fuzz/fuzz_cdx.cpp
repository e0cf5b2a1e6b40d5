// Arbitrary bytes as the .CDX of a small valid table. Read two ways:
// - as the table's index file: it is used, rebuilt or ignored, never trusted
//   into a crash; unless its entries carry the table's own stamp (which
//   takes a forgery: then they are taken as they are), every tag it defines
//   walks in the order a fresh build makes;
// - straight through the index reader, so that entries the reader accepts
//   (which the file path above rarely reaches: the stamp must match) make a
//   tag that holds each record once and in order, whatever keys they claim,
//   and that comes right once every record has been updated.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "ScratchFolder.h"
#include "store/DbfFile.h"
#include "store/DbfHeader.h"
#include "store/IndexFile.h"
#include "store/TagIndex.h"
#include "store/Table.h"

namespace {

using namespace vl::store;

using vl::fuzz::Check;

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

std::string_view Record(uint32_t recno) {
    const size_t length = static_cast<size_t>(Layout().RecordLength());
    return std::string_view(Records()).substr((recno - 1) * length, length);
}

// Strictly in the tag's order: by key, equal keys by record number.
bool InOrder(const TagIndex& tag, uint32_t a, uint32_t b) {
    const int c = tag.Key(a).compare(tag.Key(b));
    if (c != 0) return tag.Info().descending ? c > 0 : c < 0;
    return a < b;
}

void ThroughTheReader(std::string_view bytes) {
    auto saved = ParseIndex(bytes);
    if (!saved || !saved->entriesUsable) return;
    for (SavedTag& t : saved->tags) {
        try {
            TagIndex adopted(t.info, Layout());
            const size_t claimed = t.order.size();
            if (t.keyLength != adopted.KeyLength() || !adopted.Adopt(kCount, std::move(t.keys), std::move(t.order)))
                continue;
            const std::vector<uint32_t> order = Order(adopted);
            Check(order.size() == claimed && adopted.Size() == claimed);
            for (size_t i = 0; i < order.size(); ++i)
                Check(order[i] >= 1 && order[i] <= kCount && (i == 0 || InOrder(adopted, order[i - 1], order[i])));
            TagIndex built(t.info, Layout());
            built.Build(Records().data(), Record(1).size(), kCount, {});
            for (uint32_t r = 1; r <= kCount; ++r) adopted.Update(r, Record(r));
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
    const auto saved = ParseIndex(std::string_view(data, size));
    const bool trusted =
        saved && saved->entriesUsable && saved->stamp == DbfFile(table, OpenMode::ReadOnly).Stamp();
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
        Check(trusted || Walk(*fresh) == orders[i]);
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
