#include "faxdoc/FaxConversion.h"

#include <optional>

#include "base/ErrorCodes.h"
#include "faxdoc/ApfWriter.h"
#include "faxdoc/LineEncoder.h"
#include "faxdoc/OutputFileName.h"

namespace vl::faxdoc {
namespace {

// Lines between message-loop turns when the program asks to yield often.
constexpr int kYieldEveryLines = 16;

class Conversion {
public:
    Conversion(LineSource& source, const ConversionSettings& settings, const ConversionHooks& hooks)
        : source_(source), settings_(settings), hooks_(hooks),
          width_(settings.width == kWideWidth ? kWideWidth : kNormalWidth) {}

    int Run(const std::string& inputName, const std::string& outputFile) {
        // Dithering a colour image yields whatever the options say: its rows
        // can take seconds.
        source_.SetYield(hooks_.processMessages);
        // The input is opened first so that a missing input leaves an existing
        // file of the output's name alone.
        if (int rc = source_.Open(inputName); rc != base::ecOK) return rc;
        if (int rc = writer_.ApfCreate(outputFile); rc != base::ecOK) return rc;
        if (int rc = Report(true, false); rc != base::ecOK) return rc;
        bool morePages = true;
        while (morePages) {
            if (int rc = ConvertPage(morePages); rc != base::ecOK) return rc;
        }
        if (int rc = Report(false, true); rc != base::ecOK) return rc;
        source_.Close();
        return writer_.ApfFinish(settings_.stationId);
    }

private:
    int ConvertPage(bool& morePages) {
        ++status_.pageNumber;
        status_.lineNumber = 0;
        for (int i = 0; i < settings_.topMargin; ++i) {
            if (int rc = PutRecord(kBlankLineRecord); rc != base::ecOK) return rc;
        }
        bool endOfPage = false;
        if (int rc = Read(endOfPage, morePages); rc != base::ecOK) return rc;
        // Image sources decide the doubling for each page when its first line is read.
        const ImagePlacement placement = source_.Placement();
        LineEncoder encoder({width_, settings_.leftMargin, placement.doubleWidth});
        while (!endOfPage) {
            if (!placement.halfHeight || status_.lineNumber % 2 != 0) {
                if (int rc = PutRecord(encoder.Encode(line_)); rc != base::ecOK) return rc;
            }
            if (settings_.yield && settings_.yieldOften && status_.lineNumber % kYieldEveryLines == 0) {
                if (int rc = Yield(); rc != base::ecOK) return rc;
            }
            if (int rc = Read(endOfPage, morePages); rc != base::ecOK) return rc;
        }
        if (!writer_.PageOpen()) {
            if (int rc = writer_.ApfBeginPage(settings_.highResolution, width_); rc != base::ecOK) return rc;
        }
        if (int rc = writer_.ApfEndPage(); rc != base::ecOK) return rc;
        return settings_.yield ? Yield() : base::ecOK;
    }

    // A page's header goes ahead of its first record, whichever record that is.
    int PutRecord(std::span<const std::uint8_t> record) {
        if (!writer_.PageOpen()) {
            if (int rc = writer_.ApfBeginPage(settings_.highResolution, width_); rc != base::ecOK) return rc;
        }
        return writer_.ApfPutRecord(record);
    }

    int Read(bool& endOfPage, bool& morePages) {
        if (int rc = source_.ReadLine(line_, endOfPage, morePages); rc != base::ecOK) return rc;
        ++status_.lineNumber;
        return Report(false, false);
    }

    int Report(bool starting, bool ending) {
        if (!hooks_.status) return base::ecOK;
        status_.starting = starting;
        status_.ending = ending;
        status_.bytesRead = source_.BytesRead();
        status_.bytesTotal = source_.BytesTotal();
        return hooks_.status(status_) ? base::ecConvertAbort : base::ecOK;
    }

    int Yield() { return hooks_.processMessages ? hooks_.processMessages() : base::ecOK; }

    LineSource& source_;
    const ConversionSettings& settings_;
    const ConversionHooks& hooks_;
    int width_;
    ApfWriter writer_;
    ConversionStatus status_;
    std::vector<std::uint8_t> line_;
};

}  // namespace

std::string ApfOutputName(const std::string& inputName, const std::string& outName) {
    return OutputFileName(inputName, outName, "APF");
}

int ConvertDocument(LineSource& source, const std::string& inputName, const std::string& outputFile,
                    const ConversionSettings& settings, const ConversionHooks& hooks) {
    Conversion conversion(source, settings, hooks);
    const int rc = conversion.Run(inputName, outputFile);
    // The writer deletes its file when the conversion ends without finishing it.
    if (rc != base::ecOK) source.Close();
    return rc;
}

}  // namespace vl::faxdoc
