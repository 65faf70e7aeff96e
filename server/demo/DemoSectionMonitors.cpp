#include "server/Backend.h"
#include "server/demo/DemoExtensions.h"

#include <QDateTime>

namespace server {

namespace {

const QStringList kNurses{"R. SALVADOR, RN", "M. DIZON, RN", "L. PASCUAL, RN", "G. OCAMPO, RN"};
const QStringList kStations{"2ND FLOOR STATION", "3RD FLOOR STATION", "PEDIA STATION",
                            "OB-GYN STATION"};

} // namespace

// Pending nurse requests, discharge notices (some already cleared by the
// section) and the section's settings, drawn from the admissions and exams
// the master data already holds.
void loadSectionMonitorDemoData(Backend& backend, quint32 seed, const QDate& today) {
    const QDateTime morning(today, QTime(8, 0));
    const Result admitted = backend.query(
        "SELECT IDNum, HospNum FROM PATIENT_DATA.tbPatient WHERE DischargeDate IS NULL "
        "AND BillingDate IS NULL ORDER BY IDNum");
    const Result exams = backend.query("SELECT OtherRevenueID, RateC FROM "
                                       "BUILD_FILE.tbCoOtherRevenue WHERE RevenueID = 'MM' "
                                       "ORDER BY OtherRevenueID");
    if (admitted.rows.isEmpty() || exams.rows.isEmpty())
        return;

    const int requests = std::min<int>(8, int(admitted.rows.size()));
    for (int i = 0; i < requests; ++i) {
        const Row& patient = admitted.rows[(i * 7 + int(seed % 5)) % admitted.rows.size()];
        const Row& exam = exams.rows[(i * 3) % exams.rows.size()];
        backend.exec("INSERT INTO RADIOLOGY.tbNurseRequest (IdNum, ItemID, RequestDate, HospNum, "
                     "RevenueID, Quantity, Amount, Remarks, RequestingNurse, Station, Stat, "
                     "PatientType, Status) VALUES (:id, :item, :when, :hosp, 'MM', 1, :amount, "
                     ":remarks, :nurse, :station, :stat, 'I', :status)",
                     {{"id", patient[0]},
                      {"item", exam[0]},
                      {"when", Backend::timestampText(morning.addSecs(-3600 * (i + 1)))},
                      {"hosp", patient[1]},
                      {"amount", exam[1]},
                      {"remarks", i % 3 == 0 ? QString("PLEASE DO TODAY") : QString()},
                      {"nurse", kNurses[i % kNurses.size()]},
                      {"station", kStations[i % kStations.size()]},
                      {"stat", i % 4 == 0 ? "Y" : "N"},
                      {"status", i < 6 ? "P" : "R"}});
    }

    const int notices = std::min<int>(5, int(admitted.rows.size()));
    for (int i = 0; i < notices; ++i) {
        const Row& patient = admitted.rows[admitted.rows.size() - 1 - i];
        const bool clearedByMammo = i >= 3;
        const QDateTime issued = morning.addSecs(-1800 * (i + 1));
        backend.exec(
            "INSERT INTO PATIENT_DATA.tbDischargeNotice (IdNum, HospNum, NoticeDate, "
            "OrderedDate, DischargeNurse, Remarks, MMClearDate, MMUserID, "
            "MMClearRemarks) VALUES (:id, :hosp, :notice, :ordered, :nurse, :remarks, "
            ":cleared, :user, :clearRemarks)",
            {{"id", patient[0]},
             {"hosp", patient[1]},
             {"notice", Backend::timestampText(issued)},
             {"ordered", Backend::timestampText(issued.addSecs(-600))},
             {"nurse", kNurses[(i + 1) % kNurses.size()]},
             {"remarks", "MAY GO HOME"},
             {"cleared", clearedByMammo ? QVariant(Backend::timestampText(issued.addSecs(900)))
                                        : QVariant(QMetaType::fromType<QString>())},
             {"user",
              clearedByMammo ? QVariant("10021") : QVariant(QMetaType::fromType<QString>())},
             {"clearRemarks", clearedByMammo ? QVariant("NO PENDING EXAMS")
                                             : QVariant(QMetaType::fromType<QString>())}});
    }

    backend.exec("INSERT INTO RADIOLOGY.tbRadioSetup (SectionCode, CashBasis, UserID, Markup, "
                 "PMarkup, MarkupOperator, PAcs, Company, CompanyMarkup, FileNoSetup, FileNumber, "
                 "FileNoPrefix, UpdatedDate) VALUES ('MM', '1', '10031', '30', '20', '+', '0', "
                 "'3', '10', '1', '0', 'MM-', :when)",
                 {{"when", Backend::timestampText(morning)}});
}

} // namespace server
