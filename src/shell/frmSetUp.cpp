#include "src/shell/frmSetUp.h"

#include "src/data/Connection.h"
#include "src/data/SharedComponents.h"
#include "src/ui/Guard.h"
#include "src/ui/KeyHelpers.h"
#include "src/ui/MsgBox.h"
#include "src/ui/Units.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace shell {

namespace {

QGroupBox* optionFrame(QWidget* parent, const QString& title, const QString& name,
                       const QStringList& captions, QButtonGroup*& group) {
    auto* frame = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(frame);
    group = new QButtonGroup(frame);
    group->setExclusive(true);
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions[i], frame);
        option->setObjectName(QString("%1%2").arg(name).arg(i));
        group->addButton(option, i);
        layout->addWidget(option);
    }
    return frame;
}

QLineEdit* textBox(QWidget* parent, const QString& name, int maxLength) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    box->setFixedWidth(ui::twips(1200));
    ui::enterMovesFocus(box);
    return box;
}

// Chooses the option of that index, or none.
void choose(QButtonGroup* group, int index) {
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(false);
    group->setExclusive(true);
    if (QAbstractButton* b = group->button(index))
        b->setChecked(true);
}

} // namespace

frmSetUp::frmSetUp(QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmSetUp");
    setWindowTitle("Mammography Section Set-up");
    setModal(true);

    auto* grid = new QGridLayout;
    grid->addWidget(optionFrame(this, "Cash Basis Set-up", "optCashBasis",
                                {"Cash Rate", "OPD Rate", "Socialized Rate"}, m_cashBasis),
                    0, 0);

    auto* stat = new QGroupBox("STAT Mark - up Rate", this);
    m_statMarkup = textBox(stat, "txtMarkup", 3);
    (new QHBoxLayout(stat))->addWidget(m_statMarkup);
    auto* portable = new QGroupBox("Portable Mark-up", this);
    auto* portableForm = new QFormLayout(portable);
    m_portableMarkup = textBox(portable, "txtPMarkup", 3);
    m_operator = textBox(portable, "txtOperator", 1);
    portableForm->addRow("Mark up rate", m_portableMarkup);
    portableForm->addRow("Operator", m_operator);
    auto* markups = new QVBoxLayout;
    markups->addWidget(stat);
    markups->addWidget(portable);
    grid->addLayout(markups, 0, 1);

    grid->addWidget(optionFrame(this, "PACS", "optPacs", {"Enable", "Disable"}, m_pacs), 1, 0);

    QGroupBox* company = optionFrame(this, "Company Markup", "optCompany",
                                     {"Enabled", "Disabled", "Rate H"}, m_company);
    m_companyMarkup = textBox(company, "txtCompanyMarkup", 3);
    company->layout()->addWidget(m_companyMarkup);
    grid->addWidget(company, 1, 1);

    QGroupBox* numbering = optionFrame(this, "File No. Setup", "optFileNoSetup",
                                       {"All Section", "Per Section"}, m_fileNumbering);
    auto* numberForm = new QFormLayout;
    m_fileNumber = textBox(numbering, "txtFileNumber", 0);
    m_prefix = textBox(numbering, "txtPrefix", 20);
    numberForm->addRow("No.", m_fileNumber);
    numberForm->addRow("Prefix", m_prefix);
    static_cast<QVBoxLayout*>(numbering->layout())->addLayout(numberForm);
    grid->addWidget(numbering, 2, 0, 1, 2);

    auto* save = new QPushButton("&Save", this);
    save->setObjectName("cmdSave");
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("cmdCancel");
    connect(save, &QPushButton::clicked, this, &frmSetUp::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    show(SetUpSettings::defaults());
}

void frmSetUp::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        ui::guard([this] { load(); });
    }
}

void frmSetUp::load() {
    data::Recordset rs = data::currentSession().sessionComponent->SQLConnection().open(
        "Radiology..Sp_RadioSetup '1', '" + QString("MM") + "'", data::adOpenDynamic,
        data::adLockOptimistic, data::adUseClient);
    SetUpSettings settings = SetUpSettings::defaults();
    if (!rs.eof())
        settings = SetUpSettings::fromRow(rs);
    // Without a row the portable mark-up and operator keep what they show.
    if (rs.eof()) {
        settings.portableMarkup = m_portableMarkup->text();
        settings.markupOperator = m_operator->text();
    }
    rs.close();
    show(settings);
}

void frmSetUp::show(const SetUpSettings& s) {
    choose(m_cashBasis, s.cashBasis);
    choose(m_pacs, s.pacs);
    choose(m_company, s.company);
    choose(m_fileNumbering, s.fileNumbering);
    m_statMarkup->setText(s.statMarkup);
    m_portableMarkup->setText(s.portableMarkup);
    m_operator->setText(s.markupOperator);
    m_companyMarkup->setText(s.companyMarkup);
    m_fileNumber->setText(s.fileNumber);
    m_prefix->setText(s.filePrefix);
}

SetUpSettings frmSetUp::shownSettings() const {
    SetUpSettings s;
    s.cashBasis = m_cashBasis->checkedId();
    s.pacs = m_pacs->checkedId();
    s.company = m_company->checkedId();
    s.fileNumbering = m_fileNumbering->checkedId();
    s.statMarkup = m_statMarkup->text();
    s.portableMarkup = m_portableMarkup->text();
    s.markupOperator = m_operator->text();
    s.companyMarkup = m_companyMarkup->text();
    s.fileNumber = m_fileNumber->text();
    s.filePrefix = m_prefix->text();
    return s;
}

void frmSetUp::save() {
    const bool saved = ui::guard([this] {
        data::ICurrentUser* session = data::currentSession().sessionComponent;
        data::Recordset rs = session->SQLConnection().open(
            shownSettings().saveCommand(session->EmployeeCode()), data::adOpenDynamic,
            data::adLockOptimistic, data::adUseClient);
        rs.close();
    });
    if (!saved)
        return; // the settings stay on screen so that nothing typed is lost
    ui::MsgBox("Record has been successfully saved. Press OK to continue.", ui::vbOKOnly);
    accept();
}

} // namespace shell
