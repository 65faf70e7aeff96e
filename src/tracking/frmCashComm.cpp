#include "src/tracking/frmCashComm.h"

#include "src/controls/FlexGrid.h"
#include "src/data/Connection.h"
#include "src/data/SessionValues.h"
#include "src/data/StoredProcs.h"
#include "src/ui/Units.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

namespace tracking {

namespace {

// The list's columns: the narrow fixed column, then the communication's fields.
struct Column {
    const char* heading;
    const char* field;
    int width; // twips
};
const Column kColumns[] = {
    {"", nullptr, 200},     {"OR #", "OR #", 1250}, {"Patient", "Patient", 3000},
    {"Exam", "Exam", 3000}, {"Date", "Date", 1000},
};
constexpr int kReceiptColumn = 1;
constexpr int kPatientColumn = 2;

} // namespace

frmCashComm::frmCashComm(QWidget* parent)
    : PatientPicker(parent, "frmCashComm", "Search Cash Communication", {"Patient", "OR #"}) {
    header()->setText("Cashier Communication    ");
    header()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    frame()->setTitle("Patient List");
    int listWidth = 0;
    for (const Column& c : kColumns)
        listWidth += c.width;
    grid()->setMinimumSize(ui::twips(listWidth + 400), ui::twips(3600));
    // The date fills what the list has to spare, so that it is never cut short
    // in a wider font.
    grid()->horizontalHeader()->setStretchLastSection(true);
    resetList();
}

void frmCashComm::load() {
    runSearch();
}

void frmCashComm::resetList() {
    controls::FlexGrid* list = grid();
    list->clearRows(2);
    list->setCols(int(std::size(kColumns)));
    for (int c = 0; c < int(std::size(kColumns)); ++c) {
        list->setTextMatrix(0, c, kColumns[c].heading);
        list->setColWidth(c, kColumns[c].width);
    }
    setSelectable(false);
}

void frmCashComm::search() {
    data::Recordset rs = data::currentSession().sessionConnection().open(
        data::StoredProcs::spCommunication(searchBy()->currentIndex(), searchBox()->text()));
    resetList();
    if (rs.eof())
        return;
    controls::FlexGrid* list = grid();
    list->setRedraw(false);
    int row = 1;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext(), ++row) {
        if (row >= list->rows())
            list->addRow();
        for (int c = 1; c < int(std::size(kColumns)); ++c)
            list->setTextMatrix(row, c, rs.field(kColumns[c].field).text());
    }
    for (int c = 1; c < int(std::size(kColumns)); ++c)
        list->widenToFit(c, kColumns[c].width);
    list->setRedraw(true);
    list->setRow(1);
    setSelectable(true);
}

void frmCashComm::select() {
    const int row = grid()->row();
    if (row < 1 || row >= grid()->rows())
        return;
    setResultCode(grid()->textMatrix(row, kReceiptColumn));
    m_patient = grid()->textMatrix(row, kPatientColumn);
    finish();
}

} // namespace tracking
