// The phone book window on a large book: the time to open its list and
// model, to open the whole window up to its first paint, to find a name
// while it is typed (the slowest keystroke, repaint included), and to jump
// to a page of the grid and paint it. The aims: under 200 ms to open and
// under 20 ms to find.
//
//   bench_phonebook [--entries N] [--reps N]     (defaults 20000 and 5)
//
// Exit status 0 when the run completed, 2 on a fault (a name not found);
// timings alone never fail it.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "SamplePhoneBook.h"
#include "app/PhoneBookList.h"
#include "common/BenchMain.h"
#include "ui/PhoneBook.h"
#include "ui/PhoneBookModel.h"

namespace vl::bench {

namespace {

double Ms(const std::function<void()>& work)
{
    return Seconds(work) * 1000;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Paint()
{
    QApplication::processEvents();
}

// Types the name into the search box a key at a time; the slowest key.
double SlowestKey(ui::PhoneBook& window, const std::string& name)
{
    auto* search = window.findChild<QLineEdit*>(QStringLiteral("Search"));
    search->clear();
    double slowest = 0;
    for (const QChar c : QString::fromStdString(name)) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        slowest = std::max(slowest, Ms([&] {
                               QApplication::sendEvent(search, &press);
                               Paint();
                           }));
    }
    if (window.CurrentRow() < 0)
        throw std::runtime_error("\"" + name + "\" was not found");
    return slowest;
}

int Main(int argc, char** argv)
{
    int entries = 20000;
    int reps = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--entries") == 0) entries = std::max(1, std::stoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--reps") == 0) reps = std::max(1, std::stoi(argv[i + 1]));
        else throw std::invalid_argument(std::string("unknown option ") + argv[i]);
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir home;
    const std::string folder = home.path().toStdString() + "/";
    tools::WriteSamplePhoneBook(folder, entries);

    std::vector<double> model, window, find, page;
    for (int r = 0; r < reps; ++r) {
        model.push_back(Ms([&] {
            app::PhoneBookList list(folder);
            ui::PhoneBookModel grid(list);
            // The rows a grid shows at first.
            for (int row = 0; row < std::min(30, grid.rowCount()); ++row)
                grid.index(row, 0).data();
        }));
        ui::PhoneBook* book = nullptr;
        window.push_back(Ms([&] {
            book = new ui::PhoneBook(ui::PhoneBook::Layout::Browse, folder);
            book->show();
            Paint();
        }));
        find.push_back(SlowestKey(*book, tools::SamplePhoneBookName(entries * 3 / 4)));
        auto* bar = book->findChild<QTableView*>(QStringLiteral("Grid"))->verticalScrollBar();
        double slowestPage = 0;
        for (int step = 1; step <= 20; ++step)
            slowestPage = std::max(slowestPage, Ms([&] {
                                       bar->setValue(bar->maximum() * step / 20);
                                       Paint();
                                   }));
        page.push_back(slowestPage);
        delete book;
    }

    std::printf("phone book of %d entries, median of %d repetitions\n", entries, reps);
    std::printf("%-36s %10s %10s\n", "operation", "ms", "aim ms");
    std::printf("%-36s %10.2f %10d\n", "open list + model, first rows", Median(model), 200);
    std::printf("%-36s %10.2f %10s\n", "open window, first paint", Median(window), "");
    std::printf("%-36s %10.2f %10d\n", "find a name, slowest keystroke", Median(find), 20);
    std::printf("%-36s %10.2f %10s\n", "jump a twentieth + paint, slowest", Median(page), "");
    return 0;
}

}  // namespace

}  // namespace vl::bench

int main(int argc, char** argv) { return vl::bench::RunBenchmark("bench_phonebook", vl::bench::Main, argc, argv); }
