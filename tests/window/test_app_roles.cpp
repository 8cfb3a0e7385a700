// The program itself, started as a separate process from a copy in a folder of its own: its two
// roles, where its files go, and a clean end through the closing protocol.

#include "os.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class AppRolesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sub_process_role_opens_no_window_and_writes_nothing();
    void browser_process_keeps_its_files_beside_itself_and_ends_cleanly();

private:
    QTemporaryDir folder_;
    QString program_;
    QProcessEnvironment environment_;
};

void AppRolesTest::initTestCase()
{
    QVERIFY(folder_.isValid());
    program_ = folder_.filePath(QStringLiteral("bin/rx42"));
    QVERIFY(QDir().mkpath(folder_.filePath(QStringLiteral("bin"))));
    QVERIFY(QFile::copy(QStringLiteral(RX42_EXECUTABLE), program_));
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
}

void AppRolesTest::sub_process_role_opens_no_window_and_writes_nothing()
{
    QProcess process;
    process.setProcessEnvironment(environment_);
    process.setWorkingDirectory(folder_.path());
    process.start(program_, {QStringLiteral("--type=rx42-no-such-process")});
    QVERIFY(process.waitForFinished(30000));
    // The runtime ends an unknown role at once. Nothing of the browser process happened: no
    // settings file, no log, no cache.
    const QDir bin(QFileInfo(program_).absolutePath());
    QVERIFY(!bin.exists(QStringLiteral("rx42.ini")));
    QVERIFY(!bin.exists(QStringLiteral("debug.log")));
    QVERIFY(!bin.exists(QStringLiteral("cache")));
}

void AppRolesTest::browser_process_keeps_its_files_beside_itself_and_ends_cleanly()
{
    QTemporaryDir elsewhere;
    QProcess process;
    process.setProcessEnvironment(environment_);
    process.setWorkingDirectory(elsewhere.path());
    process.start(program_, {QStringLiteral("--remote-debugging-port=39223")});
    QVERIFY(process.waitForStarted());
    const QDir bin(QFileInfo(program_).absolutePath());
    // The browser runs when the runtime's sub-processes, this same program, run below it.
    QElapsedTimer clock;
    clock.start();
    while (rx42::os::child_process_count(QFileInfo(program_).canonicalFilePath()) < 2 && clock.elapsed() < 30000)
        QTest::qWait(50);
    QVERIFY(rx42::os::child_process_count(QFileInfo(program_).canonicalFilePath()) >= 2);
    QTRY_VERIFY(bin.exists(QStringLiteral("cache")));
    QVERIFY(bin.exists(QStringLiteral("debug.log")));
    QVERIFY(QDir(elsewhere.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    // The remote debugging switch on its command line was dropped.
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, 39223);
    QVERIFY(!probe.waitForConnected(1000));

    // Asked to end, it goes through the closing protocol: about 1.5 s or more, a normal end.
    QTest::qWait(500);
    clock.restart();
    ::kill(pid_t(process.processId()), SIGTERM);
    QVERIFY(process.waitForFinished(20000));
    const qint64 ended = clock.elapsed();
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QVERIFY2(ended >= 1500, qPrintable(QString::number(ended)));
    const QByteArray output = process.readAllStandardError();
    QVERIFY2(!output.contains("DevTools listening"), output.constData());
}

QTEST_MAIN(AppRolesTest)

#include "test_app_roles.moc"
