#include "SessionPages.h"

#include <stdexcept>

#include "FaxPages.h"
#include "support/TestSupport.h"

namespace vl::bench {
namespace {

constexpr int kLinesPerPage = 60;  // the converter's default page length
constexpr int kFaxWidth = 1728;

// Paragraphs of ordinary prose, lines of varied length, different on every
// line, so that every page codes like a typed letter.
std::string LetterText() {
    static const char* const kWords[] = {"invoice", "delivery", "schedule", "the", "of", "warehouse", "agreed",
                                         "before", "Tuesday", "payment", "shipment", "account", "and", "terms",
                                         "order", "12 cartons", "confirmed", "our", "your", "reference"};
    std::string text;
    unsigned seed = 7;
    for (int line = 0; line < kBenchPages * kLinesPerPage; ++line) {
        if (line % 8 == 7) {
            text += "\n";
            continue;
        }
        seed = seed * 1103515245u + 12345u;
        const std::size_t length = 30 + (seed >> 16) % 40;
        std::string row;
        while (row.size() < length) {
            seed = seed * 1103515245u + 12345u;
            row += (row.empty() ? "" : " ") + std::string(kWords[(seed >> 16) % std::size(kWords)]);
        }
        text += row + "\n";
    }
    return text;
}

test::RunResult MustRun(const std::string& program, const std::vector<std::string>& args,
                        const std::map<std::string, std::string>& env = {}) {
    test::RunResult r = test::Run(program, args, env);
    if (r.status != 0) throw std::runtime_error(program + " " + (args.empty() ? "" : args[0]) + " failed: " + r.err);
    return r;
}

}  // namespace

BenchDocument MakeBenchDocument(const std::string& cli, const std::string& home, const std::filesystem::path& dir) {
    const std::map<std::string, std::string> env = {{"VELLORA_HOME", home}};
    BenchDocument doc;
    const std::string text = (dir / "letter.txt").string();
    test::WriteFile(text, LetterText());
    doc.apf = (dir / "LETTER.APF").string();
    MustRun(cli, {"convert", text, "-o", doc.apf, "--fine"}, env);
    const std::string info = MustRun(cli, {"info", doc.apf}, env).out;
    bool threeFine = info.find("Pages: " + std::to_string(kBenchPages) + "\n") != std::string::npos;
    for (int page = 1; page <= kBenchPages; ++page)
        threeFine = threeFine && info.find("Page " + std::to_string(page) + ": fine,") != std::string::npos;
    if (!threeFine) throw std::runtime_error("the converted letter is not three fine pages:\n" + info);

    // efix codes each page as a single-strip G3 TIFF in fine resolution, the
    // only layout efax reads; tiffcp joins them for the fax machine.
    std::vector<std::string> joinArgs;
    for (int page = 1; page <= kBenchPages; ++page) {
        const std::string stem = (dir / ("page" + std::to_string(page))).string();
        MustRun(cli, {"export", doc.apf, "--page", std::to_string(page), "--format", "pbm", "--no-aspect", "-o",
                      stem + ".pbm"},
                env);
        // The export ends at the rightmost black pixel; the fax machine sends
        // only pages of a fax width.
        test::Bitmap bitmap = test::ParsePbm(test::ReadFile(stem + ".pbm"));
        if (bitmap.rows.empty() || bitmap.width > kFaxWidth) throw std::runtime_error("bad export of page " + stem);
        bitmap.width = kFaxWidth;
        for (std::string& row : bitmap.rows) row.resize(kFaxWidth / 8, '\0');
        test::WriteFile(stem + ".pbm", test::PbmFile(bitmap));
        const test::RunResult g3 = MustRun("/usr/bin/efix", {"-i", "pbm", "-o", "tiffg3", stem + ".pbm"});
        test::WriteFile(stem + ".tif", g3.out);
        doc.pageTiffs.push_back(stem + ".tif");
        joinArgs.push_back(stem + ".tif");
    }
    doc.tiff = (dir / "letter.tif").string();
    joinArgs.push_back(doc.tiff);
    MustRun("/usr/bin/tiffcp", joinArgs);
    return doc;
}

}  // namespace vl::bench
