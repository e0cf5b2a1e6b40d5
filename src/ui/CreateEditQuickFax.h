// "Fax Cover Sheet Editor": the recipient, subject, message and importance
// flags of a cover sheet, the notes and codes kept with the fax, and the
// template and sender the cover is drawn with.
#pragma once

#include <QDialog>

#include <array>
#include <string>

#include "app/CoverEntry.h"
#include "app/Settings.h"
#include "ui/CommandGuard.h"

class QCheckBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace vl::ui {

class CreateEditQuickFax : public QDialog {
    Q_OBJECT

public:
    // `settings` holds the sender, which "&Change Sender Info" edits and
    // saves; templates are chosen from `coversFolder`.
    CreateEditQuickFax(app::Settings& settings, std::string coversFolder, QWidget* parent = nullptr);

    void SetEntry(const app::CoverEntry& entry);
    // The entries as they stand; the message one line per paragraph.
    app::CoverEntry Entry() const;

    // Runs the window centred over `mainWindow`, filled from `entry`; on
    // Save `entry` takes what the user entered and the result is true.
    static bool Edit(app::CoverEntry& entry, app::Settings& settings, const std::string& coversFolder,
                     QWidget* mainWindow);

private:
    QLayout* BuildRecipient();
    QWidget* BuildMessage();
    QWidget* BuildFlags();
    QLayout* BuildTemplate();
    QLayout* BuildButtons();
    void ShowSenderHint();
    void PhoneBookClicked();
    void SelectTemplateClicked();
    void SenderInfoClicked();
    void SaveClicked();

    app::Settings& settings_;
    std::string coversFolder_;
    std::string templateName_;
    QLineEdit* recipient_ = nullptr;
    QLineEdit* recipientFax_ = nullptr;
    QLineEdit* regarding_ = nullptr;
    QPlainTextEdit* message_ = nullptr;
    QLineEdit* notes_ = nullptr;
    QLineEdit* codes_ = nullptr;
    std::array<QCheckBox*, 5> flags_{};
    QLabel* templateLabel_ = nullptr;
    QPushButton* senderInfo_ = nullptr;
    CommandGuard guard_{*this, nullptr};
};

}  // namespace vl::ui
