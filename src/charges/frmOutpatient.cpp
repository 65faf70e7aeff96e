#include "src/charges/frmOutpatient.h"

#include "src/controls/FlexGrid.h"
#include "src/data/Connection.h"
#include "src/data/StoredProcs.h"
#include "src/ui/Guard.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>

namespace charges {

frmOutpatient::frmOutpatient(QWidget* parent)
    : ChargeEntryWindow({"Oupatient Request Entry", false, true, true}, parent) {
    setObjectName("frmOutpatient");
}

double frmOutpatient::price(const data::OtherRevenueInfo& item) const {
    return outpatientPrice(item);
}

QString frmOutpatient::slipNumber() {
    return m_cashPatient ? txtORNum->text() : ChargeEntryWindow::slipNumber();
}

void frmOutpatient::afterRequest(int line, const QString& slip) {
    if (!m_cashPatient) {
        ChargeEntryWindow::afterRequest(line, slip);
        return;
    }
    connection().execute(data::StoredProcs::spCashUpdate(slip, cell(line, Code), "Y"));
}

void frmOutpatient::placeOnActivation() {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->move(0, 0);
}

void frmOutpatient::showEvent(QShowEvent* event) {
    ChargeEntryWindow::showEvent(event);
    if (!m_loaded)
        load();
}

void frmOutpatient::load() {
    m_loaded = true;
    if (m_cashPatient) {
        lblORNum->show();
        txtORNum->show();
        txtORNum->setText(m_orNumber);
        cmdPrint->setEnabled(false);
    }
    ui::guard([this] {
        if (m_patientType != "I") {
            loadOutpatientRecord();
        } else if (patientSearch().ValidateAdmission(m_idnumber, QString())) {
            fillFromAdmission(patientSearch().Admission());
        }
    });
    setUpGrid();
    if (m_cashPatient)
        ui::guard([this] { loadPaidItems(); });
}

void frmOutpatient::loadOutpatientRecord() {
    const data::Recordset r =
        connection().open(data::StoredProcs::spOutMaster(m_patientType, m_idnumber));
    if (r.eof())
        return;
    const auto text = [&r](const char* name) { return r[name].text(); };
    txtSname->setText(text("LastName"));
    txtFname->setText(text("FirstName"));
    txtMname->setText(text("MiddleName"));
    setCivilStatus(r["CivilStatus"].isNull() ? 1 : int(leadingNumber(text("CivilStatus"))));
    setSex(text("Sex"));
    const QDateTime born = r["BirthDate"].dateTime();
    txtBirth->setText(born.isValid() ? born.toString("MM/dd/yyyy") : QString());
    txtAge->setText(text("Age"));
    txtAddress->setText(outpatientAddress(text("HouseStreet"), text("Barangay"), text("Town"),
                                          text("Province")));
    txtAdmNo->setText(text("IdNum"));
    txtHospNo->setText(text("HospNum"));
    txtRoomNo->setText(text("RoomID"));
    const QDateTime admitted = r["AdmDate"].dateTime();
    txtAdmDate->setText(admitted.isValid() ? admitted.toString("MM/dd/yyyy") : QString());
    txtDoctorID->setText(text("DoctorID"));
    txtDoctor->setText(text("DRFirstName") + " " + text("DRLastName"));
    m_account = text("AccountNum");
}

void frmOutpatient::loadPaidItems() {
    data::Recordset items = connection().open(data::StoredProcs::spCashExams(m_orNumber));
    if (items.eof())
        return;
    int line = 1;
    for (; !items.eof(); items.moveNext(), ++line) {
        double quantity = items["Quantity"].isNull() ? 1 : items["Quantity"].number();
        if (quantity == 0)
            quantity = 1;
        const double amount = items["Amount"].number();
        const QString department = items["RevenueID"].text();
        setCell(line, Department, department);
        setCell(line, Code, items["Code"].text());
        setCell(line, Exam, items["Exam"].text());
        const bool fee = department == "MD";
        setCell(line, Price, fee ? QString() : money(amount / quantity));
        setCell(line, Quantity, fee ? QString() : money(quantity));
        setCell(line, Amount, money(amount));
        if (line == lineCount())
            appendLine();
    }
    // The paid items cannot be changed, removed or added to.
    grdTable->setEnabled(false);
}

} // namespace charges
