// Collects what the modem sends into response lines and, on request, into one
// HDLC frame, one byte at a time.
//
// Lines: every byte is kept in the response buffer (the first 128; later ones
// are dropped but still watched) until CR LF ends the line. The line is then
// trimmed of leading and trailing blanks and control characters; an empty line
// is ignored, any other is reported as Event::Line.
//
// Frames: a Class 1 modem delivers a received HDLC frame after "CONNECT" as
// raw bytes ended by DLE ETX, with every data DLE doubled. Frame bytes can be
// anything, CR LF included, so they must not be read as lines. The engine
// knows when it asked for a frame ("AT+FRH=3" answered by "CONNECT") and calls
// ExpectFrame(); from then on the bytes go to the frame until DLE ETX, which
// reports Event::Frame and returns the collector to lines (the modem's "OK" or
// "ERROR" after the frame is an ordinary line). Bytes before the frame's 0xFF
// address byte are dropped; DLE DLE is one data DLE; DLE followed by any other
// byte than ETX or DLE is kept as both bytes. The frame keeps the modem's
// check bytes, if it passes them. A frame holds at most kMaxFrame bytes, far
// above the longest T.30 frame (an error-correction frame carries 256 data
// bytes plus 4 header and 2 check bytes); a longer one keeps its start and is
// marked truncated so that its parser can refuse it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "serial/ReplyMatcher.h"

namespace vl::fax {

class ResponseCollector {
public:
    enum class Event { None, Line, Frame };

    static constexpr std::size_t kMaxLine = 128;
    static constexpr std::size_t kMaxFrame = 512;

    ResponseCollector();

    Event Feed(std::uint8_t byte);
    // The next bytes are a frame, up to DLE ETX. A partial line is dropped.
    void ExpectFrame();
    bool ReceivingFrame() const { return inFrame_; }
    // Empties the buffers and restarts both matchers; back to lines.
    void Reset();

    // The last line reported, trimmed; kept until the next line or Reset.
    const std::string& Line() const { return line_; }
    // The last frame reported (from 0xFF, without DLE ETX, DLE pairs undone);
    // empty when DLE ETX came before any 0xFF.
    const std::vector<std::uint8_t>& Frame() const { return frame_; }
    bool FrameTruncated() const { return truncated_; }

private:
    Event FeedLine(std::uint8_t byte);
    Event FeedFrame(std::uint8_t byte);
    void AddFrameByte(std::uint8_t byte);
    void StartOver();

    std::string buffer_;
    std::string line_;
    serial::ReplyMatcher endOfLine_;
    std::vector<std::uint8_t> frame_;
    bool inFrame_ = false;
    bool afterDle_ = false;
    bool truncated_ = false;
};

}  // namespace vl::fax
