#include "src/controls/frmCashPatients.h"

#include "src/controls/FlexGrid.h"
#include "src/controls/WalkInOpener.h"
#include "src/data/Connection.h"
#include "src/data/DbError.h"
#include "src/data/SessionValues.h"
#include "src/data/SharedComponents.h"
#include "src/data/StoredProcs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace controls {

namespace {
const char* const kTypeCodes[] = {"C", "O", "I"};
}

frmCashPatients::frmCashPatients(QWidget* parent)
    : PatientPicker(parent, "frmCashPatients", "Search Cash Patients",
                    {"Last Name", "Cash Patient #"})
    , m_record(new QLabel(this))
    , m_type(new QComboBox(this)) {
    header()->setText("Search Cash Patients");
    m_record->setObjectName("lblPatientRecord");
    m_record->setWordWrap(true);
    m_type->setObjectName("cmbPatientType");
    m_type->addItems({"WALK-IN", "OUTPATIENT", "INPATIENT"});
    m_type->installEventFilter(this);
    fields()->insertRow(0, m_record);
    fields()->insertRow(1, "Patient &type:", m_type);
    m_add = addButton("cmdAdd", "&Add Patient");

    connect(m_type, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_add->setEnabled(index == WalkIn); });
    connect(m_add, &QPushButton::clicked, this, [this] { openWalkIn(this, false); });
    setFirstFocus(m_type);
}

void frmCashPatients::setPatientRecord(const QString& text) {
    m_record->setText(text);
}

void frmCashPatients::load() {
    setResultCode(QString());
    searchBy()->setCurrentIndex(0);
    m_type->setCurrentIndex(WalkIn);
    m_add->setEnabled(true);
    FlexGrid& list = *grid();
    list.clearRows(2);
    applyListLayout(list, true);
    setSelectable(false);
}

void frmCashPatients::search() {
    switch (m_type->currentIndex()) {
    case WalkIn:
        fillList(data::StoredProcs::spWalkIn(searchKind().toInt(), searchText()), false);
        break;
    case Outpatient:
        fillList(data::StoredProcs::spOutpatientSearch(searchKind().toInt(), searchText()), true);
        break;
    case Inpatient: {
        data::IPatientSearch* patients = data::currentSession().patientSearch;
        if (!patients)
            throw data::DbError("The patient search component is not loaded.");
        if (patients->ValidateAdmission(searchText(), QString())) {
            setResultCode(patients->Admission().Idnumber);
            select();
        }
        break;
    }
    default:
        break;
    }
}

void frmCashPatients::fillList(const QString& command, bool withAdmDate) {
    data::Recordset rows = data::currentSession().sessionConnection().open(
        command, data::adOpenDynamic, data::adLockOptimistic, data::adUseClient);
    FlexGrid& list = *grid();
    list.setRedraw(false);
    list.clearRows(2);
    applyListLayout(list, true);
    int row = 1;
    for (; !rows.eof(); rows.moveNext(), ++row) {
        if (row >= list.rows())
            list.addRow();
        list.setTextMatrix(row, 1, rows.field(withAdmDate ? "IdNum" : "HospNum").text());
        list.setTextMatrix(row, 2, rows.field("LastName").text());
        list.setTextMatrix(row, 3, rows.field("FirstName").text());
        list.setTextMatrix(row, 4, rows.field("MiddleName").text());
        if (withAdmDate) {
            const QDateTime admitted = rows.field("AdmDate").dateTime();
            list.setTextMatrix(row, 5,
                               admitted.isValid() ? admitted.toString("MM/dd/yyyy") : QString());
        }
    }
    list.setRow(1);
    list.setRedraw(true);
    setSelectable(rows.recordCount() > 0);
    rows.close();
}

void frmCashPatients::select() {
    const int type = std::max(m_type->currentIndex(), 0);
    if (type != Inpatient) {
        setResultCode(currentCode());
    } else if (ResultCode().isEmpty()) {
        // No inpatient has been found: there is nobody to return.
        return;
    }
    m_patientType = kTypeCodes[type];
    finish();
}

bool frmCashPatients::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_type && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int chosen = key->key() == Qt::Key_W   ? WalkIn
                           : key->key() == Qt::Key_O ? Outpatient
                           : key->key() == Qt::Key_I ? Inpatient
                                                     : -1;
        if (chosen >= 0 && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            m_type->setCurrentIndex(chosen);
            searchBox()->setFocus();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            searchBox()->setFocus();
            return true;
        }
    }
    return PatientPicker::eventFilter(watched, event);
}

} // namespace controls
