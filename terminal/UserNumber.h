#pragma once
// User numbers as typed at the terminal: they are 16-bit numbers, so anything else (a number
// above 32767, a pasted text that is not a number) can never name a user.

#include <optional>
#include <QString>

// The user number in `text` (blanks around it allowed); none when it is not one.
std::optional<qint16> parseUserNumber(const QString& text);
