#include "src/controls/frmPatientList.h"

#include "src/controls/FlexGrid.h"
#include "src/controls/PatientQueries.h"
#include "src/controls/WalkInOpener.h"
#include "src/data/Connection.h"
#include "src/data/SessionValues.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace controls {

frmPatientList::frmPatientList(QWidget* parent)
    : PatientPicker(parent, "frmPatientList", QString(), {"Last Name", "Admission #"})
    , m_current(new QCheckBox("Current Registration Only", this)) {
    frame()->setTitle("Patient List");
    m_current->setObjectName("chkCurrent");
    m_current->setChecked(true);
    fields()->addRow(QString(), m_current);
    m_add = addButton("cmdAdd", "&Add Cash Patient");
    m_add->setVisible(false);

    connect(m_current, &QCheckBox::toggled, this, [this] { runSearch(); });
    connect(m_add, &QPushButton::clicked, this, [this] {
        openWalkIn(this, true);
        runSearch();
    });
}

void frmPatientList::setListCaption(const QString& caption) {
    m_listCaption = caption;
    setWindowTitle(caption);
    header()->setText(caption + "    ");
}

void frmPatientList::setCurrentCaption(const QString& caption) {
    m_current->setText(caption);
    // Hidden, the box stays ticked: the list then asks for current registrations.
    m_current->setVisible(!caption.isEmpty());
    if (caption.isEmpty()) {
        const QSignalBlocker quiet(m_current);
        m_current->setChecked(true);
    }
}

void frmPatientList::setPatientRecord(const QString& text) {
    m_patientRecord = text;
}

void frmPatientList::setPatientQuery(const QString& query) {
    m_query = query;
}

void frmPatientList::setEnableAddPatient(bool on) {
    m_add->setVisible(on);
}

void frmPatientList::load() {
    setResultCode(QString());
    searchBy()->setCurrentIndex(0);
    searchBox()->setText(m_patientRecord);
    runSearch();
}

void frmPatientList::search() {
    const QString command = PatientQueries::spPatientList(
        m_query, m_current->isChecked() ? "1" : "0", searchKind(), searchText());
    data::Recordset rows = data::currentSession().sessionConnection().open(
        command, data::adOpenDynamic, data::adLockOptimistic, data::adUseClient);
    FlexGrid& list = *grid();
    list.setRedraw(false);
    // Bound even when empty, so that the headings name the fields.
    list.bind(rows);
    if (rows.recordCount() == 0)
        list.clearRows(2);
    applyListLayout(list, false);
    list.setRedraw(true);
    setSelectable(rows.recordCount() > 0);
    rows.close();
}

} // namespace controls
