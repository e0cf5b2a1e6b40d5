// "Received Fax Notes": the sender of an incoming fax and its notes.
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

namespace vl::ui {

class EditReceiveNotes : public QDialog {
    Q_OBJECT

public:
    EditReceiveNotes(const std::string& from, const std::string& notes, QWidget* parent = nullptr);

    std::string Notes() const;

    // Shows the window modally, centred; on OK `notes` takes the entry and
    // the result is true.
    static bool Edit(const std::string& from, std::string& notes, QWidget* mainWindow);

private:
    QLineEdit* notes_;
};

}  // namespace vl::ui
