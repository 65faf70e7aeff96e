#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace his {

// The log-in dialog of the session component: server, user id and password.
// The component checks what is typed; a refusal keeps the dialog open.
class frmLogIn final : public QDialog {
    Q_OBJECT

public:
    // Answers true when the log-in succeeded; shows its own messages.
    using Attempt =
        std::function<bool(const QString& server, const QString& userId, const QString& password)>;

    frmLogIn(QWidget* parent, QString demoServer, Attempt attempt);

    void setServer(const QString& server);
    QString server() const;

private:
    void logIn();
    void showServerNote();

    QString m_demoServer;
    Attempt m_attempt;
    QLineEdit* m_server;
    QLineEdit* m_userId;
    QLineEdit* m_password;
    QLabel* m_demoNote;
    QPushButton* m_logIn;
};

} // namespace his
