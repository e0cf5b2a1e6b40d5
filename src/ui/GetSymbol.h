// "Symbol Selector": the characters 32 to 255 of a font in a grid, to pick
// the one a cover symbol shows, and the font to show it in.
#pragma once

#include <QDialog>
#include <QFont>

#include <optional>

#include "ui/CommandGuard.h"

class QPushButton;
class QTableWidget;

namespace vl::ui {

struct SymbolChoice {
    QFont font;
    int code = 32;  // 32..255
};

class GetSymbol : public QDialog {
    Q_OBJECT

public:
    // `code` (32..255) is preselected; another value selects the first.
    GetSymbol(const QFont& font, int code, QWidget* parent = nullptr);

    SymbolChoice Choice() const;
    // Shows the characters in `font`, the grid laid out for its size.
    void SetFont(const QFont& font);

    // Runs the window centred over `mainWindow`: the font and character
    // chosen, or nothing when cancelled.
    static std::optional<SymbolChoice> Choose(const QFont& font, int code, QWidget* mainWindow);

private:
    void FontClicked();
    void Fill(int selectedCode);

    QFont font_;
    QTableWidget* grid_ = nullptr;
    QPushButton* fontButton_ = nullptr;
    CommandGuard guard_{*this, nullptr};
};

}  // namespace vl::ui
