// "Select  Fax Cover Template": the templates of the covers folder, each
// shown with its preview picture and description line.
#pragma once

#include <QDialog>

#include <optional>
#include <string>

#include "ui/CommandGuard.h"

class QLabel;
class QLayout;
class QListWidget;

namespace vl::ui {

class PreviewQuickFaxForms : public QDialog {
    Q_OBJECT

public:
    // Lists the render files of `folder`; `current` (matched without regard
    // to letter case) is selected, else the first.
    PreviewQuickFaxForms(std::string folder, const std::string& current, QWidget* parent = nullptr);

    // The selected template's file name; empty when none is selected.
    std::string Selected() const;

    // Runs the window centred over `mainWindow`: the chosen file name, or
    // nothing when cancelled.
    static std::optional<std::string> Choose(const std::string& folder, const std::string& current,
                                             QWidget* mainWindow);

private:
    QListWidget* BuildList(const std::string& current);
    QLayout* BuildButtons();
    void SelectionChanged();
    void OkClicked();

    std::string folder_;
    QListWidget* list_ = nullptr;
    QLabel* preview_ = nullptr;
    QLabel* description_ = nullptr;
    CommandGuard guard_{*this, nullptr};
};

}  // namespace vl::ui
