#include "src/data/SessionValues.h"

#include "src/data/DbError.h"

namespace data {

Connection& SessionValues::sessionConnection() const {
    if (!connection)
        throw DbError("The session connection is not open.");
    return *connection;
}

QString SessionValues::employeeCode() const {
    if (!user)
        throw DbError("No user is logged in.");
    return user->EmployeeCode();
}

SessionValues& currentSession() {
    static SessionValues values;
    return values;
}

} // namespace data
