#pragma once

#include <QString>

#include <optional>

namespace rx42 {

// Whole numbers as the program reads them from texts: optional leading blanks (spaces and
// control characters), an optional sign, then decimal digits only, within the signed 32-bit
// range. A trailing blank, a letter, a point or an empty text do not convert.
std::optional<int> parse_int(const QString& text);

// The same conversion, raising HandlerError("'<text>' is not a valid integer value") when the
// text does not convert.
int str_to_int(const QString& text);

QString not_a_valid_integer_text(const QString& text);

}  // namespace rx42
