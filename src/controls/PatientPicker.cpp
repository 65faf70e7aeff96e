#include "src/controls/PatientPicker.h"

#include "src/controls/FlexGrid.h"
#include "src/ui/Guard.h"
#include "src/ui/KeyHelpers.h"
#include "src/ui/Units.h"
#include "src/ui/WaitCursor.h"

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace controls {

namespace {

const int kListWidths[] = {200, 1000, 2000, 2000, 2000, 1500};
const char* const kListHeadings[] = {"",           "Adm #",       "Last Name",
                                     "First Name", "Middle Name", "Adm. Date"};

} // namespace

void PatientPicker::applyListLayout(FlexGrid& grid, bool headings) {
    grid.setCols(6);
    for (int c = 0; c < 6; ++c) {
        grid.setColWidth(c, kListWidths[c]);
        if (headings && grid.fixedRows() > 0)
            grid.setTextMatrix(0, c, kListHeadings[c]);
    }
}

PatientPicker::PatientPicker(QWidget* parent, const QString& objectName, const QString& caption,
                             const QStringList& searchBy)
    : QDialog(parent)
    , m_header(new QLabel(this))
    , m_frame(new QGroupBox(this))
    , m_fields(new QFormLayout)
    , m_searchBy(new QComboBox(this))
    , m_searchBox(new QLineEdit(this))
    , m_grid(new FlexGrid(this))
    , m_select(new QPushButton("&Select", this))
    , m_close(new QPushButton("&Close", this))
    , m_buttonRow(new QWidget(this)) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setModal(true);

    m_header->setObjectName("lblHeader");
    QFont big = m_header->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    m_header->setFont(big);

    m_frame->setObjectName("fraList");
    m_searchBy->setObjectName("cmbSearchBy");
    m_searchBy->addItems(searchBy);
    m_searchBy->setCurrentIndex(0);
    m_searchBox->setObjectName("txtSearch");
    m_grid->setObjectName("grdList");
    applyListLayout(*m_grid, false);

    ui::upperCaseInput(m_searchBox);
    ui::downMovesInto(m_searchBox, m_grid);
    // Installed after the helper's filter, so it sees Down first and puts the
    // current row on row 1 before the helper moves the focus.
    m_searchBox->installEventFilter(this);

    m_fields->addRow("Search &by:", m_searchBy);
    m_fields->addRow("Searc&h:", m_searchBox);
    auto* frameLayout = new QVBoxLayout(m_frame);
    frameLayout->addLayout(m_fields);
    frameLayout->addWidget(m_grid, 1);

    for (QPushButton* b : {m_select, m_close}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    m_select->setObjectName("cmdSelect");
    m_close->setObjectName("cmdClose");
    m_select->setEnabled(false);
    auto* buttons = new QHBoxLayout(m_buttonRow);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch(1);
    buttons->addWidget(m_select);
    buttons->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_header);
    layout->addWidget(m_frame, 1);
    layout->addWidget(m_buttonRow);
    resize(ui::twips(9600), ui::twips(6600));

    connect(m_select, &QPushButton::clicked, this, [this] { select(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &FlexGrid::enterPressed, this, &PatientPicker::selectIfEnabled);
    connect(m_grid, &FlexGrid::cellDoubleClicked, this, [this](int row) {
        if (row >= m_grid->fixedRows())
            selectIfEnabled();
    });
    m_firstFocus = m_searchBox;
}

QPushButton* PatientPicker::addButton(const QString& objectName, const QString& text) {
    auto* add = new QPushButton(text, m_buttonRow);
    add->setObjectName(objectName);
    add->setAutoDefault(false);
    static_cast<QHBoxLayout*>(m_buttonRow->layout())->insertWidget(0, add);
    return add;
}

QString PatientPicker::searchText() const {
    return m_searchBox->text().trimmed();
}

QString PatientPicker::searchKind() const {
    return QString::number(std::max(m_searchBy->currentIndex(), 0));
}

void PatientPicker::runSearch() {
    ui::WaitCursor hourglass;
    const bool done = ui::guard([this] { search(); });
    if (!done)
        m_grid->setRedraw(true);
}

void PatientPicker::setSelectable(bool on) {
    m_select->setEnabled(on);
}

QString PatientPicker::currentCode() const {
    const int row = std::max(m_grid->row(), m_grid->fixedRows());
    if (row >= m_grid->rows() || m_grid->cols() < 2)
        return {};
    return m_grid->textMatrix(row, 1);
}

void PatientPicker::select() {
    m_resultCode = currentCode();
    finish();
}

void PatientPicker::finish() {
    m_valid = true;
    accept();
}

void PatientPicker::selectIfEnabled() {
    if (m_select->isEnabled())
        select();
}

bool PatientPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_searchBox && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            runSearch();
            return true;
        }
        if (key->key() == Qt::Key_Down) {
            if (!m_grid->isVisible())
                return true;
            if (m_grid->rows() > m_grid->fixedRows())
                m_grid->setRow(m_grid->fixedRows());
            return false; // the helper moves the focus
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PatientPicker::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        load();
    }
    if (m_firstFocus && m_firstFocus->isVisible())
        m_firstFocus->setFocus();
}

bool PatientPicker::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && m_firstFocus && m_firstFocus->isVisible())
        m_firstFocus->setFocus();
    return QDialog::event(event);
}

} // namespace controls
