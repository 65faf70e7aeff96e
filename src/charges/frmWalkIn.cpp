#include "src/charges/frmWalkIn.h"

#include "src/charges/WalkInBirthDate.h"
#include "src/charges/WalkInNumber.h"
#include "src/data/Connection.h"
#include "src/data/SharedComponents.h"
#include "src/ui/Guard.h"
#include "src/ui/KeyHelpers.h"
#include "src/ui/MsgBox.h"
#include "src/ui/Units.h"
#include "src/ui/WaitCursor.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace charges {

namespace {

// Civil status options in the order of their codes "0" to "5".
const QStringList kCivilStatus{"Child", "Single", "Married", "Widow/er", "Separated", "Divorced"};
constexpr int kSingle = 1;
// Sex options and the codes they are saved as.
const QStringList kSex{"Male", "Female"};
const QStringList kSexCodes{"M", "F"};

// The registration goes through the session component's connection, which
// is the session connection; tests may run without a component.
data::Connection& sessionConnection() {
    data::SessionValues& session = data::currentSession();
    if (session.sessionComponent)
        return session.sessionComponent->SQLConnection();
    return session.sessionConnection();
}

QString employeeCode() {
    data::SessionValues& session = data::currentSession();
    if (session.sessionComponent)
        return session.sessionComponent->EmployeeCode();
    return session.employeeCode();
}

QGroupBox* optionFrame(QWidget* parent, const QString& title, const QString& name,
                       const QStringList& captions, int columns, QButtonGroup*& group) {
    auto* frame = new QGroupBox(title, parent);
    frame->setObjectName("fra" + name.mid(3));
    auto* layout = new QGridLayout(frame);
    group = new QButtonGroup(frame);
    group->setExclusive(true);
    const int perColumn = (int(captions.size()) + columns - 1) / columns;
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions[i], frame);
        option->setObjectName(QString("%1%2").arg(name).arg(i));
        ui::enterMovesFocus(option);
        group->addButton(option, i);
        layout->addWidget(option, i % perColumn, i / perColumn);
    }
    return frame;
}

} // namespace

frmWalkIn::frmWalkIn(QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmWalkIn");
    setWindowTitle("Walk-in Patient Entry");
    setModal(true);

    m_lastName = textBox("txtSname", 30);
    m_firstName = textBox("txtFname", 30);
    m_middleName = textBox("txtMname", 30);
    m_birthDate = textBox("txtBirth", 10);
    m_birthDate->setFixedWidth(ui::twips(1300));
    m_birthDate->setPlaceholderText("mm/dd/yyyy");
    m_age = textBox("txtAge", 3);
    m_age->setFixedWidth(ui::twips(600));
    m_age->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), m_age));
    m_house = textBox("txtHouse", 30);
    m_barangay = textBox("txtBarangay", 30);
    m_town = textBox("txtTown", 0);
    m_town->setReadOnly(true);
    m_town->setFocusPolicy(Qt::ClickFocus); // filled by the "..." button, so Enter passes it by

    // After Enter's move to the next field has been set up, so that the age
    // is filled first (the filter installed last runs first).
    m_birthDate->installEventFilter(this);
    connect(m_birthDate, &QLineEdit::editingFinished, this, &frmWalkIn::fillAge);

    auto* address = new QPushButton("...", this);
    address->setObjectName("cmdAddress");
    address->setToolTip("Pick the province and town");
    address->setFixedWidth(ui::twips(450));
    connect(address, &QPushButton::clicked, this, &frmWalkIn::pickAddress);

    auto* fields = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* box, QWidget* extra = nullptr) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        fields->addWidget(label, row, 0);
        if (extra) {
            auto* line = new QHBoxLayout;
            line->addWidget(box);
            line->addWidget(extra);
            fields->addLayout(line, row, 1);
        } else {
            fields->addWidget(box, row, 1);
        }
        ++row;
    };
    addRow("Last Name ", m_lastName);
    addRow("First Name  ", m_firstName);
    addRow("Middle Name ", m_middleName);

    auto* ageCaption = new QLabel("Age", this);
    ageCaption->setBuddy(m_age);
    auto* birthLine = new QWidget(this);
    auto* birthLayout = new QHBoxLayout(birthLine);
    birthLayout->setContentsMargins(0, 0, 0, 0);
    birthLayout->addWidget(m_birthDate);
    birthLayout->addSpacing(ui::twips(300));
    birthLayout->addWidget(ageCaption);
    birthLayout->addWidget(m_age);
    birthLayout->addStretch();
    auto* birthCaption = new QLabel("Birth Date", this);
    birthCaption->setBuddy(m_birthDate);
    fields->addWidget(birthCaption, row, 0);
    fields->addWidget(birthLine, row, 1);
    ++row;

    addRow("House No./Street", m_house);
    addRow("Barangay", m_barangay);
    addRow("Province/Town", m_town, address);

    auto* options = new QHBoxLayout;
    options->addWidget(
        optionFrame(this, "Civil Status", "optCivilStatus", kCivilStatus, 2, m_civilStatus), 2);
    options->addWidget(optionFrame(this, "Sex", "optSex", kSex, 1, m_sex), 1);
    m_civilStatus->button(kSingle)->setChecked(true);
    m_sex->button(0)->setChecked(true);

    auto* save = new QPushButton("&Save", this);
    save->setObjectName("cmdSave");
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("cmdClose");
    connect(save, &QPushButton::clicked, this, &frmWalkIn::save);
    connect(close, &QPushButton::clicked, this, &frmWalkIn::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(options);
    layout->addLayout(buttons);

    const QList<QWidget*> order{m_lastName, m_firstName, m_middleName, m_birthDate,
                                m_age,      m_house,     m_barangay,   address};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    m_lastName->setFocus();
}

QLineEdit* frmWalkIn::textBox(const QString& name, int maxLength) {
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    box->setMinimumWidth(ui::twips(3000));
    ui::enterMovesFocus(box);
    return box;
}

bool frmWalkIn::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_birthDate && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            fillAge(); // then Enter moves on as in every other box
    }
    return QDialog::eventFilter(watched, event);
}

QDate frmWalkIn::today() const {
    return m_today.isValid() ? m_today : QDate::currentDate();
}

void frmWalkIn::fillAge() {
    const QDate birth = walkInBirthDate(m_birthDate->text());
    if (birth.isValid())
        m_age->setText(QString::number(walkInAge(birth, today())));
}

void frmWalkIn::pickAddress() {
    ui::guard([this] {
        data::ICodeSearch* codeSearch = data::currentSession().codeSearch;
        if (!codeSearch)
            throw std::runtime_error("The code search component is not available.");
        QString text;
        if (!codeSearch->SearchListing(text, data::ICodeSearch::Address))
            return;
        const data::AddressInfo& picked = codeSearch->AddressRecord();
        m_town->setText(picked.Town + ", " + picked.Province);
        m_townCode = picked.ResultCode;
    });
}

QString frmWalkIn::addCommand(const QString& number) const {
    const QStringList values{number,
                             m_lastName->text(),
                             m_firstName->text(),
                             m_middleName->text(),
                             m_house->text(),
                             m_barangay->text(),
                             m_townCode,
                             m_birthDate->text(),
                             QString::number(m_civilStatus->checkedId()),
                             m_age->text(),
                             kSexCodes.value(m_sex->checkedId())};
    QStringList quoted;
    for (const QString& v : values)
        quoted << data::quoted(v);
    return "RADIOLOGY..spRadio_AddCashPatient " + quoted.join(',');
}

void frmWalkIn::save() {
    if (!walkInBirthDate(m_birthDate->text()).isValid()) {
        ui::MsgBox("Pls enter a valid date to proceed..", ui::vbInformation, "Message");
        m_birthDate->setFocus();
        return;
    }
    // A date typed without Enter has not filled the age yet.
    if (m_age->text().isEmpty())
        fillAge();

    QString number;
    const bool saved = ui::guard([&] {
        ui::WaitCursor wait;
        data::Connection& connection = sessionConnection();
        // The number, the patient and the log entry are one registration:
        // all of it or none, so a failure leaves no half-registered patient
        // and no used-up number.
        data::TransactionGuard transaction(connection);
        number = WalkInNumber::draw(connection).text();
        connection.execute(addCommand(number));
        connection.execute("BUILD_FILE..spBuild_LogUserUpdate " + data::quoted(employeeCode()) +
                           ",'ADD WALKIN'," +
                           data::quoted("SAVE WALK-IN MASTERFILE; WALKINNUM:" + number));
        transaction.commit();
    });
    if (!saved)
        return; // what was typed stays on screen, to be saved again

    m_newEntry = true;
    m_walkInNumber = number;
    emit walkInRegistered(number);
    accept();
}

void frmWalkIn::reject() {
    m_newEntry = false;
    QDialog::reject();
}

} // namespace charges
