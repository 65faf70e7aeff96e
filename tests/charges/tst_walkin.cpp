#include "src/charges/WalkInBirthDate.h"
#include "src/charges/WalkInHook.h"
#include "src/charges/WalkInNumber.h"
#include "src/charges/frmWalkIn.h"
#include "src/controls/WalkInOpener.h"
#include "src/data/Connection.h"
#include "src/data/DbError.h"
#include "src/ui/MsgBox.h"
#include "tests/support/Expect.h"
#include "tests/support/FakeComponents.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ResultText.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

using charges::frmWalkIn;
using charges::WalkInNumber;
using testsupport::TestDatabase;

namespace {

// A session that, before the counter's optimistic update, changes the
// counter row itself, as a second workstation drawing at the same moment
// would; `times` such changes, then it stays out of the way.
class InterferingSession final : public server::Session {
public:
    InterferingSession(std::unique_ptr<server::Session> inner, int times)
        : m_inner(std::move(inner))
        , m_times(times) {}

    server::Result run(const QString& text) override {
        m_commands << text;
        if (m_times > 0 && text.startsWith("UPDATE") && text.contains("tbLastWalkInNum")) {
            --m_times;
            ++m_changed;
            m_inner->run(QString("UPDATE PATIENT_DATA..tbLastWalkInNum SET lastopd = 'W%1', "
                                 "transnum = %1")
                             .arg(150 + m_changed - 1));
        }
        return m_inner->run(text);
    }
    void begin() override { m_inner->begin(); }
    void commit() override { m_inner->commit(); }
    void rollback() override { m_inner->rollback(); }
    int transactionDepth() const override { return m_inner->transactionDepth(); }
    QString defaultDatabase() const override { return m_inner->defaultDatabase(); }
    void setDefaultDatabase(const QString& name) override { m_inner->setDefaultDatabase(name); }

    QStringList m_commands;

private:
    std::unique_ptr<server::Session> m_inner;
    int m_times;
    int m_changed = 0;
};

QStringList rows(const TestDatabase& db, const QString& select) {
    return testsupport::rowTexts(db.open()->run(select));
}

QString counter(const TestDatabase& db) {
    return rows(db, "SELECT lastopd, transnum FROM PATIENT_DATA.tbLastWalkInNum").join(';');
}

void setCounter(const TestDatabase& db, const QString& lastopd, int transnum) {
    db.load(QString("UPDATE PATIENT_DATA.tbLastWalkInNum SET lastopd = '%1', transnum = %2")
                .arg(lastopd)
                .arg(transnum));
}

void registerNumbers(const TestDatabase& db, const QStringList& numbers) {
    QStringList inserts;
    for (const QString& n : numbers)
        inserts << "INSERT INTO PATIENT_DATA.tbCashPatient (HospNum, LastName) VALUES ('" + n +
                       "', 'TAKEN')";
    if (!inserts.isEmpty())
        db.load(inserts.join(";\n"));
}

// The program's session over a test database, with the code search stand-in
// and a message recorder; commands are recorded by the session component.
struct Session {
    explicit Session(const TestDatabase& db)
        : component(db) {
        component.ShowMain();
        data::SessionValues& values = data::currentSession();
        values.connection = &component.SQLConnection();
        values.user = &component;
        values.sessionComponent = &component;
        values.codeSearch = &codeSearch;
    }
    ~Session() { data::currentSession() = {}; }

    // The commands sent that are procedure calls (the counter's statements
    // are left out).
    QStringList calls() const {
        QStringList out;
        for (const QString& c : component.commands())
            if (!c.startsWith("SELECT", Qt::CaseInsensitive) &&
                !c.startsWith("UPDATE", Qt::CaseInsensitive))
                out << c;
        return out;
    }

    testsupport::FakeSessionComponent component;
    testsupport::FakeCodeSearch codeSearch;
    ui::MsgBoxRecorder messages;
};

QLineEdit* box(QWidget& w, const char* name) {
    auto* found = w.findChild<QLineEdit*>(name);
    if (!found)
        qFatal("no text box %s", name);
    return found;
}

void typeInto(QWidget& w, const char* name, const QString& text) {
    QTest::keyClicks(box(w, name), text);
}

void click(QWidget& w, const char* name) {
    w.findChild<QPushButton*>(name)->click();
}

} // namespace

class tst_WalkIn : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        MAMMO_REQUIRE_TEST_BACKEND();
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    }

    void followingNumber_data();
    void followingNumber();
    void drawSkipsTakenNumbers_data();
    void drawSkipsTakenNumbers();
    void drawReadsAgainWhenCounterChanged_data();
    void drawReadsAgainWhenCounterChanged();

    void birthDateAndAge_data();
    void birthDateAndAge();
    void enterMovesThroughTheFields();

    void saveRegistersThePatient();
    void saveWithoutAddressSendsEmptyTownCode();
    void invalidBirthDateSavesNothing_data();
    void invalidBirthDateSavesNothing();
    void failedSaveLeavesNothingAndKeepsWhatWasTyped();
    void closingIsNoNewEntry_data();
    void closingIsNoNewEntry();

    void openedThroughThePickersHook_data();
    void openedThroughThePickersHook();

    void procedureRefusesBadValues_data();
    void procedureRefusesBadValues();

    void picture();
};

void tst_WalkIn::followingNumber_data() {
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("next");
    QTest::addColumn<qint64>("counter");
    QTest::newRow("leading zeros are not kept") << "W0099"
                                                << "W100" << qint64(100);
    QTest::newRow("a new counter") << "W0"
                                   << "W1" << qint64(1);
    QTest::newRow("eight digits") << "W0000100"
                                  << "W101" << qint64(101);
    QTest::newRow("blanks around it") << "  W5 "
                                      << "W6" << qint64(6);
    QTest::newRow("prefix only") << "W"
                                 << "W1" << qint64(1);
    QTest::newRow("digits then letters") << "X12A"
                                         << "X13" << qint64(13);
    QTest::newRow("another prefix letter") << "C41"
                                           << "C42" << qint64(42);
}

void tst_WalkIn::followingNumber() {
    QFETCH(QString, last);
    QFETCH(QString, next);
    QFETCH(qint64, counter);
    const WalkInNumber n = WalkInNumber::following(last);
    QCOMPARE(n.text(), next);
    QCOMPARE(n.counter(), counter);
}

void tst_WalkIn::drawSkipsTakenNumbers_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("taken");
    QTest::addColumn<QString>("drawn");
    QTest::addColumn<QString>("storedAfter");
    QTest::newRow("W0099 gives W100") << "W0099" << QStringList{} << "W100"
                                      << "W100|100";
    QTest::newRow("a taken number is skipped") << "W0000100" << QStringList{"W101"} << "W102"
                                               << "W102|102";
    QTest::newRow("several taken in a row") << "W7" << QStringList{"W8", "W9", "W10"} << "W11"
                                            << "W11|11";
    QTest::newRow("a taken number further on is no matter") << "W7" << QStringList{"W9"} << "W8"
                                                            << "W8|8";
}

void tst_WalkIn::drawSkipsTakenNumbers() {
    QFETCH(QString, stored);
    QFETCH(QStringList, taken);
    QFETCH(QString, drawn);
    QFETCH(QString, storedAfter);
    TestDatabase db;
    setCounter(db, stored, 0);
    registerNumbers(db, taken);
    data::Connection connection(db.open());
    QCOMPARE(WalkInNumber::draw(connection).text(), drawn);
    QCOMPARE(counter(db), storedAfter);
}

void tst_WalkIn::drawReadsAgainWhenCounterChanged_data() {
    QTest::addColumn<int>("changes");
    QTest::addColumn<QString>("drawn"); // "" when the draw gives up
    QTest::newRow("changed once: the next number after the other's") << 1 << "W151";
    QTest::newRow("changed three times") << 3 << "W153";
    QTest::newRow("changing for ever: it gives up") << 1000 << "";
}

void tst_WalkIn::drawReadsAgainWhenCounterChanged() {
    QFETCH(int, changes);
    QFETCH(QString, drawn);
    TestDatabase db;
    setCounter(db, "W0099", 99);
    auto session = std::make_unique<InterferingSession>(db.open(), changes);
    InterferingSession* sent = session.get();
    data::Connection connection(std::move(session));
    if (drawn.isEmpty()) {
        const auto error =
            testsupport::caught<data::DbError>([&] { WalkInNumber::draw(connection); });
        QVERIFY(error);
        QVERIFY2(error->description().contains("kept changing"), qPrintable(error->description()));
        // Bounded: it stopped long before the other workstation did.
        QVERIFY(sent->m_commands.size() < 100);
        return;
    }
    QCOMPARE(WalkInNumber::draw(connection).text(), drawn);
    QCOMPARE(counter(db), drawn + "|" + drawn.mid(1));
    QCOMPARE(sent->m_commands.filter("SELECT * FROM PATIENT_DATA..tbLastWalkInNum").size(),
             changes + 1);
}

void tst_WalkIn::birthDateAndAge_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("age"); // "" when the text is no date
    const QDate newYear(2012, 1, 1);
    QTest::newRow("calendar years, not birthdays") << "12/31/2000" << newYear << "12";
    QTest::newRow("one-digit month and day") << "1/2/2000" << newYear << "12";
    QTest::newRow("born this year") << "01/01/2012" << newYear << "0";
    QTest::newRow("leap day") << "02/29/2000" << QDate(2012, 2, 28) << "12";
    QTest::newRow("no 30th of February") << "02/30/2000" << newYear << "";
    QTest::newRow("day and month swapped") << "31/12/2000" << newYear << "";
    QTest::newRow("two-digit year") << "12/31/00" << newYear << "";
    QTest::newRow("not a date") << "abc" << newYear << "";
    QTest::newRow("year first") << "2000-12-31" << newYear << "";
}

void tst_WalkIn::birthDateAndAge() {
    QFETCH(QString, typed);
    QFETCH(QDate, today);
    QFETCH(QString, age);
    TestDatabase db;
    Session session(db);
    frmWalkIn window;
    window.setToday(today);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QLineEdit* birth = box(window, "txtBirth");
    birth->setFocus();
    QTest::keyClicks(birth, typed);
    QTest::keyClick(birth, Qt::Key_Return);
    QCOMPARE(box(window, "txtAge")->text(), age);
    QCOMPARE(birth->text(), typed); // Enter is not typed
    QCOMPARE(QApplication::focusWidget(), box(window, "txtAge"));
    QCOMPARE(charges::walkInBirthDate(typed).isValid(), !age.isEmpty());
}

void tst_WalkIn::enterMovesThroughTheFields() {
    TestDatabase db;
    Session session(db);
    frmWalkIn window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QStringList order{"txtSname", "txtFname", "txtMname",   "txtBirth",
                            "txtAge",   "txtHouse", "txtBarangay"};
    box(window, "txtSname")->setFocus();
    for (int i = 0; i < order.size(); ++i) {
        QWidget* focused = QApplication::focusWidget();
        QCOMPARE(focused ? focused->objectName() : QString(), order[i]);
        QTest::keyClick(focused, Qt::Key_Return);
    }
    // The read-only town box is passed by: Enter goes on to its "..." button.
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("cmdAddress"));
    QVERIFY(session.calls().isEmpty());
    QVERIFY(window.isVisible());
}

void tst_WalkIn::saveRegistersThePatient() {
    TestDatabase db;
    setCounter(db, "W0099", 99);
    Session session(db);
    session.codeSearch.addAddress({"1100", "QUEZON CITY", "METRO MANILA"});
    session.codeSearch.pickedOnEmpty.insert(data::ICodeSearch::Address, "1100");

    frmWalkIn window;
    window.setToday(QDate(2012, 1, 1));
    QSignalSpy registered(&window, &frmWalkIn::walkInRegistered);
    window.show();
    typeInto(window, "txtSname", "O'Brien");
    typeInto(window, "txtFname", "Ma. Luz");
    typeInto(window, "txtMname", "D'Cruz");
    typeInto(window, "txtBirth", "12/31/2000");
    QTest::keyClick(box(window, "txtBirth"), Qt::Key_Return);
    typeInto(window, "txtHouse", "12 Rizal St.");
    typeInto(window, "txtBarangay", "San Roque");
    click(window, "cmdAddress");
    QCOMPARE(box(window, "txtTown")->text(), QString("QUEZON CITY, METRO MANILA"));
    QCOMPARE(session.codeSearch.searches.value(0), qMakePair(QString(), 0));
    window.findChild<QRadioButton*>("optCivilStatus2")->click(); // Married
    window.findChild<QRadioButton*>("optSex1")->click();         // Female
    click(window, "cmdSave");

    QVERIFY(session.messages.shown().isEmpty());
    QCOMPARE(session.calls(),
             (QStringList{"RADIOLOGY..spRadio_AddCashPatient 'W100','O''Brien','Ma. Luz','D''Cruz',"
                          "'12 Rizal St.','San Roque','1100','12/31/2000','2','12','F'",
                          "BUILD_FILE..spBuild_LogUserUpdate '10031','ADD WALKIN','SAVE WALK-IN "
                          "MASTERFILE; WALKINNUM:W100'"}));
    QCOMPARE(session.component.commands().value(0),
             QString("SELECT * FROM PATIENT_DATA..tbLastWalkInNum"));
    QVERIFY(session.component.commands().contains(
        "select Count(*) [RecCount] from PATIENT_DATA..tbCashPatient where Hospnum = 'W100'"));

    QCOMPARE(rows(db, "SELECT HospNum, LastName, FirstName, MiddleName, HouseStreet, Barangay, "
                      "ZipCode, BirthDate, CivilStatus, Age, Sex FROM PATIENT_DATA.tbCashPatient"),
             QStringList{"W100|O'Brien|Ma. Luz|D'Cruz|12 Rizal St.|San Roque|1100|"
                         "2000-12-31 00:00:00|2|12|F"});
    QCOMPARE(rows(db, "SELECT COUNT(*) FROM PATIENT_DATA.tbCashPatient WHERE RegisterDate IS NOT "
                      "NULL"),
             QStringList{"1"});
    QCOMPARE(counter(db), QString("W100|100"));
    QCOMPARE(rows(db, "SELECT EmployeeID, Activity, Remarks FROM BUILD_FILE.tbUserLog"),
             QStringList{"10031|ADD WALKIN|SAVE WALK-IN MASTERFILE; WALKINNUM:W100"});

    QVERIFY(window.NewEntry());
    QCOMPARE(window.WalkInNumber(), QString("W100"));
    QCOMPARE(registered.size(), 1);
    QCOMPARE(registered[0][0].toString(), QString("W100"));
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QVERIFY(!window.isVisible());
}

void tst_WalkIn::saveWithoutAddressSendsEmptyTownCode() {
    TestDatabase db;
    Session session(db);
    frmWalkIn window;
    window.setToday(QDate(2026, 6, 1));
    window.show();
    typeInto(window, "txtSname", "DELA CRUZ");
    typeInto(window, "txtBirth", "3/4/1980");
    // Saved straight away, without Enter in the birth date: the age is still filled.
    click(window, "cmdSave");
    QVERIFY(session.messages.shown().isEmpty());
    QCOMPARE(session.calls().value(0), QString("RADIOLOGY..spRadio_AddCashPatient 'W1','DELA "
                                               "CRUZ','','','','','','3/4/1980','1','46','M'"));
    // No town is stored as none, so that no address is looked up for it.
    QCOMPARE(rows(db, "SELECT HospNum, ZipCode, CivilStatus, Sex, Age, BirthDate FROM "
                      "PATIENT_DATA.tbCashPatient"),
             QStringList{"W1|<NULL>|1|M|46|1980-03-04 00:00:00"});
}

void tst_WalkIn::invalidBirthDateSavesNothing_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << "";
    QTest::newRow("not a date") << "unknown";
    QTest::newRow("no such day") << "02/30/2001";
    QTest::newRow("two-digit year") << "12/31/00";
}

void tst_WalkIn::invalidBirthDateSavesNothing() {
    QFETCH(QString, typed);
    TestDatabase db;
    setCounter(db, "W0099", 99);
    Session session(db);
    frmWalkIn window;
    window.show();
    typeInto(window, "txtSname", "SANTOS");
    typeInto(window, "txtBirth", typed);
    click(window, "cmdSave");

    QCOMPARE(session.messages.shown().size(), 1);
    const ui::ShownMessage shown = session.messages.shown().first();
    QCOMPARE(shown.text, QString("Pls enter a valid date to proceed.."));
    QCOMPARE(shown.icon(), int(ui::vbInformation));
    QCOMPARE(shown.title, QString("Message"));
    QVERIFY(session.component.commands().isEmpty()); // not even a number was drawn
    QCOMPARE(counter(db), QString("W0099|99"));
    QVERIFY(window.isVisible());
    QVERIFY(!window.NewEntry());
    QCOMPARE(box(window, "txtSname")->text(), QString("SANTOS"));
}

void tst_WalkIn::failedSaveLeavesNothingAndKeepsWhatWasTyped() {
    TestDatabase db;
    setCounter(db, "W0099", 99);
    // The log entry cannot be written: the registration must not stay half done.
    db.load("DROP TABLE BUILD_FILE.tbUserLog");
    Session session(db);
    frmWalkIn window;
    QSignalSpy registered(&window, &frmWalkIn::walkInRegistered);
    window.show();
    typeInto(window, "txtSname", "REYES");
    typeInto(window, "txtBirth", "05/06/1990");
    click(window, "cmdSave");

    QCOMPARE(session.messages.shown().size(), 1);
    QCOMPARE(session.messages.shown().first().icon(), int(ui::vbCritical));
    QVERIFY(session.calls().value(1).startsWith("BUILD_FILE..spBuild_LogUserUpdate"));
    QVERIFY(rows(db, "SELECT HospNum FROM PATIENT_DATA.tbCashPatient").isEmpty());
    QCOMPARE(counter(db), QString("W0099|99")); // the number is not used up
    QVERIFY(window.isVisible());
    QVERIFY(!window.NewEntry());
    QCOMPARE(registered.size(), 0);
    QCOMPARE(box(window, "txtSname")->text(), QString("REYES"));
    QCOMPARE(box(window, "txtBirth")->text(), QString("05/06/1990"));
    QCOMPARE(session.component.SQLConnection().transactionDepth(), 0);
}

void tst_WalkIn::closingIsNoNewEntry_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Close") << false;
    QTest::newRow("Esc") << true;
}

void tst_WalkIn::closingIsNoNewEntry() {
    QFETCH(bool, escape);
    TestDatabase db;
    Session session(db);
    // A first window saves; a second one opened after it is closed unsaved.
    frmWalkIn first;
    first.show();
    typeInto(first, "txtBirth", "1/1/1970");
    click(first, "cmdSave");
    QVERIFY(first.NewEntry());

    frmWalkIn window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    typeInto(window, "txtSname", "LIM");
    typeInto(window, "txtBirth", "1/1/1970");
    if (escape)
        QTest::keyClick(box(window, "txtSname"), Qt::Key_Escape);
    else
        click(window, "cmdClose");
    QVERIFY(!window.isVisible());
    QVERIFY(!window.NewEntry());
    QCOMPARE(window.WalkInNumber(), QString());
    QCOMPARE(rows(db, "SELECT HospNum FROM PATIENT_DATA.tbCashPatient"), QStringList{"W1"});
}

void tst_WalkIn::openedThroughThePickersHook_data() {
    QTest::addColumn<bool>("fromAssessment");
    QTest::newRow("from the patient list, for the assessment") << true;
    QTest::newRow("from the cash patient picker") << false;
}

void tst_WalkIn::openedThroughThePickersHook() {
    QFETCH(bool, fromAssessment);
    TestDatabase db;
    setCounter(db, "W0099", 99);
    Session session(db);
    QStringList handedToAssessment;
    charges::setAssessmentWalkInReceiver(
        [&](const QString& number) { handedToAssessment << number; });
    charges::installWalkInOpener();

    QString opened;
    testsupport::whenModalOpens([&](QWidget* modal) {
        auto* window = qobject_cast<frmWalkIn*>(modal);
        if (!window)
            return;
        opened = window->windowTitle() + (window->FromAssessment() ? " for the assessment" : "");
        QTest::keyClicks(window->findChild<QLineEdit*>("txtSname"), "GARCIA");
        QTest::keyClicks(window->findChild<QLineEdit*>("txtBirth"), "7/8/1985");
        window->findChild<QPushButton*>("cmdSave")->click();
    });
    QWidget picker;
    controls::openWalkIn(&picker, fromAssessment);
    controls::setWalkInOpener({});
    charges::setAssessmentWalkInReceiver({});

    QCOMPARE(opened,
             QString("Walk-in Patient Entry") + (fromAssessment ? " for the assessment" : ""));
    QCOMPARE(rows(db, "SELECT HospNum, LastName FROM PATIENT_DATA.tbCashPatient"),
             QStringList{"W100|GARCIA"});
    QCOMPARE(handedToAssessment, fromAssessment ? QStringList{"W100"} : QStringList{});
}

void tst_WalkIn::procedureRefusesBadValues_data() {
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("error");
    QTest::newRow("a number already registered")
        << "'W5','NEW','','','','','','01/01/1990','1','30','M'"
        << "already registered";
    QTest::newRow("no number") << "'','NEW','','','','','','01/01/1990','1','30','M'"
                               << "without a walk-in number";
    QTest::newRow("birth date not mm/dd/yyyy")
        << "'W6','NEW','','','','','','1990-01-01','1','30','M'"
        << "not a date";
    QTest::newRow("age not a number") << "'W6','NEW','','','','','','01/01/1990','1','thirty','M'"
                                      << "not a whole number";
    QTest::newRow("town code too long")
        << "'W6','NEW','','','','','12345678901','01/01/1990','1','30','M'"
        << "longer than 10";
}

void tst_WalkIn::procedureRefusesBadValues() {
    QFETCH(QString, values);
    QFETCH(QString, error);
    TestDatabase db;
    registerNumbers(db, {"W5"});
    data::Connection connection(db.open());
    const auto caught = testsupport::caught<data::DbError>(
        [&] { connection.execute("RADIOLOGY..spRadio_AddCashPatient " + values); });
    QVERIFY(caught);
    QVERIFY2(caught->description().contains(error), qPrintable(caught->description()));
    // The number already there is left as it was.
    QCOMPARE(rows(db, "SELECT HospNum, LastName FROM PATIENT_DATA.tbCashPatient"),
             QStringList{"W5|TAKEN"});
}

void tst_WalkIn::picture() {
    TestDatabase db;
    Session session(db);
    session.codeSearch.addAddress({"1100", "QUEZON CITY", "METRO MANILA"});
    session.codeSearch.pickedOnEmpty.insert(data::ICodeSearch::Address, "1100");
    frmWalkIn window;
    window.setToday(QDate(2012, 1, 1));
    window.show();
    typeInto(window, "txtSname", "O'BRIEN");
    typeInto(window, "txtFname", "MARIA");
    typeInto(window, "txtMname", "SANTOS");
    typeInto(window, "txtBirth", "12/31/2000");
    QTest::keyClick(box(window, "txtBirth"), Qt::Key_Return);
    typeInto(window, "txtHouse", "12 RIZAL ST.");
    typeInto(window, "txtBarangay", "SAN ROQUE");
    click(window, "cmdAddress");
    const QString path = testsupport::savePicture(&window, "frmWalkIn");
    QVERIFY(QFileInfo::exists(path));
}

QTEST_MAIN(tst_WalkIn)
#include "tst_walkin.moc"
