// "Save fax cover template as": the design file name and description a
// cover template is saved under, with the templates already in the covers
// folder to start from.
#pragma once

#include <QDialog>

#include <optional>
#include <string>

#include "cover/TemplateNames.h"
#include "ui/CommandGuard.h"

class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vl::ui {

class SaveTemplateAs : public QDialog {
    Q_OBJECT

public:
    // Starts with `proposal`; lists the render files of `coversFolder`.
    SaveTemplateAs(std::string coversFolder, const cover::NamedTemplate& proposal, QWidget* parent = nullptr);

    cover::NamedTemplate Chosen() const;

    // Runs the window centred over `mainWindow` for the template saved in
    // designPath (empty for a page never saved): the name and description
    // to save under, or nothing when cancelled.
    static std::optional<cover::NamedTemplate> Run(const std::string& coversFolder, const std::string& designPath,
                                                   QWidget* mainWindow);

private:
    QLayout* BuildFields(const cover::NamedTemplate& proposal);
    QListWidget* BuildFileList();
    QLabel* BuildRules();
    QLayout* BuildButtons();
    void FileChosen();
    void TextChanged();
    void OkClicked();
    void HelpClicked();

    std::string coversFolder_;
    QLineEdit* name_ = nullptr;
    QLineEdit* description_ = nullptr;
    QListWidget* files_ = nullptr;
    QPushButton* ok_ = nullptr;
    CommandGuard guard_{*this, nullptr};
};

}  // namespace vl::ui
