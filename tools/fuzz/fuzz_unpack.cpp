// Arbitrary bytes as an APF file through the unpacker component (every option
// path): its page count and first-page flags, each page as a bitmap and as a
// picture file; then the whole file as a PDF or TIFF document. Damage must
// throw the component's exception family or answer an error code, never
// crash.
#include <cstdint>
#include <fstream>
#include <new>
#include <string>

#include "ScratchFolder.h"
#include "base/Exceptions.h"
#include "faxdoc/DocumentExport.h"
#include "faxdoc/VlFaxUnpacker.h"

namespace {

template <typename Call>
bool Survives(Call call) {
    try {
        call();
        return true;
    } catch (const vl::base::EVlException&) {
    } catch (const vl::base::EInOutError&) {
    } catch (const std::bad_alloc&) {
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl::faxdoc;
    const std::string path = vl::fuzz::ScratchFolder() + "FUZZ.APF";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const std::uint8_t knobs = size > 0 ? data[size - 1] : 0;
    VlFaxUnpacker unpacker;
    unpacker.SetOptions(0);
    unpacker.SetInFileName(path);
    unpacker.SetAutoScaleMode(static_cast<AutoScaleMode>(knobs % 3));
    unpacker.SetWhitespaceCompression((knobs & 0x08) != 0);
    unpacker.SetWhitespaceFrom(3);
    unpacker.SetWhitespaceTo(1);
    unpacker.SetScaling((knobs & 0x10) != 0);
    unpacker.SetHorizDiv(3);
    unpacker.SetVertMult(2);
    int pages = 0;
    if (!Survives([&] { pages = unpacker.CountPages(); })) return 0;
    (void)Survives([&] { (void)unpacker.FirstPageFine(); });
    (void)Survives([&] { (void)unpacker.FirstPageWide(); });
    const ExportFormat format = static_cast<ExportFormat>((knobs >> 5) % 5);
    for (int page = 1; page <= pages && page <= 3; ++page) {
        if (!Survives([&] { (void)unpacker.DecodePageToBitmap(static_cast<unsigned>(page)); })) break;
        (void)Survives([&] { (void)unpacker.ExportPage(static_cast<unsigned>(page), format); });
    }
    const DocumentFormat document = (knobs & 0x04) != 0 ? DocumentFormat::Pdf : DocumentFormat::Tiff;
    (void)ExportFaxDocument(path, document, vl::fuzz::ScratchFolder() + "FUZZ.DOC");
    return 0;
}
