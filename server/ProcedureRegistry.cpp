#include "server/ProcedureRegistry.h"

#include "server/Error.h"

namespace server {

const ProcedureRegistry& ProcedureRegistry::standard() {
    static const ProcedureRegistry registry = [] {
        ProcedureRegistry r;
        addRadiologyProcedures(r);
        addReportsProcedures(r);
        addPasswordProcedures(r);
        addMonitorProcedures(r);
        addPatientListProcedures(r);
        addCashierProcedures(r);
        addChargeProcedures(r);
        return r;
    }();
    return registry;
}

QString ProcedureRegistry::key(const QString& database, const QString& name) {
    return database.toUpper() + ".." + name.toLower();
}

void ProcedureRegistry::add(ProcedureSpec procedure) {
    const QString k = key(procedure.database, procedure.name);
    if (m_procedures.contains(k))
        throw Error("The procedure " + procedure.database + ".." + procedure.name +
                    " is registered twice.");
    m_procedures.insert(k, std::move(procedure));
}

const ProcedureSpec* ProcedureRegistry::find(const QString& database, const QString& name) const {
    const auto it = m_procedures.constFind(key(database, name));
    return it == m_procedures.cend() ? nullptr : &it.value();
}

QList<const ProcedureSpec*> ProcedureRegistry::all() const {
    QList<const ProcedureSpec*> list;
    for (const ProcedureSpec& procedure : m_procedures)
        list << &procedure;
    return list;
}

} // namespace server
