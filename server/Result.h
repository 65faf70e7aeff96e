#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace server {

using Row = QList<QVariant>;

// The answer to one command: the rows of its last result set (if any), the
// number of rows it changed, and for a simple single-table select the table
// the rows came from, written as the client addresses it ("RADIOLOGY..tbMammoSlip"),
// so that the client can send updates of those rows back.
struct Result {
    QStringList columns;
    QList<Row> rows;
    int rowsAffected = 0;
    QString sourceTable;

    int columnIndex(const QString& name) const {
        for (int i = 0; i < columns.size(); ++i)
            if (columns[i].compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
};

} // namespace server
