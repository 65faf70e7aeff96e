#include "src/tracking/frmCashComm.h"

#include "src/controls/FlexGrid.h"
#include "src/data/Connection.h"
#include "src/data/SessionValues.h"
#include "src/data/StoredProcs.h"
#include "src/ui/Guard.h"
#include "src/ui/KeyHelpers.h"
#include "src/ui/Units.h"
#include "src/ui/WaitCursor.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

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
    : QDialog(parent) {
    setObjectName("frmCashComm");
    setWindowTitle("Search Cash Communication");
    setModal(true);

    auto* header = new QLabel("Cashier Communication    ", this);
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
    m_searchBy->addItems({"Patient", "OR #"});
    m_searchBy->setFixedWidth(ui::twips(1500));
    m_searchBox = new QLineEdit(searchFrame);
    m_searchBox->setObjectName("txtSearch");
    ui::upperCaseInput(m_searchBox);
    auto* searchLayout = new QHBoxLayout(searchFrame);
    searchLayout->addWidget(m_searchBy);
    searchLayout->addWidget(m_searchBox, 1);

    auto* listFrame = new QGroupBox("Patient List", this);
    m_list = new controls::FlexGrid(listFrame);
    m_list->setObjectName("grdList");
    int listWidth = 0;
    for (const Column& c : kColumns)
        listWidth += c.width;
    m_list->setMinimumSize(ui::twips(listWidth + 400), ui::twips(3600));
    // The date fills what the list has to spare, so that it is never cut short
    // in a wider font.
    m_list->horizontalHeader()->setStretchLastSection(true);
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
    connect(m_select, &QPushButton::clicked, this, &frmCashComm::choose);
    connect(close, &QPushButton::clicked, this, &frmCashComm::reject);
    connect(m_list, &controls::FlexGrid::cellDoubleClicked, this, [this] {
        if (m_select->isEnabled())
            choose();
    });
    connect(m_list, &controls::FlexGrid::enterPressed, this, [this] {
        if (m_select->isEnabled())
            choose();
    });

    resetList();
}

void frmCashComm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_opened)
        return;
    m_opened = true;
    m_valid = false;
    m_resultCode.clear();
    m_searchBy->setCurrentIndex(0);
    // The window opens on what an empty search finds.
    ui::guard([this] { search(); });
    m_searchBox->setFocus();
}

void frmCashComm::resetList() {
    m_list->clearRows(2);
    m_list->setCols(int(std::size(kColumns)));
    for (int c = 0; c < int(std::size(kColumns)); ++c) {
        m_list->setTextMatrix(0, c, kColumns[c].heading);
        m_list->setColWidth(c, kColumns[c].width);
    }
    m_select->setEnabled(false);
}

void frmCashComm::search() {
    ui::WaitCursor wait;
    data::Recordset rs = data::currentSession().sessionConnection().open(
        data::StoredProcs::spCommunication(m_searchBy->currentIndex(), m_searchBox->text()));
    resetList();
    if (rs.eof()) {
        rs.close();
        return;
    }
    m_list->setRedraw(false);
    int row = 1;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext(), ++row) {
        if (row >= m_list->rows())
            m_list->addRow();
        for (int c = 1; c < int(std::size(kColumns)); ++c)
            m_list->setTextMatrix(row, c, rs.field(kColumns[c].field).text());
    }
    rs.close();
    for (int c = 1; c < int(std::size(kColumns)); ++c)
        m_list->widenToFit(c, kColumns[c].width);
    m_list->setRedraw(true);
    m_list->setRow(1);
    m_select->setEnabled(true);
}

void frmCashComm::choose() {
    const int row = m_list->row();
    if (row < 1 || row >= m_list->rows())
        return;
    m_valid = true;
    m_resultCode = m_list->textMatrix(row, kReceiptColumn);
    m_patient = m_list->textMatrix(row, kPatientColumn);
    accept();
}

void frmCashComm::reject() {
    m_valid = false;
    QDialog::reject();
}

} // namespace tracking
