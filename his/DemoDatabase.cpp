#include "his/DemoDatabase.h"

#include "his/PasswordHasher.h"

#include "server/Backend.h"
#include "server/Migrations.h"
#include "server/demo/DemoData.h"

#include <QDir>
#include <QStandardPaths>

namespace his {

QString defaultDemoFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath("mammo/demo");
}

void prepareDemoDatabase(const QString& folder) {
    auto backend = server::Backend::open(folder, server::Backend::Mode::CreateIfMissing);
    server::migrate(*backend);
    const bool empty =
        backend->scalar("SELECT COUNT(*) FROM PATIENT_DATA.tbHospitalInfo").toInt() == 0;
    if (!empty)
        return;
    server::loadDemoData(*backend);
    setDemoPasswords(*backend);
}

const QList<DemoUser>& demoUsers() {
    // Made up for the demonstration database only; no real account has them.
    static const QList<DemoUser> users{
        {"10021", "clerk21"}, {"10022", "clerk22"}, {"10031", "super31"}, {"10041", "rad41"},
        {"10051", "tech51"},  {"10052", "tech52"},  {"10061", "bill61"},  {"10071", "super71"},
    };
    return users;
}

void setDemoPasswords(server::Backend& backend) {
    const PasswordHasher hasher;
    server::Transaction transaction(backend);
    for (const DemoUser& user : demoUsers())
        backend.exec("UPDATE PASSWORD.tbPasswordMain SET PasswordHash = :hash, "
                     "FailedAttempts = 0, LockedUntil = NULL WHERE EmployeeID = :id",
                     {{"hash", hasher.hash(user.password)}, {"id", user.employeeId}});
    transaction.commit();
}

} // namespace his
