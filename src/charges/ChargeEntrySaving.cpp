#include "src/charges/ChargeEntryWindow.h"

#include "src/controls/FlexGrid.h"
#include "src/data/Connection.h"
#include "src/data/SessionValues.h"
#include "src/data/StoredProcs.h"
#include "src/ui/Guard.h"
#include "src/ui/MsgBox.h"
#include "src/ui/WaitCursor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

namespace charges {

namespace {

} // namespace

QString ChargeEntryWindow::slipNumber() {
    return data::StoredProcs::NextChargeSlipNo();
}

void ChargeEntryWindow::afterRequest(int line, const QString& slip) {
    connection().execute(data::StoredProcs::spSaveCharges(
        chargePatientType(), txtAdmNo->text(), txtHospNo->text(), slip, cell(line, Department),
        cell(line, Code), cell(line, Quantity), cell(line, Amount), txtDoctorID->text(),
        txtRoomNo->text()));
}

void ChargeEntryWindow::afterSave(const QString&) {}

// Writes the entry under one slip number: every filled line as a request of
// the section, then its charge (or the use of a paid item). The lines are
// written all together or not at all; the slip number is drawn before, so a
// failed save never hands its number to the next one.
bool ChargeEntryWindow::save() {
    for (int r = 1; r <= lineCount(); ++r)
        if (!cell(r, Code).isEmpty() && leadingNumber(cell(r, Amount)) == 0) {
            ui::MsgBox("Enter the quantity for the exam " + cell(r, Code) + ".");
            goToCell(r, Department);
            return false;
        }
    QString slip;
    const bool saved = ui::guard([&] {
        ui::WaitCursor busy;
        slip = slipNumber();
        data::TransactionGuard transaction(connection());
        for (int r = 1; r <= lineCount(); ++r) {
            if (cell(r, Code).trimmed().isEmpty())
                continue;
            connection().execute(data::StoredProcs::spSaveRequest(
                txtHospNo->text(), txtAdmNo->text(), slip, cell(r, Code), cell(r, Quantity),
                cell(r, Amount), requestPatientType(), txtDoctorID->text(), txtRoomNo->text(),
                cell(r, Department)));
            afterRequest(r, slip);
        }
        transaction.commit();
    });
    if (!saved)
        return false;
    m_savedSlip = slip;
    afterSave(slip);
    return true;
}

void ChargeEntryWindow::saveClicked() {
    if (!save())
        return;
    txtSname->clear();
    clearAfterSave();
    close();
}

void ChargeEntryWindow::saveAndPrintClicked() {
    if (save()) {
        const QString patient = txtSname->text() + ", " + txtFname->text();
        txtSname->clear();
        printSlip(m_savedSlip, patient);
    }
    close();
}

QList<ChargeSlipLine> ChargeEntryWindow::filledLines() const {
    QList<ChargeSlipLine> lines;
    for (int r = 1; r <= lineCount(); ++r)
        if (!cell(r, Code).isEmpty())
            lines << ChargeSlipLine{cell(r, Code), cell(r, Exam), cell(r, Quantity),
                                    cell(r, Price), cell(r, Amount)};
    return lines;
}

void ChargeEntryWindow::printSlip(const QString& slip, const QString& patient) {
    ui::guard([&] {
        ui::WaitCursor busy;
        DumpChargeEntryLines(filledLines());
        PrintChargeSlip(SlipKind::ChargeEntry, slip, patient, slipCompany(), txtAdmNo->text(),
                        slipOutput());
    });
}

void ChargeEntryWindow::closeEvent(QCloseEvent* event) {
    if (!txtSname->text().isEmpty() &&
        ui::MsgBox("Abandon current entry?", ui::vbQuestion | ui::vbYesNo, windowTitle()) ==
            ui::vbNo) {
        event->ignore();
        return;
    }
    hideEditor();
    event->accept();
}

void ChargeEntryWindow::reject() {
    close();
}

} // namespace charges
