#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace data {
class Recordset;
}

namespace controls {

class FlexGrid;

// What the patient pickers share: a header label, a frame holding the
// search-by list, the search box and the list grid, and the buttons "&Select"
// and "&Close". Letters typed in the search box become capitals, Enter there
// searches, Down moves to the first row of the list; Enter or a double click
// on the list selects while "&Select" is enabled; Esc closes. A window says
// how it searches (search()) and sets its own first focus.
class PatientPicker : public QDialog {
    Q_OBJECT
public:
    bool Valid() const { return m_valid; }
    QString ResultCode() const { return m_resultCode; }

    // The pickers' grid: 6 columns of 200, 1000, 2000, 2000, 2000, 1500 twips,
    // with the headings "Adm #" … "Adm. Date" when `headings` is true.
    static void applyListLayout(FlexGrid& grid, bool headings);

protected:
    PatientPicker(QWidget* parent, const QString& objectName, const QString& caption,
                  const QStringList& searchBy);

    // Runs once, when the window is first shown (its properties are set by then).
    virtual void load() = 0;
    // One search from the current state of the fields; may throw a database error.
    virtual void search() = 0;
    // "&Select": by default the code in column 1 of the current row.
    virtual void select();

    // Runs search() with the hourglass; a database error is shown and the window stays.
    void runSearch();
    void setSelectable(bool on);
    void setResultCode(const QString& code) { m_resultCode = code; }
    void finish(); // Valid, and close
    // The text of column 1 of the current data row.
    QString currentCode() const;
    // An "add" button left of the others.
    QPushButton* addButton(const QString& objectName, const QString& text);
    // The field that takes the focus when the window is shown or activated.
    void setFirstFocus(QWidget* field) { m_firstFocus = field; }

    QLabel* header() const { return m_header; }
    QGroupBox* frame() const { return m_frame; }
    QFormLayout* fields() const { return m_fields; }
    QComboBox* searchBy() const { return m_searchBy; }
    QLineEdit* searchBox() const { return m_searchBox; }
    FlexGrid* grid() const { return m_grid; }
    QPushButton* selectButton() const { return m_select; }
    QString searchText() const;
    QString searchKind() const;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void selectIfEnabled();

    QLabel* m_header;
    QGroupBox* m_frame;
    QFormLayout* m_fields;
    QComboBox* m_searchBy;
    QLineEdit* m_searchBox;
    FlexGrid* m_grid;
    QPushButton* m_select;
    QPushButton* m_close;
    QWidget* m_buttonRow;
    QWidget* m_firstFocus = nullptr;
    bool m_loaded = false;
    bool m_valid = false;
    QString m_resultCode;
};

} // namespace controls
