// The conversion loop: raster lines from a line source, page by page, coded
// and written into an APF file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "faxdoc/LineSource.h"

namespace vl::faxdoc {

struct ConversionSettings {
    bool highResolution = false;
    int width = 1728;     // 1728 or 2048
    int leftMargin = 50;  // white pixels before the source raster
    int topMargin = 0;    // blank lines at the top of every page
    bool yield = false;       // process pending messages after each page
    bool yieldOften = false;  // and after every 16th line (with yield)
    std::string stationId;    // cut to 20 characters in the file header
};

struct ConversionStatus {
    bool starting = false;
    bool ending = false;
    int pageNumber = 0;
    int lineNumber = 0;  // raster lines read on the current page
    std::uint64_t bytesRead = 0;
    std::uint64_t bytesTotal = 0;
};

struct ConversionHooks {
    // Called at the start, after every line read and at the end; answering
    // true aborts the conversion with ecConvertAbort.
    std::function<bool(const ConversionStatus&)> status;
    // Processes the pending messages of the program's message loop; answers
    // ecGotQuitMsg when it met a quit message (which it leaves pending), else 0.
    std::function<int()> processMessages;
};

// The APF name for an output name, or for the input name when no output name
// is given: an output name without an extension gets ".APF"; an input name
// has its extension replaced by ".APF". Empty when both are empty.
std::string ApfOutputName(const std::string& inputName, const std::string& outName);

// Opens the source on `inputName`, converts every page into the APF file
// `outputFile` and closes the source. Answers 0 or a negative code: the
// source's and the writer's errors unchanged, ecConvertAbort, ecGotQuitMsg.
// On any error the output file is deleted.
int ConvertDocument(LineSource& source, const std::string& inputName, const std::string& outputFile,
                    const ConversionSettings& settings, const ConversionHooks& hooks = {});

}  // namespace vl::faxdoc
