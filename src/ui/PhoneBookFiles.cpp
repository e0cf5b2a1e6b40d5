// The phone book window's File menu: CSV and vCard files in and out.
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>

#include "app/PhoneBookExchange.h"
#include "app/PhoneBookList.h"
#include "ui/MessageBoxes.h"
#include "ui/PhoneBook.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

std::string NotAPhoneBookFile(const std::string& file) { return file + " is not a .csv or .vcf file"; }

const QString kFilter = QStringLiteral("Phone book files (*.csv *.vcf *.vcard);;CSV files (*.csv);;vCard files (*.vcf)");

}  // namespace

QMenuBar* PhoneBook::BuildMenu()
{
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Import..."), this, guard_.Slot([this] { ImportEntries(); }));
    file->addAction(QStringLiteral("&Export..."), this, guard_.Slot([this] { ExportEntries(); }));
    return bar;
}

QString PhoneBook::AskFile(bool forSaving)
{
    if (askFile_)
        return askFile_(forSaving);
    if (forSaving)
        return QFileDialog::getSaveFileName(this, QStringLiteral("Export Phone Book"), QStringLiteral("phonebook.csv"),
                                            kFilter);
    return QFileDialog::getOpenFileName(this, QStringLiteral("Import Phone Book"), QString(), kFilter);
}

void PhoneBook::ImportEntries()
{
    const std::string file = FromQt(AskFile(false));
    if (file.empty())
        return;
    const std::optional<app::PhoneBookFormat> format = app::PhoneBookFormatOf(file);
    if (!format) {
        ShowInformation(NotAPhoneBookFile(file), "Import", this);
        return;
    }
    app::PhoneBookExchangeReport report;
    app::ImportPhoneBook(programFolder_, file, *format, report);
    // Entries stored before a failure stay: the list shows them either way.
    Reload(CurrentRow());
    ShowInformation(app::PhoneBookExchangeMessage(report, true), "Import", this);
}

void PhoneBook::ExportEntries()
{
    const std::string file = FromQt(AskFile(true));
    if (file.empty())
        return;
    const std::optional<app::PhoneBookFormat> format = app::PhoneBookFormatOf(file);
    if (!format) {
        ShowInformation(NotAPhoneBookFile(file), "Export", this);
        return;
    }
    app::PhoneBookExchangeReport report;
    app::ExportPhoneBook(programFolder_, file, *format, report);
    ShowInformation(app::PhoneBookExchangeMessage(report, false), "Export", this);
}

}  // namespace vl::ui
