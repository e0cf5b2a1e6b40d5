// vellora-cli: Vellora without windows, for scripts, servers and tests.
#include <cstdio>
#include <cstring>
#include <string>
#include <exception>

#include "base/ExceptionDisplay.h"
#include "cli/CommandHelp.h"
#include "cli/Commands.h"

namespace {

const char kUsage[] =
    "usage: vellora-cli COMMAND [ARGS...]\n"
    "\n"
    "Uses the data folder $VELLORA_HOME, or $XDG_DATA_HOME/vellora/\n"
    "(default ~/.local/share/vellora/).\n"
    "\n"
    "Commands:\n"
    "  settings dump                    every setting as section, key and value\n"
    "  settings get SECTION KEY         one setting\n"
    "  settings set SECTION KEY VALUE   change one setting; section Ports maps a COM\n"
    "                                   number to a device (settings set Ports COM2\n"
    "                                   /dev/ttyUSB0; an empty value: no device)\n"
    "  table list TABLE [--order TAG|natural] [--filter EXPR] [--all] [--recno]\n"
    "                                   records of outgoing, incoming or phonebook,\n"
    "                                   tab-separated under a header of field names;\n"
    "                                   default order DATESENT (newest first),\n"
    "                                   DATETIME (newest first) or NAME; deleted\n"
    "                                   records only with --all, which lists in\n"
    "                                   natural order (no tag holds deleted records)\n"
    "                                   and adds a first column DELETED (\"*\" for\n"
    "                                   deleted); --recno adds the record number in\n"
    "                                   front; tabs, line\n"
    "                                   breaks and \\ in values appear as \\t \\n \\r \\\\\n"
    "  table add TABLE FIELD=VALUE...   append a record, print its number (dates\n"
    "                                   yyyymmdd, logicals T/F, .T./.F., true/false;\n"
    "                                   logicals not given are stored false)\n"
    "  table delete TABLE RECNO         mark a record deleted\n"
    "  table pack TABLE                 remove deleted records for good\n"
    "  table rebuild                    pack every table and rebuild all index tags\n"
    "  table eval TABLE RECNO EXPR      evaluate a logical expression (.T. or .F.)\n"
    "  phonebook import FILE.csv|FILE.vcf [--format csv|vcard]\n"
    "                                   add the entries of an address book export\n"
    "                                   to the phone book: a CSV file whose header\n"
    "                                   names its columns (Name, Fax, First Name,\n"
    "                                   Last Name, Display Name, Business Fax, Fax\n"
    "                                   Number, Phone, ...) or vCards (2.1, 3.0, 4.0;\n"
    "                                   the fax TEL counts); rows that cannot be\n"
    "                                   stored, and entries already there, are said\n"
    "                                   on standard error as FILE:LINE: and skipped\n"
    "  phonebook export FILE.csv|FILE.vcf [--format csv|vcard]\n"
    "                                   every entry in name order, as CSV (Name,Fax)\n"
    "                                   or vCard 3.0\n"
    "  convert INPUT [-o OUT.APF] [--fine] [--wide] [--font small|standard|FAMILY:POINTS]\n"
    "          [--lines-per-page N] [--tab N] [--left-margin N] [--top-margin N]\n"
    "          [--station-id ID] [--no-double-width] [--no-center]\n"
    "                                   a text (.txt), TIFF, PCX, DCX or BMP file as\n"
    "                                   an APF fax file (default OUT: INPUT with .APF);\n"
    "                                   FAMILY:POINTS sets text in a system font; a\n"
    "                                   PDF or PostScript file (.pdf, .ps, .eps) is\n"
    "                                   rendered as vellora-print renders it and takes\n"
    "                                   only -o and --fine\n"
    "  info FILE.APF [--json]           station ID, date and time, page count, and for\n"
    "                                   each page its resolution, width, form (line\n"
    "                                   records or raw stream) and image length\n"
    "  export FILE.APF [--page N] --format pbm|png|bmp|pcx|dcx [-o OUT] [--no-aspect]\n"
    "                                   one page (default 1) as an image; OUT defaults\n"
    "                                   to FILE with the format's extension; normal-\n"
    "                                   resolution pages are doubled in height unless\n"
    "                                   --no-aspect\n"
    "  export FILE.APF --format pdf|tiff [-o OUT]\n"
    "                                   every page into one PDF or TIFF (CCITT group 3)\n"
    "                                   file, each page at its own resolution; --page\n"
    "                                   and --no-aspect are refused here\n"
    "  ports                            each COM number with a device (section Ports,\n"
    "                                   keys COM1..COM50, of VL.INI, or the default\n"
    "                                   devices of COM1..COM6), its device and whether\n"
    "                                   it is available, absent, in use by PID NAME or\n"
    "                                   refused for want of permission\n"
    "  modem probe --port COMn|DEVICE   open the port and check that the modem\n"
    "                                   answers OK to AT (or to the reset string of\n"
    "                                   the settings); prints OK\n"
    "  modem command --port COMn|DEVICE COMMAND\n"
    "                                   send one command (\"AT\" put in front when it\n"
    "                                   holds none) and print the reply lines up to\n"
    "                                   OK or ERROR; exit 0 on OK\n"
    "  modem find                       test COM1..COM6 in turn: one line per port\n"
    "                                   (\"Com 1 (/dev/ttyACM0): MODEM\", Unknown, in\n"
    "                                   use, does not exist or why it would not open)\n"
    "                                   and a summary naming the first port with a\n"
    "                                   modem; exit 0 when one was found\n"
    "  modem class --port COMn          ask the modem which fax classes it supports;\n"
    "                                   prints a line per class with the recommended\n"
    "                                   one (Class 1, else 2, else 2.0) and a status;\n"
    "                                   a modem that does not answer AT is tried all\n"
    "                                   the same; exit 0 with a recommendation\n"
    "  send --port COMn|DEVICE --number NUMBER [--class auto|1|2|2.0] [--bps N]\n"
    "       [--ecm] [--coding mh|mr|mmr] [--station-id ID] [--header TEXT]\n"
    "       [--cover FILE] [--dial-prefix P] [--pulse] [--blind] [--attempts N]\n"
    "       [--retry-wait S] FILE.APF...\n"
    "                                   send the files as one fax (the cover first);\n"
    "                                   prints each status change and last \"Sent\"\n"
    "                                   or the error; exit 0 sent, 1 not sent;\n"
    "                                   defaults from the settings; --coding is the\n"
    "                                   best page coding offered (mmr only with\n"
    "                                   error correction, else mr)\n"
    "  receive --port COMn|DEVICE [--dir DIR] [--class auto|1|2|2.0] [--ecm]\n"
    "          [--coding mh|mr|mmr] [--rings N] [--station-id ID] [--naming 1|2]\n"
    "          [--once]\n"
    "                                   answer calls and store the faxes in DIR\n"
    "                                   (default RECEIVE/ of the data folder),\n"
    "                                   named FAXnnnn.APF (1) or MMDDnnnn.APF (2);\n"
    "                                   prints the log lines and \"Received: FILE\"\n"
    "                                   per fax; --once ends after one call, exit 0\n"
    "                                   when a fax was stored\n"
    "  report [--output FILE]           the configuration report for technical\n"
    "                                   support: system, memory, locale, serial\n"
    "                                   devices and COM ports, the settings, other\n"
    "                                   programs holding a serial device or taking\n"
    "                                   modems (ModemManager), the last send and\n"
    "                                   receive logs; into FILE with --output\n"
    "  cover render TEMPLATE -o OUT.APF [--to NAME] [--fax NUMBER] [--regarding TEXT]\n"
    "        [--message FILE] [--flags XXXXX]\n"
    "                                   a cover template (.fct) filled in as a one-\n"
    "                                   page fine fax file; sender, company, fax and\n"
    "                                   voice numbers from the settings; --flags sets\n"
    "                                   Urgent, For Review, Please Comment, Please\n"
    "                                   Reply, Please Recycle with X, clears with a\n"
    "                                   blank\n"
    "  cover preview TEMPLATE -o OUT.PNG\n"
    "                                   the template's preview picture (816 x 1056)\n"
    "                                   filled in with sample values\n"
    "  print FILE.APF [--printer NAME | -o OUT.PDF] [--pages A-B] [--four-up]\n"
    "        [--header TEXT] [--footer] [--no-fit]\n"
    "                                   print the pages (all, or A to B) on the\n"
    "                                   printer (default: the system's default\n"
    "                                   printer) or into a PDF file; four to a\n"
    "                                   sheet with --four-up; the header's $D $T $F\n"
    "                                   $P $N give date, time, file, page and page\n"
    "                                   count; --footer adds \"Page: $P of $N\";\n"
    "                                   --no-fit prints at 200 dots to the inch\n"
    "  printer install | uninstall      add the printer \"Vellora Fax\" to the print\n"
    "                                   system (as root: it puts the backend into\n"
    "                                   CUPS_SERVERBIN, default /usr/lib/cups), or\n"
    "                                   remove it; its jobs become outgoing faxes of\n"
    "                                   the user who printed them\n"
    "\n"
    "Exit status: 0 done, 1 failed (for example a table in use), 2 bad input\n"
    "(nothing changed).\n";

// Whether the exception display has shown anything: the command has failed
// then, whatever it answers.
bool exceptionShown = false;

int RunCommand(const char* name, const vl::cli::Args& rest) {
    using namespace vl::cli;
    if (std::strcmp(name, "settings") == 0) return RunSettingsCommand(rest);
    if (std::strcmp(name, "table") == 0) return RunTableCommand(rest);
    if (std::strcmp(name, "info") == 0) return RunInfoCommand(rest);
    if (std::strcmp(name, "export") == 0) return RunExportCommand(rest);
    if (std::strcmp(name, "convert") == 0) return RunConvertCommand(rest);
    if (std::strcmp(name, "ports") == 0) return RunPortsCommand(rest);
    if (std::strcmp(name, "modem") == 0) return RunModemCommand(rest);
    if (std::strcmp(name, "send") == 0) return RunSendCommand(rest);
    if (std::strcmp(name, "receive") == 0) return RunReceiveCommand(rest);
    if (std::strcmp(name, "report") == 0) return RunReportCommand(rest);
    if (std::strcmp(name, "cover") == 0) return RunCoverCommand(rest);
    if (std::strcmp(name, "print") == 0) return RunPrintCommand(rest);
    if (std::strcmp(name, "printer") == 0) return RunPrinterCommand(rest);
    if (std::strcmp(name, "phonebook") == 0) return RunPhoneBookCommand(rest);
    std::fprintf(stderr, "vellora-cli: unknown command '%s'\n%s", name, kUsage);
    return kExitBadInput;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vl::cli;
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 ||
        std::strcmp(argv[1], "help") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? kExitBadInput : kExitOk;
    }
    // "vellora-cli COMMAND --help": that command's part of the usage.
    if (argc == 3 && (std::strcmp(argv[2], "--help") == 0 || std::strcmp(argv[2], "-h") == 0)) {
        const std::string help = CommandHelp(kUsage, argv[1]);
        if (!help.empty()) {
            std::fputs(help.c_str(), stdout);
            return kExitOk;
        }
    }
    Args rest(argv + 2, argv + argc);
    // Failures on a port's threads and in event handlers, which no command
    // can catch, are said and fail the command.
    vl::base::SetExceptionDisplay([](std::exception_ptr error) {
        std::fprintf(stderr, "vellora-cli: %s\n", vl::base::ExceptionText(error).c_str());
        exceptionShown = true;
    });
    int status = kExitFailed;
    try {
        status = RunCommand(argv[1], rest);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vellora-cli: %s\n", e.what());
        return kExitFailed;
    }
    return exceptionShown && status == kExitOk ? kExitFailed : status;
}
