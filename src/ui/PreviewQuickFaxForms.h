// "Select  Fax Cover Template": the templates of the covers folder, each
// shown with its preview picture and description line. The cover editor
// picks render files in it, the designer design files; the designer also
// shows it only to look at the saved templates.
#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <string_view>

#include "app/CoverTemplates.h"
#include "ui/CommandGuard.h"

class QLabel;
class QLayout;
class QListWidget;

namespace vl::ui {

struct TemplateBrowsing {
    // The files listed, in any letter case.
    std::string_view extension = app::kRenderFileExtension;
    // "Preview Fax Cover Templates": nothing to choose, so no "Ok"; "Cancel"
    // closes the window.
    bool lookOnly = false;
};

class PreviewQuickFaxForms : public QDialog {
    Q_OBJECT

public:
    // Lists the files of `folder`; `current` (matched without regard to
    // letter case) is selected, else the first.
    PreviewQuickFaxForms(std::string folder, const std::string& current, QWidget* parent = nullptr,
                         const TemplateBrowsing& browsing = {});

    // The selected template's file name; empty when none is selected.
    std::string Selected() const;

    // Runs the window centred over `mainWindow`: the chosen file name, or
    // nothing when cancelled (always, when only looking).
    static std::optional<std::string> Choose(const std::string& folder, const std::string& current,
                                             QWidget* mainWindow, const TemplateBrowsing& browsing = {});

private:
    QListWidget* BuildList(const std::string& current, std::string_view extension);
    QLayout* BuildButtons(bool lookOnly);
    void SelectionChanged();
    void OkClicked();

    std::string folder_;
    bool lookOnly_ = false;
    QListWidget* list_ = nullptr;
    QLabel* preview_ = nullptr;
    QLabel* description_ = nullptr;
    CommandGuard guard_{*this, nullptr};
};

}  // namespace vl::ui
