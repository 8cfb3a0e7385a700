#include "preferences_frm.h"

#include "gui_common/centre_on_screen.h"
#include "main_window/main_window_ui_builders.h"

#include "main_window/spin_edit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rx42 {

namespace {

QComboBox* drop_down(QWidget* parent, const char* name, const QStringList& items)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromUtf8(name));
    box->addItems(items);
    box->setCurrentIndex(0);
    return box;
}

}  // namespace

TPreferencesFrm::TPreferencesFrm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("PreferencesFrm"));
    setWindowTitle(QStringLiteral("Preferences"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setFixedSize(428, 388);

    ProxyGrp = ui::group_box(this, "ProxyGrp", QStringLiteral(" Proxy "));
    ProxyTypeCbx = drop_down(ProxyGrp, "ProxyTypeCbx",
                             {QStringLiteral("Direct"), QStringLiteral("Autodetect"), QStringLiteral("System"),
                              QStringLiteral("Fixed servers"), QStringLiteral("PAC script")});
    ProxySchemeCb = drop_down(ProxyGrp, "ProxySchemeCb",
                              {QStringLiteral("HTTP"), QStringLiteral("SOCKS4"), QStringLiteral("SOCKS5")});
    ProxySchemeCb->setFixedWidth(70);
    ProxyServerEdt = ui::edit_box(ProxyGrp, "ProxyServerEdt");
    ProxyPortEdt = ui::edit_box(ProxyGrp, "ProxyPortEdt");
    ProxyPortEdt->setMaxLength(5);
    ProxyPortEdt->setText(QStringLiteral("80"));
    ProxyPortEdt->setFixedWidth(60);
    ProxyUsernameEdt = ui::edit_box(ProxyGrp, "ProxyUsernameEdt");
    ProxyPasswordEdt = ui::edit_box(ProxyGrp, "ProxyPasswordEdt");
    ProxyPasswordEdt->setEchoMode(QLineEdit::Password);
    ProxyPasswordEdt->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    ProxyScriptURLEdt = ui::edit_box(ProxyGrp, "ProxyScriptURLEdt");
    ProxyByPassListEdt = ui::edit_box(ProxyGrp, "ProxyByPassListEdt");
    MaxConnectionsPerProxyEdt = new SpinEdit(ProxyGrp);
    MaxConnectionsPerProxyEdt->setObjectName(QStringLiteral("MaxConnectionsPerProxyEdt"));
    MaxConnectionsPerProxyEdt->set_range(7, 99);
    MaxConnectionsPerProxyEdt->set_value(32);
    MaxConnectionsPerProxyEdt->setFixedWidth(60);

    auto* server = new QHBoxLayout;
    server->addWidget(ProxySchemeCb);
    server->addWidget(ProxyServerEdt, 1);
    auto* proxy = new QFormLayout(ProxyGrp);
    proxy->addRow(QStringLiteral("Type"), ProxyTypeCbx);
    proxy->addRow(QStringLiteral("Server"), server);
    proxy->addRow(QStringLiteral("Port"), ProxyPortEdt);
    proxy->addRow(QStringLiteral("Username"), ProxyUsernameEdt);
    proxy->addRow(QStringLiteral("Password"), ProxyPasswordEdt);
    proxy->addRow(QStringLiteral("Script URL"), ProxyScriptURLEdt);
    proxy->addRow(QStringLiteral("ByPass list"), ProxyByPassListEdt);
    proxy->addRow(QStringLiteral("Maximum connections per proxy"), MaxConnectionsPerProxyEdt);

    CustomHeaderGrp = ui::group_box(this, "CustomHeaderGrp", QStringLiteral(" Custom header "));
    HeaderNameEdt = ui::edit_box(CustomHeaderGrp, "HeaderNameEdt");
    HeaderValueEdt = ui::edit_box(CustomHeaderGrp, "HeaderValueEdt");
    auto* header = new QFormLayout(CustomHeaderGrp);
    header->addRow(QStringLiteral("Name"), HeaderNameEdt);
    header->addRow(QStringLiteral("Value"), HeaderValueEdt);

    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    for (QPushButton* button : {Button1, Button2})
        button->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProxyGrp);
    layout->addWidget(CustomHeaderGrp);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

void TPreferencesFrm::showEvent(QShowEvent* event)
{
    centre_on_screen(this);
    QDialog::showEvent(event);
}

}  // namespace rx42
