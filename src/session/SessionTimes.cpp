#include "session/SessionTimes.h"

#include "base/ShortTimeFormat.h"

namespace vl::session {

namespace {

std::string Format(const char* format, const std::tm& when)
{
    char text[256];
    const std::size_t length = std::strftime(text, sizeof text, format, &when);
    return std::string(text, length);
}

}  // namespace

std::tm LocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::string LongDateTime(const std::tm& when)
{
    return Format((std::string(base::kLongDatePattern) + " %X").c_str(), when);
}

std::string ReceiveLogStamp(const std::tm& when)
{
    return Format("%Y-%m-%d %H:%M:%S  ", when);
}

std::string ShortDate(const std::tm& when)
{
    return Format("%x", when);
}

std::string ShortTime(const std::tm& when)
{
    return Format(base::ShortTimeFormat().c_str(), when);
}

}  // namespace vl::session
