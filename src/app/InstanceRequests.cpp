#include "app/InstanceRequests.h"

namespace vl::app {

std::string ViewRequestLine(const std::string& absolutePath)
{
    std::string line = std::string(kViewRequest) + absolutePath + "\n";
    if (absolutePath.empty() || absolutePath.front() != '/' || absolutePath.find('\n') != std::string::npos ||
        line.size() > kMaxRequestLine)
        return {};
    return line;
}

InstanceRequestReader::Result InstanceRequestReader::Feed(std::string_view bytes)
{
    Result result;
    if (refused_) {
        result.refused = true;
        return result;
    }
    pending_.append(bytes);
    std::size_t start = 0;
    for (std::size_t end; (end = pending_.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string_view line = std::string_view(pending_).substr(start, end + 1 - start);
        if (line.size() > kMaxRequestLine) {
            refused_ = true;
            break;
        }
        if (line == kActivateRequest)
            ++result.activations;
        else if (line == kImportRequest)
            ++result.imports;
        else if (line.substr(0, kViewRequest.size() + 1) == std::string(kViewRequest) + "/")
            result.views.emplace_back(line.substr(kViewRequest.size(), line.size() - kViewRequest.size() - 1));
    }
    pending_.erase(0, start);
    if (pending_.size() > kMaxRequestLine)
        refused_ = true;
    if (refused_)
        pending_.clear();
    result.refused = refused_;
    return result;
}

}  // namespace vl::app
