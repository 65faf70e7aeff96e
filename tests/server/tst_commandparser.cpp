#include "server/CommandParser.h"
#include "server/Error.h"
#include "tests/support/Expect.h"

#include <QtTest>

using server::CommandParser;
using server::ProcedureCall;

namespace {

// Values written as the test shows them: "<NULL>" for an unquoted NULL.
QStringList shown(const ProcedureCall& call) {
    QStringList out;
    for (const auto& v : call.values)
        out << (v ? *v : QString("<NULL>"));
    return out;
}

} // namespace

class tst_CommandParser : public QObject {
    Q_OBJECT

private slots:
    void callShapes_data();
    void callShapes();
    void malformedCalls_data();
    void malformedCalls();
    void classification_data();
    void classification();
};

void tst_CommandParser::callShapes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("values");

    QTest::newRow("database and one value") << "RADIOLOGY..spRadio_CheckPending 'MM'"
                                            << "RADIOLOGY"
                                            << "spRadio_CheckPending" << QStringList{"MM"};
    QTest::newRow("no blank before the first quote")
        << "radiology..Mammo_SaveInterpretation'7','A','B'"
        << "RADIOLOGY"
        << "Mammo_SaveInterpretation" << QStringList{"7", "A", "B"};
    QTest::newRow("no values and a trailing blank")
        << "Clinical_ARea..sp_Endo_LoadDischargeNoticeCount "
        << "CLINICAL_AREA"
        << "sp_Endo_LoadDischargeNoticeCount" << QStringList{};
    QTest::newRow("mixed separators and an empty value")
        << "RAdiology..Sp_RadioSetup '2', 'MM' ,'1',''"
        << "RADIOLOGY"
        << "Sp_RadioSetup" << QStringList{"2", "MM", "1", ""};
    QTest::newRow("no database") << "spAssess_Revoke 'a','b','MM'"
                                 << ""
                                 << "spAssess_Revoke" << QStringList{"a", "b", "MM"};
    QTest::newRow("unquoted NULL") << "Radiology..sp_Rad_UpdateHistory 'a', NULL, 'b'"
                                   << "RADIOLOGY"
                                   << "sp_Rad_UpdateHistory" << QStringList{"a", "<NULL>", "b"};
    QTest::newRow("doubled quote inside a value")
        << "spMammo_RequestList 'O''Brien'"
        << ""
        << "spMammo_RequestList" << QStringList{"O'Brien"};
    QTest::newRow("a value that looks like a command")
        << "spMammo_RequestList 'x''; DELETE FROM RADIOLOGY..tbMammoMaster; --'"
        << ""
        << "spMammo_RequestList" << QStringList{"x'; DELETE FROM RADIOLOGY..tbMammoMaster; --"};
    QTest::newRow("owner between database and name")
        << "LABORATORY.dbo.spGlobal_BilledPatients '0', 'SMITH'"
        << "LABORATORY"
        << "spGlobal_BilledPatients" << QStringList{"0", "SMITH"};
    QTest::newRow("unquoted numbers") << "spX 12, -3.5"
                                      << ""
                                      << "spX" << QStringList{"12", "-3.5"};
    QTest::newRow("blanks and a line break") << "  REPORTS..spGlobal_DumpChargeSlip\n 'a' ,  'b'  "
                                             << "REPORTS"
                                             << "spGlobal_DumpChargeSlip" << QStringList{"a", "b"};
}

void tst_CommandParser::callShapes() {
    QFETCH(QString, text);
    QFETCH(QString, database);
    QFETCH(QString, name);
    QFETCH(QStringList, values);

    const ProcedureCall call = CommandParser::parseCall(text);
    QCOMPARE(call.database, database);
    QCOMPARE(call.name, name);
    QCOMPARE(shown(call), values);
}

void tst_CommandParser::malformedCalls_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem");

    QTest::newRow("unclosed quote") << "spMammo_LoadRequest '123"
                                    << "Unclosed quotation mark";
    QTest::newRow("missing comma") << "spMammo_CancelList '0' 'SMITH'"
                                   << "a comma was expected";
    QTest::newRow("trailing comma") << "spMammo_CancelList '0',"
                                    << "a value was expected";
    QTest::newRow("unknown database") << "NOSUCHDB..spMammo_LoadRequest '1'"
                                      << "the database 'NOSUCHDB' does not exist";
    QTest::newRow("bare word as value") << "spMammo_LoadRequest abc"
                                        << "unexpected 'abc'";
    QTest::newRow("missing name after dots") << "RADIOLOGY.. '1'"
                                             << "a name was expected";
}

void tst_CommandParser::malformedCalls() {
    QFETCH(QString, text);
    QFETCH(QString, problem);

    const auto e = testsupport::caught<server::Error>([&] { CommandParser::parseCall(text); });
    QVERIFY2(e, "the malformed call was accepted");
    QVERIFY2(e->description().contains(problem), qPrintable(e->description()));
    QVERIFY2(e->description().contains(CommandParser::guessName(text)),
             qPrintable(e->description()));
    QCOMPARE(e->command(), text);
}

void tst_CommandParser::classification_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");

    QTest::newRow("select") << "select * from x" << int(CommandParser::Kind::PlainStatement);
    QTest::newRow("mixed-case update") << "Update Radiology..tbMammoMaster Set RadTech = 'a'"
                                       << int(CommandParser::Kind::PlainStatement);
    QTest::newRow("delete") << "DELETE REPORTS..tbChargeSlip WHERE UserID = 'a'"
                            << int(CommandParser::Kind::PlainStatement);
    QTest::newRow("procedure") << "spMammo_LoadRequest '1'"
                               << int(CommandParser::Kind::ProcedureCall);
    QTest::newRow("procedure named like a word")
        << "selection_sp '1'" << int(CommandParser::Kind::ProcedureCall);
    QTest::newRow("blank") << "   " << int(CommandParser::Kind::Empty);
}

void tst_CommandParser::classification() {
    QFETCH(QString, text);
    QFETCH(int, kind);
    QCOMPARE(int(CommandParser::classify(server::Lexer::tokenize(text))), kind);
}

QTEST_GUILESS_MAIN(tst_CommandParser)
#include "tst_commandparser.moc"
