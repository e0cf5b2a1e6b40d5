// "Fax Information Editor": the recipient, fax number, subject, notes and
// codes of an outgoing fax, each limited to its field's width.
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

namespace vl::ui {

struct FaxEditorFields {
    std::string recipient;
    std::string phone;
    std::string subject;
    std::string notes;
    std::string codes;
};

class FaxEditor : public QDialog {
    Q_OBJECT

public:
    explicit FaxEditor(QWidget* parent = nullptr);

    // Forwarding names the sender here instead of the usual caption.
    void SetCaption(const std::string& caption);
    void SetFields(const FaxEditorFields& fields);
    FaxEditorFields Fields() const;

    // Shows the window modally, centred, filled from `fields`, with the
    // usual caption when `caption` is empty; on OK the fields take the
    // entries and the result is true.
    static bool Edit(const std::string& caption, FaxEditorFields& fields, QWidget* mainWindow);

private:
    QLineEdit* recipient_;
    QLineEdit* phone_;
    QLineEdit* subject_;
    QLineEdit* notes_;
    QLineEdit* codes_;
};

}  // namespace vl::ui
