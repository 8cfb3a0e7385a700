#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace rx42 {

class SpinEdit;

// The connection preferences window. It has no code of its own: the main window fills the
// controls, shows it modally and reads them back when it closes with OK.
class TPreferencesFrm : public QDialog {
    Q_OBJECT
public:
    explicit TPreferencesFrm(QWidget* parent = nullptr);

    QGroupBox* ProxyGrp = nullptr;            // " Proxy "
    QComboBox* ProxyTypeCbx = nullptr;        // Direct, Autodetect, System, Fixed servers, PAC script
    QComboBox* ProxySchemeCb = nullptr;       // HTTP, SOCKS4, SOCKS5
    QLineEdit* ProxyServerEdt = nullptr;
    QLineEdit* ProxyPortEdt = nullptr;        // at most 5 characters, "80"
    QLineEdit* ProxyUsernameEdt = nullptr;
    QLineEdit* ProxyPasswordEdt = nullptr;    // shows "*" for every character
    QLineEdit* ProxyScriptURLEdt = nullptr;
    QLineEdit* ProxyByPassListEdt = nullptr;
    SpinEdit* MaxConnectionsPerProxyEdt = nullptr;  // 7 to 99, 32
    QGroupBox* CustomHeaderGrp = nullptr;     // " Custom header "
    QLineEdit* HeaderNameEdt = nullptr;
    QLineEdit* HeaderValueEdt = nullptr;
    QPushButton* Button1 = nullptr;           // "Ok": closes with the result OK
    QPushButton* Button2 = nullptr;           // "Cancel": closes with the result Cancel

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace rx42
