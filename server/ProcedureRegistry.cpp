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
        return r;
    }();
    return registry;
}

QString ProcedureRegistry::key(const QString& database, const QString& name) {
    return database.toUpper() + ".." + name.toLower();
}

void ProcedureRegistry::add(ProcedureSpec spec) {
    const QString k = key(spec.database, spec.name);
    if (m_procedures.contains(k))
        throw Error("The procedure " + spec.database + ".." + spec.name + " is registered twice.");
    m_procedures.insert(k, std::move(spec));
}

const ProcedureSpec* ProcedureRegistry::find(const QString& database, const QString& name) const {
    const auto it = m_procedures.constFind(key(database, name));
    return it == m_procedures.cend() ? nullptr : &it.value();
}

QList<const ProcedureSpec*> ProcedureRegistry::all() const {
    QList<const ProcedureSpec*> list;
    for (const ProcedureSpec& spec : m_procedures)
        list << &spec;
    return list;
}

} // namespace server
