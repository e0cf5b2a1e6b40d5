// The print system's backend for "vellora:/" printers: each job it is given
// becomes a fax of the job's user, in their send folder.
#pragma once

namespace vl::printjob {

// The exit codes the print system reads from a backend.
enum CupsBackendStatus {
    kBackendOk = 0,
    kBackendFailed = 1,
    kBackendStop = 4,    // the printer is set up wrongly: stop the queue
    kBackendCancel = 5,  // this job cannot be faxed: drop it, go on with the next
};

// The whole run, from the program's own arguments: none lists the device;
// "job user title copies options [file]" delivers a job (standard input
// when no file). Messages go to standard error with the print system's
// "ERROR:" and "INFO:" marks, which it shows as the job's state.
int RunCupsBackend(int argc, char** argv);

}  // namespace vl::printjob
