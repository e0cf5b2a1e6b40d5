// "Sender Information": the user's name, fax number, voice number and
// company as the cover sheets show them, kept in the settings.
#pragma once

#include <QDialog>

#include "app/Settings.h"
#include "ui/CommandGuard.h"

class QLineEdit;

namespace vl::ui {

class GetSenderInfo : public QDialog {
    Q_OBJECT

public:
    static constexpr int kNameLength = 35;
    static constexpr int kNumberLength = 20;
    static constexpr int kCompanyLength = 35;

    // Shows the four values of `settings`; "&Accept" writes them to the
    // settings file and then to `settings`.
    GetSenderInfo(app::Settings& settings, QWidget* parent = nullptr);

    // Runs the window centred over `mainWindow`; true when accepted.
    static bool Edit(app::Settings& settings, QWidget* mainWindow);

private:
    QLayout* BuildFields();
    QLayout* BuildButtons();
    void AcceptClicked();

    app::Settings& settings_;
    QLineEdit* name_ = nullptr;
    QLineEdit* faxNumber_ = nullptr;
    QLineEdit* voiceNumber_ = nullptr;
    QLineEdit* company_ = nullptr;
    CommandGuard guard_{*this, nullptr};
};

}  // namespace vl::ui
