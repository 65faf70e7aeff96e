#include "src/charges/ChargeEntryWindow.h"

#include "src/controls/FlexGrid.h"
#include "src/data/Connection.h"
#include "src/data/DbError.h"
#include "src/data/SessionValues.h"
#include "src/ui/Guard.h"
#include "src/ui/KeyHelpers.h"
#include "src/ui/MsgBox.h"
#include "src/ui/Units.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace charges {

namespace {

QLineEdit* headerBox(QWidget* parent, const char* name, bool editable = false) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(!editable);
    if (!editable)
        box->setFocusPolicy(Qt::ClickFocus);
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

const QStringList kCivilStatus{"Child", "Single", "Married", "Widow(er)", "Separated", "Divorced"};

} // namespace

ChargeEntryWindow::ChargeEntryWindow(const Design& design, QWidget* parent)
    : QDialog(parent)
    , m_design(design) {
    setWindowTitle(design.caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildHeader(design));

    grdTable = new controls::FlexGrid(this);
    grdTable->setObjectName("grdTable");
    grdTable->setMinimumHeight(ui::twips(2600));
    grdTable->installEventFilter(this);
    layout->addWidget(grdTable);

    txtEntry = new QLineEdit(this);
    txtEntry->setObjectName("txtEntry");
    txtEntry->setFrame(false);
    txtEntry->hide();
    txtEntry->installEventFilter(this);
    connect(txtEntry, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (txtEntry->isVisible() && m_editRow > 0 && m_editCol > 0)
            grdTable->setTextMatrix(m_editRow, m_editCol, text);
    });

    layout->addWidget(buildButtons());
    if (design.holidayMarkup)
        buildMarkupList();

    connect(grdTable, &controls::FlexGrid::currentCellChanged, this, [this] { enterCell(); });
    connect(grdTable, &controls::FlexGrid::cellClicked, this, [this] { enterCell(); });
    connect(grdTable, &controls::FlexGrid::scrolled, this, [this] { hideEditor(); });

    setUpGrid();
    setFixedSize(sizeHint());
}

QWidget* ChargeEntryWindow::buildHeader(const Design& design) {
    auto* header = new QFrame(this);
    header->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(header);
    const auto label = [&](const QString& text, int row, int col) {
        grid->addWidget(new QLabel(text, header), row, col);
    };

    txtSname = headerBox(header, "txtSname", true);
    txtFname = headerBox(header, "txtFname");
    txtMname = headerBox(header, "txtMname");
    label("Last Name", 0, 0);
    grid->addWidget(txtSname, 0, 1);
    label("First Name", 0, 2);
    grid->addWidget(txtFname, 0, 3);
    label("Middle Name", 0, 4);
    grid->addWidget(txtMname, 0, 5, 1, 3);

    cmbCivilStatus = new QComboBox(header);
    cmbCivilStatus->setObjectName("cmbCivilStatus");
    cmbCivilStatus->addItems(kCivilStatus);
    cmbCivilStatus->setCurrentIndex(-1);
    cmbCivilStatus->setEnabled(false);
    cmbSex = new QComboBox(header);
    cmbSex->setObjectName("cmbSex");
    cmbSex->addItems({"Male", "Female"});
    cmbSex->setCurrentIndex(-1);
    cmbSex->setEnabled(false);
    txtBirth = headerBox(header, "txtBirth");
    txtAge = headerBox(header, "txtAge");
    label("Civil Status", 1, 0);
    grid->addWidget(cmbCivilStatus, 1, 1);
    label("Sex", 1, 2);
    grid->addWidget(cmbSex, 1, 3);
    label("Birth Date", 1, 4);
    grid->addWidget(txtBirth, 1, 5);
    label("Age", 1, 6);
    grid->addWidget(txtAge, 1, 7);

    txtAddress = headerBox(header, "txtAddress");
    label("Address", 2, 0);
    grid->addWidget(txtAddress, 2, 1, 1, 7);

    txtAdmNo = headerBox(header, "txtAdmNo");
    txtHospNo = headerBox(header, "txtHospNo");
    txtAdmDate = headerBox(header, "txtAdmDate");
    txtRoomNo = headerBox(header, "txtRoomNo");
    label("Admission No.", 3, 0);
    grid->addWidget(txtAdmNo, 3, 1);
    label("Hospital No.", 3, 2);
    grid->addWidget(txtHospNo, 3, 3);
    label("Adm. Date", 3, 4);
    grid->addWidget(txtAdmDate, 3, 5);
    label("Room No.", 3, 6);
    grid->addWidget(txtRoomNo, 3, 7);

    txtDoctorID = headerBox(header, "txtDoctorID", true);
    cmdDoctor = button(header, "cmdDoctor", "...");
    cmdDoctor->setFixedWidth(ui::twips(350));
    txtDoctor = headerBox(header, "txtDoctor");
    label("Doctor", 4, 0);
    auto* doctorRow = new QHBoxLayout;
    doctorRow->addWidget(txtDoctorID);
    doctorRow->addWidget(cmdDoctor);
    grid->addLayout(doctorRow, 4, 1);
    grid->addWidget(txtDoctor, 4, 2, 1, 4);
    if (design.orNumberBoxes) {
        lblORNum = new QLabel("O.R. Num:", header);
        lblORNum->setObjectName("lblORNum");
        txtORNum = headerBox(header, "txtORNum");
        grid->addWidget(lblORNum, 4, 6);
        grid->addWidget(txtORNum, 4, 7);
        lblORNum->hide();
        txtORNum->hide();
    }

    ui::upperCaseInput(txtSname);
    txtDoctorID->installEventFilter(this);
    connect(cmdDoctor, &QPushButton::clicked, this, [this] { searchDoctor(true); });
    return header;
}

QWidget* ChargeEntryWindow::buildButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    if (m_design.holidayMarkup) {
        chkHoliday = new QCheckBox("&Holiday/Stat/Sunday/After 5 P.M.", row);
        chkHoliday->setObjectName("chkHoliday");
        // Only a tick by hand offers the list; a box set by the program does not.
        connect(chkHoliday, &QCheckBox::clicked, this, [this](bool on) { holidayClicked(on); });
        layout->addWidget(chkHoliday);
    }
    layout->addStretch();
    cmdSave = button(row, "cmdSave", "&Save");
    cmdPrint = button(row, "cmdPrint", "Save/&Print");
    cmdClose = button(row, "cmdClose", "&Close");
    for (QPushButton* b : {cmdSave, cmdPrint, cmdClose}) {
        b->setMinimumWidth(ui::twips(1300));
        layout->addWidget(b);
    }
    connect(cmdSave, &QPushButton::clicked, this, [this] { saveClicked(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { saveAndPrintClicked(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] {
        grdTable->setEnabled(true);
        close();
    });
    return row;
}

void ChargeEntryWindow::buildMarkupList() {
    pctMarkup = new QFrame(this);
    pctMarkup->setObjectName("pctMarkup");
    pctMarkup->setFrameShape(QFrame::Box);
    pctMarkup->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(pctMarkup);
    grdMarkup = new controls::FlexGrid(pctMarkup);
    grdMarkup->setObjectName("grdMarkup");
    layout->addWidget(grdMarkup);
    Command1 = button(pctMarkup, "Command1", "Close");
    layout->addWidget(Command1, 0, Qt::AlignRight);
    pctMarkup->resize(ui::twips(3600, 2400));
    pctMarkup->hide();
    connect(Command1, &QPushButton::clicked, pctMarkup, &QWidget::hide);
    connect(grdMarkup, &controls::FlexGrid::cellClicked, this,
            [this](int row, int) { markupPicked(row); });
}

// ---- the grid ---------------------------------------------------------

void ChargeEntryWindow::setUpGrid() {
    hideEditor();
    grdTable->setRedraw(false);
    grdTable->setCols(kColumns);
    grdTable->setFixedRows(1);
    grdTable->setFixedCols(1);
    grdTable->clearRows(2);
    grdTable->setFormatString("|Department|Code|Exam|Price|Quantity|Amount");
    const std::array<int, kColumns> widths{200, 1000, 1000, 3000, 1000, 1000, 1000};
    for (int c = 0; c < kColumns; ++c)
        grdTable->setColWidth(c, widths[size_t(c)]);
    grdTable->setRedraw(true);
    m_editable = {false, true, true, false, false, true, false};
    m_filter = {KeyFilter::None,      KeyFilter::UpperCase, KeyFilter::UpperCase,
                KeyFilter::None,      KeyFilter::None,      KeyFilter::Digits,
                KeyFilter::None};
    m_moving = true;
    grdTable->setRow(1);
    grdTable->setCol(1);
    m_moving = false;
}

QString ChargeEntryWindow::cell(int row, int col) const {
    return grdTable->textMatrix(row, col);
}

void ChargeEntryWindow::setCell(int row, int col, const QString& text) {
    grdTable->setTextMatrix(row, col, text);
}

int ChargeEntryWindow::lineCount() const {
    return grdTable->rows() - 1;
}

void ChargeEntryWindow::appendLine() {
    grdTable->addRow();
}

void ChargeEntryWindow::goToCell(int row, int col) {
    m_moving = true;
    grdTable->setRow(row);
    grdTable->setCol(col);
    m_moving = false;
    enterCell();
}

void ChargeEntryWindow::enterCell() {
    if (m_moving)
        return;
    hideEditor();
    if (!gridUsable()) {
        grdTable->setEnabled(false);
        return;
    }
    const int row = grdTable->row();
    const int col = grdTable->col();
    if (row < 1)
        return;
    if (col < Department) {
        goToCell(row, Department);
        return;
    }
    if (col == Department && !m_design.departmentTyped) {
        setCell(row, Department, "MM");
        goToCell(row, Code);
        return;
    }
    if (m_editable[size_t(col)])
        showEditor();
}

void ChargeEntryWindow::showEditor() {
    const int row = grdTable->row();
    const int col = grdTable->col();
    const QRect cellArea = grdTable->cellRect(row, col);
    if (cellArea.isEmpty())
        return;
    m_editRow = -1; // filling the editor must not write back yet
    txtEntry->setGeometry(QRect(grdTable->mapTo(this, cellArea.topLeft()), cellArea.size()));
    txtEntry->setFont(grdTable->font());
    txtEntry->setText(cell(row, col));
    m_editRow = row;
    m_editCol = col;
    txtEntry->show();
    txtEntry->raise();
    txtEntry->setFocus();
    txtEntry->selectAll();
}

void ChargeEntryWindow::hideEditor() {
    if (!txtEntry->isVisible())
        return;
    const bool hadFocus = txtEntry->hasFocus();
    m_moving = true; // the grid taking the focus back is no new entry
    txtEntry->hide();
    if (hadFocus)
        grdTable->setFocus();
    m_moving = false;
    m_editRow = m_editCol = -1;
}

void ChargeEntryWindow::moveOn() {
    const int row = grdTable->row();
    for (int c = grdTable->col() + 1; c < kColumns; ++c)
        if (m_editable[size_t(c)]) {
            goToCell(row, c);
            return;
        }
    if (row == grdTable->rows() - 1)
        appendLine();
    for (int c = Department; c < kColumns; ++c)
        if (m_editable[size_t(c)]) {
            goToCell(row + 1, c);
            return;
        }
}

bool ChargeEntryWindow::editorKey(QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Escape:
        hideEditor();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        editorEnter();
        return true;
    default:
        break;
    }
    if (key->text().isEmpty() || m_editCol < 0)
        return false;
    const std::optional<QString> passed = filterTyped(m_filter[size_t(m_editCol)], key->text());
    if (!passed)
        return true;
    if (*passed != key->text()) {
        txtEntry->insert(*passed);
        return true;
    }
    return false;
}

void ChargeEntryWindow::editorEnter() {
    const int row = grdTable->row();
    const int col = grdTable->col();
    if (col == Department) {
        const QString typed = cell(row, col).trimmed().toUpper();
        if (typed != "MM" && typed != "MD") {
            ui::MsgBox("Invalid Department Code", ui::vbExclamation);
            hideEditor();
            showEditor();
            return;
        }
    } else if (col == Quantity) {
        setCell(row, Amount, lineAmount(cell(row, Quantity), cell(row, Price)));
    } else if (col == Amount) {
        setCell(row, Amount, money(leadingNumber(cell(row, Amount))));
    }
    if (col == Code) {
        codeStep(row);
        return;
    }
    hideEditor();
    moveOn();
}

void ChargeEntryWindow::codeStep(int row) {
    const QString department = cell(row, Department);
    const QString text = cell(row, Code);
    if (department == "MM") {
        if (!examLookup(row, text)) {
            ui::MsgBox("Invalid Code");
            if (!txtEntry->isVisible())
                showEditor();
            return;
        }
        hideEditor();
        moveOn();
    } else if (department == "MD") {
        if (!feeLookup(row, text)) {
            ui::MsgBox("Invalid Code.", ui::vbExclamation);
            return;
        }
        // The fee is typed now: for this one move the cursor skips price
        // and quantity and may enter the amount.
        hideEditor();
        const auto normal = m_editable;
        m_editable[Price] = m_editable[Quantity] = false;
        m_editable[Amount] = true;
        moveOn();
        m_editable = normal;
    }
}

bool ChargeEntryWindow::examLookup(int row, QString text) {
    data::ICodeSearch& search = codeSearch();
    // A component that holds no record when asked is asked once more with an
    // empty text, which lets the user pick from its list.
    for (int attempt = 0;; ++attempt) {
        try {
            search.setOtherSectionID("MM");
            if (!search.SearchListing(text, data::ICodeSearch::OtherRevenue))
                return false;
            const data::OtherRevenueInfo& item = search.OtherRevenueRecord();
            for (int r = 1; r <= lineCount(); ++r)
                if (r != row && cell(r, Code) == text) {
                    ui::MsgBox("Exam already selected.", ui::vbExclamation, "Assessment");
                    setCell(row, Code, QString());
                    hideEditor();
                    showEditor();
                    return false;
                }
            setCell(row, Code, item.ResultCode);
            setCell(row, Exam, item.OtherRevenue);
            setCell(row, Price, money(price(item)));
            return true;
        } catch (const data::DbError& error) {
            if (error.number() == data::DbError::NoCurrentRecord && attempt == 0) {
                text.clear();
                continue;
            }
            ui::MsgBox("Unknown error occurred.");
            return false;
        } catch (const std::exception&) {
            ui::MsgBox("Unknown error occurred.");
            return false;
        }
    }
}

bool ChargeEntryWindow::feeLookup(int row, QString text) {
    bool found = false;
    ui::guard([&] {
        data::ICodeSearch& search = codeSearch();
        if (!search.SearchListing(text, data::ICodeSearch::Doctor))
            return;
        const data::DoctorInfo& doctor = search.DoctorRecord();
        setCell(row, Code, doctor.ResultCode);
        setCell(row, Exam, "(PF) DR. " + doctor.LastName + ", " + doctor.FirstName);
        setCell(row, Quantity, feeQuantity());
        setCell(row, Price, QString());
        setCell(row, Amount, QString());
        found = true;
    });
    return found;
}

// ---- header and doctor ------------------------------------------------

void ChargeEntryWindow::fillFromAdmission(const data::AdmissionInfo& a) {
    const data::PatientInfo& p = a.Patient;
    txtSname->setText(p.LastName);
    txtFname->setText(p.FirstName);
    txtMname->setText(p.MiddleName);
    setCivilStatus(int(leadingNumber(p.CivilStatus)));
    setSex(p.Sex);
    txtBirth->setText(p.BirthDate.isValid() ? p.BirthDate.toString("MM/dd/yyyy") : QString());
    txtAge->setText(p.Age);
    txtAddress->setText(admissionAddress(p.Address));
    txtAdmNo->setText(a.Idnumber);
    txtHospNo->setText(a.HospitalNumber);
    txtRoomNo->setText(a.Room.Room);
    txtAdmDate->setText(a.AdmissionDate.isValid() ? a.AdmissionDate.toString("MM/dd/yyyy")
                                                  : QString());
    txtDoctorID->setText(a.AttendingDoctor1.ResultCode);
    txtDoctor->setText(a.AttendingDoctor1.FirstName + " " + a.AttendingDoctor1.LastName);
}

void ChargeEntryWindow::setCivilStatus(int index) {
    cmbCivilStatus->setCurrentIndex(index >= 0 && index < cmbCivilStatus->count() ? index : -1);
}

void ChargeEntryWindow::setSex(const QString& code) {
    cmbSex->setCurrentIndex(code == "M" ? 0 : 1);
}

void ChargeEntryWindow::clearHeader() {
    for (QLineEdit* box : {txtSname, txtFname, txtMname, txtBirth, txtAge, txtAddress, txtAdmNo,
                           txtHospNo, txtAdmDate, txtRoomNo, txtDoctorID, txtDoctor})
        box->clear();
    cmbCivilStatus->setCurrentIndex(-1);
    cmbSex->setCurrentIndex(-1);
    m_roomClass.clear();
}

std::optional<QString> ChargeEntryWindow::doctorSearchText(bool fromButton) const {
    if (fromButton)
        return std::nullopt;
    return QString();
}

void ChargeEntryWindow::searchDoctor(bool fromButton) {
    const std::optional<QString> text = doctorSearchText(fromButton);
    if (!text)
        return;
    ui::guard([&] {
        data::ICodeSearch& search = codeSearch();
        prepareDoctorSearch(search);
        QString code = *text;
        if (!search.SearchListing(code, data::ICodeSearch::Doctor))
            return;
        const data::DoctorInfo& doctor = search.DoctorRecord();
        txtDoctorID->setText(doctor.ResultCode);
        txtDoctor->setText(doctor.FirstName + " " + doctor.LastName);
        grdTable->setFocus();
    });
}

// ---- holiday markup ----------------------------------------------------

void ChargeEntryWindow::Get_Markup() {
    ui::guard([this] {
        const data::Recordset markups = connection().open(
            "Select * from Build_file..tbcoMarkup", data::adOpenForwardOnly, data::adLockReadOnly,
            data::adUseClient);
        if (markups.recordCount() > 0)
            grdMarkup->bind(markups);
        const std::array<int, 4> widths{1, 1, 1000, 2000};
        for (int c = 0; c < int(widths.size()) && c < grdMarkup->cols(); ++c)
            grdMarkup->setColWidth(c, widths[size_t(c)]);
    });
}

void ChargeEntryWindow::holidayClicked(bool ticked) {
    if (ticked) {
        if (!pctMarkup)
            return;
        pctMarkup->move(grdTable->geometry().topLeft() + QPoint(ui::twips(1200), ui::twips(200)));
        pctMarkup->show();
        pctMarkup->raise();
        Get_Markup();
        return;
    }
    for (int r = 1; r <= lineCount(); ++r)
        setCell(r, Amount, money(leadingNumber(cell(r, Price))));
}

void ChargeEntryWindow::markupPicked(int row) {
    if (row < 1)
        return;
    const double percent = leadingNumber(grdMarkup->textMatrix(row, 2));
    for (int r = 1; r <= lineCount(); ++r)
        if (cell(r, Department) == "MM")
            setCell(r, Amount, markedUpAmount(cell(r, Price), percent));
    pctMarkup->hide();
}

// ---- events -----------------------------------------------------------

bool ChargeEntryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtEntry && event->type() == QEvent::KeyPress)
        return editorKey(static_cast<QKeyEvent*>(event));
    if (watched == grdTable && event->type() == QEvent::FocusIn && !m_moving &&
        !txtEntry->isVisible()) {
        enterCell();
        return false;
    }
    if (watched == txtDoctorID && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            searchDoctor(false);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool ChargeEntryWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !m_placing) {
        m_placing = true;
        placeOnActivation();
        m_placing = false;
    }
    return QDialog::event(event);
}

void ChargeEntryWindow::placeOnActivation() {}

data::ICodeSearch& ChargeEntryWindow::codeSearch() const {
    if (!data::currentSession().codeSearch)
        throw data::DbError("The code search component is not loaded.");
    return *data::currentSession().codeSearch;
}

data::IPatientSearch& ChargeEntryWindow::patientSearch() const {
    if (!data::currentSession().patientSearch)
        throw data::DbError("The patient search component is not loaded.");
    return *data::currentSession().patientSearch;
}

data::Connection& ChargeEntryWindow::connection() const {
    return data::currentSession().sessionConnection();
}

} // namespace charges
