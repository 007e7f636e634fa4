#pragma once
// Reading values out of an ODBC connection string ("KEY=value;KEY={value};...").

#include <QString>

// The value of `key` in `connection`: the first case-sensitive occurrence of the key, up to
// the next ";" or the end, with every "{" and "}" dropped. With includeKey the result starts
// with the key and its "=". A missing key gives an empty text.
QString ConnectionValue(const QString& connection, const QString& key, bool includeKey);
