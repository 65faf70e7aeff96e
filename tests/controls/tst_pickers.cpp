#include "src/controls/FlexGrid.h"
#include "src/controls/WalkInOpener.h"
#include "src/controls/clsCashPatientSearch.h"
#include "src/controls/clsOutpatientSearch.h"
#include "src/controls/clsRegularPatientSearch.h"
#include "src/controls/frmCashPatients.h"
#include "src/controls/frmPatientList.h"
#include "src/controls/frmRegisteredOPD.h"
#include "src/ui/MsgBox.h"
#include "tests/support/FakeComponents.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/SessionFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using controls::FlexGrid;

namespace {

QString stamp(const QDate& day, const QString& time) {
    return day.toString("yyyy-MM-dd") + " " + time;
}

// Patients H001-H005 (two SANTOS), visits of today (OP1, OP2), an old released
// one (OP5) and yesterday's (OP4); walk-ins W1-W3 (two DELA CRUZ).
void loadPatients(const testsupport::TestDatabase& db) {
    const QDate today = QDate::currentDate();
    db.load(
        "INSERT INTO BUILD_FILE.tbCoAddress (ZipCode, Town, Province) VALUES "
        "('4000', 'SAN PABLO', 'LAGUNA');\n"
        "INSERT INTO PATIENT_DATA.tbMaster (HospNum, LastName, FirstName, MiddleName, Sex, "
        "BirthDate, Age, CivilStatus, HouseStreet, Barangay, ZipCode) VALUES "
        "('H001', 'SANTOS', 'MARIA', 'LUZ', 'F', '1970-05-04 00:00:00', 54, '2', "
        "'12 RIZAL ST', 'POBLACION', '4000'), "
        "('H002', 'SANTOS', 'ANA', NULL, 'F', '1900-01-01 00:00:00', 30, NULL, NULL, NULL, "
        "NULL), "
        "('H003', 'SANTIAGO', 'PEDRO', NULL, 'M', NULL, 61, '3', NULL, NULL, NULL), "
        "('H004', 'O''BRIEN', 'JUAN', NULL, 'M', NULL, 44, '2', NULL, NULL, NULL), "
        "('H005', 'REYES', 'LINA', 'CRUZ', 'F', NULL, 70, '3', NULL, NULL, NULL);\n"
        "INSERT INTO PATIENT_DATA.tbOutPatient (IDNum, HospNum, AdmDate, DcrDate, BillingDate, "
        "AccountNum, Company, Age) VALUES ('OP1', 'H001', '" +
        stamp(today, "08:30:00") + "', NULL, NULL, 'AC7', 'ACME', 53), ('OP2', 'H002', '" +
        stamp(today, "14:05:00") + "', NULL, NULL, NULL, NULL, NULL), ('OP4', 'H004', '" +
        stamp(today.addDays(-1), "10:00:00") +
        "', NULL, NULL, NULL, NULL, NULL), "
        "('OP5', 'H005', '2024-01-02 10:00:00', '2024-01-02 12:15:00', "
        "'2024-01-03 09:00:00', NULL, NULL, 69);\n"
        "INSERT INTO PATIENT_DATA.tbCashPatient (HospNum, LastName, FirstName, MiddleName, "
        "HouseStreet, Barangay, ZipCode, BirthDate, CivilStatus, Age, Sex, RegisterDate) VALUES "
        "('W1', 'DELA CRUZ', 'JOSE', 'P', 'PUROK 1', 'SAN ISIDRO', '4000', "
        "'1980-12-31 00:00:00', '2', 44, 'M', '2025-01-01 08:00:00'), "
        "('W2', 'DELA CRUZ', 'ROSA', NULL, NULL, NULL, NULL, NULL, NULL, NULL, 'F', NULL), "
        "('W3', 'TAN', 'LEE', NULL, NULL, NULL, NULL, NULL, '', 25, 'F', NULL)");
}

// Counts a window that opens while it lives, and closes it at once.
class NoWindow {
public:
    NoWindow() {
        testsupport::whenModalOpens([watching = m_watching, opened = m_opened](QWidget* w) {
            if (!*watching)
                return;
            ++*opened;
            w->close();
        });
    }
    ~NoWindow() { *m_watching = false; }
    int opened() const { return *m_opened; }

private:
    std::shared_ptr<bool> m_watching = std::make_shared<bool>(true);
    std::shared_ptr<int> m_opened = std::make_shared<int>(0);
};

// What a test finds in a picker the provider opened.
struct SeenPicker {
    QString name;
    QString title;
    QString searchText;
    QString header;
    bool checkVisible = true;
    bool addVisible = false;
    QStringList codes; // column 1 of the data rows
};

QStringList codesOf(const FlexGrid& grid) {
    QStringList codes;
    for (int r = grid.fixedRows(); r < grid.rows(); ++r)
        codes << grid.textMatrix(r, 1);
    return codes;
}

QStringList rowOf(const FlexGrid& grid, int row) {
    QStringList texts;
    for (int c = 1; c < grid.cols(); ++c)
        texts << grid.textMatrix(row, c);
    return texts;
}

// Records the picker that opens, then picks the data row `row` (from 1) or,
// with 0, closes it with Esc.
std::shared_ptr<SeenPicker> drivePicker(int row) {
    auto seen = std::make_shared<SeenPicker>();
    testsupport::whenModalOpens([seen, row](QWidget* w) {
        seen->name = w->objectName();
        seen->title = w->windowTitle();
        if (auto* box = w->findChild<QLineEdit*>("txtSearch"))
            seen->searchText = box->text();
        if (auto* header = w->findChild<QLabel*>("lblHeader"))
            seen->header = header->text();
        if (auto* check = w->findChild<QCheckBox*>("chkCurrent"))
            seen->checkVisible = check->isVisible();
        if (auto* add = w->findChild<QPushButton*>("cmdAdd"))
            seen->addVisible = add->isVisible();
        auto* grid = w->findChild<FlexGrid*>("grdList");
        if (!grid) {
            w->close();
            return;
        }
        seen->codes = codesOf(*grid);
        if (row == 0) {
            QTest::keyClick(w, Qt::Key_Escape);
            return;
        }
        grid->setRow(row);
        QTest::mouseClick(w->findChild<QPushButton*>("cmdSelect"), Qt::LeftButton);
    });
    return seen;
}

template <typename T> T* child(QWidget& w, const char* name) {
    T* found = w.findChild<T*>(name);
    if (!found)
        qFatal("no control %s", name);
    return found;
}

} // namespace

class tst_Pickers : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        MAMMO_REQUIRE_TEST_BACKEND();
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    }
    void init();
    void cleanup();

    // Providers.
    void oneMatchIsAcceptedWithoutAWindow_data();
    void oneMatchIsAcceptedWithoutAWindow();
    void severalMatchesOpenTheList_data();
    void severalMatchesOpenTheList();
    void withoutViewListNoWindowOpens();
    void providersExposeTheRecord();
    void outpatientProvider();
    void quotesArriveIntact();

    // The patient list.
    void patientListSearches();
    void patientListAddsAWalkIn();
    void patientListShowsAnError();

    // The registered-outpatient picker.
    void registeredOpdListsTodaysVisits();
    void registeredOpdKeys();

    // The cash picker.
    void cashPickerStartsEmpty();
    void cashPickerWalkIns();
    void cashPickerWalkInFindsNothing();
    void cashPickerOutpatients();
    void cashPickerInpatient();
    void cashPickerTypeKeys_data();
    void cashPickerTypeKeys();
    void cashPickerAddPatient();

    void pictures();

private:
    std::unique_ptr<testsupport::TestDatabase> m_db;
    std::unique_ptr<testsupport::SessionFixture> m_session;
    std::unique_ptr<testsupport::FakePatientSearch> m_patients;
    std::unique_ptr<ui::MsgBoxRecorder> m_messages;
};

void tst_Pickers::init() {
    m_db = std::make_unique<testsupport::TestDatabase>();
    loadPatients(*m_db);
    m_session = std::make_unique<testsupport::SessionFixture>(*m_db);
    m_patients = std::make_unique<testsupport::FakePatientSearch>();
    data::currentSession().patientSearch = m_patients.get();
    m_messages = std::make_unique<ui::MsgBoxRecorder>();
}

void tst_Pickers::cleanup() {
    controls::setWalkInOpener({});
    m_messages.reset();
    m_session.reset(); // takes the session values out, the component too
    m_patients.reset();
    m_db.reset();
}

void tst_Pickers::oneMatchIsAcceptedWithoutAWindow_data() {
    QTest::addColumn<QString>("provider");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("hospNum");

    QTest::newRow("regular by number") << "regular"
                                       << "H003"
                                       << "RADIOLOGY..spGlobal_RegularPatients '','1', 'H003'"
                                       << "H003";
    QTest::newRow("regular by its one last name")
        << "regular"
        << "REYES"
        << "RADIOLOGY..spGlobal_RegularPatients '','1', 'REYES'"
        << "H005";
    QTest::newRow("cash by walk-in number") << "cash"
                                            << "W2"
                                            << "RADIOLOGY..spGlobal_CashPatients '','1', 'W2'"
                                            << "W2";
    QTest::newRow("outpatient by visit number") << "outpatient"
                                                << "OP5"
                                                << "spGlobal_RegisteredOPD '0','1', 'OP5'"
                                                << "H005";
}

void tst_Pickers::oneMatchIsAcceptedWithoutAWindow() {
    QFETCH(QString, provider);
    QFETCH(QString, text);
    QFETCH(QString, command);
    QFETCH(QString, hospNum);
    NoWindow window;
    QString found;
    if (provider == "regular") {
        controls::clsRegularPatientSearch search;
        QVERIFY(search.ValidatePatient(text, true));
        found = search.HospitalNumber();
    } else if (provider == "cash") {
        controls::clsCashPatientSearch search;
        QVERIFY(search.ValidatePatient(text, true));
        found = search.HospitalNumber();
    } else {
        controls::clsOutpatientSearch search;
        QVERIFY(search.ValidatePatient(text));
        found = search.HospitalNumber();
    }
    QCOMPARE(window.opened(), 0);
    QCOMPARE(found, hospNum);
    QCOMPARE(m_session->commands(), QStringList{command});
}

void tst_Pickers::severalMatchesOpenTheList_data() {
    QTest::addColumn<QString>("provider");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("addVisible");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("hospNum");

    QTest::newRow("regular, second SANTOS")
        << "regular"
        << "SANTOS" << 2 << "Regular Patients" << false << QStringList{"H002", "H001"}
        << QStringList{"RADIOLOGY..spGlobal_RegularPatients '','1', 'SANTOS'",
                       "RADIOLOGY..spGlobal_RegularPatients '1','0','SANTOS'",
                       "RADIOLOGY..spGlobal_RegularPatients '0','1', 'H001'"}
        << "H001";
    QTest::newRow("regular, closed")
        << "regular"
        << "SANTOS" << 0 << "Regular Patients" << false << QStringList{"H002", "H001"}
        << QStringList{"RADIOLOGY..spGlobal_RegularPatients '','1', 'SANTOS'",
                       "RADIOLOGY..spGlobal_RegularPatients '1','0','SANTOS'"}
        << "";
    QTest::newRow("cash, two DELA CRUZ")
        << "cash"
        << "DELA CRUZ" << 1 << "Walk In Patients" << true << QStringList{"W1", "W2"}
        << QStringList{"RADIOLOGY..spGlobal_CashPatients '','1', 'DELA CRUZ'",
                       "RADIOLOGY..spGlobal_CashPatients '1','0','DELA CRUZ'",
                       "RADIOLOGY..spGlobal_CashPatients '0','1', 'W1'"}
        << "W1";
    QTest::newRow("outpatient, a name lists today's visits")
        << "outpatient"
        << "SANTOS" << 1 << "Registered Outpatients" << false << QStringList{"OP2", "OP1"}
        << QStringList{"spGlobal_RegisteredOPD '0','1', 'SANTOS'",
                       "spGlobal_RegisteredOPD '1','0', 'SANTOS'",
                       "spGlobal_RegisteredOPD '0','1', 'OP2'"}
        << "H002";
}

void tst_Pickers::severalMatchesOpenTheList() {
    QFETCH(QString, provider);
    QFETCH(QString, text);
    QFETCH(int, row);
    QFETCH(QString, caption);
    QFETCH(bool, addVisible);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, commands);
    QFETCH(QString, hospNum);

    const auto seen = drivePicker(row);
    bool found = false;
    QString hosp;
    if (provider == "regular") {
        controls::clsRegularPatientSearch search;
        found = search.ValidatePatient(text, true);
        hosp = search.HospitalNumber();
    } else if (provider == "cash") {
        controls::clsCashPatientSearch search;
        found = search.ValidatePatient(text, true);
        hosp = search.HospitalNumber();
    } else {
        controls::clsOutpatientSearch search;
        found = search.ValidatePatient(text);
        hosp = search.HospitalNumber();
    }
    QCOMPARE(seen->name,
             provider == "outpatient" ? QString("frmRegisteredOPD") : QString("frmPatientList"));
    QCOMPARE(seen->title, caption);
    QCOMPARE(seen->searchText, text);
    QCOMPARE(seen->codes, listed);
    QCOMPARE(seen->addVisible, addVisible);
    if (provider != "outpatient") {
        // The regular and walk-in lists keep their box hidden (and ticked).
        QVERIFY(!seen->checkVisible);
        QCOMPARE(seen->header, caption + "    ");
    }
    QCOMPARE(found, row > 0);
    QCOMPARE(hosp, hospNum);
    QCOMPARE(m_session->commands(), commands);
}

void tst_Pickers::withoutViewListNoWindowOpens() {
    NoWindow window;
    controls::clsRegularPatientSearch regular;
    QVERIFY(!regular.ValidatePatient("SANTOS", false));
    controls::clsCashPatientSearch cash;
    QVERIFY(!cash.ValidatePatient("XAVIER", false));
    QCOMPARE(window.opened(), 0);
    QCOMPARE(regular.HospitalNumber(), QString());
}

void tst_Pickers::providersExposeTheRecord() {
    controls::clsRegularPatientSearch regular;
    QVERIFY(regular.ValidatePatient("H001", false));
    QCOMPARE((QStringList{regular.HospitalNumber(), regular.LastName(), regular.FirstName(),
                          regular.MiddleName(), regular.CivilStatus(), regular.Sex(), regular.Age(),
                          regular.HouseStreet(), regular.Barangay(), regular.Town(),
                          regular.Province()}),
             (QStringList{"H001", "SANTOS", "MARIA", "LUZ", "2", "F", "54", "12 RIZAL ST",
                          "POBLACION", "SAN PABLO", "LAGUNA"}));
    QCOMPARE(regular.BirthDate().left(10), QString("1970-05-04"));

    // No civil status on record (NULL, or empty) is taken as single.
    QVERIFY(regular.ValidatePatient("H002", false));
    QCOMPARE(regular.CivilStatus(), QString("1"));
    QCOMPARE(regular.MiddleName(), QString());
    QCOMPARE(regular.Town(), QString());
    controls::clsCashPatientSearch cash;
    QVERIFY(cash.ValidatePatient("W3", false));
    QCOMPARE(cash.CivilStatus(), QString("1"));
    QCOMPARE(cash.LastName(), QString("TAN"));
    QVERIFY(cash.ValidatePatient("W1", false));
    QCOMPARE(cash.CivilStatus(), QString("2"));
    QCOMPARE(cash.Town(), QString("SAN PABLO"));
}

void tst_Pickers::outpatientProvider() {
    NoWindow window;
    controls::clsOutpatientSearch search;
    QVERIFY(search.ValidatePatient("OP5", false));
    QCOMPARE(window.opened(), 0);
    QCOMPARE((QStringList{search.Idnumber(), search.HospitalNumber(), search.LastName(),
                          search.FirstName(), search.MiddleName(), search.AdmDate(),
                          search.AdmTime(), search.DcrDate(), search.DcrTime(),
                          search.BillingDate(), search.Age(), search.CivilStatus()}),
             (QStringList{"OP5", "H005", "REYES", "LINA", "CRUZ", "01/02/2024", "10:00AM",
                          "01/02/2024", "12:15PM", "01/03/2024", "69", "3"}));

    QVERIFY(search.ValidatePatient("op1"));
    QCOMPARE(search.Idnumber(), QString("OP1"));
    QCOMPARE(search.AccountNum(), QString("AC7"));
    QCOMPARE(search.Company(), QString("ACME"));
    QCOMPARE(search.AdmDate(), QDate::currentDate().toString("MM/dd/yyyy"));
    QCOMPARE(search.AdmTime(), QString("08:30AM"));
    QCOMPARE(search.DcrDate(), QString());
    QCOMPARE(search.DcrTime(), QString());
    QCOMPARE(search.BillingDate(), QString());
}

void tst_Pickers::quotesArriveIntact() {
    NoWindow window;
    controls::clsRegularPatientSearch regular;
    QVERIFY(regular.ValidatePatient("O'BRIEN", true));
    QCOMPARE(regular.HospitalNumber(), QString("H004"));
    QCOMPARE(regular.LastName(), QString("O'BRIEN"));
    QCOMPARE(m_session->commands(),
             QStringList{"RADIOLOGY..spGlobal_RegularPatients '','1', 'O''BRIEN'"});

    // Typed in a list window: the quote is doubled in the call and found.
    m_session->clearCommands();
    controls::frmRegisteredOPD picker;
    picker.setPatientRecord("");
    picker.show();
    auto* box = child<QLineEdit>(picker, "txtSearch");
    child<QCheckBox>(picker, "chkCurrent")->setChecked(false);
    box->clear();
    QTest::keyClicks(box, "o'b");
    QCOMPARE(box->text(), QString("O'B"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(m_session->commands().last(), QString("spGlobal_RegisteredOPD '0','0', 'O''B'"));
    QCOMPARE(codesOf(*child<FlexGrid>(picker, "grdList")), QStringList{"OP4"});
    QCOMPARE(window.opened(), 0);
}

void tst_Pickers::patientListSearches() {
    controls::frmPatientList list;
    list.setListCaption("Regular Patients");
    list.setCurrentCaption("Current Registration Only");
    list.setPatientRecord("SANT");
    list.setPatientQuery("RADIOLOGY..spGlobal_RegularPatients '#1','#2','#3'");
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    auto* grid = child<FlexGrid>(list, "grdList");
    auto* select = child<QPushButton>(list, "cmdSelect");
    auto* box = child<QLineEdit>(list, "txtSearch");
    auto* by = child<QComboBox>(list, "cmbSearchBy");
    QCOMPARE(by->count(), 2);
    QCOMPARE(by->itemText(0), QString("Last Name"));
    QCOMPARE(by->itemText(1), QString("Admission #"));
    QCOMPARE(child<QGroupBox>(list, "fraList")->title(), QString("Patient List"));
    QVERIFY(child<QCheckBox>(list, "chkCurrent")->isVisible());
    QVERIFY(!child<QPushButton>(list, "cmdAdd")->isVisible());
    QCOMPARE(m_session->commands(),
             QStringList{"RADIOLOGY..spGlobal_RegularPatients '1','0','SANT'"});
    QCOMPARE(codesOf(*grid), (QStringList{"H003", "H002", "H001"}));
    // The result's own field names head the six columns.
    QCOMPARE(grid->cols(), 6);
    QCOMPARE(rowOf(*grid, 0),
             (QStringList{"HospNum", "LastName", "FirstName", "MiddleName", "Birth Date"}));
    QCOMPARE(grid->colWidth(2), 2000);
    QVERIFY(select->isEnabled());

    // By number, then a search that finds nothing.
    by->setCurrentIndex(1);
    box->clear();
    QTest::keyClicks(box, "h005");
    QTest::keyClick(box, Qt::Key_Enter);
    QCOMPARE(m_session->commands().last(),
             QString("RADIOLOGY..spGlobal_RegularPatients '1','1','H005'"));
    QCOMPARE(codesOf(*grid), QStringList{"H005"});
    box->setText("  ZZZ ");
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(m_session->commands().last(),
             QString("RADIOLOGY..spGlobal_RegularPatients '1','1','ZZZ'"));
    QCOMPARE(grid->rows(), 2);
    QCOMPARE(codesOf(*grid), QStringList{""});
    QVERIFY(!select->isEnabled());
    // Enter on the empty list selects nothing.
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(list.isVisible());
    QVERIFY(!list.Valid());

    // The box runs the search when cleared; Down moves to row 1 of the list.
    by->setCurrentIndex(0);
    box->setText("SANTOS");
    child<QCheckBox>(list, "chkCurrent")->setChecked(false);
    QCOMPARE(m_session->commands().last(),
             QString("RADIOLOGY..spGlobal_RegularPatients '0','0','SANTOS'"));
    box->setFocus();
    grid->setRow(2);
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(grid->row(), 1);
    QVERIFY(grid->hasFocus());
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(!list.isVisible());
    QVERIFY(list.Valid());
    QCOMPARE(list.ResultCode(), QString("H001"));
}

void tst_Pickers::patientListAddsAWalkIn() {
    QList<bool> opened;
    controls::setWalkInOpener([&](QWidget* parent, bool fromAssessment) {
        opened << fromAssessment;
        QVERIFY(parent && parent->objectName() == "frmPatientList");
        m_db->load("INSERT INTO PATIENT_DATA.tbCashPatient (HospNum, LastName, FirstName) "
                   "VALUES ('W9', 'DELA CRUZ', 'ZOE')");
    });
    controls::frmPatientList list;
    list.setListCaption("Walk In Patients");
    list.setCurrentCaption("");
    list.setPatientRecord("DELA");
    list.setPatientQuery("RADIOLOGY..spGlobal_CashPatients '#1','#2','#3'");
    list.setEnableAddPatient(true);
    list.show();
    auto* add = child<QPushButton>(list, "cmdAdd");
    QCOMPARE(add->text(), QString("&Add Cash Patient"));
    QVERIFY(add->isVisible());
    QCOMPARE(codesOf(*child<FlexGrid>(list, "grdList")), (QStringList{"W1", "W2"}));
    m_session->clearCommands();
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(opened, QList<bool>{true});
    // The list is searched again and shows the new walk-in.
    QCOMPARE(m_session->commands(), QStringList{"RADIOLOGY..spGlobal_CashPatients '1','0','DELA'"});
    QCOMPARE(codesOf(*child<FlexGrid>(list, "grdList")), (QStringList{"W1", "W2", "W9"}));
}

void tst_Pickers::patientListShowsAnError() {
    controls::frmPatientList list;
    list.setListCaption("Regular Patients");
    list.setPatientRecord("X");
    list.setPatientQuery("RADIOLOGY..spGlobal_NoSuchList '#1','#2','#3'");
    list.show();
    QCOMPARE(m_messages->shown().size(), 1);
    QCOMPARE(m_messages->shown().first().icon(), int(ui::vbCritical));
    QVERIFY(list.isVisible());
    QVERIFY(!child<QPushButton>(list, "cmdSelect")->isEnabled());
    QVERIFY(child<FlexGrid>(list, "grdList")->viewport()->updatesEnabled());
}

void tst_Pickers::registeredOpdListsTodaysVisits() {
    controls::frmRegisteredOPD picker;
    picker.setPatientRecord("");
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QCOMPARE(picker.windowTitle(), QString("Registered Outpatients"));
    auto* check = child<QCheckBox>(picker, "chkCurrent");
    QCOMPARE(check->text(), QString("Current Registration Only"));
    QVERIFY(check->isChecked());
    QCOMPARE(child<QComboBox>(picker, "cmbSearchBy")->itemText(1), QString("Admission #"));
    QCOMPARE(m_session->commands(), QStringList{"spGlobal_RegisteredOPD '1','0', ''"});
    auto* grid = child<FlexGrid>(picker, "grdList");
    QCOMPARE(codesOf(*grid), (QStringList{"OP2", "OP1"}));
    QCOMPARE(rowOf(*grid, 0),
             (QStringList{"Adm #", "Last Name", "First Name", "Middle Name", "Adm. Date"}));
    QCOMPARE(rowOf(*grid, 2), (QStringList{"OP1", "SANTOS", "MARIA", "LUZ",
                                           QDate::currentDate().toString("MM/dd/yyyy")}));
    QCOMPARE(grid->cols(), 6);
    const int widths[] = {200, 1000, 2000, 2000, 2000, 1500};
    for (int c = 0; c < 6; ++c)
        QCOMPARE(grid->colWidth(c), widths[c]);

    check->setChecked(false);
    QCOMPARE(m_session->commands().last(), QString("spGlobal_RegisteredOPD '0','0', ''"));
    QCOMPARE(codesOf(*grid), (QStringList{"OP4", "OP5", "OP2", "OP1"}));
}

void tst_Pickers::registeredOpdKeys() {
    controls::frmRegisteredOPD picker;
    picker.setPatientRecord("SANTOS");
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    auto* box = child<QLineEdit>(picker, "txtSearch");
    auto* grid = child<FlexGrid>(picker, "grdList");
    QCOMPARE(box->text(), QString("SANTOS"));
    QCOMPARE(codesOf(*grid), (QStringList{"OP2", "OP1"}));

    // Double click on a row selects it.
    const QRect cell = grid->cellRect(2, 2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->viewport()->mapFrom(grid, cell.center()));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {},
                       grid->viewport()->mapFrom(grid, cell.center()));
    QVERIFY(picker.Valid());
    QCOMPARE(picker.ResultCode(), QString("OP1"));

    // Esc closes without a choice.
    controls::frmRegisteredOPD again;
    again.setPatientRecord("SANTOS");
    again.show();
    QTest::keyClick(&again, Qt::Key_Escape);
    QVERIFY(!again.isVisible());
    QVERIFY(!again.Valid());
    QCOMPARE(again.ResultCode(), QString());
}

void tst_Pickers::cashPickerStartsEmpty() {
    controls::frmCashPatients picker;
    picker.setPatientRecord("OR 123456   DELA CRUZ, JOSE");
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QCOMPARE(picker.windowTitle(), QString("Search Cash Patients"));
    QCOMPARE(child<QLabel>(picker, "lblPatientRecord")->text(),
             QString("OR 123456   DELA CRUZ, JOSE"));
    auto* type = child<QComboBox>(picker, "cmbPatientType");
    QCOMPARE(type->currentText(), QString("WALK-IN"));
    QCOMPARE(type->itemText(1), QString("OUTPATIENT"));
    QCOMPARE(type->itemText(2), QString("INPATIENT"));
    QCOMPARE(child<QComboBox>(picker, "cmbSearchBy")->itemText(1), QString("Cash Patient #"));
    auto* grid = child<FlexGrid>(picker, "grdList");
    QCOMPARE(grid->rows(), 2);
    QCOMPARE(rowOf(*grid, 0),
             (QStringList{"Adm #", "Last Name", "First Name", "Middle Name", "Adm. Date"}));
    QVERIFY(!child<QPushButton>(picker, "cmdSelect")->isEnabled());
    QVERIFY(child<QPushButton>(picker, "cmdAdd")->isEnabled());
    QVERIFY(m_session->commands().isEmpty());
    QVERIFY(type->hasFocus());
}

void tst_Pickers::cashPickerWalkIns() {
    controls::frmCashPatients picker;
    picker.show();
    auto* box = child<QLineEdit>(picker, "txtSearch");
    auto* grid = child<FlexGrid>(picker, "grdList");
    QTest::keyClicks(box, "dela");
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(m_session->commands(), QStringList{"spGlobal_WalkIn '0', 'DELA'"});
    QCOMPARE(grid->rows(), 3);
    QCOMPARE(rowOf(*grid, 1), (QStringList{"W1", "DELA CRUZ", "JOSE", "P", ""}));
    QCOMPARE(rowOf(*grid, 2), (QStringList{"W2", "DELA CRUZ", "ROSA", "", ""}));
    QVERIFY(child<QPushButton>(picker, "cmdSelect")->isEnabled());
    QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(picker.Valid());
    QCOMPARE(picker.ResultCode(), QString("W2"));
    QCOMPARE(picker.PatientType(), QString("C"));
}

void tst_Pickers::cashPickerWalkInFindsNothing() {
    controls::frmCashPatients picker;
    picker.show();
    auto* box = child<QLineEdit>(picker, "txtSearch");
    auto* grid = child<FlexGrid>(picker, "grdList");
    QTest::keyClicks(box, "DELA");
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(grid->rows(), 3);
    // A second search finding nothing leaves no row of the first.
    box->setText("NOBODY");
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(m_session->commands().last(), QString("spGlobal_WalkIn '0', 'NOBODY'"));
    QCOMPARE(grid->rows(), 2);
    QCOMPARE(rowOf(*grid, 1), (QStringList{"", "", "", "", ""}));
    QCOMPARE(grid->textMatrix(0, 1), QString("Adm #"));
    QVERIFY(!child<QPushButton>(picker, "cmdSelect")->isEnabled());
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(picker.isVisible());
    QVERIFY(!picker.Valid());
}

void tst_Pickers::cashPickerOutpatients() {
    controls::frmCashPatients picker;
    picker.show();
    auto* type = child<QComboBox>(picker, "cmbPatientType");
    type->setCurrentIndex(1);
    QVERIFY(!child<QPushButton>(picker, "cmdAdd")->isEnabled());
    child<QComboBox>(picker, "cmbSearchBy")->setCurrentIndex(1);
    auto* box = child<QLineEdit>(picker, "txtSearch");
    box->setText(" OP5 ");
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(m_session->commands(), QStringList{"spGlobal_Outpatient '1', 'OP5'"});
    auto* grid = child<FlexGrid>(picker, "grdList");
    QCOMPARE(rowOf(*grid, 1), (QStringList{"OP5", "REYES", "LINA", "CRUZ", "01/02/2024"}));
    QTest::mouseClick(child<QPushButton>(picker, "cmdSelect"), Qt::LeftButton);
    QVERIFY(picker.Valid());
    QCOMPARE(picker.ResultCode(), QString("OP5"));
    QCOMPARE(picker.PatientType(), QString("O"));
}

void tst_Pickers::cashPickerInpatient() {
    data::AdmissionInfo admission;
    admission.Idnumber = "1001";
    m_patients->admissions.insert("SANTOS", admission);

    controls::frmCashPatients picker;
    picker.show();
    auto* box = child<QLineEdit>(picker, "txtSearch");
    auto* grid = child<FlexGrid>(picker, "grdList");
    auto* add = child<QPushButton>(picker, "cmdAdd");
    QTest::keyClicks(box, "DELA");
    QTest::keyClick(box, Qt::Key_Return);
    const QStringList walkIns = codesOf(*grid);

    child<QComboBox>(picker, "cmbPatientType")->setCurrentIndex(2);
    QVERIFY(!add->isEnabled());
    m_session->clearCommands();
    // The component finds nobody: the window stays as it was.
    box->setText("XAVIER");
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(m_patients->searched, QStringList{"XAVIER"});
    QVERIFY(picker.isVisible());
    QVERIFY(!picker.Valid());
    QCOMPARE(codesOf(*grid), walkIns);
    QVERIFY(m_session->commands().isEmpty());
    QVERIFY(m_messages->shown().isEmpty());
    // Select without a found inpatient returns nobody.
    QTest::mouseClick(child<QPushButton>(picker, "cmdSelect"), Qt::LeftButton);
    QVERIFY(picker.isVisible());
    QVERIFY(!picker.Valid());

    box->setText("SANTOS ");
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(m_patients->searched.last(), QString("SANTOS"));
    QVERIFY(!picker.isVisible());
    QVERIFY(picker.Valid());
    QCOMPARE(picker.ResultCode(), QString("1001"));
    QCOMPARE(picker.PatientType(), QString("I"));

    // Back to WALK-IN, adding is allowed again.
    controls::frmCashPatients other;
    other.show();
    auto* type = child<QComboBox>(other, "cmbPatientType");
    type->setCurrentIndex(2);
    QVERIFY(!child<QPushButton>(other, "cmdAdd")->isEnabled());
    type->setCurrentIndex(0);
    QVERIFY(child<QPushButton>(other, "cmdAdd")->isEnabled());
}

void tst_Pickers::cashPickerTypeKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("toSearchBox");
    QTest::newRow("W") << int(Qt::Key_W) << 0 << true;
    QTest::newRow("O") << int(Qt::Key_O) << 1 << true;
    QTest::newRow("I") << int(Qt::Key_I) << 2 << true;
    QTest::newRow("Enter") << int(Qt::Key_Return) << 1 << true;
    QTest::newRow("other letters are the list's") << int(Qt::Key_X) << 1 << false;
}

void tst_Pickers::cashPickerTypeKeys() {
    QFETCH(int, key);
    QFETCH(int, index);
    QFETCH(bool, toSearchBox);
    controls::frmCashPatients picker;
    picker.show();
    QVERIFY(QTest::qWaitForWindowActive(&picker));
    auto* type = child<QComboBox>(picker, "cmbPatientType");
    type->setCurrentIndex(1);
    type->setFocus();
    QTest::keyClick(type, Qt::Key(key));
    QCOMPARE(type->currentIndex(), index);
    QCOMPARE(child<QLineEdit>(picker, "txtSearch")->hasFocus(), toSearchBox);
    QCOMPARE(child<QPushButton>(picker, "cmdAdd")->isEnabled(), index == 0);
}

void tst_Pickers::cashPickerAddPatient() {
    QList<bool> opened;
    controls::setWalkInOpener([&](QWidget*, bool fromAssessment) { opened << fromAssessment; });
    controls::frmCashPatients picker;
    picker.show();
    QTest::mouseClick(child<QPushButton>(picker, "cmdAdd"), Qt::LeftButton);
    QCOMPARE(child<QPushButton>(picker, "cmdAdd")->text(), QString("&Add Patient"));
    QCOMPARE(opened, QList<bool>{false});
    // The list is not refreshed.
    QVERIFY(m_session->commands().isEmpty());
    QVERIFY(picker.isVisible());
}

void tst_Pickers::pictures() {
    controls::frmPatientList list;
    list.setListCaption("Regular Patients");
    list.setCurrentCaption("");
    list.setPatientRecord("");
    list.setPatientQuery("RADIOLOGY..spGlobal_RegularPatients '#1','#2','#3'");
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QVERIFY(!testsupport::savePicture(&list, "frmPatientList").isEmpty());

    controls::frmRegisteredOPD opd;
    opd.setPatientRecord("");
    opd.show();
    child<QCheckBox>(opd, "chkCurrent")->setChecked(false);
    QVERIFY(QTest::qWaitForWindowExposed(&opd));
    testsupport::savePicture(&opd, "frmRegisteredOPD");

    controls::frmCashPatients cash;
    cash.setPatientRecord("OR 123456   DELA CRUZ, JOSE");
    cash.show();
    child<QLineEdit>(cash, "txtSearch")->setText("DELA");
    QTest::keyClick(child<QLineEdit>(cash, "txtSearch"), Qt::Key_Return);
    QVERIFY(QTest::qWaitForWindowExposed(&cash));
    testsupport::savePicture(&cash, "frmCashPatients");
}

QTEST_MAIN(tst_Pickers)
#include "tst_pickers.moc"
