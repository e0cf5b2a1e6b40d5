// vellora-print: prints a document to a fax in Vellora's send folder.
#include <QCoreApplication>

#include <string>
#include <vector>

#include "printjob/PrintCommand.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Qt's image plugins and local sockets want an application object; no
    // window system is needed.
    QCoreApplication application(argc, argv);
    return vl::printjob::RunPrintCommand(args);
}
