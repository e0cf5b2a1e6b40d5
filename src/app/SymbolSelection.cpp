#include "app/SymbolSelection.h"

#include <array>

namespace vl::app {

int SymbolColumns(int points)
{
    struct Step {
        int upTo;
        int columns;
    };
    static constexpr std::array<Step, 7> kSteps = {
        {{10, 14}, {20, 10}, {30, 8}, {40, 6}, {50, 4}, {60, 3}, {72, 2}}};
    if (points < 6)
        return 1;
    for (const Step& step : kSteps) {
        if (points <= step.upTo)
            return step.columns;
    }
    return 1;
}

std::string FontButtonCaption(const std::string& name, int points, bool bold, bool italic)
{
    return name + " " + std::to_string(points) + "pt " + (bold ? "Bold " : "") + (italic ? "Italic " : "");
}

}  // namespace vl::app
