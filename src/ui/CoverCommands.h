// The cover designer's editing commands that need more than one call on the
// page: the clipboard file, and the edits that ask the user first (fonts,
// texts, symbols). The page's menus and keys all come through here.
#pragma once

#include <string>
#include <vector>

#include "cover/DesignPage.h"
#include "ui/CoverDialogs.h"

namespace vl::ui {

class CoverCommands {
public:
    CoverCommands(cover::DesignPage& page, std::string clipboardFile, CoverDialogs dialogs);

    cover::DesignPage& Page() { return page_; }
    void SetDialogs(CoverDialogs dialogs) { dialogs_ = std::move(dialogs); }

    // The font placed objects get, and the page menu's font dialog starts from.
    const cover::CoverFont& DefaultFont() const { return defaultFont_; }
    void SetDefaultFont(const cover::CoverFont& font) { defaultFont_ = font; }

    // Through the clipboard file (the targets are copied first: they are
    // often the selection, which a cut changes); a file that cannot be written or read
    // throws with the system's text, for the window's guard to show.
    bool CanPaste() const;
    void Copy(std::vector<cover::GraphicControl*> targets);
    void Cut(std::vector<cover::GraphicControl*> targets);
    // Without a clipboard file there is nothing to paste.
    void Paste();

    // The page menu's "Font": the default font offered, the choice given to
    // the selected text objects.
    void SelectionFont();
    // An object's own "Font", "Text" and "Symbol Selector".
    void ObjectFont(cover::GraphicControl& text);
    void EditText(cover::GraphicControl& label);
    void ChooseSymbol(cover::GraphicControl& symbol);

private:
    cover::DesignPage& page_;
    std::string clipboardFile_;
    CoverDialogs dialogs_;
    cover::CoverFont defaultFont_;
};

}  // namespace vl::ui
