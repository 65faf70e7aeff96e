#include "src/charges/ChargeSlip.h"
#include "tests/charges/SlipFixture.h"
#include "tests/support/SessionFixture.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using testsupport::SessionFixture;
using testsupport::TestDatabase;

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run runTool(const QStringList& args) {
    QProcess process;
    process.start(MAMMO_REPORT_TOOL, args);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString slipFile() {
    return QString(MAMMO_ASSETS_DIR) + "/ChargeSlip.rpt";
}

} // namespace

class tst_MammoReport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { MAMMO_REQUIRE_TEST_BACKEND(); }
    void writesTheSlipAsPdfAndPageImages();
    void theGuidesCompleteExampleRuns();
    void refusesWhatItCannotDo_data();
    void refusesWhatItCannotDo();
};

void tst_MammoReport::writesTheSlipAsPdfAndPageImages() {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed; scripts/install-deps.sh installs it");
    TestDatabase db;
    db.load(testsupport::kSlipFixture);
    {
        SessionFixture session(db);
        charges::DumpChargeEntryLines(testsupport::entryLines());
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath("slip.pdf");
    const QString review = QString(MAMMO_REVIEW_DIR) + "/chargeslip-" + testsupport::testBackend();
    QDir(review).removeRecursively();
    const Run run =
        runTool({slipFile(), "--db", db.target(), "--logon", "REPORTS", "--param", "USERID=E001",
                 "--param", "title=MAMMOGRAM CC. NO. C1234E", "--param", "PATIENT=DELA CRUZ, ANA",
                 "--param", "CHARGEDATE=07/15/2012", "--pdf", pdf, "--png-dir", review});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QCOMPARE(run.out.trimmed(), QString("1 page"));

    QProcess text;
    text.start(pdftotext, {"-layout", pdf, "-"});
    QVERIFY(text.waitForFinished(30000));
    const QString content = QString::fromUtf8(text.readAllStandardOutput());
    for (const QString& expected : QStringList{
             "CITY GENERAL HOSPITAL", "MAMMOGRAM CC. NO. C1234E", "DELA CRUZ, ANA", "07/15/2012",
             "SCREENING MAMMOGRAM", "SPOT COMPRESSION VIEW", "DR. O'NEIL READING FEE", "1,500.00",
             "500.00", "350.00", "2,350.00", "User ID: E001"})
        QVERIFY2(content.contains(expected), qPrintable(expected + " is not in:\n" + content));
    QVERIFY(!content.contains("OTHER USERS EXAM"));
    // The lines keep their order.
    QVERIFY(content.indexOf("SCREENING") < content.indexOf("SPOT COMPRESSION"));
    QVERIFY(content.indexOf("SPOT COMPRESSION") < content.indexOf("O'NEIL"));

    const QImage page(review + "/page-1.png");
    QCOMPARE(page.size(), QSize(825, 1275)); // half a letter sheet at 150 dpi
    qInfo("First page for review: %s", qPrintable(review + "/page-1.png"));
}

// The complete example of docs/report-format.md is a working report.
void tst_MammoReport::theGuidesCompleteExampleRuns() {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed; scripts/install-deps.sh installs it");
    QFile guide(MAMMO_FORMAT_GUIDE);
    QVERIFY(guide.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(guide.readAll());
    const qsizetype section = text.indexOf("## A complete example");
    const qsizetype start = text.indexOf("```xml\n", section);
    const qsizetype end = text.indexOf("```", start + 7);
    QVERIFY(section > 0 && start > 0 && end > start);
    QTemporaryDir dir;
    const QString file = dir.filePath("Requests.rpt");
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(text.mid(start + 7, end - start - 7).toUtf8());
    }
    TestDatabase db;
    db.load(QString(testsupport::kSlipFixture) + R"(;
INSERT INTO RADIOLOGY.tbMammoMaster (RequestNum, IdNum, HospNum, ItemID, Amount, PatientType, RequestDate) VALUES ('R1', 'A1', 'H1', 'MM01', 1500, 'I', '2012-07-02 09:00:00');
INSERT INTO RADIOLOGY.tbMammoMaster (RequestNum, IdNum, HospNum, ItemID, Amount, PatientType, RequestDate) VALUES ('R2', 'A2', 'H2', 'MM02', 800, 'O', '2012-07-03 10:15:00');
INSERT INTO RADIOLOGY.tbMammoMaster (RequestNum, IdNum, HospNum, ItemID, Amount, PatientType, RequestDate) VALUES ('R3', 'A3', 'H3', 'MM01', 1500, 'O', '2012-07-20 14:30:00');
INSERT INTO RADIOLOGY.tbMammoMaster (RequestNum, IdNum, HospNum, ItemID, Amount, PatientType, RequestDate) VALUES ('R4', 'A4', 'H4', 'MM09', 99, 'O', '2012-08-01 08:00:00'))");
    const QString pdf = dir.filePath("requests.pdf");
    const Run run =
        runTool({file, "--db", db.target(), "--param", "FROMDATE=07/01/2012", "--param",
                 "TODATE=08/01/2012", "--param", "PREPAREDBY=CLERK, TEST", "--pdf", pdf});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QProcess pdfText;
    pdfText.start(pdftotext, {"-layout", pdf, "-"});
    QVERIFY(pdfText.waitForFinished(30000));
    const QString content = QString::fromUtf8(pdfText.readAllStandardOutput());
    for (const QString& expected : QStringList{
             "CITY GENERAL HOSPITAL", "Requests - From 07/01/2012 to 08/01/2012", "Patient type I",
             "Patient type O", "1 requests", "2 requests", "2,300.00", "GRAND TOTAL", "3,800.00",
             "07/20/2012 02:30 PM", "Prepared by CLERK, TEST", "Page 1 of 1"})
        QVERIFY2(content.contains(expected), qPrintable(expected + " is not in:\n" + content));
    QVERIFY(!content.contains("MM09")); // outside the period
}

void tst_MammoReport::refusesWhatItCannotDo_data() {
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("problem");
    QTest::newRow("unknown parameter") << QString() << QStringList{"--param", "NOPE=1"}
                                       << "The report has no parameter field NOPE.";
    QTest::newRow("malformed definition")
        << "<report>\n<pageHeader height=\"1\">\n</report>" << QStringList{} << "Bad.rpt, line 3:";
    QTest::newRow("unknown option")
        << QString() << QStringList{"--colour"} << "Unknown option --colour";
}

void tst_MammoReport::refusesWhatItCannotDo() {
    QFETCH(QString, definition);
    QFETCH(QStringList, options);
    QFETCH(QString, problem);
    TestDatabase db;
    QTemporaryDir dir;
    QString file = slipFile();
    if (!definition.isEmpty()) {
        file = dir.filePath("Bad.rpt");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(definition.toUtf8());
    }
    const Run run =
        runTool(QStringList{file, "--db", db.target(), "--pdf", dir.filePath("x.pdf")} + options);
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(problem), qPrintable(run.err));
    QVERIFY(!QFile::exists(dir.filePath("x.pdf")));
}

QTEST_MAIN(tst_MammoReport)
#include "tst_mammoreport.moc"
