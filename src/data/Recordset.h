#pragma once

#include "server/Result.h"
#include "src/data/Field.h"

#include <QHash>

namespace data {

class Connection;

// Cursor and lock arguments of a result set. The rows are always read at
// once (client-side), so RecordCount is exact whatever is asked; the
// arguments are kept for what the caller meant.
enum CursorType { adOpenForwardOnly = 0, adOpenKeyset = 1, adOpenDynamic = 2, adOpenStatic = 3 };
enum LockType { adLockReadOnly = 1, adLockPessimistic = 2, adLockOptimistic = 3 };
enum CursorLocation { adUseServer = 2, adUseClient = 3 };

// The rows one command returned, with a current row.
class Recordset {
public:
    Recordset() = default;
    Recordset(Connection* connection, server::Result result, CursorType cursor, LockType lock);

    bool isOpen() const { return m_open; }
    bool eof() const { return !m_open || m_current >= m_result.rows.size(); }
    bool bof() const { return !m_open || m_current < 0 || m_result.rows.isEmpty(); }
    int recordCount() const { return m_open ? int(m_result.rows.size()) : 0; }
    int fieldCount() const { return int(m_result.columns.size()); }
    const QStringList& fieldNames() const { return m_result.columns; }
    int absolutePosition() const { return m_current; }

    void moveFirst() { m_current = 0; }
    void moveNext();
    void moveLast() { m_current = int(m_result.rows.size()) - 1; }
    void move(int row) { m_current = row; }

    // Field of the current row by name (case-insensitive) or by position.
    Field field(const QString& name) const;
    Field field(int index) const;
    Field operator[](const QString& name) const { return field(name); }

    // Optimistic update of the current row: the changed fields are written
    // back to the source table, matched on every column's old value.
    void setField(const QString& name, const QVariant& value);
    void update();

    void close();

    const server::Result& result() const { return m_result; }
    CursorType cursorType() const { return m_cursor; }
    LockType lockType() const { return m_lock; }

private:
    int indexOf(const QString& name) const;
    void requireCurrentRow() const;

    Connection* m_connection = nullptr;
    server::Result m_result;
    CursorType m_cursor = adOpenForwardOnly;
    LockType m_lock = adLockReadOnly;
    int m_current = 0;
    bool m_open = false;
    QHash<int, QVariant> m_pending;
};

} // namespace data
