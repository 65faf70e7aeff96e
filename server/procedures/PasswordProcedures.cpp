#include "server/Backend.h"
#include "server/ProcedureRegistry.h"

#include <QDateTime>

// The procedures behind the hospital system's shared components: log-in and
// the user log, the code look-ups and the admission look-ups.

namespace server {

namespace {

// Five wrong passwords in a row lock an account for fifteen minutes.
constexpr int kFailuresBeforeLock = 5;
constexpr int kLockMinutes = 15;

QDateTime storedTime(const QVariant& value) {
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    return QDateTime::fromString(value.toString().left(19), "yyyy-MM-dd hh:mm:ss");
}

QDateTime argumentTime(ProcedureContext& ctx, const Arguments& args, int i) {
    const QDateTime when = QDateTime::fromString(args.trimmed(i), "yyyy-MM-dd hh:mm:ss");
    if (!when.isValid())
        ctx.raise("The time '" + args.trimmed(i) + "' is not written yyyy-MM-dd hh:mm:ss.");
    return when;
}

QVariant nullText() {
    return QVariant(QMetaType::fromType<QString>());
}

void writeLog(ProcedureContext& ctx, const QString& employee, const QString& activity,
              const QString& remarks, const QVariant& workstation) {
    ctx.exec("INSERT INTO BUILD_FILE.tbUserLog (LogDate, EmployeeID, Activity, Remarks, "
             "Workstation) VALUES (:when, :employee, :activity, :remarks, :workstation)",
             {{"when", ctx.now()},
              {"employee", employee.left(20)},
              {"activity", activity.left(50)},
              {"remarks", remarks.left(255)},
              {"workstation", workstation}});
}

Result lockState(ProcedureContext& ctx, const QString& employee) {
    return ctx.query("SELECT FailedAttempts, LockedUntil FROM PASSWORD.tbPasswordMain "
                     "WHERE EmployeeID = :id",
                     {{"id", employee}});
}

// What the log-in needs of one user; no row for an unknown id.
Result spPassword_LogInUser(ProcedureContext& ctx, const Arguments& args) {
    return ctx.query("SELECT EmployeeID, LastName, FirstName, MiddleName, Position, "
                     "PasswordHash, FailedAttempts, LockedUntil, Active "
                     "FROM PASSWORD.tbPasswordMain WHERE EmployeeID = :id",
                     {{"id", args.trimmed(0)}});
}

// A refused log-in: user id as typed, reason, the log-in's time, workstation.
// Only a wrong password counts towards the lock; a lock that has run out
// starts the count again. Answers the user's count and lock (no row for an
// unknown id).
Result spPassword_LogInRefused(ProcedureContext& ctx, const Arguments& args) {
    const QString employee = args.trimmed(0);
    const QString reason = args.trimmed(1);
    const QDateTime when = argumentTime(ctx, args, 2);
    QString remarks = reason;
    const Result before = lockState(ctx, employee);
    if (reason == "WRONG PASSWORD" && !before.rows.isEmpty()) {
        const QDateTime lockedUntil = storedTime(before.rows[0][1]);
        const bool lockRunning = lockedUntil.isValid() && lockedUntil > when;
        if (!lockRunning) {
            const int attempts = lockedUntil.isValid() ? 1 : before.rows[0][0].toInt() + 1;
            const bool lock = attempts >= kFailuresBeforeLock;
            const QDateTime until = when.addSecs(kLockMinutes * 60);
            ctx.exec("UPDATE PASSWORD.tbPasswordMain SET FailedAttempts = :attempts, "
                     "LockedUntil = :until WHERE EmployeeID = :id",
                     {{"attempts", attempts},
                      {"until", lock ? QVariant(Backend::timestampText(until)) : nullText()},
                      {"id", employee}});
            remarks += QString(" %1 OF %2").arg(attempts).arg(kFailuresBeforeLock);
            if (lock)
                remarks += "; LOCKED UNTIL " + Backend::timestampText(until);
        }
    }
    writeLog(ctx, employee, "LOG IN REFUSED", remarks, args.value(3));
    return lockState(ctx, employee);
}

// A log-in that passed: user id, the password's new hash when it was made
// again with today's cost ("" otherwise), workstation.
Result spPassword_LogInAccepted(ProcedureContext& ctx, const Arguments& args) {
    const QString employee = args.trimmed(0);
    const QString newHash = args.trimmed(1);
    ctx.exec("UPDATE PASSWORD.tbPasswordMain SET FailedAttempts = 0, LockedUntil = NULL "
             "WHERE EmployeeID = :id",
             {{"id", employee}});
    if (!newHash.isEmpty())
        ctx.exec("UPDATE PASSWORD.tbPasswordMain SET PasswordHash = :hash WHERE EmployeeID = :id",
                 {{"hash", newHash}, {"id", employee}});
    writeLog(ctx, employee, "LOG IN", newHash.isEmpty() ? QString() : "PASSWORD REHASHED",
             args.value(2));
    return {};
}

// A user's action the windows log: user, activity, remarks.
Result spBuild_LogUserUpdate(ProcedureContext& ctx, const Arguments& args) {
    writeLog(ctx, args.trimmed(0), args.trimmed(1), args.text(2), nullText());
    return {};
}

// The typed text as the start of a LIKE pattern, its wildcards taken literally.
QString likePrefix(const QString& text) {
    QString escaped = text.toUpper();
    escaped.replace('\\', "\\\\").replace('%', "\\%").replace('_', "\\_");
    return escaped + '%';
}

struct CodeKind {
    QString columns; // the record's columns, the code as ResultCode
    QString table;
    QString code;
    QString nameMatch; // the search by name, over :name (prefix) and :within (anywhere)
    QString order;
    bool bySection;
};

const CodeKind& codeKind(ProcedureContext& ctx, const QString& kind) {
    static const CodeKind address{"ZipCode AS ResultCode, Town, Province",
                                  "BUILD_FILE.tbCoAddress",
                                  "ZipCode",
                                  "UPPER(Town) LIKE :name ESCAPE '\\' OR UPPER(Province) LIKE "
                                  ":name ESCAPE '\\'",
                                  "Town, Province",
                                  false};
    static const CodeKind doctor{"DoctorID AS ResultCode, LastName, FirstName, MiddleName, "
                                 "Specialty",
                                 "BUILD_FILE.tbCoDoctor",
                                 "DoctorID",
                                 "UPPER(LastName) LIKE :name ESCAPE '\\'",
                                 "LastName, FirstName, MiddleName",
                                 false};
    static const CodeKind item{"OtherRevenueID AS ResultCode, OtherRevenue, RateA, RateB, RateC, "
                               "RateD, RateE, RateF, RateG",
                               "BUILD_FILE.tbCoOtherRevenue",
                               "OtherRevenueID",
                               "UPPER(OtherRevenue) LIKE :within ESCAPE '\\'",
                               "OtherRevenue",
                               true};
    if (kind == "0")
        return address;
    if (kind == "1")
        return doctor;
    if (kind == "21")
        return item;
    ctx.raise("The search kind '" + kind + "' is not known; it is 0, 1 or 21.");
}

// One record by its exact code: kind (0 address, 1 doctor, 21 item), code,
// section of the items.
Result spBuild_CodeLookup(ProcedureContext& ctx, const Arguments& args) {
    const CodeKind& kind = codeKind(ctx, args.trimmed(0));
    QString sql =
        "SELECT " + kind.columns + " FROM " + kind.table + " WHERE " + kind.code + " = :code";
    QVariantMap params{{"code", args.trimmed(1)}};
    if (kind.bySection) {
        sql += " AND RevenueID = :section";
        params.insert("section", args.trimmed(2));
    }
    return ctx.query(sql, params);
}

// The records whose code begins with the text or whose name matches it (a
// person's or town's name from its start, an item's name anywhere).
Result spBuild_CodeSearch(ProcedureContext& ctx, const Arguments& args) {
    const CodeKind& kind = codeKind(ctx, args.trimmed(0));
    const QString text = args.trimmed(1);
    QString sql = "SELECT " + kind.columns + " FROM " + kind.table + " WHERE (UPPER(" + kind.code +
                  ") LIKE :name ESCAPE '\\' OR " + kind.nameMatch + ")";
    if (kind.bySection)
        sql += " AND RevenueID = :section";
    sql += " ORDER BY " + kind.order;
    QVariantMap params{{"name", likePrefix(text)}};
    if (kind.nameMatch.contains(":within"))
        params.insert("within", '%' + likePrefix(text));
    if (kind.bySection)
        params.insert("section", args.trimmed(2));
    return ctx.query(sql, params);
}

const char* const kAdmissionColumns =
    "SELECT p.IDNum AS Idnumber, p.HospNum AS HospitalNumber, p.AdmissionDate, "
    "p.DischargeDate, p.BillingDate, p.RoomID, r.RoomClassID, p.AccountNum, p.Company, "
    "p.AttendingDr1, d.LastName AS DoctorLastName, d.FirstName AS DoctorFirstName, "
    "d.MiddleName AS DoctorMiddleName, m.LastName, m.FirstName, m.MiddleName, m.Sex, "
    "p.Age AS AdmissionAge, m.Age, m.BirthDate, m.CivilStatus, m.HouseStreet, m.Barangay, "
    "a.Town, a.Province "
    "FROM PATIENT_DATA.tbPatient p "
    "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = p.HospNum "
    "LEFT JOIN BUILD_FILE.tbcoroom r ON r.RoomID = p.RoomID "
    "LEFT JOIN BUILD_FILE.tbCoDoctor d ON d.DoctorID = p.AttendingDr1 "
    "LEFT JOIN BUILD_FILE.tbCoAddress a ON a.ZipCode = m.ZipCode ";

// One admission by its number, admitted or not.
Result spMaster_FindAdmission(ProcedureContext& ctx, const Arguments& args) {
    return ctx.query(QString(kAdmissionColumns) + "WHERE p.IDNum = :id", {{"id", args.trimmed(0)}});
}

// The current admissions (not discharged) whose last name, and first name
// when one is given, begin with the texts.
Result spMaster_SearchAdmissions(ProcedureContext& ctx, const Arguments& args) {
    return ctx.query(
        QString(kAdmissionColumns) +
            "WHERE p.DischargeDate IS NULL AND UPPER(m.LastName) LIKE :last "
            "ESCAPE '\\' AND UPPER(COALESCE(m.FirstName, '')) LIKE :first "
            "ESCAPE '\\' ORDER BY m.LastName, m.FirstName, m.MiddleName, "
            "p.AdmissionDate DESC",
        {{"last", likePrefix(args.trimmed(0))}, {"first", likePrefix(args.trimmed(1))}});
}

// One patient of the master file with the town of the address.
Result spMaster_LoadPatient(ProcedureContext& ctx, const Arguments& args) {
    return ctx.query("SELECT m.HospNum, m.LastName, m.FirstName, m.MiddleName, m.Sex, m.Age, "
                     "m.BirthDate, m.CivilStatus, m.HouseStreet, m.Barangay, a.Town, a.Province "
                     "FROM PATIENT_DATA.tbMaster m "
                     "LEFT JOIN BUILD_FILE.tbCoAddress a ON a.ZipCode = m.ZipCode "
                     "WHERE m.HospNum = :hosp",
                     {{"hosp", args.trimmed(0)}});
}

} // namespace

void addPasswordProcedures(ProcedureRegistry& registry) {
    registry.add({"PASSWORD", "spPassword_LogInUser", {1}, spPassword_LogInUser});
    registry.add({"PASSWORD", "spPassword_LogInRefused", {4}, spPassword_LogInRefused});
    registry.add({"PASSWORD", "spPassword_LogInAccepted", {3}, spPassword_LogInAccepted});
    registry.add({"BUILD_FILE", "spBuild_LogUserUpdate", {3}, spBuild_LogUserUpdate});
    registry.add({"BUILD_FILE", "spBuild_CodeLookup", {3}, spBuild_CodeLookup});
    registry.add({"BUILD_FILE", "spBuild_CodeSearch", {3}, spBuild_CodeSearch});
    registry.add({"PATIENT_DATA", "spMaster_FindAdmission", {1}, spMaster_FindAdmission});
    registry.add({"PATIENT_DATA", "spMaster_SearchAdmissions", {2}, spMaster_SearchAdmissions});
    registry.add({"PATIENT_DATA", "spMaster_LoadPatient", {1}, spMaster_LoadPatient});
}

} // namespace server
