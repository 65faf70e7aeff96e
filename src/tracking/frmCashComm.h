#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace controls {
class FlexGrid;
}

namespace tracking {

// "Search Cash Communication": the communications the cashier left for the
// section (receipt, patient, paid exam). Run modally; the opener reads
// Valid, ResultCode (the receipt number) and Patient after it closes.
class frmCashComm final : public QDialog {
    Q_OBJECT

public:
    explicit frmCashComm(QWidget* parent = nullptr);

    bool Valid() const { return m_valid; }
    const QString& ResultCode() const { return m_resultCode; }
    const QString& Patient() const { return m_patient; }

    // Lists what the search box and the search-by list ask for.
    void search();

    // Closing without choosing ("&Close" or Esc).
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void resetList();
    void choose();

    QComboBox* m_searchBy;
    QLineEdit* m_searchBox;
    controls::FlexGrid* m_list;
    QPushButton* m_select;
    QString m_resultCode;
    QString m_patient;
    bool m_valid = false;
    bool m_opened = false;
};

} // namespace tracking
