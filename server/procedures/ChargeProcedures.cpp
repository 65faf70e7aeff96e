#include "server/ProcedureRegistry.h"

// Charge entry: requests, charges, paid items, patient particulars.

namespace server {

namespace {

QVariant emptyAsNull(const QString& text) {
    return text.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

// A quantity of a charge line: as typed; empty means none given.
QVariant quantityOrNull(const Arguments& args, int i) {
    return args.trimmed(i).isEmpty() ? QVariant(QMetaType::fromType<double>())
                                     : QVariant(args.number(i));
}

// The next request number, eight digits. The counter row is updated before
// it is read, so concurrent saves wait for each other instead of sharing one.
QString nextRequestNum(ProcedureContext& ctx) {
    ctx.exec("UPDATE RADIOLOGY.tbMammoRequestNum SET LastNum = LastNum + 1 WHERE RowKey = 1");
    const QVariant last = ctx.scalar("SELECT LastNum FROM RADIOLOGY.tbMammoRequestNum");
    if (last.isNull())
        ctx.raise("The request counter of the section is missing.");
    return QString("%1").arg(last.toLongLong(), 8, 10, QChar('0'));
}

// One request line of the section: admission or visit id, hospital number,
// slip number, item code, amount, doctor, patient type, room, line kind, user.
Result spMammo_SaveRequest(ProcedureContext& ctx, const Arguments& args) {
    const QString idNum = args.trimmed(0);
    const QString item = args.trimmed(3);
    const QString type = args.trimmed(6);
    if (idNum.isEmpty())
        ctx.raise("A request needs the patient's admission or visit number.");
    if (item.isEmpty())
        ctx.raise("A request needs the code of its exam.");
    if (type != "I" && type != "O")
        ctx.raise("The patient type '" + args.text(6) + "' of a request is not I or O.");
    const QString kind = args.trimmed(8).isEmpty() ? QString("D") : args.trimmed(8);
    if (kind != "D" && kind != "P")
        ctx.raise("The line kind '" + args.text(8) + "' of a request is not D or P.");
    const QString requestNum = nextRequestNum(ctx);
    ctx.exec("INSERT INTO RADIOLOGY.tbMammoMaster (RequestNum, IdNum, HospNum, RefNum, ItemID, "
             "Amount, DoctorID, PatientType, RoomID, ChargeType, UserID, RequestDate, Status) "
             "VALUES (:request, :id, :hosp, :ref, :item, :amount, :doctor, :type, :room, :kind, "
             ":user, :now, 'N')",
             {{"request", requestNum},
              {"id", idNum},
              {"hosp", args.trimmed(1)},
              {"ref", emptyAsNull(args.trimmed(2))},
              {"item", item},
              {"amount", args.number(4)},
              {"doctor", emptyAsNull(args.trimmed(5))},
              {"type", type},
              {"room", emptyAsNull(args.trimmed(7))},
              {"kind", kind},
              {"user", emptyAsNull(args.trimmed(9))},
              {"now", ctx.now()}});
    Result result;
    result.columns = {"RequestNum"};
    result.rows = {{requestNum}};
    return result;
}

// One charge on a patient's account: type, id, hospital number, slip,
// department, item, quantity, amount, doctor, user, room, line kind and the
// section that charged a doctor's fee. A negative amount reverses a charge.
Result spGlobal_SaveCharges(ProcedureContext& ctx, const Arguments& args) {
    const QString type = args.trimmed(0);
    if (type != "I" && type != "O")
        ctx.raise("The patient type '" + args.text(0) + "' of a charge is not I or O.");
    if (args.trimmed(1).isEmpty())
        ctx.raise("A charge needs the patient's admission or visit number.");
    if (args.trimmed(3).isEmpty())
        ctx.raise("A charge needs its charge slip number.");
    if (args.trimmed(4).isEmpty() || args.trimmed(5).isEmpty())
        ctx.raise("A charge needs its department and item code.");
    if (args.trimmed(9).isEmpty())
        ctx.raise("A charge needs the user who posts it.");
    const QString kind = args.trimmed(11).isEmpty() ? QString("D") : args.trimmed(11);
    ctx.exec("INSERT INTO BILLING.tbPatientCharge (PatientType, IdNum, HospNum, RefNum, "
             "RevenueID, ItemID, Quantity, Amount, DoctorID, UserID, RoomID, ChargeType, "
             "RequestingSection, ChargeDate) VALUES (:type, :id, :hosp, :ref, :dept, :item, "
             ":quantity, :amount, :doctor, :user, :room, :kind, :section, :now)",
             {{"type", type},
              {"id", args.trimmed(1)},
              {"hosp", args.trimmed(2)},
              {"ref", args.trimmed(3)},
              {"dept", args.trimmed(4)},
              {"item", args.trimmed(5)},
              {"quantity", quantityOrNull(args, 6)},
              {"amount", args.number(7)},
              {"doctor", emptyAsNull(args.trimmed(8))},
              {"user", args.trimmed(9)},
              {"room", emptyAsNull(args.trimmed(10))},
              {"kind", kind},
              {"section", emptyAsNull(args.trimmed(12))},
              {"now", ctx.now()}});
    return {};
}

// The paid lines of a receipt that belong to a section: its own items, and
// doctors' fees it assessed.
const char* const kPaidLinesOfSection =
    "a.ORNumber = :receipt AND (a.RevenueID = :section OR a.RequestingSection = :section)";

// Marks a paid item used ("Y") or free again (""). A receipt without such an
// item changes nothing: lines typed under it are requests of their own.
Result spGlobal_CashUpdate(ProcedureContext& ctx, const Arguments& args) {
    const QString flag = args.trimmed(3);
    if (flag != "Y" && !flag.isEmpty())
        ctx.raise("A paid item is marked 'Y' or '', not '" + args.text(3) + "'.");
    ctx.exec(QString("UPDATE BILLING.tbCashAssessment SET ItemUsed = :flag WHERE ORNumber = "
                     ":receipt AND (RevenueID = :section OR RequestingSection = :section) "
                     "AND ItemID = :item"),
             {{"flag", flag},
              {"receipt", args.trimmed(0)},
              {"section", args.trimmed(1)},
              {"item", args.trimmed(2)}});
    return {};
}

// The paid items of a receipt that are still to be used, in the order they
// were assessed: department, code, name, quantity and amount.
Result spGlobal_CashExams(ProcedureContext& ctx, const Arguments& args) {
    return ctx.query(
        QString("SELECT a.RevenueID AS RevenueID, a.ItemID AS Code, "
                "COALESCE(r.OtherRevenue, '(PF) DR. ' || d.LastName || ', ' || d.FirstName, "
                "a.ItemID) AS Exam, a.Quantity AS Quantity, a.Amount AS Amount "
                "FROM BILLING.tbCashAssessment a "
                "LEFT JOIN BUILD_FILE.tbCoOtherRevenue r ON r.OtherRevenueID = a.ItemID "
                "AND a.RevenueID <> 'MD' "
                "LEFT JOIN BUILD_FILE.tbCoDoctor d ON d.DoctorID = a.ItemID "
                "AND a.RevenueID = 'MD' WHERE ") +
            kPaidLinesOfSection +
            " AND (a.ItemUsed IS NULL OR a.ItemUsed <> 'Y') ORDER BY a.RefNum, CASE WHEN a.RevenueID = 'MD' THEN 1 ELSE 0 END, a.ItemID",
        {{"receipt", args.trimmed(0)}, {"section", args.trimmed(1)}});
}

// The particulars of a patient who is not charged through an admission:
// type "O" a registered outpatient visit, "C" a walk-in.
Result spGlobal_OutMaster(ProcedureContext& ctx, const Arguments& args) {
    const QString type = args.trimmed(0);
    const QVariantMap id{{"id", args.trimmed(1)}};
    if (type == "O")
        return ctx.query(
            "SELECT m.LastName, m.FirstName, m.MiddleName, m.CivilStatus, m.Sex, m.BirthDate, "
            "o.Age, m.HouseStreet, m.Barangay, t.Town, t.Province, o.IDNum AS IdNum, "
            "o.HospNum, 'OPD' AS RoomID, o.AdmDate, o.DoctorID1 AS DoctorID, "
            "d.FirstName AS DRFirstName, d.LastName AS DRLastName, o.AccountNum, o.Company "
            "FROM PATIENT_DATA.tbOutPatient o "
            "JOIN PATIENT_DATA.tbMaster m ON m.HospNum = o.HospNum "
            "LEFT JOIN BUILD_FILE.tbCoAddress t ON t.ZipCode = m.ZipCode "
            "LEFT JOIN BUILD_FILE.tbCoDoctor d ON d.DoctorID = o.DoctorID1 "
            "WHERE o.IDNum = :id",
            id);
    if (type == "C")
        return ctx.query(
            "SELECT c.LastName, c.FirstName, c.MiddleName, c.CivilStatus, c.Sex, c.BirthDate, "
            "c.Age, c.HouseStreet, c.Barangay, t.Town, t.Province, c.HospNum AS IdNum, "
            "c.HospNum, 'OPD' AS RoomID, c.RegisterDate AS AdmDate, "
            "CAST(NULL AS VARCHAR(20)) AS DoctorID, CAST(NULL AS VARCHAR(50)) AS DRFirstName, "
            "CAST(NULL AS VARCHAR(50)) AS DRLastName, CAST(NULL AS VARCHAR(20)) AS AccountNum, "
            "CAST(NULL AS VARCHAR(100)) AS Company "
            "FROM PATIENT_DATA.tbCashPatient c "
            "LEFT JOIN BUILD_FILE.tbCoAddress t ON t.ZipCode = c.ZipCode "
            "WHERE c.HospNum = :id",
            id);
    ctx.raise("The patient type '" + args.text(0) + "' has no outpatient record; it is O or C.");
}

// An admission as the receivable entry reads it.
Result sp_Cancer_SearchInPatient(ProcedureContext& ctx, const Arguments& args) {
    return ctx.query("SELECT p.IDNum AS IdNum, p.HospNum, p.AdmissionDate AS AdmDate, "
                     "p.AttendingDr1 AS ATTENDINGDR1, p.RoomID, p.DischargeDate AS DcrDate "
                     "FROM PATIENT_DATA.tbPatient p WHERE p.IDNum = :id",
                     {{"id", args.trimmed(0)}});
}

// An outpatient visit as the receivable entry reads it.
Result sp_Cancer_searchoutpatient(ProcedureContext& ctx, const Arguments& args) {
    return ctx.query("SELECT o.IDNum AS IdNum, o.HospNum, o.AdmDate, o.DoctorID1 AS doctorid1, "
                     "o.DcrDate FROM PATIENT_DATA.tbOutPatient o WHERE o.IDNum = :id",
                     {{"id", args.trimmed(0)}});
}

} // namespace

void addChargeProcedures(ProcedureRegistry& registry) {
    registry.add({"RADIOLOGY", "spMammo_SaveRequest", {10}, spMammo_SaveRequest});
    registry.add({"RADIOLOGY", "spGlobal_SaveCharges", {13}, spGlobal_SaveCharges});
    registry.add({"RADIOLOGY", "spGlobal_CashUpdate", {4}, spGlobal_CashUpdate});
    registry.add({"RADIOLOGY", "spGlobal_CashExams", {2}, spGlobal_CashExams});
    registry.add({"RADIOLOGY", "spGlobal_OutMaster", {2}, spGlobal_OutMaster});
    registry.add({"CLINICAL_AREA", "sp_Cancer_SearchInPatient", {1}, sp_Cancer_SearchInPatient});
    registry.add(
        {"CLINICAL_AREA", "sp_Cancer_searchoutpatient", {1}, sp_Cancer_searchoutpatient});
}

} // namespace server
