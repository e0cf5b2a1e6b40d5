// How a fax page is turned into an image: aspect correction, blank-line
// compression, scaling, and the caller's progress hook.
#pragma once

#include <cstddef>
#include <functional>

namespace vl::faxdoc {

// Normal-resolution pages have half the line density of fine ones; one of these
// squares them up. High-resolution pages are never changed.
enum class AspectMode { None, DoubleHeight, HalfWidth };

struct UnpackProgress {
    std::size_t bytesDone = 0;   // of the page's image data, at most bytesTotal
    std::size_t bytesTotal = 0;
    int linesOut = 0;            // lines delivered to the page so far
};

enum class UnpackControl {
    Continue,
    Abort,  // stop: the page so far is kept and the unpack answers ecUnpackAbort
    Quit,   // the program is closing: the unpack answers ecGotQuitMsg
};

struct UnpackOptions {
    AspectMode aspect = AspectMode::DoubleHeight;
    // A run of at least whitespaceFrom blank lines becomes whitespaceTo blank
    // lines; active only when both are non-zero.
    int whitespaceFrom = 0;
    int whitespaceTo = 0;
    // The page image is stretched to horizMult/horizDiv of its width and
    // vertMult/vertDiv of its height; 0 counts as 1.
    int horizMult = 1;
    int horizDiv = 1;
    int vertMult = 1;
    int vertDiv = 1;
    // Called often while a page decodes (yielding to the user interface is
    // the caller's business); no hook means Continue.
    std::function<UnpackControl(const UnpackProgress&)> onProgress;
};

// 0, or ecBadArgument for blank-line compression values that contradict each
// other (From below To, or From 0 with To not 0) or negative factors.
int CheckUnpackOptions(const UnpackOptions& options);

}  // namespace vl::faxdoc
