#include "his/frmLogIn.h"

#include "src/ui/Guard.h"
#include "src/ui/KeyHelpers.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace his {

namespace {

QLineEdit* field(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

frmLogIn::frmLogIn(QWidget* parent, QString demoServer, Attempt attempt)
    : QDialog(parent)
    , m_demoServer(std::move(demoServer))
    , m_attempt(std::move(attempt))
    , m_server(field(this, "txtServer"))
    , m_userId(field(this, "txtUserID"))
    , m_password(field(this, "txtPassword"))
    , m_demoNote(new QLabel(this))
    , m_logIn(new QPushButton("&Log In", this)) {
    setObjectName("frmLogIn");
    setWindowTitle("Visual Halcyra - Log In");
    setModal(true);

    m_server->setPlaceholderText("a database folder or postgresql://user@host/database");
    m_userId->setMaxLength(20);
    m_password->setEchoMode(QLineEdit::Password);
    m_demoNote->setObjectName("lblDemoNote");
    m_demoNote->setWordWrap(true);
    m_demoNote->setText("This is the demonstration database: its patients and users are made "
                        "up. Give the hospital's server as a postgresql:// address to work "
                        "with real records.");
    m_demoNote->setStyleSheet("color: #8a4b00;");

    auto* heading = new QLabel("Mammography section", this);
    heading->setObjectName("lblHeading");
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    heading->setFont(headingFont);

    auto* form = new QFormLayout;
    form->addRow("&Server:", m_server);
    form->addRow("", m_demoNote);
    form->addRow("&User ID:", m_userId);
    form->addRow("&Password:", m_password);

    auto* buttons = new QDialogButtonBox(this);
    m_logIn->setObjectName("cmdLogIn");
    m_logIn->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cmdCancel");
    buttons->addButton(m_logIn, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    setMinimumWidth(460);

    ui::enterMovesFocus(m_server);
    ui::enterMovesFocus(m_userId);
    connect(m_logIn, &QPushButton::clicked, this, &frmLogIn::logIn);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_server, &QLineEdit::textChanged, this, &frmLogIn::showServerNote);
    setServer(m_demoServer);
    m_userId->setFocus();
}

void frmLogIn::setServer(const QString& server) {
    m_server->setText(QDir::toNativeSeparators(server));
    showServerNote();
}

QString frmLogIn::server() const {
    const QString typed = m_server->text().trimmed();
    return typed.isEmpty() ? m_demoServer : typed;
}

void frmLogIn::showServerNote() {
    m_demoNote->setVisible(QDir::cleanPath(QDir::fromNativeSeparators(server())) ==
                           QDir::cleanPath(m_demoServer));
}

void frmLogIn::logIn() {
    bool accepted = false;
    ui::guard([&] { accepted = m_attempt(server(), m_userId->text(), m_password->text()); });
    if (accepted) {
        accept();
        return;
    }
    m_password->clear();
    if (m_userId->text().trimmed().isEmpty())
        m_userId->setFocus();
    else
        m_password->setFocus();
}

} // namespace his
