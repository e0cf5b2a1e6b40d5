#include "Class2Names.h"

#include <cstdio>

namespace vl::linesim {
namespace {

constexpr Class2Names kClass2{"2", "+FDIS", "+FDCC", "+FLID", "+FCON", "+FDCS", "+FCSI", "+FTSI", "+FPTS",
                              "+FHNG", "+FBOR", "+FK", "+FPHCTO", {"+FMFR", "+FMDL", "+FREV"}, false};
constexpr Class2Names kClass20{"2.0", "+FIS", "+FCC", "+FLI", "+FCO", "+FCS", "+FCI", "+FTI", "+FPS",
                               "+FHS", "+FBO", "+FKS", "+FCT", {"+FMI", "+FMM", "+FMR"}, true};

}  // namespace

const Class2Names& Class2Names::For(Class2Dialect dialect) {
    return dialect == Class2Dialect::Class2 ? kClass2 : kClass20;
}

std::string Class2Names::Hangup(int code) const {
    char text[16];
    if (!hexHangup) {
        std::snprintf(text, sizeof text, "%d", code);
    } else if (code >= 100) {
        std::snprintf(text, sizeof text, "A%d", code - 100);
    } else {
        std::snprintf(text, sizeof text, "%02d", code);
    }
    return std::string(hng) + ":" + text;
}

}  // namespace vl::linesim
