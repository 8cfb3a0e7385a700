#pragma once

#include <QString>

#include <optional>

namespace rx42 {

// The pieces of the price check that need no window: number texts as the page shows them, the
// fake band and the spread test.

// The text with every "." and "," removed, other characters kept in order; "0" when nothing is
// left. Prices and the threshold are compared as whole numbers made this way, in units of their
// last digit.
QString tomycurr(const QString& text);

// The text without blanks (spaces and control characters) at both ends.
QString trim_blanks(const QString& text);

// The order count of an answer (already trimmed): the whole number it holds, or 0 when it holds
// none (letters, empty, beyond the signed 32-bit range).
int order_count_of(const QString& trimmed_answer);

// An offer is fake when its order count lies in [lower, upper], both ends included; the band is
// empty when lower > upper.
bool in_fake_band(int count, int lower, int upper);

// sell − buy > threshold, computed wide enough that no pair of 32-bit values overflows.
bool spread_exceeds(int sell, int buy, int threshold);

}  // namespace rx42
