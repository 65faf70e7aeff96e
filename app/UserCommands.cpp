#include "app/UserCommands.h"

#include "his/DemoDatabase.h"
#include "his/PasswordHasher.h"

#include "server/Backend.h"
#include "server/Migrations.h"

#include <cstdio>
#include <optional>

namespace app {

namespace {

const char* const kHelp = R"(
User commands (passwords are stored only as Argon2id hashes)
  user add TARGET ID LAST FIRST [--middle M] [--position P] [--password P]
                           add a user; without --password the user cannot log
                           in until a password is set
  user passwd TARGET ID [--password P]
                           set a user's password (read from standard input when
                           --password is not given); also lifts a lock
  user grant TARGET ID DEPT RIGHT
  user revoke TARGET ID DEPT RIGHT
                           give or take a right of a department, e.g. right A
                           of department 27, the section's
  user unlock TARGET ID    lift the lock that five wrong passwords put on
)";

// Takes "--name VALUE" out of the words; nullopt when it is not there.
std::optional<QString> takeOption(QStringList& words, const QString& name) {
    const qsizetype at = words.indexOf(name);
    if (at < 0 || at + 1 >= words.size())
        return std::nullopt;
    const QString value = words.at(at + 1);
    words.remove(at, 2);
    return value;
}

bool userExists(server::Backend& db, const QString& id) {
    return db.scalar("SELECT COUNT(*) FROM PASSWORD.tbPasswordMain WHERE EmployeeID = :id",
                     {{"id", id}})
               .toInt() > 0;
}

QString readPassword() {
    QTextStream in(stdin);
    return in.readLine();
}

int fail(QTextStream& err, const QString& message) {
    err << "mammo-db: " << message << '\n';
    return 1;
}

int setPassword(server::Backend& db, const QString& id, const QString& password, QTextStream& out,
                QTextStream& err) {
    if (password.isEmpty())
        return fail(err, "the password is empty; no password was set.");
    const int changed =
        db.exec("UPDATE PASSWORD.tbPasswordMain SET PasswordHash = :hash, FailedAttempts = 0, "
                "LockedUntil = NULL WHERE EmployeeID = :id",
                {{"hash", his::PasswordHasher().hash(password)}, {"id", id}});
    if (changed == 0)
        return fail(err, "there is no user " + id + ".");
    out << "Password of user " << id << " set.\n";
    return 0;
}

} // namespace

int runUserCommand(const QStringList& args, const QString& target, QTextStream& out,
                   QTextStream& err) {
    QStringList words = args;
    const std::optional<QString> password = takeOption(words, "--password");
    const std::optional<QString> middle = takeOption(words, "--middle");
    const std::optional<QString> position = takeOption(words, "--position");
    const QString action = words.isEmpty() ? QString() : words.takeFirst();

    auto db = server::Backend::open(target, server::Backend::Mode::OpenExisting);
    server::migrate(*db);

    if (action == "add" && words.size() == 3) {
        const QString id = words[0].trimmed();
        if (id.isEmpty() || id.size() > 20)
            return fail(err, "a user ID has 1 to 20 characters.");
        if (userExists(*db, id))
            return fail(err, "the user " + id + " exists already.");
        db->exec("INSERT INTO PASSWORD.tbPasswordMain (EmployeeID, LastName, FirstName, "
                 "MiddleName, Position, FailedAttempts, Active) VALUES (:id, :last, :first, "
                 ":middle, :position, 0, 'Y')",
                 {{"id", id},
                  {"last", words[1].trimmed().toUpper()},
                  {"first", words[2].trimmed().toUpper()},
                  {"middle", middle ? QVariant(middle->trimmed().toUpper())
                                    : QVariant(QMetaType::fromType<QString>())},
                  {"position", position ? QVariant(position->trimmed().toUpper())
                                        : QVariant(QMetaType::fromType<QString>())}});
        out << "User " << id << " added.\n";
        return password ? setPassword(*db, id, *password, out, err) : 0;
    }
    if (action == "passwd" && words.size() == 1)
        return setPassword(*db, words[0].trimmed(), password ? *password : readPassword(), out,
                           err);
    if ((action == "grant" || action == "revoke") && words.size() == 3) {
        const QString id = words[0].trimmed();
        const QVariantMap key{
            {"id", id}, {"dept", words[1].trimmed()}, {"right", words[2].trimmed().toUpper()}};
        if (!userExists(*db, id))
            return fail(err, "there is no user " + id + ".");
        const bool held = db->scalar("SELECT COUNT(*) FROM PASSWORD.tbPasswordRights WHERE "
                                     "EmployeeID = :id AND DeptCode = :dept AND RightCode = :right",
                                     key)
                              .toInt() > 0;
        if (action == "grant" && !held)
            db->exec("INSERT INTO PASSWORD.tbPasswordRights (EmployeeID, DeptCode, RightCode) "
                     "VALUES (:id, :dept, :right)",
                     key);
        if (action == "revoke" && held)
            db->exec("DELETE FROM PASSWORD.tbPasswordRights WHERE EmployeeID = :id AND "
                     "DeptCode = :dept AND RightCode = :right",
                     key);
        out << "User " << id << (action == "grant" ? " holds" : " does not hold") << " right "
            << key["right"].toString() << " of department " << key["dept"].toString() << ".\n";
        return 0;
    }
    if (action == "unlock" && words.size() == 1) {
        const QString id = words[0].trimmed();
        if (db->exec("UPDATE PASSWORD.tbPasswordMain SET FailedAttempts = 0, LockedUntil = NULL "
                     "WHERE EmployeeID = :id",
                     {{"id", id}}) == 0)
            return fail(err, "there is no user " + id + ".");
        out << "User " << id << " unlocked.\n";
        return 0;
    }
    return fail(err, "unknown user command or wrong arguments: " + args.join(' ') +
                         " (see mammo-db --help).");
}

QString userCommandsHelp() {
    return kHelp;
}

void setDemoPasswords(server::Backend& backend) {
    his::setDemoPasswords(backend);
}

} // namespace app
