#include "test_settings.h"

#include "common/handler_guard.h"
#include "settings/ini_file.h"
#include "settings_rig.h"

#include <QTest>

#include <unistd.h>

using namespace rx42;
using namespace rx42::testing;

namespace {

const QByteArray bom = "\xEF\xBB\xBF";

// A null QByteArray stands for "no file".
void put_file(const QString& path, const QByteArray& contents)
{
    if (!contents.isNull())
        write_bytes(path, contents);
}

}  // namespace

void IniFileTest::read_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("default_value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("value without its surrounding blanks") << QByteArray("[s]\r\nk=  v 1 \t\r\n") << "s" << "k" << " " << "v 1";
    QTest::newRow("absent key: default without trailing blanks") << QByteArray("[s]\r\nk=1\r\n") << "s" << "x" << " 0 " << " 0";
    QTest::newRow("no file: default without trailing blanks") << QByteArray() << "s" << "k" << " d  " << " d";
    QTest::newRow("empty value is not the default") << QByteArray("[s]\r\nk=\r\n") << "s" << "k" << "d" << "";
    QTest::newRow("names compared without regard to case") << QByteArray("[CoNtRoL]\r\nSE_BUY=7\r\n") << "control" << "se_buy" << "d" << "7";
    QTest::newRow("Cyrillic names without regard to case")
        << QByteArray("[\xCD\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE8]\r\n\xCA\xEB\xFE\xF7=1\r\n")
        << QStringLiteral("настройки") << QStringLiteral("КЛЮЧ") << "d" << "1";
    QTest::newRow("blanks around names and equals sign") << QByteArray("  [ s ]  \r\n\t k  =  v\r\n") << "s" << "k" << "d" << "v";
    QTest::newRow("only the first section counts") << QByteArray("[s]\r\na=1\r\n[S]\r\nk=2\r\n") << "s" << "k" << "d" << "d";
    QTest::newRow("only the first key counts") << QByteArray("[s]\r\nk=1\r\nK=2\r\n") << "s" << "k" << "d" << "1";
    QTest::newRow("comment line is not a key") << QByteArray("[s]\r\n;k=1\r\nk=2") << "s" << "k" << "d" << "2";
    QTest::newRow("line without equals sign is not a key") << QByteArray("[s]\r\nk\r\n") << "s" << "k" << "d" << "d";
    QTest::newRow("keys before any section are not read") << QByteArray("k=1\r\n[s]\r\n") << "s" << "k" << "d" << "d";
    QTest::newRow("a [ without ] starts no section") << QByteArray("[s]\r\n[t\r\nk=1\r\n") << "s" << "k" << "d" << "1";
    QTest::newRow("text after ] is ignored") << QByteArray("[s] ; note\r\nk=1") << "s" << "k" << "d" << "1";
    QTest::newRow("key of another section") << QByteArray("[t]\r\nk=1\r\n[s]\r\nj=2") << "s" << "k" << "d" << "d";
    QTest::newRow("value keeps equals signs, semicolons, quotes") << QByteArray("[s]\r\nk=\"a=b;c\"\r\n") << "s" << "k" << "d" << "\"a=b;c\"";
    QTest::newRow("code page 1251") << QByteArray("[s]\r\nk=\xEF\xF0\xE8\r\n") << "s" << "k" << "d" << QStringLiteral("при");
    QTest::newRow("UTF-8 byte order mark") << bom + QStringLiteral("[s]\r\nk=при\r\n").toUtf8() << "s" << "k" << "d" << QStringLiteral("при");
    QTest::newRow("LF and no final line ending") << QByteArray("[s]\nk=1\nj=2") << "s" << "j" << "d" << "2";
    QTest::newRow("NUL inside a key name") << with_nul("[s]\r\nk\0x=1\r\nk=2\r\n") << "s" << "k" << "d" << "2";
}

void IniFileTest::read()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, default_value);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    put_file(path, contents);
    QCOMPARE(IniFile(path).read_string(section, key, default_value), expected);
}

void IniFileTest::write_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("creates the file") << QByteArray() << "s" << "k" << "v" << QByteArray("[s]\r\nk=v\r\n");
    QTest::newRow("replaces a value, keeping the key as spelt") << QByteArray("[S]\r\n  Key = old  \r\nx=1\r\n") << "s" << "key" << "new"
                                                                << QByteArray("[S]\r\n  Key =new\r\nx=1\r\n");
    QTest::newRow("adds a key at the end of its section") << QByteArray("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n") << "a" << "k" << "v"
                                                          << QByteArray("[a]\r\nx=1\r\nk=v\r\n\r\n[b]\r\ny=2\r\n");
    QTest::newRow("adds a section at the end, LF file") << QByteArray("[a]\nx=1\n") << "s" << "k" << "v" << QByteArray("[a]\nx=1\n[s]\nk=v\n");
    QTest::newRow("replaces on a last line without line ending") << QByteArray("[a]\nx=1") << "a" << "x" << "2" << QByteArray("[a]\nx=2");
    QTest::newRow("adds a key after a last line without line ending") << QByteArray("[a]\nx=1") << "a" << "k" << "v" << QByteArray("[a]\nx=1\nk=v\n");
    QTest::newRow("adds a section after a last line without line ending") << QByteArray("[a]\nx=1") << "s" << "k" << "v"
                                                                          << QByteArray("[a]\nx=1\n[s]\nk=v\n");
    QTest::newRow("section line alone") << QByteArray("[s]") << "s" << "k" << "v" << QByteArray("[s]\r\nk=v\r\n");
    QTest::newRow("first of duplicate sections") << QByteArray("[s]\nk=1\n[s]\nk=2\n") << "s" << "k" << "3" << QByteArray("[s]\nk=3\n[s]\nk=2\n");
    QTest::newRow("first of duplicate keys") << QByteArray("[s]\nk=1\nk=2\n") << "s" << "k" << "3" << QByteArray("[s]\nk=3\nk=2\n");
    QTest::newRow("key only in a later duplicate section") << QByteArray("[s]\na=1\n[s]\nk=2\n") << "s" << "k" << "3"
                                                           << QByteArray("[s]\na=1\nk=3\n[s]\nk=2\n");
    QTest::newRow("comments and bare lines stay") << QByteArray("[s]\n;k=1\nk\n") << "s" << "k" << "3" << QByteArray("[s]\n;k=1\nk\nk=3\n");
    QTest::newRow("lines before any section stay") << QByteArray("k=1\r\n") << "s" << "k" << "2" << QByteArray("k=1\r\n[s]\r\nk=2\r\n");
    QTest::newRow("mixed line endings: new lines take the first one") << QByteArray("[a]\r\nx=1\n\n[b]\ny=2\r\n") << "b" << "k" << "v"
                                                                      << QByteArray("[a]\r\nx=1\n\n[b]\ny=2\r\nk=v\r\n");
    QTest::newRow("names matched without regard to case") << QByteArray("[CONTROL]\r\nSE_BUY=1\r\n") << "control" << "se_buy" << "2"
                                                           << QByteArray("[CONTROL]\r\nSE_BUY=2\r\n");
    QTest::newRow("value written untrimmed") << QByteArray() << "s" << "k" << "  150 " << QByteArray("[s]\r\nk=  150 \r\n");
    QTest::newRow("names written without surrounding blanks") << QByteArray() << " s " << "\tk " << "v" << QByteArray("[s]\r\nk=v\r\n");
    QTest::newRow("code page 1251") << QByteArray("[s]\r\n") << "s" << "k" << QStringLiteral("при") << QByteArray("[s]\r\nk=\xEF\xF0\xE8\r\n");
    QTest::newRow("outside the code page") << QByteArray() << "s" << "k" << QStringLiteral("a中b") << QByteArray("[s]\r\nk=a?b\r\n");
    QTest::newRow("UTF-8 file stays UTF-8") << bom + "[s]\r\nk=1\r\n" << "s" << "k" << QStringLiteral("при")
                                            << bom + QStringLiteral("[s]\r\nk=при\r\n").toUtf8();
    QTest::newRow("byte order mark alone") << bom << "s" << "k" << "v" << bom + "[s]\r\nk=v\r\n";
    QTest::newRow("line breaks in a value become blanks") << QByteArray() << "s" << "k" << "a\r\nb\nc\r" << QByteArray("[s]\r\nk=a  b c \r\n");
}

void IniFileTest::write()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, expected);

    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    put_file(path, contents);
    IniFile(path).write_string(section, key, value);
    QCOMPARE(read_bytes(path), expected);
}

// The old file is renamed over, never rewritten in place: a second name for the old file still
// shows the old contents, and nothing else is left in the folder.
void IniFileTest::write_replaces_the_file_instead_of_rewriting_it()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    const QString old_name = dir.filePath("old.ini");
    write_bytes(path, "[s]\r\nk=1\r\n");
    QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(old_name).constData()), 0);

    IniFile(path).write_string("s", "k", "2");

    QCOMPARE(read_bytes(path), QByteArray("[s]\r\nk=2\r\n"));
    QCOMPARE(read_bytes(old_name), QByteArray("[s]\r\nk=1\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"a.ini", "old.ini"}));
}

void IniFileTest::names_that_cannot_be_written_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::newRow("empty section") << " " << "k";
    QTest::newRow("] in a section") << "s]" << "k";
    QTest::newRow("line break in a section") << "s\nt" << "k";
    QTest::newRow("empty key") << "s" << "";
    QTest::newRow("= in a key") << "s" << "a=b";
    QTest::newRow("key looking like a comment") << "s" << ";k";
    QTest::newRow("key looking like a section") << "s" << "[k]";
    QTest::newRow("line break in a key") << "s" << "k\rx";
}

void IniFileTest::names_that_cannot_be_written()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    write_bytes(path, "[s]\r\nk=1\r\n");
    try {
        IniFile(path).write_string(section, key, "v");
        QFAIL("written");
    } catch (const HandlerError& e) {
        QCOMPARE(e.text(), "Unable to write to " + path);
    }
    QCOMPARE(read_bytes(path), QByteArray("[s]\r\nk=1\r\n"));
}
