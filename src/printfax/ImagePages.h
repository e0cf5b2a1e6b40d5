// The pages of an image file, one per image it holds (a multi-page TIFF has
// several), read with Qt's image plugins one at a time.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <string>
#include <string_view>

#include "gfx/MonoBitmap.h"
#include "printfax/InputKind.h"

namespace vl::printfax {

class ImagePages {
public:
    // `bytes` must outlive the object; `kind` is Png, Jpeg or Tiff.
    ImagePages(std::string_view bytes, InputKind kind, bool fine);

    // Empty when the image can be read, else why not.
    std::string Open();
    int Count() const { return count_; }
    // Page `index` (from 0, in order) scaled to the fax width and made black
    // and white; empty when made, else why not.
    std::string Make(int index, gfx::MonoBitmap& page);

private:
    std::string Unreadable() const;

    QByteArray data_;
    QBuffer buffer_;
    QImageReader reader_;
    InputKind kind_;
    bool fine_;
    int count_ = 0;
};

}  // namespace vl::printfax
