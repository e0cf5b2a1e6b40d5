#include "Class2Link.h"

#include <algorithm>
#include <utility>

namespace vl::linesim {

Class2Link::Class2Link() = default;

void Class2Link::DropAfterPage(int n) { dropAfterPage_ = n; }
void Class2Link::SetNoiseDb(double db) { noiseDb_ = db; }
void Class2Link::SpoilFirstPages(int n) { pagesToSpoil_ = n; }
void Class2Link::SetFarEndIsVoice(bool voice) { voice_ = voice; }

void Class2Link::Advance(std::int64_t nowMs) {
    nowUs_ = std::max(nowUs_, nowMs * 1000);
    for (Direction& d : dir_) {
        while (!d.onAir.empty() && d.onAir.front().first <= nowUs_) {
            d.backlog -= d.onAir.front().second;
            d.onAir.pop_front();
        }
    }
}

std::int64_t Class2Link::TakeAirtime(Direction& d, std::int64_t airUs) {
    d.busyUntilUs = std::max(d.busyUntilUs, nowUs_) + airUs;
    return d.busyUntilUs;
}

void Class2Link::Enqueue(Direction& d, T30Message msg, std::int64_t airUs) {
    msg.dueUs = TakeAirtime(d, airUs);
    d.queue.push_back(std::move(msg));
}

void Class2Link::Send(int side, T30Message msg, int airMs) {
    if (voice_ || dropped_) return;
    Direction& d = dir_[side & 1];
    if (msg.kind == T30Kind::PageEnd) ++d.pageEnds;
    Enqueue(d, std::move(msg), std::int64_t{airMs} * 1000);
}

void Class2Link::SendPageData(int side, std::string_view bytes, int bitRate) {
    if (bytes.empty()) return;
    Direction& d = dir_[side & 1];
    if (!dropped_ && dropAfterPage_ >= 0 && d.pageEnds >= dropAfterPage_) Drop(side);
    const std::int64_t airUs = static_cast<std::int64_t>(bytes.size()) * 8 * 1000000 / std::max(bitRate, 1);
    if (voice_ || dropped_) {
        d.onAir.emplace_back(TakeAirtime(d, airUs), bytes.size());
    } else {
        T30Message msg;
        msg.kind = T30Kind::PageData;
        msg.data.assign(bytes);
        Enqueue(d, std::move(msg), airUs);
        d.onAir.emplace_back(d.busyUntilUs, bytes.size());
    }
    d.backlog += bytes.size();
}

// The line goes dead: the receiving end loses the carrier once what was
// already on its way has arrived; the sending end hears nothing more.
void Class2Link::Drop(int fromSide) {
    dropped_ = true;
    dir_[1 - (fromSide & 1)].queue.clear();
    T30Message lost;
    lost.kind = T30Kind::CarrierLost;
    Enqueue(dir_[fromSide & 1], std::move(lost), 0);
}

bool Class2Link::PageSpoiled() {
    if (pagesToSpoil_ > 0) {
        --pagesToSpoil_;
        return true;
    }
    return noiseDb_ >= kNoiseSpoilsPagesDb;
}

std::size_t Class2Link::Backlog(int side) const { return dir_[side & 1].backlog; }

std::optional<T30Message> Class2Link::Receive(int side) {
    Direction& d = dir_[1 - (side & 1)];
    if (d.queue.empty() || d.queue.front().dueUs > nowUs_) return std::nullopt;
    T30Message msg = std::move(d.queue.front());
    d.queue.pop_front();
    return msg;
}

void Class2Link::OnHook(int side) {
    dir_[1 - (side & 1)].queue.clear();
}

}  // namespace vl::linesim
