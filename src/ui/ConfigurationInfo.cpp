#include "ui/ConfigurationInfo.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/DialogButtons.h"
#include "ui/MessageBoxes.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

const std::string kCaption = "Configuration Information";

}  // namespace

ConfigurationInfo::ConfigurationInfo(app::ConfigurationReport report, std::string saveFolder, QWidget* parent)
    : QDialog(parent), report_(std::move(report)), saveFolder_(std::move(saveFolder))
{
    setWindowTitle(ToQt(kCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildMemo());
    layout->addLayout(BuildButtons());
    resize(720, 560);
}

QPlainTextEdit* ConfigurationInfo::BuildMemo()
{
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(QStringLiteral("report"));
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Labels are padded with blanks to line up their values.
    memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    memo->setPlainText(QString::fromStdString(report_.Text()));
    return memo;
}

QLayout* ConfigurationInfo::BuildButtons()
{
    auto* copy = NamedButton("Copy to Clipboard", "copy");
    auto* save = NamedButton("Save As...", "save");
    auto* ok = NamedButton("OK", "ok");
    ok->setDefault(true);
    connect(copy, &QPushButton::clicked, this, guard_.Slot([this] { CopyClicked(); }));
    connect(save, &QPushButton::clicked, this, guard_.Slot([this] { SaveClicked(); }));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(copy);
    row->addWidget(save);
    row->addStretch(1);
    row->addWidget(ok);
    return row;
}

void ConfigurationInfo::CopyClicked()
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(report_.Text()));
    ShowInformation("Information copied to clipboard", kCaption, this);
}

void ConfigurationInfo::SaveClicked()
{
    QFileDialog dialog(this, QStringLiteral("Save As"), QString::fromStdString(saveFolder_),
                       QStringLiteral("Text files (*.TXT *.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const std::string file = FromQt(dialog.selectedFiles().first());
    report_.SaveAs(file);
    ShowInformation("Information was saved as: " + file, kCaption, this);
}

app::ReportSources ConfigurationInfo::SourcesFor(const QWidget* window)
{
    app::ReportSources sources = app::ReportSources::ThisSystem();
    if (const QScreen* screen = window != nullptr ? window->screen() : QGuiApplication::primaryScreen())
        sources.screen = app::ScreenFacts{screen->geometry().width(), screen->geometry().height(), screen->depth(),
                                          qRound(screen->logicalDotsPerInch())};
    return sources;
}

void ConfigurationInfo::Show(QWidget* mainWindow)
{
    const app::ReportSources sources = SourcesFor(mainWindow);
    ConfigurationInfo form(app::ConfigurationReport(sources), sources.programFolder, mainWindow);
    ExecCentred(form, mainWindow);
}

}  // namespace vl::ui
