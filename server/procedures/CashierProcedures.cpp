#include "server/Backend.h"
#include "server/ProcedureRegistry.h"

#include <QDateTime>
#include <QRegularExpression>

// The cashier's side: walk-in registration, communications, billed patients.

namespace server {

namespace {

QVariant nullText() {
    return QVariant(QMetaType::fromType<QString>());
}

QVariant nullNumber() {
    return QVariant(QMetaType::fromType<int>());
}

// A date and time as the backend hands it back: a date-time on PostgreSQL,
// text on SQLite.
QDateTime storedTime(const QVariant& value) {
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.typeId() == QMetaType::QDate)
        return QDateTime(value.toDate(), QTime(0, 0));
    const QString text = value.toString();
    QDateTime when = QDateTime::fromString(text.left(19), "yyyy-MM-dd hh:mm:ss");
    if (!when.isValid())
        when = QDateTime(QDate::fromString(text.left(10), "yyyy-MM-dd"), QTime(0, 0));
    return when;
}

// The typed text as the start of a LIKE pattern, its wildcards taken literally.
QString likePrefix(const QString& text) {
    QString escaped = text.toUpper();
    escaped.replace('\\', "\\\\").replace('%', "\\%").replace('_', "\\_");
    return escaped + '%';
}

// A text value for a column of that length. Both backends must keep the same
// data, and only PostgreSQL enforces VARCHAR lengths, so a longer value is
// refused here on both.
QVariant limitedText(ProcedureContext& ctx, const Arguments& args, int i, const QString& what,
                     int length, bool emptyIsNull) {
    const QString value = args.trimmed(i);
    if (value.isEmpty())
        return emptyIsNull ? nullText() : QVariant(value);
    if (value.size() > length)
        ctx.raise(
            QString("The %1 '%2' is longer than %3 characters.").arg(what, value).arg(length));
    return value;
}

// A birth date as the walk-in window sends it: month/day/year with a
// four-digit year ("12/31/2000", "1/2/2000").
QDate birthDate(const QString& text) {
    static const QRegularExpression form(R"(^(\d{1,2})/(\d{1,2})/(\d{4})$)");
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
}

// Registers a walk-in patient: number, last, first and middle name, house or
// street, barangay, town code, birth date (mm/dd/yyyy), civil status code,
// age, sex. A number that is already registered is refused, never overwritten.
Result spRadio_AddCashPatient(ProcedureContext& ctx, const Arguments& args) {
    const QString number = args.trimmed(0);
    if (number.isEmpty())
        ctx.raise("A walk-in patient cannot be registered without a walk-in number.");
    if (number.size() > 20)
        ctx.raise("The walk-in number '" + number + "' is longer than 20 characters.");

    QVariant birth = nullText();
    if (!args.trimmed(7).isEmpty()) {
        const QDate date = birthDate(args.trimmed(7));
        if (!date.isValid())
            ctx.raise("The birth date '" + args.trimmed(7) + "' is not a date written mm/dd/yyyy.");
        birth = Backend::timestampText(QDateTime(date, QTime(0, 0)));
    }

    QVariant age = nullNumber();
    if (!args.trimmed(9).isEmpty()) {
        bool ok = false;
        const int years = args.trimmed(9).toInt(&ok);
        if (!ok)
            ctx.raise("The age '" + args.trimmed(9) + "' is not a whole number.");
        age = years;
    }

    const QVariantMap values{
        {"hosp", number},
        {"last", limitedText(ctx, args, 1, "last name", 50, false)},
        {"first", limitedText(ctx, args, 2, "first name", 50, false)},
        {"middle", limitedText(ctx, args, 3, "middle name", 50, false)},
        {"house", limitedText(ctx, args, 4, "house no./street", 100, false)},
        {"barangay", limitedText(ctx, args, 5, "barangay", 50, false)},
        // No town picked: no address to look up.
        {"zip", limitedText(ctx, args, 6, "town code", 10, true)},
        {"birth", birth},
        {"civil", limitedText(ctx, args, 8, "civil status code", 1, false)},
        {"age", age},
        {"sex", limitedText(ctx, args, 10, "sex code", 1, false)},
        {"now", ctx.now()},
    };

    const QVariant taken =
        ctx.scalar("SELECT COUNT(*) FROM PATIENT_DATA.tbCashPatient WHERE HospNum = :hosp",
                   {{"hosp", number}});
    if (taken.toInt() > 0)
        ctx.raise("The walk-in number '" + number + "' is already registered.");

    ctx.exec("INSERT INTO PATIENT_DATA.tbCashPatient (HospNum, LastName, FirstName, MiddleName, "
             "HouseStreet, Barangay, ZipCode, BirthDate, CivilStatus, Age, Sex, RegisterDate) "
             "VALUES (:hosp, :last, :first, :middle, :house, :barangay, :zip, :birth, :civil, "
             ":age, :sex, :now)",
             values);
    return {};
}

// The cashier's communications to the section: the paid lines of the
// section's assessments whose item the section has not used yet. The
// section's lines are its exams (department "MM") and the items it assessed
// for another department, its doctors' fees above all (requesting section
// "MM"). Kind "0" finds patients whose name begins with the text, kind "1"
// receipts whose number begins with it; an empty text lists them all. Newest
// payment first. Every value is text, never null.
Result spMammo_Communication(ProcedureContext& ctx, const Arguments& args) {
    const QString kind = args.trimmed(0);
    const QString text = args.trimmed(1);
    QString match;
    if (kind == "0")
        match = "UPPER(COALESCE(a.PatientName, '')) LIKE :text ESCAPE '\\'";
    else if (kind == "1")
        match = "UPPER(a.ORNumber) LIKE :text ESCAPE '\\'";
    else
        ctx.raise("The search kind '" + kind + "' is not known; it is 0 (patient) or 1 (OR #).");

    const Result found = ctx.query(
        "SELECT a.ORNumber, COALESCE(a.PatientName, '') AS PatientName, "
        "COALESCE(o.OtherRevenue, CASE WHEN a.RevenueID = 'MD' THEN 'PROFESSIONAL FEE' || "
        "COALESCE(' - ' || NULLIF(a.DoctorName, ''), '') END, a.ItemID) AS Exam, a.PaidDate "
        "FROM BILLING.tbCashAssessment a "
        "LEFT JOIN BUILD_FILE.tbCoOtherRevenue o ON o.OtherRevenueID = a.ItemID "
        "AND a.RevenueID <> 'MD' "
        "WHERE a.ORNumber IS NOT NULL AND a.ORNumber <> '' "
        "AND (a.RevenueID = 'MM' OR a.RequestingSection = 'MM') "
        "AND COALESCE(a.ItemUsed, '') <> 'Y' AND " +
            match + " ORDER BY COALESCE(a.PaidDate, a.AssessDate) DESC, a.ORNumber DESC, a.ItemID",
        {{"text", likePrefix(text)}});

    Result out;
    out.columns = QStringList{"OR #", "Patient", "Exam", "Date"};
    out.rows.reserve(found.rows.size());
    for (const Row& row : found.rows) {
        const QDateTime paid = storedTime(row[3]);
        out.rows << Row{row[0].toString(), row[1].toString(), row[2].toString(),
                        paid.isValid() ? paid.toString("MM/dd/yyyy") : QString()};
    }
    return out;
}

QString listedTime(const QVariant& value) {
    const QDateTime when = storedTime(value);
    return when.isValid() ? when.toString("MM/dd/yyyy hh:mm") : QString();
}

// Patients whose hospital account is billed (a billing date is set), over
// admissions and outpatient visits: those whose last name begins with the
// text, and the admission or visit of exactly that number. The first eight
// columns are what the list shows; the rest describe the patient further.
Result spGlobal_BilledPatients(ProcedureContext& ctx, const Arguments& args) {
    const QString text = args.trimmed(0);
    const QString patientColumns =
        "m.LastName, COALESCE(m.FirstName, '') AS FirstName, COALESCE(m.MiddleName, '') AS "
        "MiddleName, COALESCE(%1, '') AS RoomID, %2 AS AdmDate, %3 AS DcrDate, "
        "m.Sex, %4 AS Age, m.BirthDate, m.CivilStatus, m.HouseStreet, m.Barangay, m.ZipCode, "
        "t.Town, t.Province, '%5' AS PatientType, %6 AS RoomClassID, v.BillingDate, "
        "v.AccountNum, v.Company, v.MedicareType ";
    const QString where = "WHERE v.BillingDate IS NOT NULL AND (UPPER(m.LastName) LIKE :last "
                          "ESCAPE '\\' OR v.IDNum = :id) ";
    const Result found =
        ctx.query("SELECT v.HospNum, v.IDNum AS IdNum, " +
                      patientColumns.arg("v.RoomID", "v.AdmissionDate", "v.DischargeDate",
                                         "COALESCE(v.Age, m.Age)", "I", "r.RoomClassID") +
                      "FROM PATIENT_DATA.tbPatient v "
                      "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = v.HospNum "
                      "LEFT JOIN BUILD_FILE.tbcoroom r ON r.RoomID = v.RoomID "
                      "LEFT JOIN BUILD_FILE.tbCoAddress t ON t.ZipCode = m.ZipCode " +
                      where +
                      "UNION ALL "
                      "SELECT v.HospNum, v.IDNum AS IdNum, " +
                      patientColumns.arg("'OPD'", "v.AdmDate", "v.DcrDate",
                                         "COALESCE(v.Age, m.Age)", "O", "''") +
                      "FROM PATIENT_DATA.tbOutPatient v "
                      "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = v.HospNum "
                      "LEFT JOIN BUILD_FILE.tbCoAddress t ON t.ZipCode = m.ZipCode " +
                      where + "ORDER BY 3, 4, 5, 7 DESC, 2",
                  {{"last", likePrefix(text)}, {"id", text}});

    // Dates as the list shows them, the same on both backends.
    Result out = found;
    const QList<int> times{found.columnIndex("AdmDate"), found.columnIndex("DcrDate"),
                           found.columnIndex("BirthDate"), found.columnIndex("BillingDate")};
    for (Row& row : out.rows)
        for (int i : times)
            row[i] = i == found.columnIndex("BirthDate")
                         ? QVariant(storedTime(row[i]).date().toString("MM/dd/yyyy"))
                         : QVariant(listedTime(row[i]));
    return out;
}

} // namespace

void addCashierProcedures(ProcedureRegistry& registry) {
    registry.add({"RADIOLOGY", "spRadio_AddCashPatient", {11}, spRadio_AddCashPatient});
    registry.add({"RADIOLOGY", "spMammo_Communication", {2}, spMammo_Communication});
    registry.add({"LABORATORY", "spGlobal_BilledPatients", {1}, spGlobal_BilledPatients});
}

} // namespace server
