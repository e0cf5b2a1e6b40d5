#include "ui/PreferenceControls.h"

#include <QAbstractButton>
#include <algorithm>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "app/SettingChoices.h"
#include "base/IniFile.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

void Check(QButtonGroup* group, int id)
{
    if (QAbstractButton* button = group->button(id))
        button->setChecked(true);
}

void TakeChecked(const QButtonGroup* group, int& setting, int offset = 0)
{
    if (group->checkedId() >= 0)
        setting = group->checkedId() + offset;
}

void ShowText(QLineEdit* edit, const std::string& text)
{
    edit->setText(ToQt(text));
}

std::string Text(const QLineEdit* edit)
{
    return FromQt(edit->text());
}

void ShowRate(QComboBox* list, int rate)
{
    list->setCurrentIndex(app::RateToPosition(rate));
}

int Rate(const QComboBox* list)
{
    return app::PositionToRate(list->currentIndex());
}

int WholeNumber(const QLineEdit* edit)
{
    return base::ParseProfileInteger(Text(edit)).value_or(0);
}

}  // namespace

void PreferenceControls::Show(const app::Settings& s)
{
    Check(comPort, s.ComPort);
    Check(toneOrPulse, s.ToneOrPulse);
    ShowText(resetString, s.String);
    ShowText(resetAfterString, s.AfterString);
    sm56->setChecked(s.UseMotorolaSM56Fix);

    Check(faxClass, s.FaxClass);
    ShowRate(transferRate, s.MaximumBPS);
    ShowText(modemInit, s.InitString);
    ShowText(faxNumber, s.Fax);
    ShowText(name, s.Name);
    ShowText(company, s.Company);
    ShowText(voiceNumber, s.Voice);
    useEcm->setChecked(s.ECM);
    coding->setCurrentIndex(app::CodingOrDefault(s.Coding));
    ShowText(dialPrefix, s.DialPrefix);
    ShowText(dialSuffix, s.DialSuffix);
    dialAttempts->setText(QString::number(s.DialAttempts));
    retryWait->setText(QString::number(s.RetryWait));
    blindDial->setChecked(s.BlindDial);
    ignoreBusy->setChecked(s.IgnoreBusy);
    renegotiate->setChecked(s.RenegotiateBetween);

    Check(faxClassReceive, s.FaxClassReceive);
    ShowRate(transferRateReceive, s.MaximumBPSReceive);
    ShowText(modemInitReceive, s.InitStringReceive);
    Check(answerOnRing, s.AnswerOnRing - 1);
    atStartup->setChecked(s.AtStartup);
    useEcmReceive->setChecked(s.ECMReceive);
    ShowText(waveFile, s.Wav);
    printOnReceipt->setChecked(s.PrintOnReceipt);
    // A printer no longer installed falls back to the default printer, first.
    receiptPrinter->setCurrentIndex(
        std::max(0, receiptPrinter->findText(ToQt(s.PrintOnReceiptPrinter), Qt::MatchExactly | Qt::MatchCaseSensitive)));
    disableNotification->setChecked(s.DisableReceivingFaxesNotification);
    trayIcon->setChecked(s.TrayIcon);
    notifyOnReceipt->setChecked(s.NotifyOnReceipt);
    ShowText(receiptCommand, s.ReceiptCommand);

    imposeWait->setChecked(s.ImposeWaitBeforePrinting);
    alternateHeaderFont->setChecked(s.UseAlternateHeaderFont);
    alternateNaming->setChecked(s.GlobalUseAlternateNamingRec);
    largerSendBuffer->setChecked(s.GlobalLargerSendBuffer);
    largerReceiveBuffer->setChecked(s.GlobalLargerReceiveBuffer);
}

PreferenceControls::NumberProblem PreferenceControls::CheckNumbers() const
{
    const std::pair<QLineEdit*, const char*> fields[] = {{dialAttempts, "Dial attempts"},
                                                         {retryWait, "Wait between retries"}};
    for (const auto& [field, label] : fields) {
        if (!base::ParseProfileInteger(Text(field)))
            return {field, std::string(label) + " must be a whole number; \"" + Text(field) +
                               "\" is not.\rNothing was saved."};
    }
    return {};
}

void PreferenceControls::Take(app::Settings& s) const
{
    TakeChecked(comPort, s.ComPort);
    TakeChecked(toneOrPulse, s.ToneOrPulse);
    s.String = Text(resetString);
    s.AfterString = Text(resetAfterString);
    s.UseMotorolaSM56Fix = sm56->isChecked();

    TakeChecked(faxClass, s.FaxClass);
    s.MaximumBPS = Rate(transferRate);
    s.InitString = Text(modemInit);
    s.Fax = Text(faxNumber);
    s.Name = Text(name);
    s.Company = Text(company);
    s.Voice = Text(voiceNumber);
    s.ECM = useEcm->isChecked();
    s.Coding = coding->currentIndex();
    s.DialPrefix = Text(dialPrefix);
    s.DialSuffix = Text(dialSuffix);
    s.DialAttempts = WholeNumber(dialAttempts);
    s.RetryWait = WholeNumber(retryWait);
    s.BlindDial = blindDial->isChecked();
    s.IgnoreBusy = ignoreBusy->isChecked();
    s.RenegotiateBetween = renegotiate->isChecked();

    TakeChecked(faxClassReceive, s.FaxClassReceive);
    s.MaximumBPSReceive = Rate(transferRateReceive);
    s.InitStringReceive = Text(modemInitReceive);
    TakeChecked(answerOnRing, s.AnswerOnRing, 1);
    s.AtStartup = atStartup->isChecked();
    s.ECMReceive = useEcmReceive->isChecked();
    s.Wav = Text(waveFile);
    s.PrintOnReceipt = printOnReceipt->isChecked();
    s.PrintOnReceiptPrinter = app::StoredReceiptPrinterName(FromQt(receiptPrinter->currentText()));
    s.DisableReceivingFaxesNotification = disableNotification->isChecked();
    s.TrayIcon = trayIcon->isChecked();
    s.NotifyOnReceipt = notifyOnReceipt->isChecked();
    s.ReceiptCommand = Text(receiptCommand);

    s.ImposeWaitBeforePrinting = imposeWait->isChecked();
    s.UseAlternateHeaderFont = alternateHeaderFont->isChecked();
    s.GlobalUseAlternateNamingRec = alternateNaming->isChecked();
    s.GlobalLargerSendBuffer = largerSendBuffer->isChecked();
    s.GlobalLargerReceiveBuffer = largerReceiveBuffer->isChecked();
}

}  // namespace vl::ui
