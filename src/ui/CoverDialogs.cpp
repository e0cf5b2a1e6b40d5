#include "ui/CoverDialogs.h"

#include <QFontDialog>
#include <QGroupBox>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "ui/DialogButtons.h"
#include "ui/GetLabelText.h"
#include "ui/GetSymbol.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

// Qt's dialog has no option for it: its underline and strike-out boxes sit
// in one group, which goes.
void HideEffects(QFontDialog& dialog)
{
    for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
        if (group->title().remove(QLatin1Char('&')) == QLatin1String("Effects"))
            group->hide();
    }
}

}  // namespace

QFont ToDialogFont(const cover::CoverFont& font)
{
    QFont dialogFont(ToQt(font.name));
    dialogFont.setPointSize(std::max(1, font.Points()));
    dialogFont.setBold(font.bold);
    dialogFont.setItalic(font.italic);
    dialogFont.setUnderline(font.underline);
    dialogFont.setStrikeOut(font.strikeOut);
    return dialogFont;
}

cover::CoverFont FromDialogFont(const QFont& font, const cover::CoverFont& before)
{
    cover::CoverFont picked = before;
    picked.name = FromQt(font.family());
    // A font sized in pixels reports no point size; pixels count at 96 per inch.
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    picked.SetPoints(std::max(1, static_cast<int>(std::lround(points))));
    picked.bold = font.bold();
    picked.italic = font.italic();
    picked.underline = font.underline();
    picked.strikeOut = font.strikeOut();
    return picked;
}

CoverDialogs StandardCoverDialogs(QWidget& owner)
{
    CoverDialogs dialogs;
    dialogs.font = [&owner](const cover::CoverFont& start, bool effects) -> std::optional<cover::CoverFont> {
        QFontDialog dialog(ToDialogFont(start), owner.window());
        dialog.setWindowTitle(QStringLiteral("Font"));
        dialog.setOption(QFontDialog::DontUseNativeDialog);
        if (!effects)
            HideEffects(dialog);
        if (!ExecCentred(dialog, owner.window()))
            return std::nullopt;
        return FromDialogFont(dialog.selectedFont(), start);
    };
    dialogs.text = [&owner](const std::string& caption) { return GetLabelText::Edit(caption, owner.window()); };
    dialogs.symbol = [&owner](const cover::CoverFont& font, int code) -> std::optional<SymbolPick> {
        const std::optional<SymbolChoice> choice = GetSymbol::Choose(ToDialogFont(font), code, owner.window());
        if (!choice)
            return std::nullopt;
        return SymbolPick{FromDialogFont(choice->font, font), choice->code};
    };
    return dialogs;
}

}  // namespace vl::ui
