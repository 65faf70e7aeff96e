#include "server/Backend.h"
#include "server/demo/DemoExtensions.h"

#include <QDateTime>

namespace server {

namespace {

struct PaidLine {
    QString revenue;
    QVariant item;
    QVariant quantity; // null: the cashier left it out
    QVariant amount;
};

// The patient a receipt is made out to: walk-in, outpatient visit or admission.
struct Payer {
    QString idNum;
    QString hospNum;
    QString name;
};

Payer firstPayer(Backend& backend, const QString& sql) {
    const Result found = backend.query(sql);
    if (found.rows.isEmpty())
        return {};
    const Row& row = found.rows.first();
    return {row[0].toString(), row[1].toString(), row[2].toString()};
}

} // namespace

// Receipts of the cashier waiting for the section: a walk-in who paid an exam
// and the reading doctor's fee, an outpatient whose receipt leaves the
// quantity out, and an admitted patient who paid two exams in cash. The
// request counter follows the requests the master data holds.
void loadChargeDemoData(Backend& backend, quint32, const QDate& today) {
    backend.exec("UPDATE RADIOLOGY.tbMammoRequestNum SET LastNum = (SELECT "
                 "COALESCE(MAX(CAST(RequestNum AS INTEGER)), 0) FROM RADIOLOGY.tbMammoMaster)");

    const Result exams = backend.query("SELECT OtherRevenueID, RateA, RateG FROM "
                                       "BUILD_FILE.tbCoOtherRevenue WHERE RevenueID = 'MM' "
                                       "ORDER BY OtherRevenueID");
    const Result doctors = backend.query(
        "SELECT DoctorID FROM BUILD_FILE.tbCoDoctor ORDER BY DoctorID");
    const QVariant assessmentNum =
        backend.scalar("SELECT AssessmentNum FROM BILLING.tbAssessmentNum");
    if (exams.rows.size() < 4 || doctors.rows.isEmpty() || assessmentNum.isNull())
        return;

    const QString name = "LastName || ', ' || FirstName";
    const QString masterName = "m.LastName || ', ' || m.FirstName";
    const QList<Payer> payers{
        firstPayer(backend, "SELECT HospNum, HospNum, " + name +
                                " FROM PATIENT_DATA.tbCashPatient ORDER BY HospNum"),
        firstPayer(backend, "SELECT o.IDNum, o.HospNum, " + masterName +
                                " FROM PATIENT_DATA.tbOutPatient o JOIN PATIENT_DATA.tbMaster m "
                                "ON m.HospNum = o.HospNum ORDER BY o.AdmDate DESC, o.IDNum"),
        firstPayer(backend, "SELECT p.IDNum, p.HospNum, " + masterName +
                                " FROM PATIENT_DATA.tbPatient p JOIN PATIENT_DATA.tbMaster m "
                                "ON m.HospNum = p.HospNum WHERE p.DischargeDate IS NULL AND "
                                "p.BillingDate IS NULL ORDER BY p.IDNum"),
    };
    const auto exam = [&](int i) { return exams.rows[i]; };
    const QList<QList<PaidLine>> receipts{
        {{"MM", exam(0)[0], "1.00", exam(0)[2]},
         {"MD", doctors.rows.last()[0], "1.00", "500.00"}},
        {{"MM", exam(1)[0], QVariant(), exam(1)[1]}},
        {{"MM", exam(2)[0], "1.00", exam(2)[1]}, {"MM", exam(3)[0], "1.00", exam(3)[1]}},
    };

    int number = assessmentNum.toInt();
    const QDateTime paidAt(today, QTime(9, 30));
    for (int r = 0; r < receipts.size(); ++r) {
        const Payer& payer = payers[r];
        if (payer.idNum.isEmpty())
            continue;
        const QString receipt = "OR" + QString::number(4200001 + r);
        for (const PaidLine& line : receipts[r])
            backend.exec(
                "INSERT INTO BILLING.tbCashAssessment (RefNum, RevenueID, ItemID, PatientName, "
                "Quantity, Amount, RequestingSection, UserID, IdNum, HospNum, AssessDate, "
                "ORNumber, PaidDate) VALUES (:ref, :revenue, :item, :patient, :quantity, "
                ":amount, :section, '10021', :id, :hosp, :assessed, :receipt, :paid)",
                {{"ref", "MM" + QString::number(number)},
                 {"revenue", line.revenue},
                 {"item", line.item},
                 {"patient", payer.name},
                 {"quantity", line.quantity},
                 {"amount", line.amount},
                 {"section", line.revenue == "MD" ? QVariant("MM") : QVariant()},
                 {"id", payer.idNum},
                 {"hosp", payer.hospNum},
                 {"assessed", Backend::timestampText(paidAt.addSecs(-1800))},
                 {"receipt", receipt},
                 {"paid", Backend::timestampText(paidAt.addSecs(600 * r))}});
        ++number;
    }
    backend.exec("UPDATE BILLING.tbAssessmentNum SET AssessmentNum = :n", {{"n", number}});
}

} // namespace server
