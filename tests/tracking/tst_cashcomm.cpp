#include "src/controls/FlexGrid.h"
#include "src/data/DbError.h"
#include "src/tracking/frmCashComm.h"
#include "src/ui/MsgBox.h"
#include "src/ui/Units.h"
#include "tests/support/Expect.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ResultText.h"
#include "tests/support/SessionFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using controls::FlexGrid;
using testsupport::TestDatabase;
using tracking::frmCashComm;

namespace {

// The cashier's side of a few assessments: paid and waiting, paid and used,
// unpaid, another section's, a doctor's fee the section assessed, an item
// missing from the catalogue.
const char* const kItems =
    "INSERT INTO BUILD_FILE.tbCoOtherRevenue (OtherRevenueID, OtherRevenue, RevenueID) VALUES "
    "('MM01', 'MAMMOGRAM BILATERAL', 'MM');\n"
    "INSERT INTO BUILD_FILE.tbCoOtherRevenue (OtherRevenueID, OtherRevenue, RevenueID) VALUES "
    "('MM02', 'BREAST ULTRASOUND', 'MM');\n"
    "INSERT INTO BUILD_FILE.tbCoOtherRevenue (OtherRevenueID, OtherRevenue, RevenueID) VALUES "
    "('US01', 'WHOLE ABDOMEN ULTRASOUND', 'US')";

QString line(const QString& refNum, const QString& revenue, const QString& item,
             const QString& patient, const QString& orNumber, const QString& paid,
             const QString& used = "NULL", const QString& requesting = "''",
             const QString& doctorName = "NULL") {
    return QString("INSERT INTO BILLING.tbCashAssessment (RefNum, RevenueID, ItemID, PatientName, "
                   "Amount, RequestingSection, DoctorName, AssessDate, ORNumber, PaidDate, "
                   "ItemUsed) VALUES ('%1', '%2', '%3', '%4', 1500, %5, %6, '2026-02-27 08:00:00', "
                   "%7, %8, %9)")
        .arg(refNum, revenue, item, patient, requesting, doctorName,
             orNumber.isEmpty() ? "NULL" : "'" + orNumber + "'",
             paid.isEmpty() ? "NULL" : "'" + paid + "'", used);
}

void loadCommunications(const TestDatabase& db) {
    db.load(QString(kItems) + ";\n" +
            QStringList{
                line("MM1", "MM", "MM01", "DELA CRUZ, JUAN", "OR1001", "2026-03-01 09:00:00"),
                line("MM2", "MM", "MM02", "SANTOS, ANA", "OR1002", "2026-03-02 10:15:00", "''"),
                line("MM2", "MD", "D001", "SANTOS, ANA", "OR1002", "2026-03-02 10:15:00", "NULL",
                     "'MM'", "'REYES, JOSE'"),
                line("MM3", "MM", "MM01", "UNPAID, LIZA", "", ""),
                line("MM4", "MM", "MM01", "USED, ONE", "OR1003", "2026-03-02 11:00:00", "'Y'"),
                line("XR1", "US", "US01", "OTHER, SECTION", "OR1004", "2026-03-02 12:00:00"),
                line("MM5", "MM", "MM99", "D''ANGELO, MIA", "OR2001", "2026-03-03 16:45:00"),
            }
                .join(";\n"));
}

const QString kAngelo = "OR2001|D'ANGELO, MIA|MM99|03/03/2026";
const QString kSantosFee = "OR1002|SANTOS, ANA|PROFESSIONAL FEE - REYES, JOSE|03/02/2026";
const QString kSantos = "OR1002|SANTOS, ANA|BREAST ULTRASOUND|03/02/2026";
const QString kDelaCruz = "OR1001|DELA CRUZ, JUAN|MAMMOGRAM BILATERAL|03/01/2026";

// The list's data rows, each as its four columns joined by "|".
QStringList listed(const FlexGrid& grid) {
    QStringList out;
    for (int r = 1; r < grid.rows(); ++r) {
        QStringList cells;
        for (int c = 1; c <= 4; ++c)
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

Window parts(frmCashComm& w) {
    return {w.findChild<FlexGrid*>("grdList"), w.findChild<QLineEdit*>("txtSearch"),
            w.findChild<QComboBox*>("cmbSearchBy"), w.findChild<QPushButton*>("cmdSelect"),
            w.findChild<QPushButton*>("cmdClose")};
}

} // namespace

class tst_CashComm : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        MAMMO_REQUIRE_TEST_BACKEND();
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    }

    void procedureMatches_data();
    void procedureMatches();
    void procedureRefusesAnUnknownKind();

    void opensOnWhatAnEmptySearchFinds();
    void threeCommunicationsFillRowsOneToThree();
    void searchesAsTypedInCapitals_data();
    void searchesAsTypedInCapitals();
    void nothingFoundEmptiesTheList();
    void choosingHandsOverReceiptAndPatient_data();
    void choosingHandsOverReceiptAndPatient();
    void closingChoosesNothing_data();
    void closingChoosesNothing();
    void downMovesIntoTheList();
    void runsModally();
    void picture();
};

void tst_CashComm::procedureMatches_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    const QStringList all{kAngelo, kSantosFee, kSantos, kDelaCruz};
    QTest::newRow("empty text: all waiting, newest first") << "0"
                                                           << "" << all;
    QTest::newRow("empty text by receipt too") << "1"
                                               << "" << all;
    QTest::newRow("patient name begins with") << "0"
                                              << "SANTOS" << QStringList{kSantosFee, kSantos};
    QTest::newRow("patient with a quote") << "0"
                                          << "D'AN" << QStringList{kAngelo};
    QTest::newRow("patient name is not matched within") << "0"
                                                        << "ANA" << QStringList{};
    QTest::newRow("receipt begins with") << "1"
                                         << "OR100" << QStringList{kSantosFee, kSantos, kDelaCruz};
    QTest::newRow("receipt exactly") << "1"
                                     << "OR2001" << QStringList{kAngelo};
    QTest::newRow("a used item's receipt") << "1"
                                           << "OR1003" << QStringList{};
    QTest::newRow("another section's receipt") << "1"
                                               << "OR1004" << QStringList{};
    QTest::newRow("a wildcard is taken literally") << "0"
                                                   << "%" << QStringList{};
    QTest::newRow("lower case finds the same") << "0"
                                               << "dela" << QStringList{kDelaCruz};
}

void tst_CashComm::procedureMatches() {
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    TestDatabase db;
    loadCommunications(db);
    data::Connection connection(db.open());
    QString doubled = text;
    doubled.replace("'", "''");
    const server::Result r =
        connection.run("spMammo_Communication '" + kind + "', '" + doubled + "'");
    QCOMPARE(r.columns, (QStringList{"OR #", "Patient", "Exam", "Date"}));
    QCOMPARE(testsupport::rowTexts(r), rows);
    for (const server::Row& row : r.rows)
        for (const QVariant& v : row)
            QVERIFY(!v.isNull());
}

void tst_CashComm::procedureRefusesAnUnknownKind() {
    TestDatabase db;
    data::Connection connection(db.open());
    const auto error = testsupport::caught<data::DbError>(
        [&] { connection.run("spMammo_Communication '2', ''"); });
    QVERIFY(error);
    QVERIFY2(error->description().contains("'2' is not known"), qPrintable(error->description()));
}

void tst_CashComm::opensOnWhatAnEmptySearchFinds() {
    TestDatabase db;
    loadCommunications(db);
    testsupport::SessionFixture session(db);
    frmCashComm window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const Window w = parts(window);

    QCOMPARE(window.windowTitle(), QString("Search Cash Communication"));
    QCOMPARE(window.findChild<QLabel*>("lblHeader")->text(), QString("Cashier Communication    "));
    QCOMPARE(session.commands(), QStringList{"spMammo_Communication '0', ''"});
    QCOMPARE(listed(*w.list), (QStringList{kAngelo, kSantosFee, kSantos, kDelaCruz}));
    QCOMPARE(w.list->cols(), 5);
    const QStringList headings{"", "OR #", "Patient", "Exam", "Date"};
    const QList<int> widths{200, 1250, 3000, 3000, 1000};
    const QFontMetrics metrics(w.list->font());
    for (int c = 0; c < 5; ++c) {
        QCOMPARE(w.list->textMatrix(0, c), headings[c]);
        // The width given, or wider where a listed text needs it.
        QVERIFY(w.list->colWidth(c) >= widths[c]);
        for (int r = 1; c > 0 && r < w.list->rows(); ++r)
            QVERIFY2(metrics.horizontalAdvance(w.list->textMatrix(r, c)) <
                         ui::twips(w.list->colWidth(c)),
                     qPrintable(w.list->textMatrix(r, c)));
    }
    QCOMPARE(w.list->colWidth(0), 200);
    QCOMPARE(w.searchBy->count(), 2);
    QCOMPARE(w.searchBy->itemText(0), QString("Patient"));
    QCOMPARE(w.searchBy->itemText(1), QString("OR #"));
    QCOMPARE(w.searchBy->currentIndex(), 0);
    QVERIFY(w.select->isEnabled());
    QCOMPARE(QApplication::focusWidget(), w.search);
    QVERIFY(!window.Valid());
    QCOMPARE(window.ResultCode(), QString());
}

void tst_CashComm::threeCommunicationsFillRowsOneToThree() {
    TestDatabase db;
    db.load(QString(kItems) + ";\n" +
            QStringList{line("MM1", "MM", "MM01", "ONE, A", "OR1", "2026-03-01 09:00:00"),
                        line("MM2", "MM", "MM01", "TWO, B", "OR2", "2026-03-02 09:00:00"),
                        line("MM3", "MM", "MM02", "THREE, C", "OR3", "2026-03-03 09:00:00")}
                .join(";\n"));
    testsupport::SessionFixture session(db);
    frmCashComm window;
    window.show();
    const Window w = parts(window);
    QCOMPARE(w.list->rows(), 4); // the headings and rows 1 to 3, the third one added
    QCOMPARE(listed(*w.list), (QStringList{"OR3|THREE, C|BREAST ULTRASOUND|03/03/2026",
                                           "OR2|TWO, B|MAMMOGRAM BILATERAL|03/02/2026",
                                           "OR1|ONE, A|MAMMOGRAM BILATERAL|03/01/2026"}));
    QVERIFY(w.select->isEnabled());
}

void tst_CashComm::searchesAsTypedInCapitals_data() {
    QTest::addColumn<int>("searchBy");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("patient, lower case")
        << 0 << "santos"
        << "SANTOS"
        << "spMammo_Communication '0', 'SANTOS'" << QStringList{kSantosFee, kSantos};
    QTest::newRow("receipt number, blanks trimmed")
        << 1 << " or2 "
        << " OR2 "
        << "spMammo_Communication '1', 'OR2'" << QStringList{kAngelo};
    QTest::newRow("a quote in the name")
        << 0 << "d'angelo"
        << "D'ANGELO"
        << "spMammo_Communication '0', 'D''ANGELO'" << QStringList{kAngelo};
}

void tst_CashComm::searchesAsTypedInCapitals() {
    QFETCH(int, searchBy);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, sent);
    QFETCH(QStringList, rows);
    TestDatabase db;
    loadCommunications(db);
    testsupport::SessionFixture session(db);
    frmCashComm window;
    window.show();
    const Window w = parts(window);
    session.clearCommands();
    w.searchBy->setCurrentIndex(searchBy);
    QTest::keyClicks(w.search, typed);
    QCOMPARE(w.search->text(), shown);
    QTest::keyClick(w.search, Qt::Key_Return);
    QCOMPARE(session.commands(), QStringList{sent});
    QCOMPARE(listed(*w.list), rows);
    QVERIFY(window.isVisible()); // Enter searched; it chose nothing
    QVERIFY(!window.Valid());
}

void tst_CashComm::nothingFoundEmptiesTheList() {
    TestDatabase db;
    loadCommunications(db);
    testsupport::SessionFixture session(db);
    frmCashComm window;
    window.show();
    const Window w = parts(window);
    QVERIFY(w.select->isEnabled());
    QTest::keyClicks(w.search, "nobody");
    QTest::keyClick(w.search, Qt::Key_Return);
    QCOMPARE(w.list->rows(), 2);
    QCOMPARE(listed(*w.list), QStringList{"|||"});
    const QList<int> widths{200, 1250, 3000, 3000, 1000};
    for (int c = 0; c < 5; ++c)
        QCOMPARE(w.list->colWidth(c), widths[c]);
    QCOMPARE(w.list->textMatrix(0, 1), QString("OR #"));
    QVERIFY(!w.select->isEnabled());
    // Enter in the empty list chooses nothing.
    w.list->setFocus();
    QTest::keyClick(w.list, Qt::Key_Return);
    QVERIFY(window.isVisible());
    QVERIFY(!window.Valid());
}

void tst_CashComm::choosingHandsOverReceiptAndPatient_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Select") << "select";
    QTest::newRow("double click") << "double click";
    QTest::newRow("Enter in the list") << "enter";
}

void tst_CashComm::choosingHandsOverReceiptAndPatient() {
    QFETCH(QString, how);
    TestDatabase db;
    loadCommunications(db);
    testsupport::SessionFixture session(db);
    frmCashComm window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const Window w = parts(window);
    w.list->setRow(4);
    if (how == "select") {
        w.select->click();
    } else if (how == "enter") {
        w.list->setFocus();
        QTest::keyClick(w.list, Qt::Key_Return);
    } else {
        const QPoint at = w.list->cellRect(4, 2).center();
        QTest::mouseClick(w.list->viewport(), Qt::LeftButton, {},
                          w.list->viewport()->mapFrom(w.list, at));
        QTest::mouseDClick(w.list->viewport(), Qt::LeftButton, {},
                           w.list->viewport()->mapFrom(w.list, at));
    }
    QVERIFY(!window.isVisible());
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QVERIFY(window.Valid());
    QCOMPARE(window.ResultCode(), QString("OR1001"));
    QCOMPARE(window.Patient(), QString("DELA CRUZ, JUAN"));
}

void tst_CashComm::closingChoosesNothing_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Close") << false;
    QTest::newRow("Esc in the list") << true;
}

void tst_CashComm::closingChoosesNothing() {
    QFETCH(bool, escape);
    TestDatabase db;
    loadCommunications(db);
    testsupport::SessionFixture session(db);
    frmCashComm window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const Window w = parts(window);
    if (escape) {
        w.list->setFocus();
        QTest::keyClick(w.list, Qt::Key_Escape);
    } else {
        w.close->click();
    }
    QVERIFY(!window.isVisible());
    QVERIFY(!window.Valid());
    QCOMPARE(window.ResultCode(), QString());
}

void tst_CashComm::downMovesIntoTheList() {
    TestDatabase db;
    loadCommunications(db);
    testsupport::SessionFixture session(db);
    frmCashComm window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const Window w = parts(window);
    QCOMPARE(QApplication::focusWidget(), w.search);
    QTest::keyClick(w.search, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), w.list);
    QCOMPARE(w.list->row(), 1);
}

void tst_CashComm::runsModally() {
    TestDatabase db;
    loadCommunications(db);
    testsupport::SessionFixture session(db);
    frmCashComm window;
    QString found;
    testsupport::whenModalOpens([&](QWidget* modal) {
        found = modal->objectName();
        auto* list = modal->findChild<FlexGrid*>("grdList");
        list->setRow(2);
        modal->findChild<QPushButton*>("cmdSelect")->click();
    });
    QCOMPARE(window.exec(), int(QDialog::Accepted));
    QCOMPARE(found, QString("frmCashComm"));
    QVERIFY(window.Valid());
    QCOMPARE(window.ResultCode(), QString("OR1002"));
    QCOMPARE(window.Patient(), QString("SANTOS, ANA"));
}

void tst_CashComm::picture() {
    TestDatabase db;
    loadCommunications(db);
    testsupport::SessionFixture session(db);
    frmCashComm window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    parts(window).list->setRow(2);
    QVERIFY(QFileInfo::exists(testsupport::savePicture(&window, "frmCashComm")));
}

QTEST_MAIN(tst_CashComm)
#include "tst_cashcomm.moc"
