#include "test_settings.h"

#include "settings_rig.h"

#include <QTest>

using namespace rx42;
using namespace rx42::testing;

void SettingsLoadTest::settings_path_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("expected");
    QTest::newRow("extension replaced") << "/d/trader.exe" << "/d/trader.ini";
    QTest::newRow("no extension") << "/d/trader" << "/d/trader.ini";
    QTest::newRow("only the last extension") << "/d/my.app.exe" << "/d/my.app.ini";
    QTest::newRow("dot in the folder") << "/d.x/trader" << "/d.x/trader.ini";
}

void SettingsLoadTest::settings_path()
{
    QFETCH(QString, executable);
    QFETCH(QString, expected);
    QCOMPARE(settings_path_for_executable(executable), expected);
}

// Without a file every read is empty, whatever the default; a directory is no file.
void SettingsLoadTest::readstrini_without_a_file()
{
    SettingsRig rig;
    QCOMPARE(rig.settings.readstrini("protokol", "prot", "0"), QString());
    QVERIFY(QDir().mkdir(rig.path));
    QCOMPARE(rig.settings.readstrini("protokol", "prot", "0"), QString());
    QVERIFY(QDir().rmdir(rig.path));
    write_bytes(rig.path, "[control]\r\n");
    QCOMPARE(rig.settings.readstrini("protokol", "prot", "0"), QString("0"));
    QCOMPARE(rig.settings.readstrini("control", "sound", " 0"), QString(" 0"));
    QCOMPARE(rig.settings.readstrini("control", "e_porog", " "), QString());
}

void SettingsLoadTest::load_data()
{
    QTest::addColumn<QByteArray>("contents");  // null: no file
    QTest::addColumn<QStringList>("changes");  // against the window at creation

    QTest::newRow("no file") << QByteArray() << QStringList();
    QTest::newRow("empty file") << QByteArray("") << QStringList();
    QTest::newRow("se_buy below its range") << QByteArray("[control]\r\nse_buy=10\r\n") << QStringList{"se_buy=40", "Timer_buy=40"};
    QTest::newRow("leading blank") << QByteArray("[control]\r\nse_buy_eth= 2500\r\n")
                                   << QStringList{"se_buy_eth=2500", "Timer_buy_eth=2500"};
    QTest::newRow("not a number stops the loading")
        << QByteArray("[protokol]\r\nprot=1\r\n[control]\r\nse_start=100\r\nse_buy=100\r\nse_buy_eth=2500x\r\n"
                      "e_porog=5\r\nsound=1\r\ncurr_list=0|\r\nse_fake1=50\r\nse_fake2=60\r\n")
        << QStringList{"prot=1", "se_buy=100", "Timer_buy=100", "error='2500x' is not a valid integer value",
                       "ToCurrList=0"};
    QTest::newRow("values brought into range")
        << QByteArray("[control]\r\nse_start=99999999\r\nse_switcher=-5\r\nse_fake1=0\r\nse_fake2=200000\r\n")
        << QStringList{"se_start=10000000", "Timer_start=10000000", "se_switcher=50", "Timer_switcher=50",
                       "se_fake1=1", "se_fake2=100000"};
    QTest::newRow("every key")
        << QByteArray("[VelkoBrowserFrm]\r\ntop=1\r\nleft=2\r\nHeight=3\r\nWidth=4\r\n"
                      "[control]\r\nse_start=100\r\nse_switcher=200\r\nse_buy_price=300\r\nse_cell_price=400\r\n"
                      "se_buy=500\r\nse_buy_all=600\r\nse_buy_eth=700\r\nse_curr_switcher=800\r\ne_porog=  150 \r\n"
                      "sound= 1\r\ncurr_list=0|3|\r\nse_fake1=5\r\nse_fake2=6\r\n[protokol]\r\nprot=1\r\n")
        << QStringList{"top=1", "left=2", "height=3", "width=4",
                       "se_start=100", "Timer_start=100", "se_switcher=200", "Timer_switcher=200",
                       "se_buy_price=300", "Timer_buy_price=300", "se_cell_price=400", "timer_cell_price=400",
                       "se_buy=500", "Timer_buy=500", "se_buy_all=600", "Timer_click_all=600",
                       "se_buy_eth=700", "Timer_buy_eth=700", "se_curr_switcher=800", "Timer_curr_switcher=800",
                       "e_porog=150", "sound=1", "prot=1", "ticks=0,3", "LstCurr=ETH,BTC", "se_fake1=5", "se_fake2=6"};
    QTest::newRow("switches other than 1")
        << QByteArray("[protokol]\r\nprot=01\r\n[control]\r\nsound=yes\r\n") << QStringList();
    QTest::newRow("curr_list 1|4|") << QByteArray("[control]\r\ncurr_list=1|4|\r\n") << QStringList{"ticks=1,4", "LstCurr=BNB,USDT"};
    QTest::newRow("curr_list 4: no bar, nothing") << QByteArray("[control]\r\ncurr_list=4\r\n") << QStringList();
    QTest::newRow("curr_list empty") << QByteArray("[control]\r\ncurr_list=\r\n") << QStringList();
    QTest::newRow("curr_list 0||3|: stops at the empty token") << QByteArray("[control]\r\ncurr_list=0||3|\r\n")
                                                               << QStringList{"ticks=0", "LstCurr=ETH"};
    QTest::newRow("curr_list 5|: list index error") << QByteArray("[control]\r\ncurr_list=5|\r\nse_fake1=50\r\n")
                                                    << QStringList{"error=List index out of bounds (5)", "ToCurrList=0"};
    QTest::newRow("curr_list 1|x|: ticks before the error stay")
        << QByteArray("[control]\r\ncurr_list=1|x|\r\n")
        << QStringList{"ticks=1", "error='x' is not a valid integer value", "ToCurrList=0"};
    QTest::newRow("curr_list 1 |: trailing blank") << QByteArray("[control]\r\ncurr_list=1 |\r\n")
                                                   << QStringList{"error='1 ' is not a valid integer value", "ToCurrList=0"};
    QTest::newRow("geometry: Height written, height read")
        << QByteArray("[VelkoBrowserFrm]\r\ntop=10\r\nleft=20\r\nHeight=300\r\nWidth=400\r\n")
        << QStringList{"top=10", "left=20", "height=300", "width=400"};
    QTest::newRow("geometry error skips my_initial")
        << QByteArray("[VelkoBrowserFrm]\r\nleft=20\r\ntop=1x\r\nheight=5\r\n[control]\r\nse_buy=100\r\n")
        << QStringList{"left=20", "error='1x' is not a valid integer value", "prot=1", "ToCurrList=0"};
    QTest::newRow("names without regard to case") << QByteArray("[CONTROL]\r\nSe_Buy=100\r\n") << QStringList{"se_buy=100", "Timer_buy=100"};
    QTest::newRow("only the first section and key count")
        << QByteArray("[control]\r\nse_buy=100\r\nse_buy=200\r\n[control]\r\nse_buy_all=300\r\n")
        << QStringList{"se_buy=100", "Timer_buy=100"};
    QTest::newRow("Cyrillic threshold") << QByteArray("[control]\r\ne_porog=\xEF\xEE\xF0\xEE\xE3\r\n")
                                        << QStringList{QStringLiteral("e_porog=порог")};
    QTest::newRow("UTF-8 byte order mark") << QByteArray("\xEF\xBB\xBF[control]\r\nse_buy=100\r\n")
                                           << QStringList{"se_buy=100", "Timer_buy=100"};
    QTest::newRow("LF, no final line ending") << QByteArray("[control]\nse_buy=100\nse_buy_all=200")
                                              << QStringList{"se_buy=100", "Timer_buy=100", "se_buy_all=200", "Timer_click_all=200"};
}

// Loading starts from the window at creation with "Вести протокол" ticked, to show that loading
// always sets it.
void SettingsLoadTest::load()
{
    QFETCH(QByteArray, contents);
    QFETCH(QStringList, changes);

    SettingsRig rig;
    rig.ui.chbx_prot.set_checked(true);
    const auto before = rig.snapshot();
    if (!contents.isNull())
        write_bytes(rig.path, contents);

    rig.load();

    COMPARE_SNAPSHOTS(rig.snapshot(), SettingsRig::changed(before, QStringList{"prot=0", "ToCurrList=1"} + changes));
    if (!contents.isNull())
        QCOMPARE(read_bytes(rig.path), contents);
}

// Loading never unticks "сигнал" or a currency.
void SettingsLoadTest::loading_only_ticks()
{
    SettingsRig rig;
    rig.ui.chbx_sound.set_checked(true);
    rig.ui.chklst1.set_checked(0, true);
    rig.ui.chklst1.set_checked(2, true);
    write_bytes(rig.path, "[control]\r\nsound=0\r\ncurr_list=1|\r\n");

    rig.load();

    QVERIFY(rig.ui.chbx_sound.checked());
    QCOMPARE(rig.ui.LstCurr.items(), QStringList({"ETH", "BNB", "BUSD"}));
}
