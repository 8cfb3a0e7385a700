#pragma once

#include <QByteArray>
#include <QString>

namespace rx42 {

// The Windows Russian single-byte code page 1251, the program's text form for controls, the
// settings file and the protocol. Our own table, so that every platform converts alike.

// Encodes; a character outside the code page becomes "?".
QByteArray to_cp1251(const QString& text);
// Decodes; every byte has a character (0x98, unassigned, maps to U+0098 and back).
QString from_cp1251(const QByteArray& bytes);
// Passes a text once through the code page: what the single-byte form of the text reads as.
QString through_cp1251(const QString& text);

}  // namespace rx42
