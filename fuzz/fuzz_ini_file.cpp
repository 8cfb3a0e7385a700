// Fuzz target for the INI file: any file contents, one read and one write of a key. Checks that
// - nothing crashes and every read of a key returns the same text before the write;
// - a write of a name that cannot stand in an INI file is refused and leaves the file alone;
// - otherwise the key then reads back as written (one line, without surrounding blanks, through
//   the file's code page);
// - the write changed the bytes of at most one line and kept all other bytes, the byte order mark
//   included;
// - another key reads as before;
// - writing the same value again changes nothing.

#include "common/cp1251.h"
#include "common/handler_guard.h"
#include "settings/ini_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

using namespace rx42;

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

#define CHECK(condition)                                                                             \
    do {                                                                                             \
        if (!(condition))                                                                            \
            fail(#condition);                                                                        \
    } while (false)

const QString& file_path()
{
    // In memory where possible: every write syncs the file to disk.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/rx42-fuzz-XXXXXX")
                                                                         : QDir::tempPath() + QStringLiteral("/rx42-fuzz-XXXXXX"));
    static const QString path = dir.filePath(QStringLiteral("fuzz.ini"));
    return path;
}

QByteArray read_file(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail("cannot read the file back");
    return file.readAll();
}

void write_file(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        fail("cannot write the input file");
}

bool is_blank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f';
}

QString trimmed_blanks(QString text)
{
    while (!text.isEmpty() && is_blank(text.front()))
        text.remove(0, 1);
    while (!text.isEmpty() && is_blank(text.back()))
        text.chop(1);
    return text;
}

// What a name or value reads as once written to a file with these contents.
QString as_stored(const QByteArray& contents, const QString& text)
{
    return contents.startsWith("\xEF\xBB\xBF") ? text : through_cp1251(text);
}

bool same_name(const QByteArray& contents, const QString& a, const QString& b)
{
    return trimmed_blanks(as_stored(contents, a)).compare(trimmed_blanks(as_stored(contents, b)), Qt::CaseInsensitive) == 0;
}

QString pick_name(FuzzedDataProvider& input, const char* const* names, int count)
{
    const int choice = input.ConsumeIntegralInRange<int>(0, count);
    if (choice < count)
        return QString::fromLatin1(names[choice]);
    return from_cp1251(QByteArray::fromStdString(input.ConsumeRandomLengthString(12)));
}

const char* const sections[] = {"control", "CONTROL", "VelkoBrowserFrm", "protokol", " s ", "s"};
const char* const keys[] = {"se_buy", "Se_Buy", "Height", "height", "curr_list", "k", " k\t"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString section = pick_name(input, sections, int(std::size(sections)));
    const QString key = pick_name(input, keys, int(std::size(keys)));
    const QString other_section = pick_name(input, sections, int(std::size(sections)));
    const QString other_key = pick_name(input, keys, int(std::size(keys)));
    const QString value = from_cp1251(QByteArray::fromStdString(input.ConsumeRandomLengthString(32)));
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray contents(rest.data(), qsizetype(rest.size()));

    const QString& path = file_path();
    write_file(path, contents);
    const IniFile ini(path);

    const QString other_before = ini.read_string(other_section, other_key, QStringLiteral("#"));
    CHECK(ini.read_string(other_section, other_key, QStringLiteral("#")) == other_before);
    CHECK(IniFile::value_in(contents, other_section, other_key, QStringLiteral("#")) == other_before);

    if (!IniFile::writable_section_name(section) || !IniFile::writable_key_name(key)) {
        bool refused = false;
        try {
            ini.write_string(section, key, value);
        } catch (const HandlerError&) {
            refused = true;
        }
        CHECK(refused);
        CHECK(read_file(path) == contents);
        return 0;
    }

    ini.write_string(section, key, value);
    const QByteArray written = read_file(path);

    QString expected = value;
    expected.replace(u'\r', u' ').replace(u'\n', u' ');
    CHECK(ini.read_string(section, key, QStringLiteral("#")) == trimmed_blanks(as_stored(contents, expected)));

    // The bytes that differ lie inside one line of the old file: nothing else was touched.
    const qsizetype shorter = qMin(contents.size(), written.size());
    qsizetype prefix = 0;
    while (prefix < shorter && contents[prefix] == written[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && contents[contents.size() - 1 - suffix] == written[written.size() - 1 - suffix])
        ++suffix;
    const QByteArray old_middle = contents.mid(prefix, contents.size() - prefix - suffix);
    const QByteArray new_middle = written.mid(prefix, written.size() - prefix - suffix);
    CHECK(!old_middle.contains('\n'));
    CHECK(new_middle.count('\n') <= 3);  // a line ending for the old last line, a section and a key
    CHECK(contents.startsWith("\xEF\xBB\xBF") == written.startsWith("\xEF\xBB\xBF"));

    if (!(same_name(contents, section, other_section) && same_name(contents, key, other_key)))
        CHECK(ini.read_string(other_section, other_key, QStringLiteral("#")) == other_before);

    ini.write_string(section, key, value);
    CHECK(read_file(path) == written);
    return 0;
}
