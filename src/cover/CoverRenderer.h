// Draws a cover template's objects, filled in with one fax's values, onto a
// monochrome page: the fax page the cover is sent as, or the half-size
// preview of the template.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cover/CoverValues.h"
#include "cover/RenderRecord.h"
#include "gfx/MonoBitmap.h"

namespace vl::cover {

enum class CoverSize { FaxPage, Preview };

class CoverRenderer {
public:
    // The design page is drawn this far from the left and top of either page.
    static constexpr int kPageOffset = 98;

    // The program's message loop, run after every object drawn: answers 0 or
    // a code that ends the rendering. Without it only the window system's
    // events run.
    void SetYield(std::function<int()> hook) { yield_ = std::move(hook); }

    // Makes `page` white at the size's dimensions and draws the records on it
    // in order. Answers 0 or the yield's code (the page then holds the
    // objects drawn so far).
    int Render(const std::vector<RenderRecord>& records, const CoverValues& values,
               const std::vector<std::string>& message, CoverSize size, gfx::MonoBitmap& page) const;

    // Render with the records of a render file: a missing file gives a white
    // page, a damaged one the objects before the damage.
    int RenderFile(const std::string& renderFile, const CoverValues& values, const std::vector<std::string>& message,
                   CoverSize size, gfx::MonoBitmap& page) const;

private:
    std::function<int()> yield_;
};

}  // namespace vl::cover
