#pragma once

#include <QByteArray>
#include <QString>

namespace rx42 {

// One INI file on disk, read and written one key at a time, with the behaviour of the Windows
// profile functions the settings were made for. The object only holds the path: every call reads
// the file afresh, and every write replaces it whole before returning.
//
// What is accepted:
// - Lines end with LF or CR LF (a CR before the LF belongs to the line ending); lines ending
//   differently inside one file are fine. The last line may lack its line ending.
// - Blanks are space, tab, CR, vertical tab and form feed.
// - A section line: optional blanks, "[", the name, "]"; anything after the first "]" is
//   ignored. The name is taken without its surrounding blanks. A line starting with "[" that has
//   no "]" is not a section line (and not a key line either).
// - A key line, inside a section: the key, "=", the value. Key and value are taken without their
//   surrounding blanks; the value runs to the end of the line, "=" and ";" included, and quotes
//   are kept as they are. A line whose key is empty is not a key line.
// - Every other line (blank lines, comments starting with ";", lines without "=", lines before
//   the first section) is kept as it is and never read.
// - Section and key names are compared without regard to case (Cyrillic included). When a
//   section appears more than once, only its first appearance counts, for reading and for
//   writing; the same holds for a key repeated inside that section.
// - Text is single-byte code page 1251. A file that starts with the UTF-8 byte order mark is read
//   and written as UTF-8 instead (as an editor may save it), and the mark is kept.
//
// Writing a value edits the bytes of one line (or adds lines) and leaves every other byte of the
// file as it was. Line breaks inside a written value are replaced by blanks, so that a value can
// never add lines of its own; characters outside code page 1251 are written as "?".
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return path_; }

    // The key's value without its surrounding blanks; when the file, the section or the key is
    // missing, `default_value` without its trailing blanks. A key with an empty value reads as
    // an empty text, not as the default.
    QString read_string(const QString& section, const QString& key, const QString& default_value) const;

    // Sets the key's value: replaces the value of the existing key (keeping the key's spelling),
    // or adds the key at the end of the section, or adds the section at the end of the file, or
    // creates the file. The new file is written beside the old one, flushed to disk and renamed
    // over it, so the old file stays whole when anything fails. Throws
    // HandlerError("Unable to write to <path>") when the file cannot be read or written, and for
    // a section or key name that cannot stand in an INI file (empty, or holding a line break, a
    // "]" in a section name, a "=" in a key name, a key name starting with "[" or ";").
    void write_string(const QString& section, const QString& key, const QString& value) const;

    // The file contents after setting one key, without touching the disk (what write_string
    // writes). Throws HandlerError as write_string does for names that cannot be written.
    QByteArray with_value(const QByteArray& contents, const QString& section, const QString& key,
                          const QString& value) const;

    // The value of a key in the given file contents, as read_string reads it.
    static QString value_in(const QByteArray& contents, const QString& section, const QString& key,
                            const QString& default_value);

    // Whether a name can be written as a section or key name.
    static bool writable_section_name(const QString& section);
    static bool writable_key_name(const QString& key);

private:
    QString path_;
};

// The text of the error raised when a settings write fails.
QString unable_to_write_text(const QString& path);

}  // namespace rx42
