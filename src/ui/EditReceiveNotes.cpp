#include "ui/EditReceiveNotes.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/FaxListTexts.h"
#include "ui/DialogButtons.h"
#include "ui/UiText.h"

namespace vl::ui {

EditReceiveNotes::EditReceiveNotes(const std::string& from, const std::string& notes, QWidget* parent)
    : QDialog(parent)
    , notes_(new QLineEdit)
{
    setWindowTitle(ToQt(app::kReceivedNotesCaption));
    auto* fromLabel = new QLabel(ToQt(app::NotesFromLine(from)));
    fromLabel->setObjectName(QStringLiteral("from"));
    fromLabel->setTextFormat(Qt::PlainText);
    auto* notesLabel = new QLabel(QStringLiteral("&Notes"));
    notesLabel->setBuddy(notes_);
    notes_->setObjectName(QStringLiteral("notes"));
    notes_->setMaxLength(60);
    notes_->setText(ToQt(notes));
    notes_->setMinimumWidth(notes_->fontMetrics().averageCharWidth() * 50);

    auto* buttons = DialogButtons(*this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fromLabel);
    layout->addWidget(notesLabel);
    layout->addWidget(notes_);
    layout->addWidget(buttons);
}

std::string EditReceiveNotes::Notes() const { return FromQt(notes_->text()); }

bool EditReceiveNotes::Edit(const std::string& from, std::string& notes, QWidget* mainWindow)
{
    EditReceiveNotes form(from, notes, mainWindow);
    if (!ExecCentred(form, mainWindow))
        return false;
    notes = form.Notes();
    return true;
}

}  // namespace vl::ui
