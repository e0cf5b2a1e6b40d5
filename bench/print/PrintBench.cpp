// Times printing a PDF to a fax file as vellora-print and vellora-cli convert
// do it (Ghostscript renders grey pages, which are placed on the fax line,
// dithered and coded into an APF file) against Ghostscript writing the same
// pages as G3 fax pages itself (its faxg3 device at 204 x 196 dots per
// inch), in the same run. The document is made by Ghostscript from
// PostScript: pages of text, and pages with a grey photograph among them.
//
//   bench_print [--pages N] [--photos N] [--reps N]   (default 10, 2, 3)
//
// Each side's best of the repetitions is shown. Both must give every page.
// Exit status 0 when the run completed, 2 on a fault; timings alone never
// fail it.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/BenchMain.h"
#include "faxdoc/ApfReader.h"
#include "printfax/ChildProcess.h"
#include "printfax/PageConversion.h"
#include "printfax/TempFolder.h"

namespace vl::bench {

namespace {

constexpr int kGhostscriptSeconds = 120;

// Text pages set in two faces, and a photograph: a smooth scene of rings
// and a slope of greys whose edges fall anywhere on the fax's dots.
const char kProcedures[] = R"PS(%!PS
/textpage { /n exch def
  << /PageSize [595 842] >> setpagedevice
  /Helvetica-Bold findfont 18 scalefont setfont 60 790 moveto (Chapter ) show n 3 string cvs show
  /Times-Roman findfont 11 scalefont setfont
  0 1 50 { /i exch def 60 760 i 13.5 mul sub moveto
    (Line ) show i 3 string cvs show
    (: the delivery schedule, the prices agreed and the terms of payment follow.) show } for
  showpage } def
/photopage { /n exch def
  << /PageSize [595 842] >> setpagedevice
  /Helvetica findfont 14 scalefont setfont 60 790 moveto (Plate ) show n 3 string cvs show
  /w 320 def /h 240 def /row w string def /y 0 def
  gsave 60 300 translate 475 356 scale
  w h 8 [w 0 0 h neg 0 h]
  { 0 1 w 1 sub { /x exch def row x
      x 160 sub dup mul y 120 sub dup mul add sqrt 9 mul sin 60 mul x 0.4 mul add 70 add
      cvi 0 max 255 min put } for
    /y y 1 add def row } image
  grestore showpage } def
)PS";

struct Options {
    int pages = 10;
    int photos = 2;
    int reps = 3;
};

Options Parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc) throw std::invalid_argument(std::string("no value for ") + argv[i]);
        const int value = std::stoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--pages") == 0) options.pages = std::max(1, value);
        else if (std::strcmp(argv[i], "--photos") == 0) options.photos = std::max(0, value);
        else if (std::strcmp(argv[i], "--reps") == 0) options.reps = std::max(1, value);
        else throw std::invalid_argument(std::string("unknown option ") + argv[i]);
    }
    options.photos = std::min(options.photos, options.pages);
    return options;
}

// The photographs spread evenly, the last page always one of them.
std::string DocumentPostScript(const Options& options) {
    std::string ps = kProcedures;
    for (int page = 1; page <= options.pages; ++page) {
        const bool photo = options.photos > 0 && (page * options.photos) % options.pages < options.photos;
        ps += std::to_string(page) + (photo ? " photopage\n" : " textpage\n");
    }
    return ps;
}

void Ghostscript(const std::vector<std::string>& args, const std::string& folder) {
    std::vector<std::string> argv = {"gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE"};
    argv.insert(argv.end(), args.begin(), args.end());
    const printfax::ChildOutcome outcome = printfax::RunChild(argv, folder + "gs.log", {kGhostscriptSeconds});
    if (!outcome.started) throw std::runtime_error("Ghostscript (gs) could not be started");
    if (outcome.exitCode != 0) throw std::runtime_error("Ghostscript failed; see " + folder + "gs.log");
}

std::string MakePdf(const Options& options, const std::string& folder) {
    const std::string ps = folder + "document.ps";
    std::ofstream out(ps);
    out << DocumentPostScript(options);
    if (!out.flush()) throw std::runtime_error("cannot write " + ps);
    Ghostscript({"-sDEVICE=pdfwrite", "-sOutputFile=" + folder + "document.pdf", ps}, folder);
    return folder + "document.pdf";
}

struct Result {
    double seconds = 1e9;
    std::uintmax_t bytes = 0;
};

Result TimeOurs(const std::string& pdf, const std::string& folder, const Options& options) {
    const std::string apf = folder + "document.APF";
    Result best;
    for (int rep = 0; rep < options.reps; ++rep) {
        std::string failure;
        const double seconds = Seconds([&] { failure = printfax::ConvertDocumentFile(pdf, true, apf); });
        best.seconds = std::min(best.seconds, seconds);
        if (!failure.empty()) throw std::runtime_error("the conversion failed: " + failure);
    }
    faxdoc::ApfFileHeader header;
    if (faxdoc::ApfReadHeader(apf, header) != 0 || header.pageCount != options.pages)
        throw std::runtime_error("the fax file does not hold " + std::to_string(options.pages) + " pages");
    best.bytes = std::filesystem::file_size(apf);
    return best;
}

Result TimeGhostscript(const std::string& pdf, const std::string& folder, const Options& options) {
    const std::string pages = folder + "g3/";
    Result best;
    for (int rep = 0; rep < options.reps; ++rep) {
        std::filesystem::remove_all(pages);
        std::filesystem::create_directory(pages);
        best.seconds = std::min(best.seconds, Seconds([&] {
            Ghostscript({"-sDEVICE=faxg3", "-r204x196", "-sOutputFile=" + pages + "page-%03d.g3", pdf}, folder);
        }));
    }
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(pages)) {
        ++count;
        best.bytes += entry.file_size();
    }
    if (count != options.pages)
        throw std::runtime_error("Ghostscript wrote " + std::to_string(count) + " fax pages instead of " +
                                 std::to_string(options.pages));
    return best;
}

void Show(const char* who, const Result& result, int pages) {
    std::printf("%-28s %7.3f s %7.1f pages per second %9ju bytes\n", who, result.seconds, pages / result.seconds,
                result.bytes);
}

int Main(int argc, char** argv) {
    const Options options = Parse(argc, argv);
    const printfax::TempFolder work;
    if (work.Path().empty()) throw std::runtime_error("no temporary folder could be made");
    const std::string pdf = MakePdf(options, work.Path());
    const Result ours = TimeOurs(pdf, work.Path(), options);
    const Result peer = TimeGhostscript(pdf, work.Path(), options);
    std::printf("%d A4 pages (%d with a grey photograph), fine resolution, best of %d\n", options.pages,
                options.photos, options.reps);
    Show("print to APF (render+dither)", ours, options.pages);
    Show("gs faxg3 -r204x196", peer, options.pages);
    return 0;
}

}  // namespace

}  // namespace vl::bench

int main(int argc, char** argv) { return vl::bench::RunBenchmark("bench_print", vl::bench::Main, argc, argv); }
