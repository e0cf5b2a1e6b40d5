// Rendering PDF and PostScript into grey page images with the Ghostscript
// program. The program, not its library: a hostile or broken document then
// crashes or hangs only the child process, which is killed at a time limit,
// and no GPL library is linked into the tool.
#pragma once

#include <string>
#include <vector>

namespace vl::printfax {

// More pages than any fax is refused; the limit also bounds the disk the
// rendered pages take.
inline constexpr int kMaxPages = 500;
// Seconds one document may take to render.
inline constexpr int kRenderSeconds = 300;

// Renders every page of `document` into `folder` (private to this job, ends
// in "/") as 8-bit grey images at 204 dots per inch across and 196 or 98
// down. Empty when done, with the page files in order in `pages`; else why
// not: Ghostscript missing, failing on the document (damaged, or locked by a
// password), taking too long, or giving no pages or more than kMaxPages.
std::string RenderWithGhostscript(const std::string& document, const std::string& folder, bool fine,
                                  std::vector<std::string>& pages);

}  // namespace vl::printfax
