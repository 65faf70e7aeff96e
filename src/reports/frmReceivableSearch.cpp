#include "src/reports/frmReceivableSearch.h"

#include "src/controls/FlexGrid.h"
#include "src/data/Connection.h"
#include "src/data/SessionValues.h"
#include "src/ui/Guard.h"
#include "src/ui/KeyHelpers.h"
#include "src/ui/Units.h"
#include "src/ui/WaitCursor.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

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
    : QDialog(parent) {
    setObjectName("frmReceivableSearch");
    setWindowTitle("Registered Patients (Master File Search)");
    setModal(true);

    auto* header = new QLabel("Registered Patients         ", this);
    header->setObjectName("lblHeader");
    QFont headerFont = header->font();
    headerFont.setBold(true);
    headerFont.setPointSizeF(headerFont.pointSizeF() * 1.4);
    header->setFont(headerFont);
    header->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    header->setMinimumHeight(ui::twips(500));

    auto* searchFrame = new QGroupBox("Search", this);
    m_searchBy = new QComboBox(searchFrame);
    m_searchBy->setObjectName("cmbSearchBy");
    m_searchBy->addItems({"Last Name", "Admission #"});
    m_searchBy->setFixedWidth(ui::twips(1700));
    m_searchBox = new QLineEdit(searchFrame);
    m_searchBox->setObjectName("txtSearch");
    ui::upperCaseInput(m_searchBox);
    // On the window but not part of the search: the procedure lists billed
    // accounts whatever it shows.
    m_currentOnly = new QCheckBox("Current Registration Only", searchFrame);
    m_currentOnly->setObjectName("chkCurrent");
    m_currentOnly->setChecked(true);
    m_currentOnly->setVisible(false);
    auto* searchLayout = new QHBoxLayout(searchFrame);
    searchLayout->addWidget(m_searchBy);
    searchLayout->addWidget(m_searchBox, 1);
    searchLayout->addWidget(m_currentOnly);

    auto* listFrame = new QGroupBox("Patient List", this);
    m_list = new controls::FlexGrid(listFrame);
    m_list->setObjectName("grdList");
    int listWidth = 0;
    for (const Column& c : kShownColumns)
        listWidth += c.width;
    m_list->setMinimumSize(ui::twips(listWidth + 900), ui::twips(3600));
    (new QVBoxLayout(listFrame))->addWidget(m_list);
    ui::downMovesInto(m_searchBox, m_list);

    m_select = new QPushButton("&Select", this);
    m_select->setObjectName("cmdSelect");
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("cmdClose");
    // Enter belongs to the search box and the list, never to a default button.
    for (QPushButton* b : {m_select, close}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_select);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addWidget(searchFrame);
    layout->addWidget(listFrame, 1);
    layout->addLayout(buttons);

    connect(m_searchBox, &QLineEdit::returnPressed, this,
            [this] { ui::guard([this] { search(); }); });
    connect(m_select, &QPushButton::clicked, this, &frmReceivableSearch::choose);
    connect(close, &QPushButton::clicked, this, &frmReceivableSearch::reject);
    connect(m_list, &controls::FlexGrid::cellDoubleClicked, this, [this] {
        if (m_select->isEnabled())
            choose();
    });
    connect(m_list, &controls::FlexGrid::enterPressed, this, [this] {
        if (m_select->isEnabled())
            choose();
    });

    m_list->clearRows(2);
    layOutList();
    m_select->setEnabled(false);
}

void frmReceivableSearch::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_searchBox->setFocus();
}

void frmReceivableSearch::layOutList() {
    m_list->setCols(kListColumns);
    for (int c = 0; c < kListColumns; ++c) {
        const bool shown = c < int(std::size(kShownColumns));
        m_list->setTextMatrix(0, c, shown ? kShownColumns[c].heading : "");
        m_list->setColWidth(c, shown ? kShownColumns[c].width : 0);
    }
}

void frmReceivableSearch::search() {
    ui::WaitCursor wait;
    // The text goes as typed; its quotes are doubled so that a name such as
    // O'BRIEN is searched for rather than breaking the call.
    data::Recordset rs = data::currentSession().sessionConnection().open(
        "LABORATORY..spGlobal_BilledPatients " + data::quoted(m_searchBox->text()),
        data::adOpenDynamic, data::adLockOptimistic, data::adUseClient);
    m_list->setRedraw(false);
    if (rs.eof()) {
        m_list->clearRows(2);
        layOutList();
        m_list->setRedraw(true);
        m_select->setEnabled(false);
        rs.close();
        return;
    }
    m_list->bind(rs);
    rs.close();
    layOutList();
    for (int c = 1; c < int(std::size(kShownColumns)); ++c)
        m_list->widenToFit(c, kShownColumns[c].width);
    m_list->setRedraw(true);
    m_list->setRow(1);
    m_select->setEnabled(true);
}

void frmReceivableSearch::choose() {
    const int row = m_list->row();
    if (row < 1 || row >= m_list->rows())
        return;
    m_valid = true;
    m_resultCode = m_list->textMatrix(row, kAdmissionColumn).trimmed();
    const QString first = (m_list->textMatrix(row, kFirstNameColumn) + " " +
                           m_list->textMatrix(row, kMiddleNameColumn))
                              .trimmed();
    m_patient = m_list->textMatrix(row, kLastNameColumn).trimmed();
    if (!first.isEmpty())
        m_patient += ", " + first;
    ui::guard([this] { emit admissionChosen(m_resultCode); });
    accept();
}

void frmReceivableSearch::reject() {
    m_valid = false;
    QDialog::reject();
}

} // namespace reports
