#include "src/data/Quoting.h"

namespace data {

QString DoubleQuotes(const QString& text) {
    QString doubled = text;
    doubled.replace('\'', "''");
    return doubled;
}

QString quoted(const QString& value) {
    return '\'' + DoubleQuotes(value) + '\'';
}

} // namespace data
