#include "src/controls/frmRegisteredOPD.h"

#include "src/controls/FlexGrid.h"
#include "src/controls/PatientQueries.h"
#include "src/data/Connection.h"
#include "src/data/SessionValues.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace controls {

frmRegisteredOPD::frmRegisteredOPD(QWidget* parent)
    : PatientPicker(parent, "frmRegisteredOPD", "Registered Outpatients",
                    {"Last Name", "Admission #"})
    , m_current(new QCheckBox("Current Registration Only", this)) {
    header()->setText("Registered Outpatients");
    m_current->setObjectName("chkCurrent");
    m_current->setChecked(true);
    fields()->addRow(QString(), m_current);
    connect(m_current, &QCheckBox::toggled, this, [this] { runSearch(); });
}

void frmRegisteredOPD::load() {
    setResultCode(QString());
    searchBy()->setCurrentIndex(0);
    searchBox()->setText(m_patientRecord);
    runSearch();
}

void frmRegisteredOPD::search() {
    const QString command = PatientQueries::spOutpatient(m_current->isChecked() ? "1" : "0",
                                                         searchKind(), searchText());
    data::Recordset rows = data::currentSession().sessionConnection().open(
        command, data::adOpenDynamic, data::adLockOptimistic, data::adUseClient);
    FlexGrid& list = *grid();
    list.setRedraw(false);
    if (rows.recordCount() == 0) {
        list.clearRows(2);
    } else {
        list.bind(rows);
        // The visit date as the list shows dates; the time stays with the record.
        for (int r = 1; r < list.rows(); ++r) {
            rows.move(r - 1);
            const QDateTime admitted = rows.field("AdmDate").dateTime();
            list.setTextMatrix(r, 5,
                               admitted.isValid() ? admitted.toString("MM/dd/yyyy") : QString());
        }
    }
    applyListLayout(list, true);
    list.setRedraw(true);
    setSelectable(rows.recordCount() > 0);
    rows.close();
}

} // namespace controls
