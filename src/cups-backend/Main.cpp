// The print system's backend "vellora": print jobs become faxes in the
// job's user's Vellora.
#include "printjob/CupsBackend.h"

int main(int argc, char** argv) { return vl::printjob::RunCupsBackend(argc, argv); }
