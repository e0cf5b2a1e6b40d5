// Arbitrary bytes as a .DBF file: opening (read-only, then exclusive with its
// repairs), walking every record and field, filtering, and building a tag on
// whatever the records hold. Damage must be an EStoreError, never a crash.
#include <cstdint>
#include <fstream>
#include <string>

#include "ScratchFolder.h"
#include "store/Table.h"

namespace {

void Walk(vl::store::Table& t) {
    t.SetShowDeleted(true);
    for (t.GoTop(); !t.Eof(); t.Skip())
        for (const vl::store::FieldDef& f : t.Layout().Fields()) (void)t.Text(f.name);
    for (t.GoBottom(); !t.Bof() && !t.Eof(); t.Skip(-1)) (void)t.Deleted();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl::store;
    const std::string path = vl::fuzz::ScratchFolder() + "FUZZ.DBF";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                   static_cast<std::streamsize>(size));
    std::filesystem::remove(vl::fuzz::ScratchFolder() + "FUZZ.CDX");
    try {
        Walk(*Table::Open(path, OpenMode::ReadOnly));
        auto t = Table::Open(path, OpenMode::Exclusive);
        Walk(*t);
        t->SetFilter(".not. deleted()");
        const FieldDef& first = t->Layout().Fields().front();
        t->AddIndexTag("FIRST", first.name, size % 2 == 0, ".not. deleted()");
        Walk(*t);
        t->Close();
        Walk(*Table::Open(path, OpenMode::ReadOnly));
    } catch (const EStoreError&) {
    }
    return 0;
}
