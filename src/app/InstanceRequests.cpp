#include "app/InstanceRequests.h"

namespace vl::app {

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
