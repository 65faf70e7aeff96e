#include "reportengine/ReportViewer.h"
#include "src/charges/ChargeSlip.h"
#include "src/data/ReportPrinting.h"
#include "src/data/frmReport.h"
#include "tests/charges/SlipFixture.h"
#include "tests/reportengine/StubPrintService.h"
#include "tests/reportengine/WhenModal.h"
#include "tests/support/ResultText.h"
#include "tests/support/SessionFixture.h"

#include <QFontMetricsF>
#include <QtTest>

using charges::SlipKind;
using charges::SlipOutput;
using testsupport::SessionFixture;
using testsupport::TestDatabase;

Q_DECLARE_METATYPE(charges::SlipKind)
Q_DECLARE_METATYPE(charges::SlipOutput)

namespace {

QStringList userRows(SessionFixture& session, const QString& user) {
    return testsupport::rowTexts(
        session.connection().run("SELECT ItemID, Description, Quantity, Price, Amount, Remarks "
                                 "FROM REPORTS..tbChargeSlip WHERE UserID = '" +
                                 user + "' ORDER BY LineNo"));
}

// The pages of the slip as the modeless viewer shows them; the window is closed after.
reportengine::PageModel printedSlip(SlipKind kind, const QString& number,
                                    const QString& admission = "ADM-1001") {
    QPointer<data::frmReport> window = charges::PrintChargeSlip(
        kind, number, "DELA CRUZ, ANA", "PHILHEALTH", admission, SlipOutput::ModelessViewer);
    const reportengine::PageModel model = window->viewer()->pageModel();
    window->close();
    return model;
}

} // namespace

class tst_ChargeSlip : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        MAMMO_REQUIRE_TEST_BACKEND();
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        data::setApplicationFolder(MAMMO_ASSETS_DIR);
    }
    void cleanup() { data::ReleaseReport(); }

    void chargeEntryLinesAreDumpedAsTheyStand();
    void assessmentLinesAreDumpedAsMoney();
    void assessmentReprintDumpsOneLine();
    void theSlipShowsTheUsersLinesUnderItsHeader_data();
    void theSlipShowsTheUsersLinesUnderItsHeader();
    void printingTwiceKeepsOnlyTheSecondSlipsLines();
    void theSlipGoesWhereTheCallerSays_data();
    void theSlipGoesWhereTheCallerSays();
    void theStatusBoardPrintsASlipByItsReference();
    void theSlipFitsHalfALetterSheet();
};

void tst_ChargeSlip::chargeEntryLinesAreDumpedAsTheyStand() {
    TestDatabase db;
    db.load(testsupport::kSlipFixture);
    SessionFixture session(db);
    session.connection().execute(
        "REPORTS..spGlobal_DumpChargeSlip 'OLD','LEFT OVER','1','1','1','E001'");
    session.clearCommands();
    charges::DumpChargeEntryLines(testsupport::entryLines());
    QCOMPARE(session.commands(), (QStringList{
                                     "DELETE REPORTS..tbChargeSlip WHERE UserID = 'E001'",
                                     "REPORTS..spGlobal_DumpChargeSlip 'MM01','SCREENING "
                                     "MAMMOGRAM','1','1500.00','1500.00','E001'",
                                     "REPORTS..spGlobal_DumpChargeSlip 'MM07','SPOT COMPRESSION "
                                     "VIEW','2','250.00','500.00','E001'",
                                     "REPORTS..spGlobal_DumpChargeSlip 'MD05','DR. O''NEIL READING "
                                     "FEE','1','350','350','E001'",
                                 }));
    QVERIFY(testsupport::sameRows(userRows(session, "E001"),
                                  {"MM01|SCREENING MAMMOGRAM|1|1500|1500|<NULL>",
                                   "MM07|SPOT COMPRESSION VIEW|2|250|500|<NULL>",
                                   "MD05|DR. O'NEIL READING FEE|1|350|350|<NULL>"},
                                  true));
    QCOMPARE(userRows(session, "E002").size(), 1); // another user's slip is left alone
}

void tst_ChargeSlip::assessmentLinesAreDumpedAsMoney() {
    TestDatabase db;
    SessionFixture session(db);
    charges::DumpAssessmentLines({
        {"MM01", "SCREENING MAMMOGRAM", "1", "1,500", "1,500"},
        {"", "NO CODE", "1", "5", "5"},
        {"MM09", "ULTRASOUND", "2", "abc", ""},
        {"MM10", "BIOPSY", "1", "617.5", "617.5"},
    });
    QCOMPARE(session.commands(),
             (QStringList{
                 "DELETE REPORTS..tbChargeSlip WHERE UserID = 'E001'",
                 "REPORTS..spGlobal_DumpChargeSlip 'MM01','SCREENING "
                 "MAMMOGRAM','1','1500.00','1500.00','E001',''",
                 "REPORTS..spGlobal_DumpChargeSlip 'MM09','ULTRASOUND','2','0.00','0.00','E001',''",
                 "REPORTS..spGlobal_DumpChargeSlip 'MM10','BIOPSY','1','617.50','617.50','E001',''",
             }));
    QVERIFY(testsupport::sameRows(userRows(session, "E001"),
                                  {"MM01|SCREENING MAMMOGRAM|1|1500|1500|",
                                   "MM09|ULTRASOUND|2|0|0|", "MM10|BIOPSY|1|617.5|617.5|"},
                                  true));
}

void tst_ChargeSlip::assessmentReprintDumpsOneLine() {
    TestDatabase db;
    SessionFixture session(db);
    charges::DumpAssessmentReprintLine("MM02", "DIAGNOSTIC MAMMOGRAM", "2,000");
    charges::DumpAssessmentReprintLine("", "NO CODE", "10");
    charges::DumpAssessmentReprintLine("MM03", "MAGNIFICATION", "n/a");
    QCOMPARE(
        session.commands(),
        (QStringList{
            "REPORTS..spGlobal_DumpChargeSlip 'MM02','DIAGNOSTIC "
            "MAMMOGRAM','1','2000.00','2000.00','E001',''",
            "REPORTS..spGlobal_DumpChargeSlip 'MM03','MAGNIFICATION','1','0.00','0.00','E001',''",
        }));
}

void tst_ChargeSlip::theSlipShowsTheUsersLinesUnderItsHeader_data() {
    QTest::addColumn<SlipKind>("kind");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("admission");
    QTest::newRow("charge entry") << SlipKind::ChargeEntry << "C1234E"
                                  << "MAMMOGRAM CC. NO. C1234E"
                                  << "ADM. NO. #ADM-1001";
    QTest::newRow("assessment") << SlipKind::Assessment << "MM5678"
                                << "MAMMOGRAM ASSESSMENT NO. MM5678"
                                << "";
}

void tst_ChargeSlip::theSlipShowsTheUsersLinesUnderItsHeader() {
    QFETCH(SlipKind, kind);
    QFETCH(QString, number);
    QFETCH(QString, title);
    QFETCH(QString, admission);
    TestDatabase db;
    db.load(testsupport::kSlipFixture);
    SessionFixture session(db);
    charges::DumpChargeEntryLines(testsupport::entryLines());
    const reportengine::PageModel model = printedSlip(kind, number);
    QVERIFY(!data::CurrentReport());
    QCOMPARE(model.pageCount(), 1);
    const QStringList texts = model.pages[0].texts();
    QStringList expected{"CITY GENERAL HOSPITAL",
                         "12 Rizal Avenue, Quezon City",
                         title,
                         "Patient:",
                         "DELA CRUZ, ANA",
                         "Date:",
                         QDate::currentDate().toString("MM/dd/yyyy"),
                         "Account:",
                         "PHILHEALTH"};
    if (!admission.isEmpty())
        expected << admission;
    expected << QStringList{"CODE", "DESCRIPTION", "QTY", "PRICE", "AMOUNT"}
             << QStringList{"MM01", "SCREENING MAMMOGRAM", "1", "1,500.00", "1,500.00"}
             << QStringList{"MM07", "SPOT COMPRESSION VIEW", "2", "250.00", "500.00"}
             << QStringList{"MD05", "DR. O'NEIL READING FEE", "1", "350.00", "350.00"}
             << QStringList{"3 items",     "TOTAL",         "2,350.00", "Remarks:",
                            "CLERK, TEST", "User ID: E001", "Issued by"};
    QCOMPARE(texts.mid(0, expected.size()), expected);
    QVERIFY(!texts.join('|').contains("OTHER USERS EXAM"));
}

void tst_ChargeSlip::printingTwiceKeepsOnlyTheSecondSlipsLines() {
    TestDatabase db;
    db.load(testsupport::kSlipFixture);
    SessionFixture session(db);
    charges::DumpChargeEntryLines(testsupport::entryLines());
    QPointer<data::frmReport> first = charges::PrintChargeSlip(SlipKind::ChargeEntry, "C1E", "A, B",
                                                               "", "1", SlipOutput::ModelessViewer);

    charges::DumpChargeEntryLines({{"MM20", "TOMOSYNTHESIS", "1", "3000.00", "3000.00"}});
    QVERIFY(testsupport::sameRows(userRows(session, "E001"),
                                  {"MM20|TOMOSYNTHESIS|1|3000|3000|<NULL>"}, true));
    const QStringList second = printedSlip(SlipKind::ChargeEntry, "C2E").pages[0].texts();
    QVERIFY(second.contains("TOMOSYNTHESIS"));
    QVERIFY(second.contains("3,000.00"));
    QVERIFY(!second.contains("SCREENING MAMMOGRAM"));
    QVERIFY(second.contains("1 item"));

    // The first slip's window still shows the first slip.
    QVERIFY(first);
    const QStringList kept = first->viewer()->pageModel().pages[0].texts();
    QVERIFY(kept.contains("SCREENING MAMMOGRAM"));
    QVERIFY(!kept.contains("TOMOSYNTHESIS"));
    first->close();
}

void tst_ChargeSlip::theSlipGoesWhereTheCallerSays_data() {
    QTest::addColumn<SlipOutput>("output");
    QTest::addColumn<QStringList>("printCalls");
    QTest::addColumn<QString>("caption");
    QTest::newRow("printer with dialog")
        << SlipOutput::PrinterWithDialog << QStringList{"dialog:1"} << "";
    QTest::newRow("printer without dialog")
        << SlipOutput::PrinterWithoutDialog << QStringList{"default"} << "";
    QTest::newRow("modal viewer") << SlipOutput::ModalViewer << QStringList{}
                                  << "Charge Slip Printing";
    QTest::newRow("modeless viewer")
        << SlipOutput::ModelessViewer << QStringList{} << "AUDIT REPORT";
}

void tst_ChargeSlip::theSlipGoesWhereTheCallerSays() {
    QFETCH(SlipOutput, output);
    QFETCH(QStringList, printCalls);
    QFETCH(QString, caption);
    TestDatabase db;
    db.load(testsupport::kSlipFixture);
    SessionFixture session(db);
    charges::DumpChargeEntryLines(testsupport::entryLines());
    QTemporaryDir dir;
    testsupport::StubPrintService service;
    service.outputFile = dir.filePath("slip.pdf");

    QString modalCaption;
    if (output == SlipOutput::ModalViewer)
        testsupport::whenModal([&](QWidget* w) {
            modalCaption = w->windowTitle();
            w->close();
        });
    QPointer<data::frmReport> window = charges::PrintChargeSlip(SlipKind::ChargeEntry, "C1234E",
                                                                "DELA CRUZ, ANA", "", "A1", output);
    QCOMPARE(service.calls, printCalls);
    QCOMPARE(QFile::exists(service.outputFile), !printCalls.isEmpty());
    QVERIFY(!data::CurrentReport());
    if (output == SlipOutput::ModalViewer)
        QCOMPARE(modalCaption, caption);
    if (output == SlipOutput::ModelessViewer) {
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), caption);
        window->close();
    } else {
        QVERIFY(!window);
    }
}

void tst_ChargeSlip::theStatusBoardPrintsASlipByItsReference() {
    TestDatabase db;
    db.load(QString(testsupport::kSlipFixture) + R"(;
INSERT INTO REPORTS.tbChargeSlip (UserID, RefNum, ItemID, Description, Quantity, Price, Amount, LineNo) VALUES ('E009', 'C1234E', 'MM01', 'SCREENING MAMMOGRAM', 1, 1500, 1500, 1);
INSERT INTO REPORTS.tbChargeSlip (UserID, RefNum, ItemID, Description, Quantity, Price, Amount, LineNo) VALUES ('E009', 'C9999E', 'MM02', 'NOT THIS SLIP', 1, 10, 10, 2))");
    SessionFixture session(db);
    // By position: the slip reference is the first parameter field.
    data::PrepareReport(charges::chargeSlipPath(), "RADIOLOGY", {"C1234E"});
    QCOMPARE(data::CurrentReport()->parameterField(0).name(), QString("@REFNUM"));
    const QStringList texts = data::CurrentReport()->render().pages[0].texts();
    QVERIFY2(texts.contains("SCREENING MAMMOGRAM"), qPrintable(texts.join('|')));
    QVERIFY(!texts.contains("NOT THIS SLIP"));
    QVERIFY(!texts.contains("OTHER USERS EXAM"));
    QVERIFY(texts.contains("Ref. No. C1234E"));
}

void tst_ChargeSlip::theSlipFitsHalfALetterSheet() {
    TestDatabase db;
    db.load(testsupport::kSlipFixture);
    SessionFixture session(db);
    QList<charges::ChargeSlipLine> lines = testsupport::entryLines();
    lines << charges::ChargeSlipLine{"MM99", "BILATERAL DIAGNOSTIC MAMMOGRAM", "10", "99,999.99",
                                     "999,999.90"};
    charges::DumpChargeEntryLines(lines);
    const reportengine::PageModel model =
        printedSlip(SlipKind::ChargeEntry, "C1234567E", "ADM-2026-000123");
    QCOMPARE(model.pageSize.id(), QPageSize::Statement);
    QCOMPARE(model.size, QSizeF(396, 612));
    QImage paper(10, 10, QImage::Format_RGB32);
    paper.setDotsPerMeterX(int(72 / 0.0254));
    paper.setDotsPerMeterY(int(72 / 0.0254));
    const QRectF printable(18, 18, 396 - 36, 612 - 36);
    for (const reportengine::PageElement& e : model.pages[0].elements) {
        const bool inside =
            e.kind == reportengine::PageElement::Line
                ? printable.contains(e.segment.p1()) && printable.contains(e.segment.p2())
                : printable.contains(e.rect);
        QVERIFY2(inside, qPrintable(e.text));
        if (e.kind != reportengine::PageElement::Text)
            continue;
        QVERIFY2(e.style.font.size >= 6.5, qPrintable(e.text));
        QFont font(e.style.font.family);
        font.setPointSizeF(e.style.font.size);
        font.setBold(e.style.font.bold);
        const qreal width = QFontMetricsF(font, &paper).horizontalAdvance(e.text);
        QVERIFY2(width <= e.rect.width() + 0.5,
                 qPrintable(e.text + " needs " + QString::number(width) + " of " +
                            QString::number(e.rect.width())));
    }
}

QTEST_MAIN(tst_ChargeSlip)
#include "tst_chargeslip.moc"
