#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace controls {
class FlexGrid;
}

namespace reports {

// "Registered Patients (Master File Search)": finds the billed patients
// (admissions and outpatient visits with a closed account) by last name or
// admission number, the way into receivable entry. Run modally. Choosing a
// row emits admissionChosen with that row's admission number; the caller
// opens the receivable entry modally inside its slot, and this window closes
// once the slot returns. Valid, ResultCode (the admission number) and
// Patient tell the choice afterwards.
class frmReceivableSearch final : public QDialog {
    Q_OBJECT

public:
    explicit frmReceivableSearch(QWidget* parent = nullptr);

    bool Valid() const { return m_valid; }
    const QString& ResultCode() const { return m_resultCode; }
    const QString& Patient() const { return m_patient; }

    // Lists the billed patients that the search box's text finds.
    void search();

    // Closing without choosing ("&Close" or Esc).
    void reject() override;

signals:
    void admissionChosen(const QString& idnumber);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layOutList();
    void choose();

    QComboBox* m_searchBy;
    QLineEdit* m_searchBox;
    QCheckBox* m_currentOnly;
    controls::FlexGrid* m_list;
    QPushButton* m_select;
    QString m_resultCode;
    QString m_patient;
    bool m_valid = false;
};

} // namespace reports
