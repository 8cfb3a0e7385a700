// The practice run as a new user starts it: the built program copied into a folder of its own with
// the example practice settings beside it as rx42.ini, started without a display and without any
// environment prepared for it, `rx42 --practice ...`. What it prints on standard output is the
// operation protocol.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

// A protocol line: the message, a blank, the stamp "hh:mm:ss YYYY.MM.DD".
const QRegularExpression kProtocolLine(QStringLiteral("^(.*) \\d\\d:\\d\\d:\\d\\d \\d{4}\\.\\d\\d\\.\\d\\d$"));
// The purchase message ends in a blank: two blanks before the stamp.
const QRegularExpression kPurchaseLine(
    QStringLiteral("^(\\d+)-(\\d+)>(\\d+),запускаем покупку!  \\d\\d:\\d\\d:\\d\\d \\d{4}\\.\\d\\d\\.\\d\\d$"));

struct Run {
    int exit_code = -1;
    QStringList lines;  // standard output
    QString errors;     // standard error
};

}  // namespace

class PracticeRunTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void buys_on_the_practice_page_and_ends_with_0();
    void narrow_spread_times_out_with_1();

private:
    Run run(const QStringList& arguments, int wait_ms);

    QTemporaryDir folder_;
    QString program_;
};

void PracticeRunTest::initTestCase()
{
    QVERIFY(folder_.isValid());
    program_ = folder_.filePath(QStringLiteral("rx42"));
    QVERIFY(QFile::copy(QStringLiteral(RX42_EXECUTABLE), program_));
    QVERIFY(QFile::copy(QStringLiteral(RX42_PRACTICE_SETTINGS), folder_.filePath(QStringLiteral("rx42.ini"))));
}

Run PracticeRunTest::run(const QStringList& arguments, int wait_ms)
{
    // Nothing this test's own environment sets for the browser reaches the program: it finds its
    // way without a display by itself.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "QTWEBENGINE_DISABLE_SANDBOX",
                             "QTWEBENGINE_CHROMIUM_FLAGS", "RX42_TEST_BROWSER"})
        environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder_.path());
    process.start(program_, arguments);
    Run result;
    if (!process.waitForStarted(30000) || !process.waitForFinished(wait_ms)) {
        process.kill();
        process.waitForFinished(10000);
        result.errors = QString::fromUtf8(process.readAllStandardError());
        return result;
    }
    result.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    result.lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    result.errors = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// The default practice page's spread widens by itself until the robot buys.
void PracticeRunTest::buys_on_the_practice_page_and_ends_with_0()
{
    const Run r = run({QStringLiteral("--practice"), QStringLiteral("--practice-timeout"), QStringLiteral("120")}, 200000);
    const QString output = r.lines.join(u'\n');
    QVERIFY2(r.exit_code == 0, qPrintable(QStringLiteral("exit %1\n%2\n%3").arg(r.exit_code).arg(output, r.errors.right(3000))));

    QStringList messages;
    for (const QString& line : r.lines) {
        const QRegularExpressionMatch m = kProtocolLine.match(line);
        QVERIFY2(m.hasMatch(), qPrintable(line));
        messages << m.captured(1);
    }
    // In this order, each the first of its kind; the purchase line is the last line.
    const QStringList starts{QStringLiteral("Загружаем сайт"), QStringLiteral("Запускаем цикл проверки цен"),
                             QStringLiteral("Фейк-контроль - "), QStringLiteral("Проверяем цены - продажа=")};
    qsizetype at = -1;
    for (const QString& start : starts) {
        const auto first = std::find_if(messages.cbegin(), messages.cend(),
                                        [&start](const QString& message) { return message.startsWith(start); });
        const qsizetype found = first == messages.cend() ? -1 : first - messages.cbegin();
        QVERIFY2(found > at, qPrintable(start + u'\n' + output));
        at = found;
    }
    QVERIFY(QRegularExpression(QStringLiteral("^Проверяем цены - продажа=\\S+ покупка=\\S+$")).match(messages.at(at)).hasMatch());
    QCOMPARE(r.lines.filter(QStringLiteral("запускаем покупку")).size(), 1);
    const QRegularExpressionMatch purchase = kPurchaseLine.match(r.lines.last());
    QVERIFY2(purchase.hasMatch(), qPrintable(r.lines.last()));
    // The purchase follows a check of the same prices, and its spread is above the threshold of
    // the settings (50,00).
    const QString check = messages.at(messages.size() - 2);
    QVERIFY2(check.startsWith(QStringLiteral("Проверяем цены - продажа=")), qPrintable(check));
    const auto digits = [](QString text) { return text.remove(QRegularExpression(QStringLiteral("[.,]"))); };
    const QRegularExpressionMatch prices =
        QRegularExpression(QStringLiteral("продажа=(\\S+) покупка=(\\S+)$")).match(check);
    QVERIFY(prices.hasMatch());
    QCOMPARE(purchase.captured(1), digits(prices.captured(1)));
    QCOMPARE(purchase.captured(2), digits(prices.captured(2)));
    QCOMPARE(purchase.captured(3), QStringLiteral("5000"));
    QVERIFY(purchase.captured(1).toLongLong() - purchase.captured(2).toLongLong() > 5000);
}

// Without a wide enough spread the run ends when its time is up.
void PracticeRunTest::narrow_spread_times_out_with_1()
{
    const QString narrow = QStringLiteral(
        "qrc:/practice/p2p.html?sell_ETH=250,900.00&buy_ETH=250,880.00&orders_sell_ETH=140&orders_buy_ETH=212");
    const Run r = run({QStringLiteral("--practice"), narrow, QStringLiteral("--practice-timeout"), QStringLiteral("15")},
                      120000);
    const QString output = r.lines.join(u'\n');
    QVERIFY2(r.exit_code == 1, qPrintable(QStringLiteral("exit %1\n%2\n%3").arg(r.exit_code).arg(output, r.errors.right(3000))));
    QVERIFY2(r.lines.filter(QStringLiteral("запускаем покупку")).isEmpty(), qPrintable(output));
    QVERIFY2(r.lines.value(0).startsWith(QStringLiteral("Загружаем сайт ")), qPrintable(output));
    QVERIFY2(r.errors.contains(QStringLiteral("no purchase within 15 s")), qPrintable(r.errors.right(3000)));
    // The checks ran (the first comes about 4 s after the start, the time leaves room for a slow
    // machine) and found the spread too narrow.
    const QStringList checks = r.lines.filter(QStringLiteral("Проверяем цены"));
    QVERIFY2(!checks.isEmpty(), qPrintable(output));
    for (const QString& check : checks)
        QVERIFY2(check.startsWith(QStringLiteral("Проверяем цены - продажа=250,900.00 покупка=250,880.00 ")), qPrintable(check));
}

QTEST_GUILESS_MAIN(PracticeRunTest)

#include "test_practice_run.moc"
