#pragma once

#include "server/Lexer.h"

#include <QString>

namespace server {

class Backend;

struct Translation {
    QString sql;
    // For a select of plain columns from one table: that table as the client
    // addresses it ("RADIOLOGY..tbMammoSlip"); otherwise empty.
    QString sourceTable;
};

// Translates the plain T-SQL statements the client sends into SQL that both
// backends run: A..B and A.dbo.B become A.B, a table named without database
// is found in the default database, [x] becomes a quoted name, TOP n becomes
// LIMIT n, DELETE t becomes DELETE FROM t, ISNULL becomes COALESCE, GETDATE()
// the server's local time, and the few database functions the client calls
// expand to expressions of our own. Anything else it does not know is refused
// with a server::Error; it never guesses.
class Translator {
public:
    Translator(const Backend& dialect, QString defaultDatabase);

    Translation translate(const QString& text) const;
    Translation translate(const QString& text, const QList<Token>& tokens) const;

private:
    const Backend& m_dialect;
    QString m_defaultDatabase;
};

} // namespace server
