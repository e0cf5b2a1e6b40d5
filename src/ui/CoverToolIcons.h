// The pictures on the designer's tool buttons, drawn rather than shipped as
// files so that they follow the tool list.
#pragma once

#include <QIcon>

#include "cover/DesignPage.h"

namespace vl::ui {

QIcon CoverToolIcon(cover::PanelState tool);

}  // namespace vl::ui
