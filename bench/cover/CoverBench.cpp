// Times a text-heavy cover sheet through the renderer and the converter: a
// frame, a heading, the nine fields with their labels, the importance line
// and a message that fills its box, at fax size.
//
//   bench_cover [--pages N]     (default 50)
//
// Every converted page must decode back to the rendered one. Exit status 0
// when the run completed, 2 on a fault; timings alone never fail it.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/BenchMain.h"
#include "cover/CoverFaxFile.h"
#include "cover/CoverRenderer.h"
#include "faxdoc/Unpacker.h"

namespace vl::bench {

namespace {

cover::RenderRecord Text(cover::RecordKind kind, int left, int top, int width, int height, int sizeCode) {
    cover::RenderRecord record;
    record.kind = kind;
    record.left = left;
    record.top = top;
    record.width = width;
    record.height = height;
    record.fontName = "Arial";
    record.fontSizeCode = sizeCode;
    return record;
}

std::vector<cover::RenderRecord> BusyTemplate() {
    cover::RenderRecord frame;
    frame.kind = cover::RecordKind::Shape;
    frame.width = 1536;
    frame.height = 1920;
    frame.valueA = 2;
    frame.valueB = 0;
    frame.valueC = 4;
    frame.valueE = 3;
    std::vector<cover::RenderRecord> records = {frame};
    cover::RenderRecord heading = Text(cover::RecordKind::Label, 40, 40, 1200, 120, 72);
    heading.bold = true;
    heading.text = "FACSIMILE TRANSMITTAL";
    records.push_back(heading);
    const char* labels[] = {"Date:", "Time:", "Re:", "To:", "Fax:", "From:", "Company:", "Our fax:", "Phone:"};
    for (int i = 0; i < 9; ++i) {
        cover::RenderRecord label = Text(cover::RecordKind::Label, 40, 220 + 60 * i, 240, 50, 24);
        label.text = labels[i];
        cover::RenderRecord field = Text(cover::RecordKind::Field, 300, 220 + 60 * i, 1000, 50, 24);
        field.valueF = i;
        records.push_back(label);
        records.push_back(field);
    }
    records.push_back(Text(cover::RecordKind::Importance, 40, 800, 1460, 50, 20));
    records.push_back(Text(cover::RecordKind::Message, 40, 900, 1460, 980, 22));
    return records;
}

void CheckSame(const gfx::MonoBitmap& page, const faxdoc::PageImage& decoded, int pageNumber) {
    bool same = decoded.height == page.Height() && decoded.width <= page.Width();
    for (int y = 0; same && y < page.Height(); ++y)
        for (int x = 0; same && x < page.Width(); ++x)
            same = page.Black(x, y) == (x < decoded.width && decoded.Black(x, y));
    if (!same) throw std::runtime_error("page " + std::to_string(pageNumber) + " did not decode back");
}

int Main(int argc, char** argv) {
    int pages = 50;
    for (int i = 1; i < argc; i += 2) {
        if (std::strcmp(argv[i], "--pages") == 0 && i + 1 < argc) pages = std::max(1, std::stoi(argv[i + 1]));
        else throw std::invalid_argument(std::string("unknown option ") + argv[i]);
    }
    const std::vector<cover::RenderRecord> records = BusyTemplate();
    std::tm when{};
    when.tm_year = 126;
    when.tm_mday = 9;
    const cover::CoverValues values = cover::PreviewValues(when);
    const std::vector<std::string> message(
        80, "Please find attached the signed contract; the schedule of deliveries follows on the next pages.");

    const std::string apf = (std::filesystem::temp_directory_path() / "bench_cover.APF").string();
    double render = 0;
    double convert = 0;
    for (int i = 0; i < pages; ++i) {
        gfx::MonoBitmap page;
        int rc = 0;
        render += Seconds([&] { rc = cover::CoverRenderer().Render(records, values, message, cover::CoverSize::FaxPage, page); });
        if (rc == 0) convert += Seconds([&] { rc = cover::WriteCoverFax(page, apf); });
        if (rc != 0) throw std::runtime_error("page " + std::to_string(i + 1) + " failed with code " + std::to_string(rc));
        faxdoc::PageImage decoded;
        if (faxdoc::UnpackApfPage(apf, 1, {}, decoded) != 0) throw std::runtime_error("page did not unpack");
        CheckSame(page, decoded, i + 1);
    }
    std::filesystem::remove(apf);
    std::printf("%d text-heavy cover pages, %zu objects, 1728 x 2156\n", pages, records.size());
    std::printf("render  %8.1f ms per page\n", render * 1000 / pages);
    std::printf("convert %8.1f ms per page\n", convert * 1000 / pages);
    std::printf("total   %8.1f pages per second\n", pages / (render + convert));
    return 0;
}

}  // namespace

}  // namespace vl::bench

int main(int argc, char** argv) { return vl::bench::RunBenchmark("bench_cover", vl::bench::Main, argc, argv); }
