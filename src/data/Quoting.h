#pragma once

#include <QString>

namespace data {

// Every single quote of the text doubled, so that the text can stand between
// single quotes in a command and arrive at the server exactly as typed.
QString DoubleQuotes(const QString& text);

// The text between single quotes, ready to be placed in a command.
QString quoted(const QString& value);

} // namespace data
