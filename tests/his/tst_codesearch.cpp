#include "his/clsCodeSearch.h"
#include "src/data/Connection.h"
#include "src/ui/MsgBox.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/TestDatabase.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

void loadCodes(const testsupport::TestDatabase& db) {
    db.load("INSERT INTO BUILD_FILE.tbCoDoctor (DoctorID, LastName, FirstName, MiddleName, "
            "Specialty) VALUES ('D01', 'SMITH', 'JOHN', 'A', 'RADIOLOGY'), "
            "('D02', 'SMYTHE', 'ROSA', NULL, 'SURGERY'), ('D10', 'JONES', 'MARK', 'B', NULL), "
            "('D''11', 'O''HARA', 'KIM', NULL, NULL);\n"
            "INSERT INTO BUILD_FILE.tbCoAddress (ZipCode, Town, Province) VALUES "
            "('1000', 'MANILA', 'METRO MANILA'), ('4000', 'SAN PABLO', 'LAGUNA'), "
            "('4100', 'SANTA ROSA', 'LAGUNA');\n"
            "INSERT INTO BUILD_FILE.tbCoOtherRevenue (OtherRevenueID, OtherRevenue, RevenueID, "
            "SectionID, RateA, RateB, RateC, RateD, RateE, RateF, RateG) VALUES "
            "('MM001', 'MAMMOGRAPHY BILATERAL', 'MM', NULL, 1500, 1600, 1700, 1800, 1900, 2000, "
            "1400.5), ('MM002', 'BREAST ULTRASOUND', 'MM', 'H', 900, 900, 900, 900, 900, 900, "
            "850), ('XR001', 'CHEST X-RAY BILATERAL VIEWS', 'XR', NULL, 300, 300, 300, 300, 300, "
            "300, 250);\n"
            "INSERT INTO RADIOLOGY.tbMammoFileNum (FileNum, HospNum, SectionID, LastName, "
            "FirstName, MiddleName) VALUES ('MF100', 'H001', 'MM', 'SANTOS', 'MARIA', 'LUZ')");
}

QString doctorText(const data::DoctorInfo& d) {
    return QStringList{d.ResultCode, d.LastName, d.FirstName, d.MiddleName}.join('|');
}
QString addressText(const data::AddressInfo& a) {
    return QStringList{a.ResultCode, a.Town, a.Province}.join('|');
}
QString itemText(const data::OtherRevenueInfo& i) {
    QStringList parts{i.ResultCode, i.OtherRevenue};
    for (double rate : {i.RateA, i.RateB, i.RateC, i.RateD, i.RateE, i.RateF, i.RateG})
        parts << QString::number(rate, 'f', 2);
    return parts.join('|');
}

QString recordText(const his::clsCodeSearch& search, int kind) {
    switch (kind) {
    case data::ICodeSearch::Address:
        return addressText(search.AddressRecord());
    case data::ICodeSearch::Doctor:
        return doctorText(search.DoctorRecord());
    default:
        return itemText(search.OtherRevenueRecord());
    }
}

struct WindowSeen {
    QString caption;
    QStringList firstColumn; // after the typed search
    bool boxTurnsCapitals = false;
};

QStringList firstColumn(const QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0);
    return out;
}

} // namespace

class tst_CodeSearch : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        MAMMO_REQUIRE_TEST_BACKEND();
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    }
    void init();
    void cleanup();
    void validatesACode_data();
    void validatesACode();
    void notFoundLeavesTheRecordOfTheLastFind();
    void pickFromTheWindow_data();
    void pickFromTheWindow();
    void closingTheWindowPicksNothing_data();
    void closingTheWindowPicksNothing();
    void fileNumberFound_data();
    void fileNumberFound();
    void refusesAnUnknownKindAndAMissingConnection();

private:
    std::unique_ptr<testsupport::TestDatabase> m_db;
    std::unique_ptr<data::Connection> m_connection;
    std::unique_ptr<his::clsCodeSearch> m_search;
};

void tst_CodeSearch::init() {
    m_db = std::make_unique<testsupport::TestDatabase>();
    loadCodes(*m_db);
    m_connection = std::make_unique<data::Connection>(m_db->open());
    m_search = std::make_unique<his::clsCodeSearch>();
    m_search->setMTS_Server("");
    m_search->setSearchMode(true);
    m_search->Initialize_Classes();
    m_search->setConnection(m_connection.get());
}

void tst_CodeSearch::cleanup() {
    m_search.reset();
    m_connection.reset();
    m_db.reset();
}

void tst_CodeSearch::validatesACode_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("record");

    QTest::newRow("doctor") << 1 << ""
                            << "D01" << true << "D01|SMITH|JOHN|A";
    QTest::newRow("doctor without middle name") << 1 << ""
                                                << "D02" << true << "D02|SMYTHE|ROSA|";
    QTest::newRow("doctor, blanks around") << 1 << ""
                                           << " D10 " << true << "D10|JONES|MARK|B";
    QTest::newRow("doctor code with a quote") << 1 << ""
                                              << "D'11" << true << "D'11|O'HARA|KIM|";
    QTest::newRow("doctor code is not a prefix") << 1 << ""
                                                 << "D0" << false << "|||";
    QTest::newRow("unknown doctor") << 1 << ""
                                    << "D99" << false << "|||";
    QTest::newRow("address") << 0 << ""
                             << "4000" << true << "4000|SAN PABLO|LAGUNA";
    QTest::newRow("unknown address") << 0 << ""
                                     << "9999" << false << "||";
    QTest::newRow("exam of the section")
        << 21 << "MM"
        << "MM001" << true
        << "MM001|MAMMOGRAPHY BILATERAL|1500.00|1600.00|1700.00|1800.00|1900.00|2000.00|1400.50";
    QTest::newRow("exam of another section")
        << 21 << "MM"
        << "XR001" << false << "||0.00|0.00|0.00|0.00|0.00|0.00|0.00";
    QTest::newRow("exam of the other section asked for")
        << 21 << "XR"
        << "XR001" << true
        << "XR001|CHEST X-RAY BILATERAL VIEWS|300.00|300.00|300.00|300.00|300.00|300.00|250.00";
}

void tst_CodeSearch::validatesACode() {
    QFETCH(int, kind);
    QFETCH(QString, section);
    QFETCH(QString, code);
    QFETCH(bool, found);
    QFETCH(QString, record);
    m_search->setOtherSectionID(section);
    QString text = code;
    // A code never opens the window: a window would hang the test until its timeout.
    QCOMPARE(m_search->SearchListing(text, kind), found);
    QCOMPARE(text, code);
    QCOMPARE(recordText(*m_search, kind), record);
}

void tst_CodeSearch::notFoundLeavesTheRecordOfTheLastFind() {
    QString text = "D01";
    QVERIFY(m_search->SearchListing(text, 1));
    text = "D99";
    QVERIFY(!m_search->SearchListing(text, 1));
    QCOMPARE(doctorText(m_search->DoctorRecord()), QString("D01|SMITH|JOHN|A"));
    // Each kind keeps its own record.
    text = "1000";
    QVERIFY(m_search->SearchListing(text, 0));
    QCOMPARE(doctorText(m_search->DoctorRecord()), QString("D01|SMITH|JOHN|A"));
    QCOMPARE(addressText(m_search->AddressRecord()), QString("1000|MANILA|METRO MANILA"));
}

void tst_CodeSearch::pickFromTheWindow_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("how"); // enter, double-click, select
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("record");

    QTest::newRow("doctor by last name, Enter on the second row")
        << 1 << "sm"
        << "enter" << 1 << "Search Doctor" << QStringList{"D01", "D02"} << "D02|SMYTHE|ROSA|";
    QTest::newRow("doctor by code, double click")
        << 1 << "D1"
        << "double-click" << 0 << "Search Doctor" << QStringList{"D10"} << "D10|JONES|MARK|B";
    QTest::newRow("address by town, Select")
        << 0 << "san"
        << "select" << 1 << "Search Address" << QStringList{"4000", "4100"}
        << "4100|SANTA ROSA|LAGUNA";
    QTest::newRow("address by province") << 0 << "LAG"
                                         << "enter" << 0 << "Search Address"
                                         << QStringList{"4000", "4100"} << "4000|SAN PABLO|LAGUNA";
    QTest::newRow("exam by a word of its name, only the section's")
        << 21 << "bilateral"
        << "enter" << 0 << "Search Exam" << QStringList{"MM001"}
        << "MM001|MAMMOGRAPHY BILATERAL|1500.00|1600.00|1700.00|1800.00|1900.00|2000.00|1400.50";
    QTest::newRow("exam, wildcard typed is taken literally")
        << 21 << "%"
        << "enter" << 0 << "Search Exam" << QStringList{} << "||0.00|0.00|0.00|0.00|0.00|0.00|0.00";
}

void tst_CodeSearch::pickFromTheWindow() {
    QFETCH(int, kind);
    QFETCH(QString, typed);
    QFETCH(QString, how);
    QFETCH(int, row);
    QFETCH(QString, caption);
    QFETCH(QStringList, listed);
    QFETCH(QString, record);
    m_search->setOtherSectionID("MM");
    WindowSeen seen;
    testsupport::whenModalOpens([&](QWidget* window) {
        seen.caption = window->windowTitle();
        auto* box = window->findChild<QLineEdit*>("txtSearch");
        auto* list = window->findChild<QTreeWidget*>("grdList");
        if (!box || !list)
            return;
        box->clear();
        QTest::keyClicks(box, typed);
        seen.boxTurnsCapitals = box->text() == typed.toUpper();
        QTest::keyClick(box, Qt::Key_Return);
        seen.firstColumn = firstColumn(list);
        QTest::keyClick(box, Qt::Key_Down); // into the list, on its first row
        for (int i = 0; i < row; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        if (how == "enter") {
            QTest::keyClick(list, Qt::Key_Return);
        } else if (how == "double-click") {
            QTreeWidgetItem* item = list->currentItem();
            emit list->itemDoubleClicked(item, 0);
        } else {
            window->findChild<QPushButton*>("cmdSelect")->click();
        }
        if (window->isVisible())
            window->close(); // nothing was there to choose
    });
    QString text;
    const bool picked = m_search->SearchListing(text, kind);
    QCOMPARE(seen.caption, caption);
    QVERIFY(seen.boxTurnsCapitals);
    QCOMPARE(seen.firstColumn, listed);
    QCOMPARE(picked, !listed.isEmpty());
    QCOMPARE(text, listed.isEmpty() ? QString() : listed[row]);
    QCOMPARE(recordText(*m_search, kind), record);
}

void tst_CodeSearch::closingTheWindowPicksNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Esc") << "esc";
    QTest::newRow("Close") << "close";
}

void tst_CodeSearch::closingTheWindowPicksNothing() {
    QFETCH(QString, how);
    int listedAtOpening = -1;
    testsupport::whenModalOpens([&](QWidget* window) {
        auto* list = window->findChild<QTreeWidget*>("grdList");
        listedAtOpening = list ? list->topLevelItemCount() : -1;
        if (how == "esc")
            QTest::keyClick(window->findChild<QLineEdit*>("txtSearch"), Qt::Key_Escape);
        else
            window->findChild<QPushButton*>("cmdClose")->click();
    });
    QString text;
    QVERIFY(!m_search->SearchListing(text, 1));
    QCOMPARE(listedAtOpening, 4); // every doctor until something is typed
    QCOMPARE(text, QString());
    QCOMPARE(doctorText(m_search->DoctorRecord()), QString("|||"));
}

void tst_CodeSearch::fileNumberFound_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("found");
    QTest::newRow("assigned") << "MF100" << true;
    QTest::newRow("assigned, blanks around") << " MF100 " << true;
    QTest::newRow("free") << "MF101" << false;
    QTest::newRow("a prefix only") << "MF1" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("with a quote") << "MF'100" << false;
}

void tst_CodeSearch::fileNumberFound() {
    QFETCH(QString, number);
    QFETCH(bool, found);
    QCOMPARE(m_search->FileNumFound(number), found);
    const data::FileNumInfo& f = m_search->FileNum();
    QCOMPARE(QStringList({f.FileNum, f.HospNum, f.LastName, f.FirstName, f.MiddleName}).join('|'),
             found ? QString("MF100|H001|SANTOS|MARIA|LUZ") : QString("||||"));
}

void tst_CodeSearch::refusesAnUnknownKindAndAMissingConnection() {
    QString text = "D01";
    QVERIFY_THROWS_EXCEPTION(data::DbError, m_search->SearchListing(text, 2));
    his::clsCodeSearch unconnected;
    QVERIFY_THROWS_EXCEPTION(data::DbError, unconnected.SearchListing(text, 1));
    QVERIFY_THROWS_EXCEPTION(data::DbError, unconnected.FileNumFound("MF100"));
}

QTEST_MAIN(tst_CodeSearch)
#include "tst_codesearch.moc"
