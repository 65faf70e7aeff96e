#pragma once

#include "server/Procedure.h"

#include <QHash>

namespace server {

// Every procedure of the section's server, found by database and name without
// regard to case.
class ProcedureRegistry {
public:
    // The registry with every procedure of the server.
    static const ProcedureRegistry& standard();

    void add(ProcedureSpec procedure);
    const ProcedureSpec* find(const QString& database, const QString& name) const;
    QList<const ProcedureSpec*> all() const;

private:
    static QString key(const QString& database, const QString& name);
    QHash<QString, ProcedureSpec> m_procedures;
};

// Each database's procedures are added by one function of its own file.
void addRadiologyProcedures(ProcedureRegistry& registry);
void addReportsProcedures(ProcedureRegistry& registry);  // procedures/ReportsProcedures.cpp
void addPasswordProcedures(ProcedureRegistry& registry); // procedures/PasswordProcedures.cpp
void addMonitorProcedures(ProcedureRegistry& registry);  // procedures/MonitorProcedures.cpp
void addPatientListProcedures(ProcedureRegistry& registry); // procedures/PatientListProcedures.cpp
void addCashierProcedures(ProcedureRegistry& registry);     // procedures/CashierProcedures.cpp
void addChargeProcedures(ProcedureRegistry& registry);      // procedures/ChargeProcedures.cpp

} // namespace server
