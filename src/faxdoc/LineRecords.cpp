#include "faxdoc/LineRecords.h"

#include <algorithm>

#include "base/ErrorCodes.h"
#include "faxdoc/ApfFormat.h"

namespace vl::faxdoc {

bool LineRecordIterator::Next(std::span<const std::uint8_t>& record) {
    if (error_ != 0 || position_ == data_.size()) return false;
    const std::size_t left = data_.size() - position_;
    if (left < 2) {
        error_ = base::ecFaxBadFormat;
        return false;
    }
    const std::size_t count = data_[position_] | data_[position_ + 1] << 8;
    if (count > left - 2) {
        error_ = base::ecFaxBadFormat;
        return false;
    }
    record = data_.subspan(position_ + 2, std::min(count, kApfMaxRecordLength));
    position_ += 2 + count;
    return true;
}

}  // namespace vl::faxdoc
