// "Text": the caption of a cover label, edited in one line.
#pragma once

#include <QDialog>

#include <optional>
#include <string>

class QLineEdit;

namespace vl::ui {

class GetLabelText : public QDialog {
    Q_OBJECT

public:
    explicit GetLabelText(const std::string& caption, QWidget* parent = nullptr);

    std::string Caption() const;

    // Runs the window centred over `mainWindow`: the new caption, or nothing
    // when cancelled.
    static std::optional<std::string> Edit(const std::string& caption, QWidget* mainWindow);

private:
    QLineEdit* text_ = nullptr;
};

}  // namespace vl::ui
