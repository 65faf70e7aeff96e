#include "src/charges/frmReceivableEntry.h"

#include "src/data/Connection.h"
#include "src/data/Quoting.h"
#include "src/data/SessionValues.h"
#include "src/ui/Guard.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScreen>

namespace charges {

frmReceivableEntry::frmReceivableEntry(QWidget* parent)
    : ChargeEntryWindow({"Receivable Entry", false, false, true}, parent) {
    setObjectName("frmReceivableEntry");
}

double frmReceivableEntry::price(const data::OtherRevenueInfo& item) const {
    return receivablePrice(item, data::currentSession().clientCode, txtAdmNo->text(),
                           m_roomClass);
}

QString frmReceivableEntry::chargePatientType() const {
    return isAdmissionNumber(txtAdmNo->text()) ? "I" : "O";
}

void frmReceivableEntry::placeOnActivation() {
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().topLeft());
}

void frmReceivableEntry::showEvent(QShowEvent* event) {
    ChargeEntryWindow::showEvent(event);
    if (!m_loaded)
        load();
}

void frmReceivableEntry::load() {
    m_loaded = true;
    setUpGrid();
    txtAdmNo->setText(m_idnumber);
    ui::guard([this] {
        if (isAdmissionNumber(m_idnumber))
            loadAdmission();
        else
            loadVisit();
    });
}

void frmReceivableEntry::loadAdmission() {
    const data::Recordset r = connection().open("CLINICAL_aREA..sp_Cancer_SearchInPatient " +
                                                data::quoted(m_idnumber));
    if (r.eof())
        return;
    txtAdmNo->setText(m_idnumber);
    txtHospNo->setText(r["HospNum"].text());
    const QDateTime admitted = r["AdmDate"].dateTime();
    if (admitted.isValid())
        txtAdmDate->setText(admitted.toString("MM/dd/yyyy"));
    txtDoctorID->setText(r["ATTENDINGDR1"].text());
    loadMasterFields(r["HospNum"].text());
    const QString room = r["RoomID"].text();
    txtRoomNo->setText(room);
    const data::Recordset roomClass = connection().open(
        "Select top 1 ISNull(RoomClassID,'') as RoomClassID from Build_file..tbcoroom where "
        "roomid = " +
        data::quoted(room));
    m_roomClass = roomClass.eof() ? QString() : roomClass["RoomClassID"].text();
}

void frmReceivableEntry::loadVisit() {
    const data::Recordset r = connection().open("CLINICAL_aREA..sp_Cancer_searchoutpatient " +
                                                data::quoted(m_idnumber));
    if (r.eof())
        return;
    txtAdmNo->setText(m_idnumber);
    txtHospNo->setText(r["HospNum"].text());
    const QDateTime admitted = r["AdmDate"].dateTime();
    if (admitted.isValid())
        txtAdmDate->setText(admitted.toString("MM/dd/yyyy"));
    txtDoctorID->setText(r["doctorid1"].text());
    loadMasterFields(r["HospNum"].text());
    txtRoomNo->setText("OPD");
}

void frmReceivableEntry::loadMasterFields(const QString& hospNum) {
    data::IPatientSearch& search = patientSearch();
    if (!search.LoadPatient(hospNum))
        return;
    const data::PatientInfo patient = search.PatientMaster();
    txtSname->setText(patient.LastName);
    txtFname->setText(patient.FirstName);
    txtMname->setText(patient.MiddleName);
    txtAge->setText(search.PatientMasterAge());
    // The sex shows as it comes.
    const QString sex = search.PatientMasterSex();
    cmbSex->setCurrentIndex(sex == "M" ? 0 : sex == "F" ? 1 : -1);
    txtBirth->setText(patient.BirthDate.isValid() ? patient.BirthDate.toString("MM/dd/yyyy")
                                                  : QString());
}

} // namespace charges
