// The plain-text log a send session or receive mode keeps in memory and
// writes out when it ends, for technical support.
#pragma once

#include <string>
#include <vector>

namespace vl::session {

class SessionLog {
public:
    void Clear();
    // Appends `text`, unless it equals the text added last (a repeated status
    // adds nothing).
    void Add(const std::string& text) { Add(text, std::string()); }
    // The same, with `stamp` put in front of the line; only the text counts
    // when a repeat is judged.
    void Add(const std::string& text, const std::string& stamp);
    const std::vector<std::string>& Lines() const { return lines_; }
    // Writes every line, each ended by "\n", replacing `file`. The log is
    // only an aid, so a failure is ignored.
    void Save(const std::string& file) const;

private:
    std::vector<std::string> lines_;
    std::string lastText_;
    bool any_ = false;
};

}  // namespace vl::session
