#include "printfax/ImportRequest.h"

#include "app/InstanceRequestSender.h"
#include "app/InstanceRequests.h"

namespace vl::printfax {

namespace {

// A copy that listens answers at once; the tool does not wait for one to start.
constexpr int kConnectTries = 2;

}  // namespace

bool AskVelloraToImport(const std::string& programFolder) {
    return app::SendInstanceRequest(programFolder, app::kImportRequest, kConnectTries);
}

}  // namespace vl::printfax
