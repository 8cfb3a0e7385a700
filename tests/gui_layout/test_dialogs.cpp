#include "test_gui_layout.h"

#include "main_window/spin_edit.h"
#include "preferences_dialog/preferences_frm.h"
#include "text_viewer/simple_text_viewer_frm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace rx42;

void DialogsTest::text_viewer_as_designed()
{
    TSimpleTextViewerFrm viewer;
    QCOMPARE(viewer.objectName(), QStringLiteral("SimpleTextViewerFrm"));
    QCOMPARE(viewer.windowTitle(), QStringLiteral("Simple text viewer"));
    QCOMPARE(viewer.minimumSize(), QSize(694, 572));
    QCOMPARE(viewer.maximumSize(), QSize(694, 572));
    QVERIFY(!(viewer.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(viewer.isHidden());

    QPlainTextEdit* memo = viewer.Memo1;
    QCOMPARE(memo->objectName(), QStringLiteral("Memo1"));
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QCOMPARE(memo->geometry(), viewer.rect());
}

void DialogsTest::preferences_defaults_and_tab_order()
{
    TPreferencesFrm prefs;
    QCOMPARE(prefs.objectName(), QStringLiteral("PreferencesFrm"));
    QCOMPARE(prefs.windowTitle(), QStringLiteral("Preferences"));
    QCOMPARE(prefs.minimumSize(), QSize(428, 388));
    QCOMPARE(prefs.maximumSize(), QSize(428, 388));
    QVERIFY(prefs.windowFlags() & Qt::WindowStaysOnTopHint);

    auto items = [](const QComboBox* box) {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list << box->itemText(i);
        return list;
    };
    QCOMPARE(items(prefs.ProxyTypeCbx), QStringList({"Direct", "Autodetect", "System", "Fixed servers", "PAC script"}));
    QCOMPARE(prefs.ProxyTypeCbx->currentIndex(), 0);
    QVERIFY(!prefs.ProxyTypeCbx->isEditable());
    QCOMPARE(items(prefs.ProxySchemeCb), QStringList({"HTTP", "SOCKS4", "SOCKS5"}));
    QCOMPARE(prefs.ProxySchemeCb->currentIndex(), 0);
    QCOMPARE(prefs.ProxyPortEdt->text(), QStringLiteral("80"));
    QCOMPARE(prefs.ProxyPortEdt->maxLength(), 5);
    QCOMPARE(prefs.ProxyPasswordEdt->echoMode(), QLineEdit::Password);
    QCOMPARE(prefs.MaxConnectionsPerProxyEdt->value(), 32);
    QCOMPARE(prefs.MaxConnectionsPerProxyEdt->minimum(), 7);
    QCOMPARE(prefs.MaxConnectionsPerProxyEdt->maximum(), 99);
    for (const QLineEdit* e : {prefs.ProxyServerEdt, prefs.ProxyUsernameEdt, prefs.ProxyPasswordEdt,
                               prefs.ProxyScriptURLEdt, prefs.ProxyByPassListEdt, prefs.HeaderNameEdt,
                               prefs.HeaderValueEdt})
        QVERIFY(e->text().isEmpty());

    const QStringList tab_order = {"ProxyTypeCbx", "ProxySchemeCb", "ProxyServerEdt", "ProxyPortEdt",
                                   "ProxyUsernameEdt", "ProxyPasswordEdt", "ProxyScriptURLEdt",
                                   "ProxyByPassListEdt", "MaxConnectionsPerProxyEdt", "HeaderNameEdt",
                                   "HeaderValueEdt", "Button1", "Button2"};
    QStringList chain;
    QWidget* w = prefs.ProxyTypeCbx;
    do {
        if (tab_order.contains(w->objectName()) && !chain.contains(w->objectName()))
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != prefs.ProxyTypeCbx);
    QCOMPARE(chain, tab_order);
}

void DialogsTest::preferences_buttons_close_with_their_result_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("Ok") << "Button1" << int(QDialog::Accepted);
    QTest::newRow("Cancel") << "Button2" << int(QDialog::Rejected);
}

void DialogsTest::preferences_buttons_close_with_their_result()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    TPreferencesFrm prefs;
    prefs.setResult(-1);
    prefs.open();
    QVERIFY(QTest::qWaitForWindowExposed(&prefs));
    QPushButton* b = button == "Button1" ? prefs.Button1 : prefs.Button2;
    QCOMPARE(b->objectName(), button);
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(prefs.isHidden());
    QCOMPARE(prefs.result(), result);
}
