#pragma once

#include <QDate>
#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;

namespace data {
class Connection;
}

namespace charges {

// "Walk-in Patient Entry": registers a walk-in patient under a new walk-in
// number and logs the registration. Run modally; the opener sets
// FromAssessment before, and reads NewEntry and WalkInNumber after.
class frmWalkIn final : public QDialog {
    Q_OBJECT

public:
    explicit frmWalkIn(QWidget* parent = nullptr);

    // Set by the caller when the new number is meant for the assessment.
    bool FromAssessment() const { return m_fromAssessment; }
    void setFromAssessment(bool on) { m_fromAssessment = on; }

    // True once a save registered a patient; false after "&Close".
    bool NewEntry() const { return m_newEntry; }
    // The number the last save registered ("" before any).
    const QString& WalkInNumber() const { return m_walkInNumber; }

    // The day the age is counted on; an invalid date (the default) means today.
    void setToday(const QDate& today) { m_today = today; }

    // Closing without saving ("&Close" or Esc).
    void reject() override;

signals:
    // A patient was registered under this number; emitted before the window closes.
    void walkInRegistered(const QString& walkInNumber);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* textBox(const QString& name, int maxLength);
    void fillAge();
    void pickAddress();
    void save();
    QString addCommand(const QString& number) const;
    QDate today() const;

    QLineEdit* m_lastName;
    QLineEdit* m_firstName;
    QLineEdit* m_middleName;
    QLineEdit* m_birthDate;
    QLineEdit* m_age;
    QLineEdit* m_house;
    QLineEdit* m_barangay;
    QLineEdit* m_town;
    QButtonGroup* m_civilStatus;
    QButtonGroup* m_sex;
    QString m_townCode;
    QString m_walkInNumber;
    QDate m_today;
    bool m_fromAssessment = false;
    bool m_newEntry = false;
};

} // namespace charges
