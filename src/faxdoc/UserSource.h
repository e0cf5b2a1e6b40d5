// Raster lines handed in by the program itself, one event per line.
#pragma once

#include <functional>

#include "faxdoc/LineSource.h"

namespace vl::faxdoc {

struct UserSourceEvents {
    // Called by Open with the file name (the default extension added when it
    // has none).
    std::function<void(const std::string& fileName)> onOpen;
    std::function<void()> onClose;
    // Delivers one raster line in `data` (its size is the length), or sets
    // endOfPage (and morePages when another page follows).
    std::function<void(std::vector<std::uint8_t>& data, bool& endOfPage, bool& morePages)> onReadLine;
};

// Without a read handler the source reports the end of the page and no more
// pages. A line longer than the 4096-byte raster buffer is refused with
// ecBadArgument.
class UserSource : public LineSource {
public:
    UserSource(UserSourceEvents events, std::string defaultExtension)
        : events_(std::move(events)), defaultExtension_(std::move(defaultExtension)) {}
    ~UserSource() override { Close(); }
    UserSource(const UserSource&) = delete;
    UserSource& operator=(const UserSource&) = delete;

    int Open(const std::string& fileName) override;
    int ReadLine(std::vector<std::uint8_t>& line, bool& endOfPage, bool& morePages) override;
    void Close() override;

private:
    UserSourceEvents events_;
    std::string defaultExtension_;
    bool open_ = false;
};

}  // namespace vl::faxdoc
