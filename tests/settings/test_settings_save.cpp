#include "test_settings.h"

#include "settings_rig.h"

#include <QRandomGenerator>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace rx42;
using namespace rx42::testing;

namespace {

const QByteArray creation_file =
    "[VelkoBrowserFrm]\r\ntop=123\r\nleft=192\r\nHeight=804\r\nWidth=1061\r\n"
    "[control]\r\nse_start=4000\r\nse_switcher=2000\r\nse_buy_price=5467\r\nse_cell_price=5369\r\n"
    "se_buy=2000\r\nse_buy_all=2000\r\nse_buy_eth=3000\r\nse_curr_switcher=8000\r\ne_porog=\r\nsound=0\r\n"
    "curr_list=\r\nse_fake1=20\r\nse_fake2=30\r\n"
    "[protokol]\r\nprot=0\r\n";

// A disk that holds files of at most `bytes` bytes, for this process, while it lives: a write
// past the limit fails as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_handler_);
    }

private:
    rlimit old_{};
    void (*old_handler_)(int) = nullptr;
};

}  // namespace

void SettingsSaveTest::first_save_writes_every_key_in_order()
{
    SettingsRig rig;
    const auto before = rig.snapshot();

    rig.save();

    QCOMPARE(read_bytes(rig.path), creation_file);
    COMPARE_SNAPSHOTS(rig.snapshot(),
                      SettingsRig::changed(before, {"Timer_start=4000", "Timer_switcher=2000", "Timer_buy_price=5467",
                                                    "timer_cell_price=5369", "Timer_buy=2000", "Timer_click_all=2000",
                                                    "Timer_buy_eth=3000", "Timer_curr_switcher=8000", "ToCurrList=1",
                                                    QStringLiteral("messages=Записано!")}));
}

void SettingsSaveTest::save_then_load_round_trip()
{
    SettingsRig saver;
    saver.geometry.set_left(10);
    saver.geometry.set_top(20);
    saver.geometry.set_height(300);
    saver.geometry.set_width(400);
    int value = 100;
    for (PlainSpin* spin : {&saver.ui.se_start, &saver.ui.se_switcher, &saver.ui.se_buy_price, &saver.ui.se_cell_price,
                            &saver.ui.se_buy, &saver.ui.se_buy_all, &saver.ui.se_buy_eth, &saver.ui.se_curr_switcher,
                            &saver.ui.se_fake1, &saver.ui.se_fake2})
        spin->set_value(value += 100);
    saver.ui.e_porog.set_text("  150 ");
    saver.ui.chbx_sound.set_checked(true);
    saver.ui.chbx_prot.set_checked(true);
    saver.ui.chklst1.set_checked(1, true);
    saver.ui.chklst1.set_checked(4, true);
    saver.save();
    const QByteArray saved = read_bytes(saver.path);
    QVERIFY(saved.contains("\r\ne_porog=  150 \r\n"));
    QVERIFY(saved.contains("\r\nHeight=300\r\nWidth=400\r\n"));
    QVERIFY(saved.contains("\r\ncurr_list=1|4|\r\n"));

    SettingsRig loader;
    write_bytes(loader.path, saved);
    loader.load();
    COMPARE_SNAPSHOTS(loader.snapshot(), SettingsRig::changed(saver.snapshot(), {"e_porog=150", "messages="}));

    // Saving the same settings again rewrites every key where it stands.
    loader.ui.e_porog.set_text("  150 ");
    loader.save();
    QCOMPARE(read_bytes(loader.path), saved);
}

// The spin texts are written as shown; the timers take the values, unchecked, and only a timer
// whose interval changes starts counting afresh.
void SettingsSaveTest::spin_texts_are_saved_as_typed()
{
    SettingsRig rig;
    rig.timers.Timer_buy_price.enable();
    rig.timers.Timer_switcher.enable();
    rig.clock.advance(1000);
    rig.ui.se_buy_price.set_value(6000);
    rig.ui.se_switcher.set_value(1278);
    rig.ui.se_buy.type_text("5");
    rig.ui.se_buy_all.type_text("");
    rig.ui.se_start.type_text("abc");

    rig.save();

    const QByteArray saved = read_bytes(rig.path);
    QVERIFY(saved.contains("\r\nse_buy=5\r\n"));
    QVERIFY(saved.contains("\r\nse_buy_all=\r\n"));
    QVERIFY(saved.contains("\r\nse_start=abc\r\n"));
    QCOMPARE(rig.timers.Timer_buy.interval(), 5);
    QCOMPARE(rig.timers.Timer_click_all.interval(), 40);
    QCOMPARE(rig.timers.Timer_start.interval(), 50);
    QCOMPARE(rig.timers.Timer_buy_price.remaining_ms(), 6000);
    QCOMPARE(rig.timers.Timer_switcher.remaining_ms(), 278);
}

void SettingsSaveTest::failed_save_data()
{
    QTest::addColumn<bool>("folder_exists");
    QTest::newRow("folder missing") << false;
    QTest::newRow("directory in place of the file") << true;
}

void SettingsSaveTest::failed_save()
{
    QFETCH(bool, folder_exists);
    SettingsRig rig;
    const QString path = folder_exists ? rig.path : rig.dir.filePath("missing/trader.ini");
    if (folder_exists)
        QVERIFY(QDir().mkdir(path));
    rig.settings = SettingsFile(path);
    const QStringList files_before = rig.files();
    const auto before = rig.snapshot();

    rig.save();

    COMPARE_SNAPSHOTS(rig.snapshot(), SettingsRig::changed(before, {"error=Unable to write to " + path}));
    QCOMPARE(rig.files(), files_before);
    QCOMPARE(QFileInfo(path).isDir(), folder_exists);
}

// A disk that fills up during the save: the keys before the failing one are saved, the failing
// key and the ones after it keep their old values in a file that is still whole, and no
// half-written file is left beside it.
void SettingsSaveTest::write_failing_midway_keeps_the_file_whole()
{
    SettingsRig rig;
    rig.save();
    QCOMPARE(read_bytes(rig.path), creation_file);
    rig.dialogs.messages.clear();
    rig.to_curr_list_calls = 0;
    const auto before = rig.snapshot();

    rig.geometry.set_top(5);
    rig.ui.se_start.set_value(4001);
    rig.ui.se_switcher.set_value(2001);
    rig.ui.se_buy_price.type_text(QString(4000, '7'));  // too long for the disk
    rig.ui.se_buy.set_value(41);
    rig.ui.chbx_prot.set_checked(true);
    {
        FileSizeLimit limit(creation_file.size() + 1000);
        rig.save();
    }

    QByteArray expected = creation_file;
    expected.replace("top=123", "top=5").replace("se_start=4000", "se_start=4001").replace("se_switcher=2000", "se_switcher=2001");
    QCOMPARE(read_bytes(rig.path), expected);
    QCOMPARE(rig.files(), QStringList{"trader.ini"});
    COMPARE_SNAPSHOTS(rig.snapshot(),
                      SettingsRig::changed(before, {"top=5", "se_start=4001", "Timer_start=4001", "se_switcher=2001",
                                                    "Timer_switcher=2001", "se_buy_price=" + QString(4000, '7'),
                                                    "se_buy=41", "prot=1", "error=Unable to write to " + rig.path}));
}

void SettingsSaveTest::odd_files_load_and_keep_their_content_data()
{
    QTest::addColumn<QByteArray>("contents");

    QByteArray garbage(64 * 1024, Qt::Uninitialized);
    QRandomGenerator random(42);
    for (char& c : garbage)
        c = char(random.bounded(256));
    QTest::newRow("binary garbage") << garbage;
    QTest::newRow("NUL bytes") << with_nul("[other]\r\nkey\0=va\0lue\r\n\0\0\0\r\n");
    QTest::newRow("10 MB line") << "[other]\r\nlong=" + QByteArray(10 * 1024 * 1024, 'x') + "\r\nkey=1\r\n";
    QTest::newRow("no final line ending") << QByteArray("[other]\r\nkey=1");
    QTest::newRow("CRLF and LF mixed") << QByteArray("[other]\nkey=1\r\n\n; note\r\nkey2=2\n");
    QTest::newRow("UTF-8 byte order mark") << "\xEF\xBB\xBF" + QStringLiteral("[other]\r\nключ=значение\r\n").toUtf8();
    QTest::newRow("CR line endings only") << QByteArray("[other]\rkey=1\r");
    QTest::newRow("section line without ]") << QByteArray("[control\r\nse_buy=100\r\n");
    QTest::newRow("keys before any section") << QByteArray("se_buy=100\r\ne_porog=5\r\n");
}

// Files that hold none of our keys load as no settings at all and keep every byte on the next
// save, which adds our sections after them.
void SettingsSaveTest::odd_files_load_and_keep_their_content()
{
    QFETCH(QByteArray, contents);
    SettingsRig rig;
    write_bytes(rig.path, contents);
    const auto before = rig.snapshot();

    rig.load();
    COMPARE_SNAPSHOTS(rig.snapshot(), SettingsRig::changed(before, {"ToCurrList=1"}));

    rig.geometry.set_left(7);
    rig.ui.se_buy.set_value(555);
    rig.ui.e_porog.set_text("12");
    rig.ui.chklst1.set_checked(3, true);
    rig.ui.chbx_prot.set_checked(true);
    rig.save();
    QCOMPARE(rig.error, QString());

    const QByteArray saved = read_bytes(rig.path);
    QVERIFY(saved.startsWith(contents));
    const QByteArray added = saved.mid(contents.size());
    QVERIFY2(added.startsWith("[VelkoBrowserFrm]") || added.startsWith("\r\n[VelkoBrowserFrm]")
                 || added.startsWith("\n[VelkoBrowserFrm]"),
             added.left(40).constData());

    SettingsRig loader;
    write_bytes(loader.path, saved);
    loader.load();
    COMPARE_SNAPSHOTS(loader.snapshot(), SettingsRig::changed(rig.snapshot(), {"ToCurrList=1", "messages="}));
}

// Only the first section of a name and the first key of a name in it are ours: the later copies
// stay as they were, and the keys the first section lacks are added to it.
void SettingsSaveTest::duplicate_sections_and_keys_keep_their_later_copies()
{
    SettingsRig rig;
    write_bytes(rig.path, "[control]\r\nse_buy=100\r\nse_buy=200\r\n[Control]\r\nse_buy=300\r\nse_start=400\r\n");
    rig.load();
    QCOMPARE(rig.timers.Timer_buy.interval(), 100);
    QCOMPARE(rig.ui.se_start.text(), QString("4000"));

    rig.ui.se_buy.set_value(555);
    rig.save();

    QCOMPARE(read_bytes(rig.path),
             QByteArray("[control]\r\nse_buy=555\r\nse_buy=200\r\nse_start=4000\r\nse_switcher=2000\r\n"
                        "se_buy_price=5467\r\nse_cell_price=5369\r\nse_buy_all=2000\r\nse_buy_eth=3000\r\n"
                        "se_curr_switcher=8000\r\ne_porog=\r\nsound=0\r\ncurr_list=\r\nse_fake1=20\r\nse_fake2=30\r\n"
                        "[Control]\r\nse_buy=300\r\nse_start=400\r\n"
                        "[VelkoBrowserFrm]\r\ntop=123\r\nleft=192\r\nHeight=804\r\nWidth=1061\r\n"
                        "[protokol]\r\nprot=0\r\n"));
}
