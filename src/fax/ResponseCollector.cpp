#include "fax/ResponseCollector.h"

#include "fax/ControlBytes.h"

namespace vl::fax {

namespace {

constexpr std::uint8_t kAddress = 0xFF;

bool IsBlankOrControl(char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte <= ' ' || byte == 0x7F;
}

std::string Trimmed(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlankOrControl(text[begin])) ++begin;
    while (end > begin && IsBlankOrControl(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

}  // namespace

ResponseCollector::ResponseCollector() : endOfLine_("\r\n", false) {}

ResponseCollector::Event ResponseCollector::Feed(std::uint8_t byte) {
    return inFrame_ ? FeedFrame(byte) : FeedLine(byte);
}

ResponseCollector::Event ResponseCollector::FeedLine(std::uint8_t byte) {
    if (buffer_.size() < kMaxLine) buffer_.push_back(static_cast<char>(byte));
    if (!endOfLine_.Feed(byte)) return Event::None;
    endOfLine_.Reset();
    std::string text = Trimmed(buffer_);
    buffer_.clear();
    if (text.empty()) return Event::None;
    line_ = std::move(text);
    return Event::Line;
}

ResponseCollector::Event ResponseCollector::FeedFrame(std::uint8_t byte) {
    if (!afterDle_) {
        if (byte == kDle) {
            afterDle_ = true;
        } else {
            AddFrameByte(byte);
        }
        return Event::None;
    }
    afterDle_ = false;
    if (byte == kEtx) {
        inFrame_ = false;
        return Event::Frame;
    }
    AddFrameByte(kDle);
    if (byte != kDle) AddFrameByte(byte);
    return Event::None;
}

void ResponseCollector::AddFrameByte(std::uint8_t byte) {
    if (frame_.empty() && byte != kAddress) return;
    if (frame_.size() < kMaxFrame) {
        frame_.push_back(byte);
    } else {
        truncated_ = true;
    }
}

void ResponseCollector::ExpectFrame() {
    StartOver();
    inFrame_ = true;
}

void ResponseCollector::Reset() {
    StartOver();
    line_.clear();
}

void ResponseCollector::StartOver() {
    buffer_.clear();
    endOfLine_.Reset();
    frame_.clear();
    inFrame_ = false;
    afterDle_ = false;
    truncated_ = false;
}

}  // namespace vl::fax
