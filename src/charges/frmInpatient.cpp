#include "src/charges/frmInpatient.h"

#include "src/controls/FlexGrid.h"
#include "src/data/Module1.h"
#include "src/ui/Guard.h"
#include "src/ui/MsgBox.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>

namespace charges {

frmInpatient::frmInpatient(QWidget* parent)
    : ChargeEntryWindow({"Inpatient Request Entry", true, true, false}, parent) {
    setObjectName("frmInpatient");
    txtSname->installEventFilter(this);
}

bool frmInpatient::gridUsable() const {
    return !txtSname->text().isEmpty();
}

double frmInpatient::price(const data::OtherRevenueInfo& item) const {
    return inpatientPrice(item, m_roomClass,
                          data::Module1::IsSpecialAdmission(txtAdmNo->text().trimmed()));
}

void frmInpatient::afterSave(const QString& slip) {
    ui::MsgBox("Saving completed...ChargeSlip No. : " + slip, ui::vbInformation);
}

std::optional<QString> frmInpatient::doctorSearchText(bool fromButton) const {
    return fromButton ? QString() : txtDoctorID->text();
}

void frmInpatient::clearAfterSave() {
    clearHeader();
    m_account.clear();
    setUpGrid();
}

void frmInpatient::placeOnActivation() {
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().topLeft());
}

bool frmInpatient::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtSname && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            searchPatient();
            focusNextChild();
            return true;
        }
    }
    return ChargeEntryWindow::eventFilter(watched, event);
}

void frmInpatient::searchPatient() {
    ui::guard([this] {
        data::IPatientSearch& search = patientSearch();
        if (!search.ValidateAdmission(txtSname->text(), QString()))
            return;
        const data::AdmissionInfo& admission = search.Admission();
        fillFromAdmission(admission);
        m_roomClass = admission.Room.RoomClassID;
        m_account = admission.Account.Account;
        // A patient found makes the grid usable again, also after an early click.
        grdTable->setEnabled(true);
        if (!data::isUnset(admission.BillingDate)) {
            ui::MsgBox("Cannot post charges. Patient's account has already been closed. Please "
                       "contact Billing for further instructions.",
                       ui::vbExclamation);
            txtSname->clear();
            close();
        }
    });
}

} // namespace charges
