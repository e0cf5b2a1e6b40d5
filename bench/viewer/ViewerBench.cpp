// The fax viewer on a fax of full fine text pages: the time of one page turn
// (decode, scale, draw) at the zoom a viewer window starts with, and the page
// pictures the viewer holds, with only the current page decoded and with
// every page kept. The aims: under 30 ms a turn and under 64 MB for 50 pages.
//
//   bench_viewer [--pages N]     (default 50)
#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/BenchMain.h"
#include "faxdoc/VlFaxConverter.h"
#include "ui/VlFaxViewer.h"

namespace {

double Megabytes(std::size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// Pages of 66 lines of text each: a fine page full from top to bottom.
std::string TextFax(const std::string& folder, int pages)
{
    const std::string text = folder + "/letters.txt";
    {
        std::ofstream out(text);
        for (int page = 0; page < pages; ++page)
            for (int line = 0; line < 66; ++line)
                out << "Page " << page + 1 << " line " << line + 1
                    << ": the quick brown fox jumps over the lazy dog 0123456789 ABCDEFGHIJKLMNOPQRSTUV\n";
    }
    vl::faxdoc::VlFaxConverter converter;
    converter.SetInputDocumentType(vl::faxdoc::FaxInputDocumentType::idText);
    converter.SetResolution(vl::faxdoc::FaxResolution::frHigh);
    converter.SetLinesPerPage(66);
    converter.SetOptions(0);
    converter.SetDocumentFile(text);
    converter.ConvertToFile();
    return folder + "/letters.APF";
}

// A viewer the size of the viewer window's page area, at the start zoom of
// a window narrower than the page (step 50: half in both directions).
void Prepare(vl::ui::VlFaxViewer& viewer)
{
    viewer.resize(1000, 600);
    viewer.show();
    viewer.SetScaling(true);
    viewer.SetScaleFactors(1, 2, 1, 2);
}

int Run(int argc, char** argv)
{
    int pages = 50;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--pages") == 0)
            pages = std::max(2, std::atoi(argv[i + 1]));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QTemporaryDir folder;
    const std::string fax = TextFax(folder.path().toStdString(), pages);

    std::vector<double> turns;
    double oneHeld = 0;
    {
        vl::ui::VlFaxViewer viewer;
        Prepare(viewer);
        viewer.SetFileName(QString::fromStdString(fax));
        if (viewer.PageCount() != pages)
            throw std::runtime_error("the viewer shows " + std::to_string(viewer.PageCount()) + " pages");
        for (int page = 2; page <= pages; ++page) {
            turns.push_back(vl::bench::Seconds([&viewer] {
                viewer.NextPage();
                viewer.viewport()->repaint();
            }));
        }
        if (viewer.CurrentPage() != pages)
            throw std::runtime_error("the pages did not turn");
        oneHeld = Megabytes(viewer.HeldBytes());
    }
    double allHeld = 0;
    {
        vl::ui::VlFaxViewer viewer;
        Prepare(viewer);
        viewer.SetLoadWholeFax(true);
        viewer.SetFileName(QString::fromStdString(fax));
        viewer.LastPage();
        if (viewer.DecodedPages() != pages)
            throw std::runtime_error("the viewer kept " + std::to_string(viewer.DecodedPages()) + " pages");
        allHeld = Megabytes(viewer.HeldBytes());
    }

    std::sort(turns.begin(), turns.end());
    const double median = turns[turns.size() / 2] * 1000;
    const double worst = turns.back() * 1000;
    std::printf("page turn, fine text page at 50 %%: median %.1f ms, worst %.1f ms over %zu turns (aim: under 30 ms)\n",
                median, worst, turns.size());
    std::printf("memory held for %d pages: %.1f MB with the current page, %.1f MB with every page kept "
                "(aim: under 64 MB)\n",
                pages, oneHeld, allHeld);
    return 0;
}

}  // namespace

int main(int argc, char** argv) { return vl::bench::RunBenchmark("bench_viewer", Run, argc, argv); }
