// The controls of the preferences wizard that edit settings, and the copy
// between them and the settings record in both directions.
#pragma once

#include <string>

#include "app/Settings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace vl::ui {

struct PreferenceControls {
    // Modem and port.
    QButtonGroup* comPort = nullptr;  // id = stored value (0 = COM1)
    QButtonGroup* toneOrPulse = nullptr;
    QLineEdit* resetString = nullptr;
    QLineEdit* resetAfterString = nullptr;
    QCheckBox* sm56 = nullptr;
    // Sending.
    QButtonGroup* faxClass = nullptr;  // id = stored value (0 = auto detect)
    QComboBox* transferRate = nullptr;
    QLineEdit* modemInit = nullptr;
    QLineEdit* faxNumber = nullptr;
    QLineEdit* name = nullptr;
    QLineEdit* company = nullptr;
    QLineEdit* voiceNumber = nullptr;
    QCheckBox* useEcm = nullptr;
    QComboBox* coding = nullptr;  // index = stored value, for both directions
    QLineEdit* dialPrefix = nullptr;
    QLineEdit* dialSuffix = nullptr;
    QLineEdit* dialAttempts = nullptr;
    QLineEdit* retryWait = nullptr;
    QCheckBox* blindDial = nullptr;
    QCheckBox* ignoreBusy = nullptr;
    QCheckBox* renegotiate = nullptr;
    // Receiving.
    QButtonGroup* faxClassReceive = nullptr;
    QComboBox* transferRateReceive = nullptr;
    QLineEdit* modemInitReceive = nullptr;
    QButtonGroup* answerOnRing = nullptr;  // id = stored value - 1
    QCheckBox* atStartup = nullptr;
    QCheckBox* useEcmReceive = nullptr;
    QLineEdit* waveFile = nullptr;
    QCheckBox* printOnReceipt = nullptr;
    QComboBox* receiptPrinter = nullptr;
    QCheckBox* disableNotification = nullptr;
    QCheckBox* trayIcon = nullptr;
    QCheckBox* notifyOnReceipt = nullptr;
    QLineEdit* receiptCommand = nullptr;
    // Advanced.
    QCheckBox* imposeWait = nullptr;
    QCheckBox* alternateHeaderFont = nullptr;
    QCheckBox* alternateNaming = nullptr;
    QCheckBox* largerSendBuffer = nullptr;
    QCheckBox* largerReceiveBuffer = nullptr;

    // Every control shows its setting; a value a control cannot show (a
    // port or ring count out of range) leaves it as it is.
    void Show(const app::Settings& settings);

    // A whole-number field whose text is not a whole number.
    struct NumberProblem {
        QLineEdit* field = nullptr;  // null when every number field is fine
        std::string message;
    };
    NumberProblem CheckNumbers() const;

    // Every setting the controls edit takes the control's value; a radio
    // group with nothing selected keeps the setting. The number fields must
    // have passed CheckNumbers.
    void Take(app::Settings& settings) const;
};

}  // namespace vl::ui
