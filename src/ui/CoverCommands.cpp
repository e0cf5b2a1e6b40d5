#include "ui/CoverCommands.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "base/Cp1252.h"
#include "base/MessageTable.h"
#include "cover/FaxCoverBaseLabel.h"

namespace vl::ui {

namespace {

void Check(int rc, const std::string& file)
{
    if (rc < 0)
        throw std::runtime_error(file + ": " + base::ErrorText(rc));
}

const cover::FaxCoverBaseLabel& AsText(const cover::GraphicControl& object)
{
    return static_cast<const cover::FaxCoverBaseLabel&>(object);
}

// The caption holds the character as UTF-8; the selector counts in
// Windows-1252 codes.
int SymbolCode(const std::string& caption)
{
    const std::optional<std::string> bytes = base::Utf8ToCp1252(caption);
    return bytes && bytes->size() == 1 ? static_cast<unsigned char>(bytes->front()) : 0;
}

}  // namespace

CoverCommands::CoverCommands(cover::DesignPage& page, std::string clipboardFile, CoverDialogs dialogs)
    : page_(page), clipboardFile_(std::move(clipboardFile)), dialogs_(std::move(dialogs))
{
}

bool CoverCommands::CanPaste() const
{
    std::error_code error;
    return std::filesystem::exists(clipboardFile_, error);
}

// Without targets the clipboard keeps what it holds.
void CoverCommands::Copy(std::vector<cover::GraphicControl*> targets)
{
    if (targets.empty())
        return;
    Check(page_.Copy(targets, clipboardFile_), clipboardFile_);
}

void CoverCommands::Cut(std::vector<cover::GraphicControl*> targets)
{
    if (targets.empty())
        return;
    Check(page_.Cut(targets, clipboardFile_), clipboardFile_);
}

void CoverCommands::Paste()
{
    if (!CanPaste())
        return;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    Check(page_.Paste(clipboardFile_, std::chrono::duration_cast<std::chrono::milliseconds>(now).count()),
          clipboardFile_);
}

void CoverCommands::SelectionFont()
{
    if (const std::optional<cover::CoverFont> font = dialogs_.font(defaultFont_, true))
        page_.SetFont(page_.Selection(), *font);
}

void CoverCommands::ObjectFont(cover::GraphicControl& text)
{
    if (const std::optional<cover::CoverFont> font = dialogs_.font(AsText(text).font, false))
        page_.SetObjectFont(&text, *font);
}

void CoverCommands::EditText(cover::GraphicControl& label)
{
    if (const std::optional<std::string> caption = dialogs_.text(AsText(label).caption))
        page_.SetCaption(&label, *caption);
}

void CoverCommands::ChooseSymbol(cover::GraphicControl& symbol)
{
    const cover::FaxCoverBaseLabel& text = AsText(symbol);
    if (const std::optional<SymbolPick> pick = dialogs_.symbol(text.font, SymbolCode(text.caption)))
        page_.SetSymbol(&symbol, pick->font, pick->code);
}

}  // namespace vl::ui
