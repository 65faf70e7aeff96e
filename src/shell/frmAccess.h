#pragma once

#include <QDialog>

class QLineEdit;

namespace shell {

// Asks for the section password (the hospital's outpatient-department
// password) before a privileged screen opens. Enter checks it and closes the
// prompt whatever the outcome; CanAccess() tells the opener.
class frmAccess final : public QDialog {
    Q_OBJECT

public:
    explicit frmAccess(QWidget* parent = nullptr);

    bool CanAccess() const { return m_canAccess; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void checkPassword();

    QLineEdit* m_password;
    bool m_canAccess = false;
};

} // namespace shell
