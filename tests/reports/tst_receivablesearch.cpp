#include "src/controls/FlexGrid.h"
#include "src/reports/frmReceivableSearch.h"
#include "src/ui/MsgBox.h"
#include "src/ui/Units.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ResultText.h"
#include "tests/support/SessionFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using controls::FlexGrid;
using reports::frmReceivableSearch;
using testsupport::TestDatabase;

namespace {

// Billed and open admissions and visits of a few patients.
const char* const kPatients = R"(
INSERT INTO BUILD_FILE.tbcoroom (RoomID, Description, RoomClassID) VALUES ('R101', 'WARD 101', 'B');
INSERT INTO BUILD_FILE.tbCoAddress (ZipCode, Town, Province) VALUES ('1100', 'QUEZON CITY', 'METRO MANILA');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, Sex, BirthDate, Age, CivilStatus, ZipCode) VALUES ('H001', 'SANTOS', 'MARIA', 'CRUZ', 'F', '1970-04-02 00:00:00', 55, '2', '1100');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, Sex) VALUES ('H002', 'SANTIAGO', 'PEDRO', NULL, 'M');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, Sex) VALUES ('H003', 'O''BRIEN', 'KATE', 'LEE', 'F');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, Sex) VALUES ('H004', 'REYES', 'ANA', 'DY', 'F');
INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, Sex) VALUES ('H005', 'TRIM', 'TESS', NULL, 'F');
INSERT INTO PATIENT_DATA.tbPatient (IDNum, HospNum, AdmissionDate, DischargeDate, BillingDate, RoomID, Age) VALUES ('1001', 'H001', '2026-01-05 08:00:00', '2026-01-10 14:30:00', '2026-01-10 15:00:00', 'R101', 55);
INSERT INTO PATIENT_DATA.tbPatient (IDNum, HospNum, AdmissionDate, BillingDate, RoomID) VALUES ('1002', 'H001', '2026-03-01 09:00:00', NULL, 'R101');
INSERT INTO PATIENT_DATA.tbPatient (IDNum, HospNum, AdmissionDate, DischargeDate, BillingDate, RoomID) VALUES ('1003', 'H003', '2026-02-11 07:05:00', '2026-02-12 10:00:00', '2026-02-12 10:30:00', 'R101');
INSERT INTO PATIENT_DATA.tbPatient (IDNum, HospNum, AdmissionDate, BillingDate, RoomID) VALUES ('1004', 'H004', '2026-02-20 13:00:00', '2026-02-25 09:00:00', 'R101');
INSERT INTO PATIENT_DATA.tbOutPatient (IDNum, HospNum, AdmDate, DcrDate, BillingDate) VALUES ('OP0007', 'H002', '2026-02-01 10:00:00', NULL, '2026-02-01 11:00:00');
INSERT INTO PATIENT_DATA.tbOutPatient (IDNum, HospNum, AdmDate, BillingDate) VALUES ('OP0008', 'H002', '2026-02-03 10:00:00', NULL);
INSERT INTO PATIENT_DATA.tbOutPatient (IDNum, HospNum, AdmDate, BillingDate) VALUES ('OP0009  ', 'H005', '2026-02-04 10:00:00', '2026-02-04 12:00:00'))";

const QString kSantos = "H001|1001|SANTOS|MARIA|CRUZ|R101|01/05/2026 08:00|01/10/2026 14:30";
const QString kSantiago = "H002|OP0007|SANTIAGO|PEDRO||OPD|02/01/2026 10:00|";
const QString kOBrien = "H003|1003|O'BRIEN|KATE|LEE|R101|02/11/2026 07:05|02/12/2026 10:00";
const QString kReyes = "H004|1004|REYES|ANA|DY|R101|02/20/2026 13:00|";
const QString kTrim = "H005|OP0009  |TRIM|TESS||OPD|02/04/2026 10:00|";

const QStringList kShown{"HospNum",    "IdNum",  "LastName", "FirstName",
                         "MiddleName", "RoomID", "AdmDate",  "DcrDate"};

// The list's data rows, each as its eight shown columns joined by "|".
QStringList listed(const FlexGrid& grid) {
    QStringList out;
    for (int r = 1; r < grid.rows(); ++r) {
        QStringList cells;
        for (int c = 1; c <= 8; ++c)
            cells << grid.textMatrix(r, c);
        out << cells.join('|');
    }
    return out;
}

struct Window {
    FlexGrid* list;
    QLineEdit* search;
    QComboBox* searchBy;
    QPushButton* select;
    QPushButton* close;
};

Window parts(frmReceivableSearch& w) {
    return {w.findChild<FlexGrid*>("grdList"), w.findChild<QLineEdit*>("txtSearch"),
            w.findChild<QComboBox*>("cmbSearchBy"), w.findChild<QPushButton*>("cmdSelect"),
            w.findChild<QPushButton*>("cmdClose")};
}

void searchFor(const Window& w, const QString& typed) {
    w.search->clear();
    QTest::keyClicks(w.search, typed);
    QTest::keyClick(w.search, Qt::Key_Return);
}

// The heading and width of every column, as laid out: the widths given, or
// wider where a listed text needs it (`filled`); the further columns hidden.
void checkLayout(const FlexGrid& list, bool filled) {
    QCOMPARE(list.cols(), 24);
    const QStringList headings{"",          "Hosp. #",    "Adm. #",
                               "Last Name", "First Name", "Middle Name",
                               "Room #",    "Adm. Date",  "Dcr. Date"};
    const QList<int> widths{200, 800, 800, 1500, 1500, 1500, 500, 2000, 2000};
    for (int c = 0; c < 24; ++c) {
        QCOMPARE(list.textMatrix(0, c), headings.value(c));
        if (filled && c > 0 && c < widths.size())
            QVERIFY(list.colWidth(c) >= widths[c]);
        else
            QCOMPARE(list.colWidth(c), widths.value(c, 0));
    }
}

// Every text of the shown columns fits its column: none is cut short.
void checkTextsFit(const FlexGrid& list) {
    const QFontMetrics metrics(list.font());
    for (int r = 0; r < list.rows(); ++r)
        for (int c = 1; c <= 8; ++c)
            QVERIFY2(metrics.horizontalAdvance(list.textMatrix(r, c)) < ui::twips(list.colWidth(c)),
                     qPrintable(list.textMatrix(r, c)));
}

} // namespace

class tst_ReceivableSearch : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        MAMMO_REQUIRE_TEST_BACKEND();
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    }

    void procedureMatches_data();
    void procedureMatches();
    void procedureDescribesThePatientFurther();

    void opensEmptyWithoutSearching();
    void lowerCaseIsShownAndSentAsCapitals();
    void quotesInTheTextAreSafe();
    void nothingFoundAfterRowsClearsTheList();
    void choosingEmitsTheTrimmedAdmission_data();
    void choosingEmitsTheTrimmedAdmission();
    void entryShownModallyInsideTheSlot();
    void closingChoosesNothing_data();
    void closingChoosesNothing();
    void picture();
};

void tst_ReceivableSearch::procedureMatches_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("last name begins with: billed accounts only")
        << "SANT" << QStringList{kSantiago, kSantos};
    QTest::newRow("an admission number exactly") << "1004" << QStringList{kReyes};
    QTest::newRow("a visit number exactly") << "OP0007" << QStringList{kSantiago};
    QTest::newRow("part of a number finds nothing") << "100" << QStringList{};
    QTest::newRow("an open account's number finds nothing") << "1002" << QStringList{};
    QTest::newRow("a name with a quote") << "O'BRIEN" << QStringList{kOBrien};
    QTest::newRow("blanks around the text") << "  REYES " << QStringList{kReyes};
    QTest::newRow("lower case") << "reyes" << QStringList{kReyes};
    QTest::newRow("empty: every billed patient")
        << "" << QStringList{kOBrien, kReyes, kSantiago, kSantos, kTrim};
}

void tst_ReceivableSearch::procedureMatches() {
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    TestDatabase db;
    db.load(kPatients);
    data::Connection connection(db.open());
    QString doubled = text;
    doubled.replace("'", "''");
    const server::Result r =
        connection.run("LABORATORY..spGlobal_BilledPatients '" + doubled + "'");
    QCOMPARE(testsupport::rowTexts(r, kShown), rows);
}

void tst_ReceivableSearch::procedureDescribesThePatientFurther() {
    TestDatabase db;
    db.load(kPatients);
    data::Connection connection(db.open());
    const server::Result r = connection.run("LABORATORY..spGlobal_BilledPatients '1001'");
    // The list has 24 columns: the fixed one and 23 of the result.
    QCOMPARE(r.columns.size(), 23);
    for (int i = 0; i < kShown.size(); ++i)
        QCOMPARE(r.columns[i].toLower(), kShown[i].toLower());
    QCOMPARE(testsupport::rowTexts(r, {"Sex", "Age", "BirthDate", "CivilStatus", "Town", "Province",
                                       "PatientType", "RoomClassID", "BillingDate"}),
             QStringList{"F|55|04/02/1970|2|QUEZON CITY|METRO MANILA|I|B|01/10/2026 15:00"});
}

void tst_ReceivableSearch::opensEmptyWithoutSearching() {
    TestDatabase db;
    db.load(kPatients);
    testsupport::SessionFixture session(db);
    frmReceivableSearch window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const Window w = parts(window);
    QCOMPARE(window.windowTitle(), QString("Registered Patients (Master File Search)"));
    QCOMPARE(window.findChild<QLabel*>("lblHeader")->text(),
             QString("Registered Patients         "));
    QVERIFY(session.commands().isEmpty());
    QCOMPARE(w.list->rows(), 2);
    checkLayout(*w.list, false);
    QCOMPARE(w.searchBy->count(), 2);
    QCOMPARE(w.searchBy->itemText(0), QString("Last Name"));
    QCOMPARE(w.searchBy->itemText(1), QString("Admission #"));
    QCOMPARE(w.searchBy->currentIndex(), 0);
    auto* current = window.findChild<QCheckBox*>("chkCurrent");
    QVERIFY(current->isChecked());
    QVERIFY(!current->isVisible());
    QVERIFY(!w.select->isEnabled());
    QCOMPARE(QApplication::focusWidget(), w.search);
}

void tst_ReceivableSearch::lowerCaseIsShownAndSentAsCapitals() {
    TestDatabase db;
    db.load(kPatients);
    testsupport::SessionFixture session(db);
    frmReceivableSearch window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const Window w = parts(window);
    QTest::keyClicks(w.search, "sant");
    QCOMPARE(w.search->text(), QString("SANT"));
    QTest::keyClick(w.search, Qt::Key_Return);
    QCOMPARE(session.commands(), QStringList{"LABORATORY..spGlobal_BilledPatients 'SANT'"});
    QCOMPARE(listed(*w.list), (QStringList{kSantiago, kSantos}));
    checkLayout(*w.list, true); // the layout's headings, not the field names
    checkTextsFit(*w.list);
    QVERIFY(w.select->isEnabled());
    QVERIFY(window.isVisible());
    // Down moves into the list, on its first row.
    QTest::keyClick(w.search, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), w.list);
    QCOMPARE(w.list->row(), 1);
}

void tst_ReceivableSearch::quotesInTheTextAreSafe() {
    TestDatabase db;
    db.load(kPatients);
    testsupport::SessionFixture session(db);
    ui::MsgBoxRecorder messages;
    frmReceivableSearch window;
    window.show();
    const Window w = parts(window);
    searchFor(w, "o'brien");
    QVERIFY(messages.shown().isEmpty());
    QCOMPARE(session.commands(), QStringList{"LABORATORY..spGlobal_BilledPatients 'O''BRIEN'"});
    QCOMPARE(listed(*w.list), QStringList{kOBrien});
    // Text that would end the value early only ever searches for itself.
    searchFor(w, "X' OR 'A'='A");
    QVERIFY(messages.shown().isEmpty());
    QCOMPARE(w.list->rows(), 2);
    QVERIFY(!w.select->isEnabled());
}

void tst_ReceivableSearch::nothingFoundAfterRowsClearsTheList() {
    TestDatabase db;
    db.load(kPatients);
    testsupport::SessionFixture session(db);
    frmReceivableSearch window;
    window.show();
    const Window w = parts(window);
    searchFor(w, "S");
    QCOMPARE(listed(*w.list), (QStringList{kSantiago, kSantos}));
    QVERIFY(w.select->isEnabled());
    searchFor(w, "NOBODY");
    QCOMPARE(w.list->rows(), 2);
    QCOMPARE(listed(*w.list), QStringList{"|||||||"});
    checkLayout(*w.list, false);
    QVERIFY(!w.select->isEnabled());
    // Nothing to choose: a double click or Enter in the list does nothing.
    w.list->setFocus();
    QTest::keyClick(w.list, Qt::Key_Return);
    QVERIFY(window.isVisible());
    QVERIFY(!window.Valid());
}

void tst_ReceivableSearch::choosingEmitsTheTrimmedAdmission_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Select") << "select";
    QTest::newRow("double click") << "double click";
    QTest::newRow("Enter in the list") << "enter";
}

void tst_ReceivableSearch::choosingEmitsTheTrimmedAdmission() {
    QFETCH(QString, how);
    TestDatabase db;
    db.load(kPatients);
    testsupport::SessionFixture session(db);
    frmReceivableSearch window;
    QSignalSpy chosen(&window, &frmReceivableSearch::admissionChosen);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const Window w = parts(window);
    searchFor(w, "T");
    QCOMPARE(listed(*w.list), QStringList{kTrim});
    if (how == "select") {
        w.select->click();
    } else if (how == "enter") {
        w.list->setFocus();
        QTest::keyClick(w.list, Qt::Key_Return);
    } else {
        const QPoint at = w.list->viewport()->mapFrom(w.list, w.list->cellRect(1, 3).center());
        QTest::mouseClick(w.list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(w.list->viewport(), Qt::LeftButton, {}, at);
    }
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen[0][0].toString(), QString("OP0009"));
    QVERIFY(!window.isVisible());
    QVERIFY(window.Valid());
    QCOMPARE(window.ResultCode(), QString("OP0009"));
    QCOMPARE(window.Patient(), QString("TRIM, TESS"));
}

void tst_ReceivableSearch::entryShownModallyInsideTheSlot() {
    TestDatabase db;
    db.load(kPatients);
    testsupport::SessionFixture session(db);
    frmReceivableSearch window;
    QString entryFor;
    bool searchOpenMeanwhile = false;
    // The caller's receivable entry: shown modally for the admission chosen.
    connect(&window, &frmReceivableSearch::admissionChosen, &window, [&](const QString& idnumber) {
        QDialog entry(&window);
        entry.setObjectName("frmReceivableEntry");
        testsupport::whenModalOpens([&](QWidget* modal) {
            entryFor = modal->objectName() + " " + idnumber;
            searchOpenMeanwhile = window.isVisible();
            static_cast<QDialog*>(modal)->accept();
        });
        entry.exec();
    });
    testsupport::whenModalOpens([&](QWidget* modal) {
        auto* search = modal->findChild<QLineEdit*>("txtSearch");
        QTest::keyClicks(search, "reyes");
        QTest::keyClick(search, Qt::Key_Return);
        modal->findChild<QPushButton*>("cmdSelect")->click();
    });
    QCOMPARE(window.exec(), int(QDialog::Accepted));
    QCOMPARE(entryFor, QString("frmReceivableEntry 1004"));
    QVERIFY(searchOpenMeanwhile);
    QVERIFY(!window.isVisible());
}

void tst_ReceivableSearch::closingChoosesNothing_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Close") << false;
    QTest::newRow("Esc") << true;
}

void tst_ReceivableSearch::closingChoosesNothing() {
    QFETCH(bool, escape);
    TestDatabase db;
    db.load(kPatients);
    testsupport::SessionFixture session(db);
    frmReceivableSearch window;
    QSignalSpy chosen(&window, &frmReceivableSearch::admissionChosen);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const Window w = parts(window);
    searchFor(w, "S");
    if (escape)
        QTest::keyClick(w.search, Qt::Key_Escape);
    else
        w.close->click();
    QVERIFY(!window.isVisible());
    QVERIFY(!window.Valid());
    QCOMPARE(chosen.size(), 0);
}

void tst_ReceivableSearch::picture() {
    TestDatabase db;
    db.load(kPatients);
    testsupport::SessionFixture session(db);
    frmReceivableSearch window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    searchFor(parts(window), "");
    QVERIFY(QFileInfo::exists(testsupport::savePicture(&window, "frmReceivableSearch")));
}

QTEST_MAIN(tst_ReceivableSearch)
#include "tst_receivablesearch.moc"
