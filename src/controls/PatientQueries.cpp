#include "src/controls/PatientQueries.h"

#include "src/data/Quoting.h"

namespace controls::PatientQueries {

QString spOutpatient(const QString& current, const QString& kind, const QString& text) {
    return "spGlobal_RegisteredOPD '" + data::DoubleQuotes(current) + "','" +
           data::DoubleQuotes(kind) + "', '" + data::DoubleQuotes(text) + "'";
}

QString spPatientList(const QString& query, const QString& current, const QString& kind,
                      const QString& text) {
    QString command = query;
    // The text goes in last, so that a "#1" or "#2" typed in it stays as typed.
    command.replace("#1", data::DoubleQuotes(current));
    command.replace("#2", data::DoubleQuotes(kind));
    command.replace("#3", data::DoubleQuotes(text));
    return command;
}

QString providerLookup(const QString& procedure, const QString& current, const QString& text) {
    return procedure + " '" + current + "','1', '" + data::DoubleQuotes(text) + "'";
}

} // namespace controls::PatientQueries
