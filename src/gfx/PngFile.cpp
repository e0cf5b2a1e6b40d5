#include "gfx/PngFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>

#include "base/ErrorCodes.h"
#include "gfx/QtImages.h"

namespace vl::gfx {

int EncodePng(const MonoBitmap& bitmap, std::string& file) {
    if (bitmap.Empty()) return base::ecCantMakeBitmap;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return base::ecCantMakeBitmap;
    QImageWriter writer(&buffer, "png");
    if (!writer.write(ToQImage(bitmap))) return base::ecCantMakeBitmap;
    buffer.close();
    file.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return 0;
}

}  // namespace vl::gfx
