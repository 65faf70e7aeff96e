#include "src/shell/frmAccess.h"

#include "src/data/Connection.h"
#include "src/data/SharedComponents.h"
#include "src/ui/Guard.h"
#include "src/ui/Units.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

namespace shell {

frmAccess::frmAccess(QWidget* parent)
    : QDialog(parent)
    , m_password(new QLineEdit(this)) {
    setObjectName("frmAccess");
    setWindowTitle("ENTER PASSWORD : ");
    setModal(true);
    m_password->setObjectName("txtPassword");
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMinimumWidth(ui::twips(3600));
    m_password->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_password);
    setFixedSize(sizeHint());
}

bool frmAccess::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_password && event->type() == QEvent::KeyPress) {
        m_canAccess = false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            checkPassword();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAccess::checkPassword() {
    ui::guard([this] {
        data::Recordset rs = data::currentSession().sessionComponent->SQLConnection().open(
            "SELECT OPDPassword FROM PATIENT_DATA..tbHospitalInfo", data::adOpenDynamic,
            data::adLockReadOnly);
        if (!rs.eof())
            m_canAccess = rs.field("OPDPassword").text() == m_password->text();
        rs.close();
    });
    accept();
}

} // namespace shell
