#include "faxdoc/UnpackOptions.h"

#include "base/ErrorCodes.h"

namespace vl::faxdoc {

int CheckUnpackOptions(const UnpackOptions& o) {
    if (o.whitespaceFrom < 0 || o.whitespaceTo < 0) return base::ecBadArgument;
    if (o.whitespaceFrom < o.whitespaceTo) return base::ecBadArgument;
    if (o.whitespaceFrom == 0 && o.whitespaceTo != 0) return base::ecBadArgument;
    if (o.horizMult < 0 || o.horizDiv < 0 || o.vertMult < 0 || o.vertDiv < 0) return base::ecBadArgument;
    return base::ecOK;
}

}  // namespace vl::faxdoc
