#include "reportengine/Report.h"
#include "reportengine/ReportViewer.h"
#include "src/ui/MsgBox.h"
#include "tests/reportengine/ReportFixture.h"
#include "tests/reportengine/StubPrintService.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

using reportengine::Report;
using reportengine::ReportViewer;
using testsupport::reportXml;
using testsupport::rows;

namespace {

// Three pages: a group of 40 lines fills the 720 points of a page's body.
const char* const kGroups = R"(
<queries><query name="q" columns="grp n">SELECT grp, n FROM RADIOLOGY..x</query></queries>
<group name="g" on="{grp}">
  <groupHeader height="80"><field x="0" y="0" w="200" h="20" bold="true">"Group " &amp; {grp}</field></groupHeader>
</group>
<detail height="16"><field x="0" y="0" w="100" h="16">{n}</field></detail>)";

struct ViewerFixture {
    ViewerFixture() {
        QList<QVariantList> lines;
        for (int n = 0; n < 120; ++n)
            lines << QVariantList{QString(QChar('A' + n / 40)), n};
        report = Report::open(folder.write("Groups.rpt", reportXml(kGroups)));
        report->setQueryRunner([this, lines](const QString&, const QString&) {
            ++queries;
            return rows({"grp", "n"}, lines);
        });
        viewer.resize(900, 700);
        viewer.setReportSource(report);
        viewer.viewReport();
        viewer.show();
    }
    QAction* action(const char* name) { return viewer.findChild<QAction*>(name); }

    testsupport::ReportFolder folder;
    std::shared_ptr<Report> report;
    int queries = 0;
    ReportViewer viewer;
};

} // namespace

class tst_ReportViewer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void navigatesThePages();
    void zooms_data();
    void zooms();
    void printsThroughThePrintDialog_data();
    void printsThroughThePrintDialog();
    void exportsToPdf();
    void displayOptionsCanBeTurnedOff();
    void printingWithoutAPrinterTellsTheUser();
};

void tst_ReportViewer::navigatesThePages() {
    ViewerFixture f;
    QCOMPARE(f.viewer.pageCount(), 3);
    QCOMPARE(f.viewer.currentPage(), 1);
    auto* page = f.viewer.findChild<QSpinBox*>("spnPage");
    auto* count = f.viewer.findChild<QLabel*>("lblPageCount");
    QVERIFY(page && count);
    QCOMPARE(count->text().trimmed(), QString("of 3"));
    QVERIFY(!f.action("actFirstPage")->isEnabled());
    QVERIFY(!f.action("actPreviousPage")->isEnabled());

    f.action("actNextPage")->trigger();
    QCOMPARE(f.viewer.currentPage(), 2);
    QCOMPARE(page->value(), 2);
    f.action("actLastPage")->trigger();
    QCOMPARE(f.viewer.currentPage(), 3);
    QVERIFY(!f.action("actNextPage")->isEnabled());
    QVERIFY(!f.action("actLastPage")->isEnabled());
    f.action("actPreviousPage")->trigger();
    QCOMPARE(f.viewer.currentPage(), 2);
    f.action("actFirstPage")->trigger();
    QCOMPARE(f.viewer.currentPage(), 1);

    page->setValue(3);
    QCOMPARE(f.viewer.currentPage(), 3);

    // The group tree leads to the page a group starts on.
    auto* tree = f.viewer.findChild<QTreeWidget*>("treGroups");
    QVERIFY(tree && tree->isVisible());
    QCOMPARE(tree->topLevelItemCount(), 3);
    QCOMPARE(tree->topLevelItem(1)->text(0), QString("B"));
    emit tree->itemClicked(tree->topLevelItem(1), 0);
    QCOMPARE(f.viewer.currentPage(), 2);
    QVERIFY(f.viewer.pageModel().pages[1].hasText("Group B"));
}

void tst_ReportViewer::zooms_data() {
    QTest::addColumn<QString>("zoom");
    QTest::newRow("fit width") << "Fit width";
    QTest::newRow("fit page") << "Fit page";
    QTest::newRow("75%") << "75%";
    QTest::newRow("150%") << "150%";
}

void tst_ReportViewer::zooms() {
    QFETCH(QString, zoom);
    ViewerFixture f;
    auto* combo = f.viewer.findChild<QComboBox*>("cmbZoom");
    QVERIFY(combo);
    const int index = combo->findText(zoom);
    QVERIFY(index >= 0);
    const qreal before = f.viewer.zoomFactor();
    emit combo->textActivated(zoom);
    QCOMPARE(f.viewer.zoom(), zoom);
    if (zoom.endsWith('%')) {
        QVERIFY(f.viewer.zoomFactor() != before);
        f.viewer.setZoom("Fit width");
        QCOMPARE(f.viewer.zoom(), QString("Fit width"));
    }
}

void tst_ReportViewer::printsThroughThePrintDialog_data() {
    QTest::addColumn<bool>("accept");
    QTest::newRow("printed") << true;
    QTest::newRow("cancelled") << false;
}

void tst_ReportViewer::printsThroughThePrintDialog() {
    QFETCH(bool, accept);
    ViewerFixture f;
    QTemporaryDir dir;
    testsupport::StubPrintService service;
    service.outputFile = dir.filePath("printed.pdf");
    service.acceptDialog = accept;
    f.action("actPrint")->trigger();
    QCOMPARE(service.calls, QStringList{"dialog:3"});
    QCOMPARE(QFile::exists(service.outputFile), accept);
    QCOMPARE(f.queries, 1); // printing what is shown reads nothing again
}

void tst_ReportViewer::exportsToPdf() {
    ViewerFixture f;
    QTemporaryDir dir;
    testsupport::StubPrintService service;
    service.outputFile = dir.filePath("export.pdf");
    QAction* exportAction = f.action("actExportPdf");
    QVERIFY(exportAction);
    QCOMPARE(exportAction->text(), QString("Export to PDF"));
    exportAction->trigger();
    QCOMPARE(service.calls, QStringList{"pdf:Groups.pdf"});
    QFile file(service.outputFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
}

void tst_ReportViewer::displayOptionsCanBeTurnedOff() {
    ViewerFixture f;
    auto* tree = f.viewer.findChild<QTreeWidget*>("treGroups");
    QAction* refresh = f.action("actRefresh");
    QVERIFY(tree->isVisible());
    QVERIFY(refresh->isVisible());
    refresh->trigger();
    QCOMPARE(f.queries, 2);

    f.viewer.setDisplayGroupTree(false);
    f.viewer.setEnableRefreshButton(false);
    QVERIFY(!tree->isVisible());
    QVERIFY(!refresh->isVisible());
    f.viewer.refresh();
    QCOMPARE(f.queries, 2); // a viewer without refresh keeps what it showed
    f.viewer.viewReport();
    QVERIFY(!tree->isVisible()); // and stays without the tree when shown again
}

void tst_ReportViewer::printingWithoutAPrinterTellsTheUser() {
    ViewerFixture f;
    testsupport::StubPrintService service;
    service.hasPrinter = false;
    service.showMessage = true;
    ui::MsgBoxRecorder messages;
    QVERIFY(!f.report->print(false));
    QCOMPARE(service.calls, (QStringList{"default", "no printer"}));
    QCOMPARE(messages.shown().size(), 1);
    QCOMPARE(messages.shown()[0].text, reportengine::noPrinterMessage());
    QCOMPARE(messages.shown()[0].icon(), int(ui::vbExclamation));

    // With a printer, the default one is used and no dialog is shown.
    QTemporaryDir dir;
    service.hasPrinter = true;
    service.outputFile = dir.filePath("default.pdf");
    service.calls.clear();
    QVERIFY(f.report->print(false));
    QCOMPARE(service.calls, QStringList{"default"});
    QVERIFY(QFile::exists(service.outputFile));
}

QTEST_MAIN(tst_ReportViewer)
#include "tst_reportviewer.moc"
