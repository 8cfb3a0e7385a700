#include "ini_file.h"

#include "common/atomic_file.h"
#include "common/cp1251.h"
#include "common/handler_guard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace rx42 {

namespace {

const char utf8_bom[] = "\xEF\xBB\xBF";
constexpr qsizetype utf8_bom_size = 3;

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool is_blank(QChar c)
{
    return c.unicode() < 0x80 && is_blank(char(c.unicode()));
}

QString trimmed_blanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && is_blank(text.at(begin)))
        ++begin;
    while (end > begin && is_blank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString without_trailing_blanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && is_blank(text.at(end - 1)))
        --end;
    return text.left(end);
}

// The file's text form, fixed by its first bytes.
class Encoding {
public:
    explicit Encoding(const QByteArray& contents)
        : utf8_(contents.startsWith(utf8_bom))
    {
    }
    // Where the lines start: after the byte order mark, if any.
    qsizetype text_start() const { return utf8_ ? utf8_bom_size : 0; }
    QString decode(const char* bytes, qsizetype size) const
    {
        const QByteArray raw = QByteArray::fromRawData(bytes, size);
        return utf8_ ? QString::fromUtf8(raw) : from_cp1251(raw);
    }
    QByteArray encode(const QString& text) const { return utf8_ ? text.toUtf8() : to_cp1251(text); }
    // A name as it will be compared with the names in the file: what it reads as once written.
    QString as_stored(const QString& text) const
    {
        const QByteArray bytes = encode(text);
        return decode(bytes.constData(), bytes.size());
    }

private:
    bool utf8_;
};

// One line of the file: [begin, end) is its text, [end, next) its line ending (LF or CR LF,
// empty for a last line without one).
struct Line {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

class LineReader {
public:
    LineReader(const QByteArray& contents, qsizetype start)
        : data_(contents.constData()), size_(contents.size()), pos_(start)
    {
    }
    bool next(Line& line)
    {
        if (pos_ >= size_)
            return false;
        line.begin = pos_;
        const void* lf = std::memchr(data_ + pos_, '\n', size_t(size_ - pos_));
        if (lf) {
            const qsizetype at = static_cast<const char*>(lf) - data_;
            line.end = (at > pos_ && data_[at - 1] == '\r') ? at - 1 : at;
            line.next = at + 1;
        } else {
            line.end = size_;
            line.next = size_;
        }
        pos_ = line.next;
        return true;
    }

private:
    const char* data_;
    qsizetype size_;
    qsizetype pos_;
};

// The line ending new lines get: the one the file's first line ends with, CR LF for a file
// without any.
QByteArray line_ending_of(const QByteArray& contents)
{
    const qsizetype lf = contents.indexOf('\n');
    if (lf > 0 && contents.at(lf - 1) == '\r')
        return "\r\n";
    return lf >= 0 ? "\n" : "\r\n";
}

const char* find_byte(const char* data, qsizetype from, qsizetype to, char c)
{
    return from < to ? static_cast<const char*>(std::memchr(data + from, c, size_t(to - from))) : nullptr;
}

// Where a key stands, or would go, in the file.
struct Place {
    bool section_found = false;
    // Where a new key line goes: after the last non-blank line of the section.
    qsizetype insert_at = 0;
    // The line before insert_at is the file's last line and has no line ending.
    bool insert_needs_line_ending = false;
    bool key_found = false;
    // The value's bytes as they stand, blanks included: from after "=" to the end of the line.
    qsizetype value_begin = 0;
    qsizetype value_end = 0;
};

class Locator {
public:
    Locator(const QByteArray& contents, const Encoding& encoding)
        : contents_(contents), data_(contents.constData()), encoding_(encoding)
    {
    }

    Place find(const QString& section, const QString& key) const
    {
        Place place;
        bool in_section = false;
        LineReader reader(contents_, encoding_.text_start());
        Line line;
        while (reader.next(line)) {
            qsizetype p = line.begin;
            while (p < line.end && is_blank(data_[p]))
                ++p;
            if (p == line.end)
                continue;  // a blank line
            if (data_[p] == '[') {
                const char* close = find_byte(data_, p + 1, line.end, ']');
                if (close) {
                    if (in_section)
                        break;  // the section ends here; later appearances of it do not count
                    if (same_name(p + 1, close - data_, section)) {
                        in_section = true;
                        place.section_found = true;
                        mark_content(place, line);
                    }
                    continue;
                }
            }
            if (!in_section)
                continue;
            mark_content(place, line);
            if (data_[p] == ';' || data_[p] == '[')
                continue;
            const char* equals = find_byte(data_, p, line.end, '=');
            if (!equals)
                continue;
            if (same_name(p, equals - data_, key)) {
                place.key_found = true;
                place.value_begin = equals - data_ + 1;
                place.value_end = line.end;
                break;
            }
        }
        return place;
    }

    // The stored text of [begin, end) without its surrounding blanks.
    QString text(qsizetype begin, qsizetype end) const
    {
        while (begin < end && is_blank(data_[begin]))
            ++begin;
        while (end > begin && is_blank(data_[end - 1]))
            --end;
        return encoding_.decode(data_ + begin, end - begin);
    }

private:
    static void mark_content(Place& place, const Line& line)
    {
        place.insert_at = line.next;
        place.insert_needs_line_ending = line.next == line.end;
    }

    bool same_name(qsizetype begin, qsizetype end, const QString& name) const
    {
        const QString stored = text(begin, end);
        return !stored.isEmpty() && stored.compare(name, Qt::CaseInsensitive) == 0;
    }

    const QByteArray& contents_;
    const char* data_;
    const Encoding& encoding_;
};

QString single_line(QString value)
{
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

}  // namespace

QString unable_to_write_text(const QString& path)
{
    return QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path));
}

IniFile::IniFile(QString path)
    : path_(std::move(path))
{
}

bool IniFile::writable_section_name(const QString& section)
{
    const QString name = trimmed_blanks(section);
    return !name.isEmpty() && !name.contains(u'\n') && !name.contains(u'\r') && !name.contains(u']');
}

bool IniFile::writable_key_name(const QString& key)
{
    const QString name = trimmed_blanks(key);
    return !name.isEmpty() && !name.contains(u'\n') && !name.contains(u'\r') && !name.contains(u'=')
        && !name.startsWith(u'[') && !name.startsWith(u';');
}

QString IniFile::value_in(const QByteArray& contents, const QString& section, const QString& key,
                          const QString& default_value)
{
    const Encoding encoding(contents);
    const Locator locator(contents, encoding);
    const Place place = locator.find(encoding.as_stored(trimmed_blanks(section)),
                                     encoding.as_stored(trimmed_blanks(key)));
    if (!place.key_found)
        return without_trailing_blanks(default_value);
    return locator.text(place.value_begin, place.value_end);
}

QString IniFile::read_string(const QString& section, const QString& key, const QString& default_value) const
{
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return without_trailing_blanks(default_value);
    return value_in(file.readAll(), section, key, default_value);
}

QByteArray IniFile::with_value(const QByteArray& contents, const QString& section, const QString& key,
                               const QString& value) const
{
    if (!writable_section_name(section) || !writable_key_name(key))
        throw HandlerError(unable_to_write_text(path_));
    const Encoding encoding(contents);
    const QString section_name = trimmed_blanks(section);
    const QString key_name = trimmed_blanks(key);
    const Place place = Locator(contents, encoding)
                            .find(encoding.as_stored(section_name), encoding.as_stored(key_name));
    const QByteArray value_bytes = encoding.encode(single_line(value));

    QByteArray result;
    if (place.key_found) {
        // The line keeps everything up to its "=": indentation and the key's spelling.
        result.reserve(contents.size() + value_bytes.size());
        result.append(contents.constData(), place.value_begin);
        result.append(value_bytes);
        result.append(contents.constData() + place.value_end, contents.size() - place.value_end);
        return result;
    }

    const QByteArray line_ending = line_ending_of(contents);
    QByteArray key_line = encoding.encode(key_name) + '=' + value_bytes + line_ending;
    if (place.section_found) {
        if (place.insert_needs_line_ending)
            key_line.prepend(line_ending);
        result = contents;
        result.insert(place.insert_at, key_line);
        return result;
    }

    result = contents;
    if (result.size() > encoding.text_start() && !result.endsWith('\n'))
        result.append(line_ending);
    result.append('[' + encoding.encode(section_name) + ']' + line_ending);
    result.append(key_line);
    return result;
}

void IniFile::write_string(const QString& section, const QString& key, const QString& value) const
{
    QByteArray contents;
    const QFileInfo info(path_);
    if (info.exists()) {
        if (!info.isFile())
            throw HandlerError(unable_to_write_text(path_));
        QFile file(path_);
        if (!file.open(QIODevice::ReadOnly))
            throw HandlerError(unable_to_write_text(path_));
        contents = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw HandlerError(unable_to_write_text(path_));
    }
    const QByteArray updated = with_value(contents, section, key, value);

    // Whatever fails, the old file is either kept whole or replaced whole.
    if (!write_file_atomically(path_, updated))
        throw HandlerError(unable_to_write_text(path_));
}

}  // namespace rx42
