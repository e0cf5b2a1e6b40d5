// The pages of the fax a viewer shows, decoded on demand by the unpacker and
// turned by the viewer's rotation. Only the page last asked for is held,
// unless the whole fax is to be kept, which decodes every page once and
// holds them until the decoding changes.
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "faxdoc/VlFaxUnpacker.h"
#include "gfx/MonoBitmap.h"

namespace vl::ui {

class ViewerPages {
public:
    // The decoding settings (scaling, aspect, whitespace). Call Forget after
    // changing them.
    faxdoc::VlFaxUnpacker& Decoder() { return unpacker_; }
    const faxdoc::VlFaxUnpacker& Decoder() const { return unpacker_; }

    // Answers the page count; throws the EVlException family.
    int Open(const std::string& fileName);
    void Close();
    int Count() const { return count_; }

    bool KeepAll() const { return keepAll_; }
    void SetKeepAll(bool on) { keepAll_ = on; }
    // Clockwise quarter turns, 0 to 3.
    int Rotation() const { return rotation_; }
    void SetRotation(int quarterTurns) { rotation_ = quarterTurns; }

    // Page `page` (from 1), decoded and turned. Throws the EVlException family
    // for a page that cannot be decoded, std::bad_alloc for one that cannot
    // be turned.
    gfx::MonoBitmap Page(int page);
    // Drops every held page, for new decoding settings.
    void Forget() { held_.clear(); }
    int Held() const { return static_cast<int>(held_.size()); }
    // The bytes of the held pages' pictures.
    std::size_t HeldBytes() const;

private:
    const gfx::MonoBitmap& Hold(int page);

    faxdoc::VlFaxUnpacker unpacker_;
    int count_ = 0;
    bool keepAll_ = false;
    int rotation_ = 0;
    // Unturned, so a new rotation needs no decoding.
    std::map<int, gfx::MonoBitmap> held_;
};

}  // namespace vl::ui
