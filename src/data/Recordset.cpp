#include "src/data/Recordset.h"

#include "src/data/Connection.h"

#include <QMetaType>

namespace data {

namespace {

// A value written into the update text the way the client writes values.
QString literal(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return "NULL";
    return quoted(valueText(value));
}

QString bracketed(const QString& column) {
    return '[' + column + ']';
}

} // namespace

Recordset::Recordset(Connection* connection, server::Result result, CursorType cursor,
                     LockType lock)
    : m_connection(connection)
    , m_result(std::move(result))
    , m_cursor(cursor)
    , m_lock(lock)
    , m_open(true) {}

void Recordset::moveNext() {
    if (eof())
        throw DbError("Either BOF or EOF is True, or the current record has been deleted. "
                      "Requested operation requires a current record.",
                      {}, DbError::NoCurrentRecord);
    ++m_current;
}

int Recordset::indexOf(const QString& name) const {
    const int i = m_result.columnIndex(name);
    if (i < 0)
        throw DbError("Item cannot be found in the collection corresponding to the requested "
                      "name or ordinal: " +
                          name,
                      {}, DbError::ItemNotFound);
    return i;
}

void Recordset::requireCurrentRow() const {
    if (eof() || m_current < 0)
        throw DbError("Either BOF or EOF is True, or the current record has been deleted. "
                      "Requested operation requires a current record.",
                      {}, DbError::NoCurrentRecord);
}

Field Recordset::field(const QString& name) const {
    const int i = indexOf(name);
    requireCurrentRow();
    const auto pending = m_pending.constFind(i);
    return Field(m_result.columns[i],
                 pending != m_pending.cend() ? *pending : m_result.rows[m_current][i]);
}

Field Recordset::field(int index) const {
    if (index < 0 || index >= m_result.columns.size())
        throw DbError(QString("Item cannot be found in the collection corresponding to the "
                              "requested name or ordinal: %1")
                          .arg(index),
                      {}, DbError::ItemNotFound);
    requireCurrentRow();
    return Field(m_result.columns[index], m_result.rows[m_current][index]);
}

void Recordset::setField(const QString& name, const QVariant& value) {
    const int i = indexOf(name);
    requireCurrentRow();
    if (m_lock == adLockReadOnly || m_result.sourceTable.isEmpty())
        throw DbError("Current Recordset does not support updating. This may be a limitation "
                      "of the provider, or of the selected locktype.");
    m_pending.insert(i, value);
}

void Recordset::update() {
    if (m_pending.isEmpty())
        return;
    requireCurrentRow();
    if (!m_connection)
        throw DbError("Operation is not allowed when the object is closed.");

    QStringList assignments;
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
        assignments << bracketed(m_result.columns[it.key()]) + " = " + literal(it.value());
    QStringList conditions;
    const server::Row& row = m_result.rows[m_current];
    for (int i = 0; i < m_result.columns.size(); ++i) {
        const QString column = bracketed(m_result.columns[i]);
        conditions << (row[i].isNull() ? column + " IS NULL" : column + " = " + literal(row[i]));
    }
    const QString text = "UPDATE " + m_result.sourceTable + " SET " + assignments.join(", ") +
                         " WHERE " + conditions.join(" AND ");
    const server::Result r = m_connection->run(text);
    if (r.rowsAffected < 1)
        throw DbError("Row cannot be located for updating. Some values may have been changed "
                      "since it was last read.",
                      text, DbError::RowNotLocated);

    server::Row& updated = m_result.rows[m_current];
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
        updated[it.key()] = it.value();
    m_pending.clear();
}

void Recordset::close() {
    m_open = false;
    m_pending.clear();
    m_result = {};
}

} // namespace data
