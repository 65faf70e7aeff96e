#include "src/shell/ScreenRoutes.h"

#include "src/charges/WalkInHook.h"
#include "src/charges/frmInpatient.h"
#include "src/charges/frmOutpatient.h"
#include "src/charges/frmReceivableEntry.h"
#include "src/controls/clsOutpatientSearch.h"
#include "src/controls/frmCashPatients.h"
#include "src/reports/frmReceivableSearch.h"
#include "src/shell/Routes.h"
#include "src/shell/frmMain.h"
#include "src/tracking/frmCashComm.h"
#include "src/ui/WaitCursor.h"

#include <QApplication>

namespace shell {

namespace {

void openInpatientEntry(frmMain& main, const MenuItem&) {
    main.openOnce("frmInpatient", [] { return new charges::frmInpatient; }, false);
}

// A registered outpatient picked from the list gets a window of its own.
void openOutpatientCharge(frmMain& main, const MenuItem&) {
    ui::WaitCursor busy;
    controls::clsOutpatientSearch search;
    QString text;
    if (!search.ValidatePatient(text, true))
        return;
    auto* window = new charges::frmOutpatient;
    window->setPatientType("O");
    window->setCashPatient(false);
    window->setIdnumber(search.Idnumber());
    main.addChild(window);
}

// The cashier's communication gives the receipt, the cash picker the patient.
void openPaidRequest(frmMain& main, const MenuItem&) {
    tracking::frmCashComm communications(&main);
    communications.exec();
    if (!communications.Valid())
        return;
    const QString receipt = communications.ResultCode();
    controls::frmCashPatients picker(&main);
    picker.setPatientRecord(receipt + " " + communications.Patient());
    picker.exec();
    if (!picker.Valid())
        return;
    auto* window = new charges::frmOutpatient;
    window->setCashPatient(true);
    window->setIdnumber(picker.ResultCode());
    window->setORNumber(receipt);
    window->setPatientType(picker.PatientType());
    window->setWindowTitle("Paid Request Entry");
    main.addChild(window);
}

void openReceivableEntry(frmMain& main, const MenuItem&) {
    if (!passwordAndRightsCheck(&main))
        return;
    reports::frmReceivableSearch search(&main);
    QObject::connect(&search, &reports::frmReceivableSearch::admissionChosen, &search,
                     [&search](const QString& idnumber) {
                         charges::frmReceivableEntry entry(&search);
                         entry.setIdnumber(idnumber);
                         entry.exec();
                     });
    search.exec();
}

} // namespace

void registerScreenRoutes() {
    charges::installWalkInOpener();
    registerRoute("inpatient", openInpatientEntry);
    registerRoute("charge", openOutpatientCharge);
    registerRoute("cash", openPaidRequest);
    registerRoute("receivable", openReceivableEntry);
}

} // namespace shell
