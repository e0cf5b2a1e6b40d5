// Where an image goes on the fax line: horizontal doubling, vertical halving
// and centring, decided once per page from the image width.
#pragma once

namespace vl::faxdoc {

// The converter settings that bear on image placement.
struct FitRequest {
    int pageWidth = 1728;           // 1728 or 2048 pixels
    int leftMargin = 0;             // pixels the encoder adds on the left
    bool normalResolution = false;  // 98 lines per inch (else 196)
    bool doubleWidth = false;       // allow doubling narrow images
    bool halfHeight = false;        // allow dropping every other line
    bool centerImage = false;
};

// Image files count the margin once when deciding; bitmaps count it on both
// sides and include it in the centring.
enum class FitRule { File, Bitmap };

struct ImagePlacement {
    bool doubleWidth = false;
    bool halfHeight = false;
    int offsetBytes = 0;  // whole white bytes put before each image row
};

ImagePlacement FitImage(const FitRequest& request, int imageWidth, FitRule rule);

}  // namespace vl::faxdoc
