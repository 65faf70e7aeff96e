#include "server/ServerFunctions.h"

#include "server/Backend.h"
#include "server/Error.h"

namespace server {

namespace {

void requireArguments(const QString& name, const QStringList& args, int count) {
    if (args.size() != count)
        throw Error(QString("The function %1 takes %2 value(s), %3 were given.")
                        .arg(name)
                        .arg(count)
                        .arg(args.size()));
}

} // namespace

std::optional<QString> ServerFunctions::expand(const QString& database, const QString& name,
                                               const QStringList& args, const Backend& dialect) {
    const QString fn = name.toLower();
    if (database == "LABORATORY" && fn == "fn_labcanpost") {
        // "Y" while the admission's account is open: no billing date yet.
        requireArguments(name, args, 1);
        return QString("(SELECT CASE WHEN COUNT(*) > 0 THEN 'Y' ELSE 'N' END "
                       "FROM PATIENT_DATA.tbPatient WHERE IDNum = %1 AND BillingDate IS NULL)")
            .arg(args[0]);
    }
    if (database == "LABORATORY" && fn == "fn_labcancancelbilled") {
        // "Y" when Billing has reopened the closed account for cancellations;
        // null when the admission is unknown.
        requireArguments(name, args, 1);
        return QString("(SELECT CASE WHEN CancelBilled = 'Y' THEN 'Y' ELSE 'N' END "
                       "FROM PATIENT_DATA.tbPatient WHERE IDNum = %1)")
            .arg(args[0]);
    }
    if (database == "RADIOLOGY" && fn == "fn_getemployeename") {
        requireArguments(name, args, 1);
        return QString("(SELECT %1 FROM PASSWORD.tbPasswordMain WHERE EmployeeID = %2)")
            .arg(dialect.concat({"COALESCE(LastName, '')", "', '", "COALESCE(FirstName, '')"}),
                 args[0]);
    }
    return std::nullopt;
}

} // namespace server
