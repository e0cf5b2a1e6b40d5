// The dialogs the cover designer's menus open: a font, a label's text, a
// symbol. The designer reaches them through these functions so that tests
// can answer in their place; StandardCoverDialogs gives the real windows.
// QFont and the design file's font meet only here.
#pragma once

#include <QFont>

#include <functional>
#include <optional>
#include <string>

#include "cover/CoverFont.h"

class QWidget;

namespace vl::ui {

// The dialogs' font in points; `before` gives what a QFont does not carry
// (colour and pitch).
QFont ToDialogFont(const cover::CoverFont& font);
cover::CoverFont FromDialogFont(const QFont& font, const cover::CoverFont& before);

struct SymbolPick {
    cover::CoverFont font;
    int code = 32;  // 32..255, a Windows-1252 character
};

struct CoverDialogs {
    // The font dialog starting from `start`; without `effects` it offers no
    // underline, strike-out or colour. Nothing when cancelled.
    std::function<std::optional<cover::CoverFont>(const cover::CoverFont& start, bool effects)> font;
    // "Text": a label's caption.
    std::function<std::optional<std::string>(const std::string& caption)> text;
    // "Symbol Selector": the symbol's font and character.
    std::function<std::optional<SymbolPick>(const cover::CoverFont& font, int code)> symbol;
};

// The program's own windows, centred over `owner`'s window.
CoverDialogs StandardCoverDialogs(QWidget& owner);

}  // namespace vl::ui
