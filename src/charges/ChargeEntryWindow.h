#pragma once

#include "src/charges/ChargeRules.h"
#include "src/charges/ChargeSlip.h"
#include "src/data/SharedComponents.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace controls {
class FlexGrid;
}

namespace charges {

// The charge entry window that the inpatient, outpatient and receivable
// entries share: a read-only patient header, the attending doctor, the grid
// of exam lines edited cell by cell through a floating editor, and Save,
// Save/Print and Close. Each entry fills in its own rules through the
// virtual members below; everything else is here once.
class ChargeEntryWindow : public QDialog {
    Q_OBJECT

public:
    enum Column { Department = 1, Code = 2, Exam = 3, Price = 4, Quantity = 5, Amount = 6 };
    static constexpr int kColumns = 7;

    // Fills the holiday markup list from the markup table.
    void Get_Markup();

protected:
    struct Design {
        QString caption;
        bool departmentTyped = false; // else entering it writes "MM" and moves on
        bool holidayMarkup = false;   // the holiday box and its markup list
        bool orNumberBoxes = false;   // "O.R. Num:" and its box (hidden until used)
    };
    ChargeEntryWindow(const Design& design, QWidget* parent);

    // ---- what each entry decides -------------------------------------
    // False: the grid cannot be entered yet (it is disabled).
    virtual bool gridUsable() const { return true; }
    virtual double price(const data::OtherRevenueInfo& item) const = 0;
    // Quantity of a new doctor's fee line.
    virtual QString feeQuantity() const { return {}; }
    virtual QString requestPatientType() const = 0;
    virtual QString chargePatientType() const = 0;
    virtual QString slipNumber();
    // After each request line: posts the charge on the account.
    virtual void afterRequest(int line, const QString& slip);
    virtual void afterSave(const QString& slip);
    virtual SlipOutput slipOutput() const = 0;
    virtual QString slipCompany() const { return m_account; }
    // The text a doctor search runs with; nullopt: the trigger does nothing.
    virtual std::optional<QString> doctorSearchText(bool fromButton) const;
    virtual void prepareDoctorSearch(data::ICodeSearch&) {}
    // After a successful "&Save", before the window closes.
    virtual void clearAfterSave() {}
    // Moves the window where it belongs each time it is activated.
    virtual void placeOnActivation();

    // ---- shared pieces for the entries --------------------------------
    void setUpGrid();
    QString cell(int row, int col) const;
    void setCell(int row, int col, const QString& text);
    int lineCount() const; // rows of exam lines (without the heading row)
    void appendLine();
    // Fills the header from an admission found by the patient search.
    void fillFromAdmission(const data::AdmissionInfo& admission);
    void setCivilStatus(int index);
    void setSex(const QString& code);
    void clearHeader();
    data::ICodeSearch& codeSearch() const;
    data::IPatientSearch& patientSearch() const;
    data::Connection& connection() const;

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    QLineEdit* txtSname;
    QLineEdit* txtFname;
    QLineEdit* txtMname;
    QComboBox* cmbCivilStatus;
    QComboBox* cmbSex;
    QLineEdit* txtBirth;
    QLineEdit* txtAge;
    QLineEdit* txtAddress;
    QLineEdit* txtAdmNo;
    QLineEdit* txtHospNo;
    QLineEdit* txtAdmDate;
    QLineEdit* txtRoomNo;
    QLineEdit* txtDoctorID;
    QLineEdit* txtDoctor;
    QPushButton* cmdDoctor;
    QLabel* lblORNum = nullptr;
    QLineEdit* txtORNum = nullptr;
    controls::FlexGrid* grdTable;
    QLineEdit* txtEntry;
    QCheckBox* chkHoliday = nullptr;
    QFrame* pctMarkup = nullptr;
    controls::FlexGrid* grdMarkup = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* cmdSave;
    QPushButton* cmdPrint;
    QPushButton* cmdClose;

    QString m_roomClass;
    QString m_account;

private:
    QWidget* buildHeader(const Design& design);
    QWidget* buildButtons();
    void buildMarkupList();

    // The floating editor.
    void enterCell();
    void showEditor();
    void hideEditor();
    void goToCell(int row, int col);
    void moveOn();
    bool editorKey(QKeyEvent* key);
    void editorEnter();
    void codeStep(int row);
    bool examLookup(int row, QString text);
    bool feeLookup(int row, QString text);

    // Doctor, markup, save and closing.
    void searchDoctor(bool fromButton);
    void holidayClicked(bool ticked);
    void markupPicked(int row);
    bool save();
    void saveClicked();
    void saveAndPrintClicked();
    void printSlip(const QString& slip, const QString& patient);
    QList<ChargeSlipLine> filledLines() const;

    Design m_design;
    std::array<bool, kColumns> m_editable{};
    std::array<KeyFilter, kColumns> m_filter{};
    int m_editRow = -1;
    int m_editCol = -1;
    bool m_moving = false;
    bool m_placing = false;
    QString m_savedSlip; // of the last successful save
};

} // namespace charges
