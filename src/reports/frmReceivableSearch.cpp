#include "src/reports/frmReceivableSearch.h"

#include "src/controls/FlexGrid.h"
#include "src/data/Connection.h"
#include "src/data/Quoting.h"
#include "src/data/SessionValues.h"
#include "src/ui/Guard.h"
#include "src/ui/Units.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace reports {

namespace {

// The list's 24 columns: the narrow fixed column, the eight shown columns of a
// billed patient, and the further patient data, kept but hidden.
struct Column {
    const char* heading;
    int width; // twips
};
const Column kShownColumns[] = {
    {"", 200},           {"Hosp. #", 800},     {"Adm. #", 800},
    {"Last Name", 1500}, {"First Name", 1500}, {"Middle Name", 1500},
    {"Room #", 500},     {"Adm. Date", 2000},  {"Dcr. Date", 2000},
};
constexpr int kListColumns = 24;
constexpr int kAdmissionColumn = 2;
constexpr int kLastNameColumn = 3;
constexpr int kFirstNameColumn = 4;
constexpr int kMiddleNameColumn = 5;

} // namespace

frmReceivableSearch::frmReceivableSearch(QWidget* parent)
    : PatientPicker(parent, "frmReceivableSearch", "Registered Patients (Master File Search)",
                    {"Last Name", "Admission #"}) {
    header()->setText("Registered Patients         ");
    header()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    frame()->setTitle("Patient List");
    // On the window but not part of the search: the procedure lists billed
    // accounts whatever it shows.
    m_currentOnly = new QCheckBox("Current Registration Only", frame());
    m_currentOnly->setObjectName("chkCurrent");
    m_currentOnly->setChecked(true);
    fields()->addRow(m_currentOnly);
    m_currentOnly->setVisible(false);
    int listWidth = 0;
    for (const Column& c : kShownColumns)
        listWidth += c.width;
    grid()->setMinimumSize(ui::twips(listWidth + 900), ui::twips(3600));
    grid()->clearRows(2);
    layOutList();
}

void frmReceivableSearch::layOutList() {
    controls::FlexGrid* list = grid();
    list->setCols(kListColumns);
    for (int c = 0; c < kListColumns; ++c) {
        const bool shown = c < int(std::size(kShownColumns));
        list->setTextMatrix(0, c, shown ? kShownColumns[c].heading : "");
        list->setColWidth(c, shown ? kShownColumns[c].width : 0);
    }
}

void frmReceivableSearch::search() {
    // The text goes as typed; its quotes are doubled so that a name such as
    // O'BRIEN is searched for rather than breaking the call.
    data::Recordset rs = data::currentSession().sessionConnection().open(
        "LABORATORY..spGlobal_BilledPatients " + data::quoted(searchBox()->text()),
        data::adOpenDynamic, data::adLockOptimistic, data::adUseClient);
    controls::FlexGrid* list = grid();
    list->setRedraw(false);
    if (rs.eof()) {
        list->clearRows(2);
        layOutList();
        list->setRedraw(true);
        setSelectable(false);
        return;
    }
    list->bind(rs);
    layOutList();
    for (int c = 1; c < int(std::size(kShownColumns)); ++c)
        list->widenToFit(c, kShownColumns[c].width);
    list->setRedraw(true);
    list->setRow(1);
    setSelectable(true);
}

void frmReceivableSearch::select() {
    controls::FlexGrid* list = grid();
    const int row = list->row();
    if (row < 1 || row >= list->rows())
        return;
    const QString admission = list->textMatrix(row, kAdmissionColumn).trimmed();
    setResultCode(admission);
    const QString first = (list->textMatrix(row, kFirstNameColumn) + " " +
                           list->textMatrix(row, kMiddleNameColumn))
                              .trimmed();
    m_patient = list->textMatrix(row, kLastNameColumn).trimmed();
    if (!first.isEmpty())
        m_patient += ", " + first;
    ui::guard([&] { emit admissionChosen(admission); });
    finish();
}

} // namespace reports
