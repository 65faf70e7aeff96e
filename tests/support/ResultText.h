#pragma once

#include "server/Result.h"
#include "src/data/Field.h"

#include <QStringList>

namespace testsupport {

// The rows of a result, each as its chosen columns' texts joined by "|"
// ("<NULL>" for a null); every column when none are chosen.
inline QStringList rowTexts(const server::Result& r, const QStringList& columns = {}) {
    QList<int> indexes;
    if (columns.isEmpty()) {
        for (int i = 0; i < r.columns.size(); ++i)
            indexes << i;
    } else {
        for (const QString& c : columns)
            indexes << r.columnIndex(c);
    }
    QStringList out;
    for (const server::Row& row : r.rows) {
        QStringList cells;
        for (int i : indexes)
            cells << (i < 0             ? QString("<NO COLUMN>")
                      : row[i].isNull() ? QString("<NULL>")
                                        : data::valueText(row[i]));
        out << cells.join('|');
    }
    return out;
}

// Cells that both read as numbers compare as numbers, so that 20 and 20.00
// (how the two backends hand back a NUMERIC) are the same.
inline bool sameRowText(const QString& a, const QString& b) {
    const QStringList x = a.split('|');
    const QStringList y = b.split('|');
    if (x.size() != y.size())
        return false;
    for (int i = 0; i < x.size(); ++i) {
        bool okX = false;
        bool okY = false;
        const double dx = x[i].toDouble(&okX);
        const double dy = y[i].toDouble(&okY);
        if (okX && okY ? dx != dy : x[i] != y[i])
            return false;
    }
    return true;
}

inline bool sameRows(QStringList actual, QStringList expected, bool ordered) {
    if (!ordered) {
        actual.sort();
        expected.sort();
    }
    if (actual.size() != expected.size())
        return false;
    for (int i = 0; i < actual.size(); ++i)
        if (!sameRowText(actual[i], expected[i]))
            return false;
    return true;
}

} // namespace testsupport
