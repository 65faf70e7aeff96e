#include "server/SqliteBackend.h"

#include "server/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace server {

namespace {

const char* const kMainFile = "section.db";

QString newConnectionName() {
    return "mammo-sqlite-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

bool SqliteBackend::folderHoldsDatabase(const QString& folder) {
    return QFileInfo::exists(QDir(folder).filePath(kMainFile));
}

SqliteBackend::SqliteBackend(const QString& target, Mode mode)
    : Backend(target, newConnectionName()) {
    const bool inMemory = target == ":memory:";
    QDir folder(target);
    if (!inMemory) {
        if (mode == Mode::OpenExisting && !folderHoldsDatabase(target))
            throw Error("No section database was found in " + QDir::toNativeSeparators(target) +
                        ".");
        if (!folder.exists() && !QDir().mkpath(target))
            throw Error("The database folder " + QDir::toNativeSeparators(target) +
                        " could not be created.");
    }

    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", m_connectionName);
    db.setDatabaseName(inMemory ? QString(":memory:") : folder.filePath(kMainFile));
    db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=10000");
    if (!db.open())
        fail("The embedded database could not be opened", db.lastError().text(), target);

    QSqlQuery q(db);
    auto run = [&](const QString& sql) {
        if (!q.exec(sql))
            fail("The embedded database could not be prepared", q.lastError().text(), sql);
    };
    run("PRAGMA foreign_keys = ON");
    run("PRAGMA main.journal_mode = DELETE");
    run("PRAGMA main.synchronous = FULL");
    for (const QString& name : logicalDatabases()) {
        const QString file = inMemory ? QString(":memory:") : folder.filePath(name + ".db");
        if (!q.prepare("ATTACH DATABASE :file AS " + name))
            fail("The embedded database could not be prepared", q.lastError().text(), name);
        q.bindValue(":file", file);
        if (!q.exec())
            fail("The database " + name + " could not be attached", q.lastError().text(), file);
        run("PRAGMA " + name + ".journal_mode = DELETE");
        run("PRAGMA " + name + ".synchronous = FULL");
    }
}

QString SqliteBackend::nowExpression() const {
    return "datetime('now', 'localtime')";
}

bool SqliteBackend::tableExists(const QString& database, const QString& table) {
    const QVariant n = scalar(QString("SELECT count(*) FROM %1.sqlite_master WHERE type = 'table' "
                                      "AND lower(name) = lower(:name)")
                                  .arg(database),
                              {{"name", table}});
    return n.toInt() > 0;
}

QString SqliteBackend::adaptDdl(const QString& ddl) const {
    QString out = ddl;
    // SQLite names the schema on the index, not on the table it indexes.
    static const QRegularExpression index(
        R"(^\s*CREATE\s+(UNIQUE\s+)?INDEX\s+(\w+)\s+ON\s+(\w+)\.(\w+))",
        QRegularExpression::CaseInsensitiveOption);
    out.replace(index, "CREATE \\1INDEX \\3.\\2 ON \\4");
    // A foreign key target lives in the same file and is named without it.
    static const QRegularExpression reference(R"(\bREFERENCES\s+\w+\.(\w+))",
                                              QRegularExpression::CaseInsensitiveOption);
    out.replace(reference, "REFERENCES \\1");
    out.replace("{SERIAL}", "INTEGER PRIMARY KEY AUTOINCREMENT");
    return out;
}

} // namespace server
