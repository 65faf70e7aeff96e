#include "src/data/Module1.h"

#include "src/data/Connection.h"
#include "src/data/SessionValues.h"

#include <QFileInfo>
#include <QHash>

namespace data::Module1 {

bool FileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

QString medicareDescription(const QString& code) {
    static const QHash<QString, QString> names{
        {"GM", "Government - member"},
        {"GD", "Government - dependent"},
        {"PM", "Private - member"},
        {"PD", "Private - dependent"},
        {"SM", "Self-employed - member"},
        {"SD", "Self-employed - dependent"},
        {"OFM", "OFW - member"},
        {"OFD", "OFW - dependent"},
        {"OWM", "OWWA - member"},
        {"OT", "OWWA - dependent"},
        {"IM", "Indigent - member"},
        {"ID", "Indigent - dependent"},
        {"P/RM", "Pensioner/Retiree - member"},
        {"P/RD", "Pensioner/Retiree - dependent"},
        {"NN", "Non-NHIP"},
    };
    return names.value(code);
}

QString MedicareTypeName(const QString& idNum) {
    Recordset rs = currentSession().sessionConnection().open(
        "select * from PATIENT_DATA..tbPatient where IDNum = " + quoted(idNum), adOpenDynamic,
        adLockOptimistic);
    const QString code = rs.eof() ? QString() : rs.field("MedicareType").text();
    rs.close();
    const QString description = medicareDescription(code);
    return description.isEmpty() ? code : code + " (" + description + ")";
}

bool IsSpecialAdmission(const QString& idNum) {
    Recordset rs = currentSession().sessionConnection().open(
        "Select isnull(AdmissionTypeID,'') as isSpecial " +
            QString(" From Patient_Data..tbPatient2 ") + " Where Idnum = " + quoted(idNum),
        adOpenDynamic, adLockOptimistic, adUseClient);
    const bool special = !rs.eof() && rs.field("isSpecial").text().trimmed() == "9";
    rs.close();
    return special;
}

} // namespace data::Module1
