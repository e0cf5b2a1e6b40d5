#include "session/SessionLog.h"

#include <fstream>

namespace vl::session {

void SessionLog::Clear()
{
    lines_.clear();
    lastText_.clear();
    any_ = false;
}

void SessionLog::Add(const std::string& text, const std::string& stamp)
{
    if (any_ && text == lastText_)
        return;
    lines_.push_back(stamp + text);
    lastText_ = text;
    any_ = true;
}

void SessionLog::Save(const std::string& file) const
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines_)
        out << line << '\n';
}

}  // namespace vl::session
