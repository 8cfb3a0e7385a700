// The practice P2P page in the real browser: the robot's scripts read what the page shows and
// make the clicks the page records.

#include <memory>
#include <optional>

#include <QApplication>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "automation/page_scripts.h"

namespace ps = rx42::page_scripts;

namespace {

const QString kPageUrl = QStringLiteral("qrc:/practice/p2p.html");

class ConsolePage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    QStringList messages;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                  const QString&) override
    {
        messages << message;
    }
};

// The number made of all digits of a price text (what the robot compares, separators removed).
qint64 digits_of(const QString& price)
{
    QString digits;
    for (QChar c : price)
        if (c.isDigit())
            digits += c;
    return digits.toLongLong();
}

}  // namespace

class PracticePageTest : public QObject {
    Q_OBJECT

public:
    static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

private:
    QWebEngineProfile* profile_ = nullptr;
    ConsolePage* page_ = nullptr;
    QWebEngineView* view_ = nullptr;

    bool load(const QString& query)
    {
        QSignalSpy finished(page_, &QWebEnginePage::loadFinished);
        page_->load(QUrl(kPageUrl + query));
        return finished.wait(15000) && finished.first().first().toBool();
    }

    // Runs a script and returns the console lines it brought: those that arrive before the line
    // of a marker script sent right after it.
    QStringList console_of(const QString& script)
    {
        const QString marker = QStringLiteral("~end of answer~");
        page_->messages.clear();
        page_->runJavaScript(script);
        page_->runJavaScript(QStringLiteral("console.log('%1')").arg(marker));
        if (!QTest::qWaitFor([&] { return page_->messages.contains(marker); }, 5000))
            return {QStringLiteral("(no marker)")};
        return page_->messages.mid(0, page_->messages.indexOf(marker));
    }

    // The one console line a reading script answers with.
    QString answer(const QString& script)
    {
        const QStringList lines = console_of(script);
        return lines.size() == 1 ? lines.first() : QStringLiteral("(%1 lines)").arg(lines.size());
    }

    // Evaluates an expression through the result callback (never through the console).
    QVariant evaluate(const QString& expression)
    {
        // Shared with the callback, which may still come after a time-out.
        const auto result = std::make_shared<std::optional<QVariant>>();
        page_->runJavaScript(expression, [result](const QVariant& v) { *result = v; });
        if (!QTest::qWaitFor([&] { return result->has_value(); }, 5000))
            qWarning("no result from: %s", qPrintable(expression.left(80)));
        return result->value_or(QVariant());
    }

    // Runs click scripts one after the other, each finished before the next is sent.
    void run_all(const QStringList& scripts)
    {
        for (const QString& script : scripts)
            evaluate(script + QStringLiteral(";0"));
    }

    QStringList clicks() { return evaluate(QStringLiteral("practiceClicks()")).toStringList(); }

private slots:
    void init()
    {
        profile_ = new QWebEngineProfile();  // off the record
        page_ = new ConsolePage(profile_);
        // Shown in a view, as in the program: the timers of a hidden page run once a second.
        view_ = new QWebEngineView();
        view_->setPage(page_);
        view_->resize(1280, 800);
        view_->show();
    }

    void cleanup()
    {
        delete view_;
        view_ = nullptr;
        delete page_;
        page_ = nullptr;
        delete profile_;
        profile_ = nullptr;
    }

    void order_count_and_price_read_what_the_address_sets_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("price");

        const QString both = "?sell_ETH=9600.50&buy_ETH=9500.00&orders_sell_ETH=12&orders_buy_ETH=25";
        QTest::newRow("sell view") << both << "12" << "9600.50";
        QTest::newRow("buy view") << both + "&view=buy" << "25" << "9500.00";
        QTest::newRow("currency from the address")
            << "?currency=BTC&sell_ETH=1.00&sell_BTC=6,105,400.00&orders_sell_BTC=77" << "77"
            << "6,105,400.00";
        QTest::newRow("all-currency values, own value first")
            << "?currency=USDT&view=buy&buy=1.00&buy_USDT=95.50&orders_buy=40" << "40" << "95.50";
        QTest::newRow("spaces kept, count up to the first space")
            << "?sell_ETH=%209%20600,50%20&orders_sell_ETH=1%20045" << "1" << " 9 600,50 ";
        QTest::newRow("count that is not a number") << "?orders_sell_ETH=abc&sell_ETH=95.50"
                                                     << "abc" << "95.50";
        // console.log of an empty text reaches no one: the browser drops the line.
        QTest::newRow("empty texts: no answer") << "?orders_sell_ETH=&sell_ETH=" << "" << "";
    }

    void order_count_and_price_read_what_the_address_sets()
    {
        QFETCH(QString, query);
        QFETCH(QString, count);
        QFETCH(QString, price);
        QVERIFY(load(query));

        const auto lines = [](const QString& text) {
            return text.isEmpty() ? QStringList() : QStringList{text};
        };
        QCOMPARE(console_of(ps::order_count_script()), lines(count));
        QCOMPARE(console_of(ps::price_script()), lines(price));
    }

    // With no offer listed the reading scripts fail, and the browser reports the failure on the
    // console, where the robot would take it for the answer.
    void empty_offer_list_answers_with_the_script_error()
    {
        QVERIFY(load("?offers=0"));
        for (const QString& script : {ps::order_count_script(), ps::price_script()}) {
            const QStringList lines = console_of(script);
            QCOMPARE(lines.size(), 1);
            QVERIFY2(lines.first().startsWith("Uncaught TypeError"), qPrintable(lines.first()));
        }
    }

    void view_switch_toggles_once_per_run_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("other");
        QTest::newRow("from sell") << "sell" << "buy";
        QTest::newRow("from buy") << "buy" << "sell";
    }

    void view_switch_toggles_once_per_run()
    {
        QFETCH(QString, start);
        QFETCH(QString, other);
        QVERIFY(load("?sell_BNB=49,870.00&buy_BNB=49,610.00&orders_sell_BNB=128&orders_buy_BNB=87"
                     "&currency=BNB&view=" + start));
        const QMap<QString, QStringList> shown{{"sell", {"128", "49,870.00"}},
                                               {"buy", {"87", "49,610.00"}}};

        const QStringList views{start, other, start};
        for (int n = 0; n < views.size(); ++n) {
            if (n > 0)
                run_all({ps::view_switch_script()});
            QCOMPARE(QStringList({answer(ps::order_count_script()), answer(ps::price_script())}),
                     shown[views[n]]);
        }
        QCOMPARE(clicks(), QStringList({"view-switch:" + other, "view-switch:" + start}));
    }

    void currency_tab_selects_that_currency_only_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("recorded");
        QTest::addColumn<QString>("price");

        QTest::newRow("ETH") << "USDT" << "ETH" << QStringList{"currency:ETH"} << "1.01";
        QTest::newRow("BNB") << "ETH" << "BNB" << QStringList{"currency:BNB"} << "2.02";
        QTest::newRow("BUSD") << "ETH" << "BUSD" << QStringList{"currency:BUSD"} << "3.03";
        QTest::newRow("BTC") << "ETH" << "BTC" << QStringList{"currency:BTC"} << "4.04";
        QTest::newRow("USDT") << "BUSD" << "USDT" << QStringList{"currency:USDT"} << "5.05";
        QTest::newRow("tab already shown") << "BTC" << "BTC" << QStringList{"currency:BTC"} << "4.04";
        QTest::newRow("no such tab") << "BNB" << "RUB" << QStringList{} << "2.02";
        QTest::newRow("empty code") << "BNB" << "" << QStringList{} << "2.02";
        // Not a currency the robot offers, but it shows that each matching tab is clicked and
        // recorded, in page order.
        QTest::newRow("part of two codes") << "ETH" << "USD"
                                           << QStringList{"currency:BUSD", "currency:USDT"}
                                           << "5.05";
    }

    void currency_tab_selects_that_currency_only()
    {
        QFETCH(QString, from);
        QFETCH(QString, code);
        QFETCH(QStringList, recorded);
        QFETCH(QString, price);
        QVERIFY(load("?sell_ETH=1.01&sell_BNB=2.02&sell_BUSD=3.03&sell_BTC=4.04&sell_USDT=5.05"
                     "&currency=" + from));

        run_all({ps::currency_tab_script(code)});
        QCOMPARE(clicks(), recorded);
        QCOMPARE(answer(ps::price_script()), price);
    }

    void click_scripts_make_the_recorded_clicks_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("scripts");
        QTest::addColumn<QStringList>("recorded");
        QTest::addColumn<QString>("purchase");  // currency, view and price of the order placed

        const QString buy = ps::offer_buy_click_script();
        const QString all = ps::all_amount_click_script();
        const QString confirm = ps::confirm_purchase_click_script();
        const QString btc = "?currency=BTC&view=buy&buy_BTC=6,098,000.00";

        QTest::newRow("purchase chain") << btc << QStringList{buy, all, confirm}
                                        << QStringList{"buy-offer", "all-amount", "confirm-purchase"}
                                        << "BTC buy 6,098,000.00";
        QTest::newRow("confirm alone: form closed") << btc << QStringList{confirm}
                                                    << QStringList{"confirm-purchase"} << "";
        QTest::newRow("no offer's buy click") << btc << QStringList{all, confirm}
                                              << QStringList{"all-amount", "confirm-purchase"} << "";
        QTest::newRow("no amount") << btc << QStringList{buy, confirm}
                                   << QStringList{"buy-offer", "confirm-purchase"} << "";
        QTest::newRow("view switch closes the form")
            << btc << QStringList{buy, all, ps::view_switch_script(), confirm}
            << QStringList{"buy-offer", "all-amount", "view-switch:sell", "confirm-purchase"} << "";
        QTest::newRow("currency change closes the form")
            << btc << QStringList{buy, all, ps::currency_tab_script("ETH"), confirm}
            << QStringList{"buy-offer", "all-amount", "currency:ETH", "confirm-purchase"} << "";
        QTest::newRow("empty offer list: no offer to click")
            << "?offers=0" << QStringList{buy, all, confirm}
            << QStringList{"all-amount", "confirm-purchase"} << "";
    }

    void click_scripts_make_the_recorded_clicks()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, scripts);
        QFETCH(QStringList, recorded);
        QFETCH(QString, purchase);
        QVERIFY(load(query));

        run_all(scripts);
        QCOMPARE(clicks(), recorded);
        // The visible list holds the same entries as the accessor.
        QCOMPARE(evaluate("Array.from(document.querySelectorAll('#click-log .click-name'),"
                          " e => e.textContent)")
                     .toStringList(),
                 recorded);
        const QVariantList purchases = evaluate("practiceState().purchases").toList();
        QStringList placed;
        for (const QVariant& p : purchases) {
            const QVariantMap m = p.toMap();
            placed << m["currency"].toString() + " " + m["view"].toString() + " " +
                          m["price"].toString();
        }
        QCOMPARE(placed.join("|"), purchase);
    }

    void prices_drift_in_last_digit_steps_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<int>("drift");
        QTest::addColumn<QString>("shape");

        QTest::newRow("up") << "95.50" << 5 << R"(^\d{2,3}\.\d\d$)";
        QTest::newRow("down, spaces and comma kept") << "9 600,50" << -7 << R"(^9 \d{3},\d\d$)";
        QTest::newRow("carry into a new digit") << "99.99" << 1 << R"(^\d{3}\.\d\d$)";
        QTest::newRow("leading zero dropped") << "10.00" << -1 << R"(^[1-9]\.\d\d$)";
    }

    void prices_drift_in_last_digit_steps()
    {
        QFETCH(QString, base);
        QFETCH(int, drift);
        QFETCH(QString, shape);
        QVERIFY(load(QString("?sell_ETH=%1&buy_ETH=95.00&drift_sell=%2&drift_ms=50")
                         .arg(QString::fromLatin1(QUrl::toPercentEncoding(base)),
                              QString::number(drift))));

        QString moved;
        QVERIFY(QTest::qWaitFor(
            [&] {
                moved = answer(ps::price_script());
                return moved != base;
            },
            5000));
        QVERIFY2(QRegularExpression(shape).match(moved).hasMatch(), qPrintable(moved));
        const qint64 change = digits_of(moved) - digits_of(base);
        QVERIFY2(change % drift == 0 && change / drift > 0, qPrintable(moved));

        // The buy view has no drift of its own.
        run_all({ps::view_switch_script()});
        QCOMPARE(answer(ps::price_script()), QString("95.00"));
    }

    void console_is_quiet_unless_noise_is_asked_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("noise");  // empty: no console line at all

        QTest::newRow("plain page") << "" << "";
        QTest::newRow("drifting prices") << "?drift=3&drift_ms=20" << "";
        QTest::newRow("noise") << "?noise=40&noise_text=ws%20ping" << "ws ping";
    }

    void console_is_quiet_unless_noise_is_asked()
    {
        QFETCH(QString, query);
        QFETCH(QString, noise);
        QVERIFY(load(query));
        page_->messages.clear();

        // Every click the robot makes, then time for timers to run.
        run_all({ps::offer_buy_click_script(), ps::all_amount_click_script(),
                 ps::confirm_purchase_click_script(), ps::view_switch_script(),
                 ps::currency_tab_script("BTC")});
        QTest::qWait(600);

        if (noise.isEmpty()) {
            QCOMPARE(page_->messages, QStringList());
        } else {
            QVERIFY(page_->messages.size() >= 3);
            for (const QString& message : page_->messages)
                QCOMPARE(message, noise);
        }
    }
};

QTEST_MAIN(PracticePageTest)
#include "test_practice_page.moc"
