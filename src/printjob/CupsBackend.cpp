#include "printjob/CupsBackend.h"

#include <pwd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QtGlobal>

#include <cstdio>
#include <string>
#include <vector>

#include "app/FaxFolderFiles.h"
#include "printjob/JobDelivery.h"
#include "printfax/JobInput.h"
#include "printfax/JobOptions.h"
#include "printjob/JobUser.h"

namespace vl::printjob {

namespace {

// Make and model, then the name a print dialog shows.
constexpr char kDeviceLine[] = "direct vellora:/ \"Vellora Fax\" \"Vellora Fax\" \"MFG:Vellora;MDL:Fax;\" \"\"\n";

int Say(const char* mark, const std::string& text, int status) {
    std::fprintf(stderr, "%s: %s\n", mark, text.c_str());
    return status;
}

std::string NameOfUid(uid_t uid) {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) return {};
    return entry.pw_name;
}

}  // namespace

int RunCupsBackend(int argc, char** argv) {
    if (argc == 1) {
        std::fputs(kDeviceLine, stdout);
        return kBackendOk;
    }
    if (argc != 6 && argc != 7)
        return Say("ERROR", "usage: vellora job-id user title copies options [file]", kBackendFailed);
    const std::string user = argv[2];
    printfax::JobOptions options;
    options.title = argv[3];
    printfax::ParseOptionString(argv[5], options);
    if (argc == 7) options.input = argv[6];

    // The spooled file may be readable by the print system alone: read it
    // before giving up its rights.
    std::string document;
    if (const std::string failure = printfax::ReadJobInput(options.input, document); !failure.empty())
        return Say("ERROR", failure, kBackendCancel);
    if (geteuid() == 0) {
        if (const std::string failure = BecomeJobUser(user); !failure.empty())
            return Say("ERROR", failure, kBackendCancel);
    } else if (NameOfUid(geteuid()) != user) {
        // Run as the print system's own user it would write into that
        // user's folder, not the job's.
        return Say("ERROR",
                   "the vellora backend runs as " + NameOfUid(geteuid()) +
                       ", not as root; install it with mode 0700 (vellora-cli printer install)",
                   kBackendStop);
    }

    // Qt's image plugins complain about damaged images; the job's state
    // says why it failed.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    // Qt wants an application object for its image plugins and the local
    // socket, made once the process is the user's.
    QCoreApplication application(argc, argv);
    const printfax::JobOutcome outcome = DeliverJob(document, options);
    if (!outcome.failure.empty()) return Say("ERROR", outcome.failure, kBackendCancel);
    return Say("INFO",
               "faxed " + std::to_string(outcome.pages) + " page(s) to " + app::FileNameOf(outcome.faxFile) +
                   " for " + user,
               kBackendOk);
}

}  // namespace vl::printjob
