#include "src/data/StoredProcs.h"
#include "tests/support/SessionFixture.h"

#include <QtTest>

using namespace data::StoredProcs;

class tst_StoredProcsBuilders : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { data::currentSession().user = &m_user; }
    void cleanupTestCase() { data::currentSession() = {}; }
    void builders_data();
    void builders();
    void doubleQuotes_data();
    void doubleQuotes();

private:
    testsupport::FixedUser m_user{"E042", "REYES, ANA"};
};

void tst_StoredProcsBuilders::builders_data() {
    QTest::addColumn<QString>("built");
    QTest::addColumn<QString>("expected");

    QTest::newRow("spLoadRequest") << spLoadRequest("1203") << "spMammo_LoadRequest '1203'";
    QTest::newRow("spCancelRequest") << spCancelRequest("1203") << "spMammo_CancelRequest '1203'";
    QTest::newRow("spRequestList sends one value")
        << spRequestList("DELA CRUZ") << "spMammo_RequestList 'DELA CRUZ'";
    QTest::newRow("spOutMaster") << spOutMaster("O", "H00012") << "spGlobal_OutMaster 'O','H00012'";
    QTest::newRow("spCashExams") << spCashExams("OR5512") << "spGlobal_CashExams 'OR5512','MM'";
    QTest::newRow("spCashUpdate used")
        << spCashUpdate("OR5512", "MM001", "Y") << "spGlobal_CashUpdate 'OR5512','MM','MM001','Y'";
    QTest::newRow("spCashUpdate freed")
        << spCashUpdate("OR5512", "MM001", "") << "spGlobal_CashUpdate 'OR5512','MM','MM001',''";
    QTest::newRow("spCancelList, trimmed text, blank separator")
        << spCancelList(1, "  SANTOS ") << "spMammo_CancelList '1', 'SANTOS'";
    QTest::newRow("spCommunication")
        << spCommunication(0, "OR77") << "spMammo_Communication '0', 'OR77'";
    QTest::newRow("spWalkIn, blank text") << spWalkIn(0, "   ") << "spGlobal_WalkIn '0', ''";
    QTest::newRow("spOutpatientSearch")
        << spOutpatientSearch(1, "LIM") << "spGlobal_Outpatient '1', 'LIM'";
    QTest::newRow("spSaveRequest exam line")
        << spSaveRequest("H001", "A100", "C1234E", "MM001", "1", "850.00", "I", "D07", "201", "MM")
        << "spMammo_SaveRequest 'A100','H001','C1234E','MM001','850.00','D07','I','201','D','E042'";
    QTest::newRow("spSaveRequest doctor's fee")
        << spSaveRequest("H001", "A100", "C1234E", "D07", "1", "500.00", "I", "D07", "201", "MD")
        << "spMammo_SaveRequest 'A100','H001','C1234E','D07','500.00','D07','I','201','P','E042'";
    QTest::newRow("spSaveCharges exam line")
        << spSaveCharges("I", "A100", "H001", "C1234E", "MM", "MM001", "1", "850.00", "D07", "201")
        << "spGlobal_SaveCharges 'I','A100','H001','C1234E','MM','MM001','1','850.00','D07',"
           "'E042','201','D',''";
    QTest::newRow("spSaveCharges doctor's fee")
        << spSaveCharges("O", "O200", "H002", "C9E", "MD", "D07", "1", "500.00", "D07", "")
        << "spGlobal_SaveCharges 'O','O200','H002','C9E','MD','D07','1','500.00','D07',"
           "'E042','','P','MM'";
    QTest::newRow("spSaveCharges other department")
        << spSaveCharges("I", "A1", "H1", "C1E", "XR", "X1", "1", "-10.00", "", "1")
        << "spGlobal_SaveCharges 'I','A1','H1','C1E','XR','X1','1','-10.00','','E042','1','D',''";
    QTest::newRow("spAssess section MM sends empty seventh value")
        << spAssess("MM17", "MAMMOGRAM, BOTH", "MM001", "MM", "1", "1200.00", "W0001", "W0001",
                    "D07", "SANTOS, JOSE")
        << "spGlobal_Assess 'MM17','MAMMOGRAM, BOTH','MM001','MM','1','1200.00','','E042',"
           "'W0001','W0001','D07','SANTOS, JOSE'";
    QTest::newRow("spAssess other section sends MM")
        << spAssess("MM18", "FEE", "D07", "MD", "1", "500.00", "W2", "W2", "D07", "X")
        << "spGlobal_Assess 'MM18','FEE','D07','MD','1','500.00','MM','E042','W2','W2','D07','X'";
    QTest::newRow("spAssess doubles quotes once")
        << spAssess("MM19", "O'NEIL VIEW", "MM002", "MM", "1", "10.00", "W'3", "W3", "D'1",
                    "O'BRIEN, P")
        << "spGlobal_Assess 'MM19','O''NEIL VIEW','MM002','MM','1','10.00','','E042','W''3',"
           "'W3','D''1','O''BRIEN, P'";
    QTest::newRow("other builders double a quote too")
        << spRequestList("O'BRIEN") << "spMammo_RequestList 'O''BRIEN'";
    QTest::newRow("a value cannot end the command")
        << spLoadRequest("1'; DELETE FROM RADIOLOGY..tbMammoMaster; --")
        << "spMammo_LoadRequest '1''; DELETE FROM RADIOLOGY..tbMammoMaster; --'";
    QTest::newRow("spCheckPending") << spCheckPending() << "RADIOLOGY..spRadio_CheckPending 'MM'";
}

void tst_StoredProcsBuilders::builders() {
    QFETCH(QString, built);
    QFETCH(QString, expected);
    QCOMPARE(built, expected);
}

void tst_StoredProcsBuilders::doubleQuotes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << "SANTOS"
                          << "SANTOS";
    QTest::newRow("one") << "O'BRIEN"
                         << "O''BRIEN";
    QTest::newRow("already doubled is doubled again") << "O''B"
                                                      << "O''''B";
    QTest::newRow("only quotes") << "''"
                                 << "''''";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_StoredProcsBuilders::doubleQuotes() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(data::DoubleQuotes(text), expected);
}

QTEST_GUILESS_MAIN(tst_StoredProcsBuilders)
#include "tst_storedprocs_builders.moc"
