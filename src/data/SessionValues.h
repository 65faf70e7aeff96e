#pragma once

#include <QString>

namespace data {

class Connection;
class ICurrentUser;
class ICodeSearch;
class IPatientSearch;

// What the session component knows of the person logged in. The hospital
// system's session component implements it; tests stand in their own.
class CurrentUser {
public:
    virtual ~CurrentUser() = default;
    virtual QString EmployeeCode() const = 0;
    virtual QString EmployeeName() const = 0;
};

// The values of the running session, set once at start-up: the session
// connection, the user, and the hospital row read at log-in.
struct SessionValues {
    Connection* connection = nullptr;
    const CurrentUser* user = nullptr;
    // The shared components, for the windows that call them.
    ICurrentUser* sessionComponent = nullptr;
    ICodeSearch* codeSearch = nullptr;
    IPatientSearch* patientSearch = nullptr;
    QString hospitalName;
    QString hospitalAddress;
    QString clientCode;

    // Both throw DbError when the session has not been set up.
    Connection& sessionConnection() const;
    QString employeeCode() const;
};

SessionValues& currentSession();

} // namespace data
