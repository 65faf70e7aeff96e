#include "server/Backend.h"
#include "server/ProcedureRegistry.h"

#include <QDateTime>

// Patient lists: registered outpatients, regular, walk-in and outpatient searches.
//
// The three lists of the patient search providers take the current flag ("1"
// current registrations only, "0" all, "" the provider's first try), the kind
// ("0" by last name, "1" by number) and the text. The first column of every
// list is the code the list accepts back with kind "1".

namespace server {

namespace {

// A search by name lists at most this many rows, in name order.
constexpr int kNameSearchLimit = 500;

// The typed text as the start of a LIKE pattern, its wildcards taken literally.
QString likePrefix(const QString& text) {
    QString escaped = text.toUpper();
    escaped.replace('\\', "\\\\").replace('%', "\\%").replace('_', "\\_");
    return escaped + '%';
}

// Names and address of a patient row `m` with its town `a`; texts never null.
const char* const kNameColumns = "COALESCE(m.LastName, '') AS \"LastName\", "
                                 "COALESCE(m.FirstName, '') AS \"FirstName\", "
                                 "COALESCE(m.MiddleName, '') AS \"MiddleName\"";
const char* const kDetailColumns =
    "COALESCE(m.CivilStatus, '') AS \"CivilStatus\", COALESCE(m.Sex, '') AS \"Sex\", m.BirthDate "
    "AS \"BirthDate\", "
    "%AGE% AS \"Age\", COALESCE(m.HouseStreet, '') AS \"HouseStreet\", "
    "COALESCE(m.Barangay, '') AS \"Barangay\", COALESCE(a.Town, '') AS \"Town\", "
    "COALESCE(a.Province, '') AS \"Province\"";

// Names in order; a missing name sorts first on every backend.
const char* const kNameOrder =
    "COALESCE(m.LastName, ''), COALESCE(m.FirstName, ''), COALESCE(m.MiddleName, '')";

QString detailColumns(const QString& age) {
    return QString(kDetailColumns).replace("%AGE%", age);
}

// One patient list: its select (up to WHERE), how a code matches, the
// condition of a current registration, and its order.
struct Listing {
    QString select;
    QString codeMatch; // over :code and :upperCode
    QString lastName;
    QString current; // over :today and :tomorrow; empty where nothing is "current"
    QString order;
};

QString kindOf(ProcedureContext& ctx, const QString& kind) {
    if (kind != "0" && kind != "1")
        ctx.raise("The search kind '" + kind +
                  "' is not known; it is '0' (last name) or '1' "
                  "(number).");
    return kind;
}

Result run(ProcedureContext& ctx, const Listing& list, bool currentOnly, bool byCode,
           const QString& text) {
    QStringList where;
    QVariantMap params;
    if (currentOnly && !list.current.isEmpty()) {
        where << list.current;
        const QDate today = QDateTime::currentDateTime().date();
        params.insert("today", Backend::timestampText(today.startOfDay()));
        params.insert("tomorrow", Backend::timestampText(today.addDays(1).startOfDay()));
    }
    QString limit;
    if (byCode) {
        where << "(" + list.codeMatch + ")";
        params.insert("code", text);
        params.insert("upperCode", text.toUpper());
    } else {
        where << "UPPER(COALESCE(" + list.lastName + ", '')) LIKE :name ESCAPE '\\'";
        params.insert("name", likePrefix(text));
        limit = " LIMIT " + QString::number(kNameSearchLimit);
    }
    return ctx.query(
        list.select + " WHERE " + where.join(" AND ") + " ORDER BY " + list.order + limit, params);
}

// The three-value search: current flag, kind, text.
Result search(ProcedureContext& ctx, const Listing& list, const Arguments& args) {
    const QString current = args.trimmed(0);
    if (current != "1" && current != "0" && !current.isEmpty())
        ctx.raise("The current flag '" + current + "' is not known; it is '1', '0' or ''.");
    const QString kind = kindOf(ctx, args.trimmed(1));
    const QString text = args.trimmed(2);
    if (current.isEmpty()) {
        // The provider's first try: the text as a code, else as a last name.
        Result byCode = run(ctx, list, false, true, text);
        if (!byCode.rows.isEmpty() || text.isEmpty())
            return byCode;
        return run(ctx, list, false, false, text);
    }
    return run(ctx, list, current == "1", kind == "1", text);
}

// "mm/dd/yyyy" of a stored date; "" when none is on record (1900-01-01 stands for none).
QString shownDate(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return {};
    QDateTime when = value.toDateTime();
    if (!when.isValid()) {
        const QString text = value.toString().trimmed();
        when = QDateTime::fromString(text.left(19), "yyyy-MM-dd hh:mm:ss");
        if (!when.isValid())
            when = QDateTime::fromString(text.left(19), Qt::ISODate);
        if (!when.isValid())
            when = QDateTime(QDate::fromString(text.left(10), "yyyy-MM-dd"), QTime());
    }
    if (!when.isValid() || when.date() == QDate(1900, 1, 1))
        return {};
    return when.date().toString("MM/dd/yyyy");
}

// Fills the shown birth date (the fifth column) from the stored one.
Result withShownBirthDate(Result result) {
    const int shown = result.columnIndex("Birth Date");
    const int stored = result.columnIndex("BirthDate");
    for (Row& row : result.rows)
        row[shown] = shownDate(row[stored]);
    return result;
}

const Listing& registeredOpd() {
    static const Listing list{
        "SELECT o.IDNum AS \"IdNum\", " + QString(kNameColumns) +
            ", o.AdmDate AS \"AdmDate\", o.HospNum AS \"HospNum\", COALESCE(o.AccountNum, '') AS "
            "\"AccountNum\", "
            "COALESCE(o.Company, '') AS \"Company\", o.DcrDate AS \"DcrDate\", o.BillingDate AS "
            "\"BillingDate\", " +
            detailColumns("COALESCE(o.Age, m.Age)") +
            " FROM PATIENT_DATA.tbOutPatient o "
            "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = o.HospNum "
            "LEFT JOIN BUILD_FILE.tbCoAddress a ON a.ZipCode = m.ZipCode",
        "o.IDNum = :code OR o.IDNum = :upperCode OR o.HospNum = :code OR o.HospNum = :upperCode",
        "m.LastName", "o.DcrDate IS NULL AND o.AdmDate >= :today AND o.AdmDate < :tomorrow",
        kNameOrder + QString(", o.AdmDate DESC, o.IDNum")};
    return list;
}

// Regular patients and walk-ins list the same columns; neither file has a
// visit, so every patient on it counts as a current registration.
Listing registeredPatients(const QString& table) {
    return {"SELECT m.HospNum AS \"HospNum\", " + QString(kNameColumns) +
                ", '' AS \"Birth Date\", " + detailColumns("m.Age") + " FROM " + table +
                " m LEFT JOIN BUILD_FILE.tbCoAddress a ON a.ZipCode = m.ZipCode",
            "m.HospNum = :code OR m.HospNum = :upperCode", "m.LastName", QString(),
            kNameOrder + QString(", m.HospNum")};
}

// Outpatient visits by visit number (or hospital number) or last name.
Result spGlobal_RegisteredOPD(ProcedureContext& ctx, const Arguments& args) {
    return search(ctx, registeredOpd(), args);
}

// Patients of the master file.
Result spGlobal_RegularPatients(ProcedureContext& ctx, const Arguments& args) {
    static const Listing list = registeredPatients("PATIENT_DATA.tbMaster");
    return withShownBirthDate(search(ctx, list, args));
}

// Walk-in patients, who have no hospital record.
Result spGlobal_CashPatients(ProcedureContext& ctx, const Arguments& args) {
    static const Listing list = registeredPatients("PATIENT_DATA.tbCashPatient");
    return withShownBirthDate(search(ctx, list, args));
}

// The walk-ins of the cash picker: kind, text.
Result spGlobal_WalkIn(ProcedureContext& ctx, const Arguments& args) {
    static const Listing list{"SELECT m.HospNum AS \"HospNum\", " + QString(kNameColumns) +
                                  " FROM PATIENT_DATA.tbCashPatient m",
                              "m.HospNum = :code OR m.HospNum = :upperCode", "m.LastName",
                              QString(), kNameOrder + QString(", m.HospNum")};
    const bool byCode = kindOf(ctx, args.trimmed(0)) == "1";
    return run(ctx, list, false, byCode, args.trimmed(1));
}

// The outpatient visits of the cash picker: kind, text.
Result spGlobal_Outpatient(ProcedureContext& ctx, const Arguments& args) {
    static const Listing list{"SELECT o.IDNum AS \"IdNum\", " + QString(kNameColumns) +
                                  ", o.AdmDate AS \"AdmDate\" FROM PATIENT_DATA.tbOutPatient o "
                                  "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = o.HospNum",
                              registeredOpd().codeMatch, "m.LastName", QString(),
                              registeredOpd().order};
    const bool byCode = kindOf(ctx, args.trimmed(0)) == "1";
    return run(ctx, list, false, byCode, args.trimmed(1));
}

} // namespace

void addPatientListProcedures(ProcedureRegistry& registry) {
    registry.add({"RADIOLOGY", "spGlobal_RegisteredOPD", {3}, spGlobal_RegisteredOPD});
    registry.add({"RADIOLOGY", "spGlobal_RegularPatients", {3}, spGlobal_RegularPatients});
    registry.add({"RADIOLOGY", "spGlobal_CashPatients", {3}, spGlobal_CashPatients});
    registry.add({"RADIOLOGY", "spGlobal_WalkIn", {2}, spGlobal_WalkIn});
    registry.add({"RADIOLOGY", "spGlobal_Outpatient", {2}, spGlobal_Outpatient});
}

} // namespace server
