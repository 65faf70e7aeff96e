#include "reportengine/PagePainter.h"
#include "reportengine/ReportViewer.h"
#include "src/charges/frmInpatient.h"
#include "src/charges/frmOutpatient.h"
#include "src/charges/frmReceivableEntry.h"
#include "src/data/ReportPrinting.h"
#include "src/ui/MsgBox.h"
#include "tests/charges/ChargeEntryDriver.h"
#include "tests/reportengine/StubPrintService.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ResultText.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>

using charges::ChargeEntryWindow;
using testsupport::ChargeSession;
using testsupport::EntryDriver;

namespace {

constexpr int Dept = ChargeEntryWindow::Department;
constexpr int Code = ChargeEntryWindow::Code;
constexpr int Exam = ChargeEntryWindow::Exam;
constexpr int Price = ChargeEntryWindow::Price;
constexpr int Qty = ChargeEntryWindow::Quantity;
constexpr int Amount = ChargeEntryWindow::Amount;

QStringList lineTexts(EntryDriver& d, int row) {
    QStringList cells;
    for (int c = Dept; c <= Amount; ++c)
        cells << d.cell(row, c);
    return cells;
}

// The inpatient window with SANTOS (admission 5001, class B room) loaded and
// the editor on the first Department cell.
struct InpatientEntry {
    ChargeSession s;
    charges::frmInpatient window;
    EntryDriver d{window};
    ui::MsgBoxRecorder messages;

    explicit InpatientEntry(const QString& patient = "SANTOS") {
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        d.show();
        d.typeIn("txtSname", patient);
        d.click(1, Dept);
    }
    void exam(const QString& code, const QString& quantity) {
        d.type("mm");
        d.type(code);
        d.type(quantity);
    }
    void fee(const QString& doctor, const QString& amount) {
        d.type("md");
        d.type(doctor);
        d.type(amount);
    }
};

} // namespace

class tst_ChargeEntry : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        MAMMO_REQUIRE_TEST_BACKEND();
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        data::setApplicationFolder(MAMMO_ASSETS_DIR);
    }
    void cleanup() { data::ReleaseReport(); }

    void inpatientLinesAreEnteredCellByCell();
    void inpatientSaveWritesRequestsChargesAndPrintsTheSlip();
    void aClosedAccountClosesTheWindowWithoutSaving();
    void aGridEnteredWithoutPatientIsUsableOnceOneIsLoaded();
    void specialAdmissionIsPricedAtRateF();
    void entriesThatCannotBeSaved_data();
    void entriesThatCannotBeSaved();
    void aDuplicateExamIsRefused();
    void anUnknownDepartmentKeepsTheEditorOnIt();
    void anUnknownCodeAndAComponentWithoutRecord();
    void saveAndPrintWithAMissingQuantityAsksBeforeClosing();
    void aFailedSaveWritesNothingAndKeepsTheEntry();
    void holidayMarkupAndItsUntick();
    void outpatientHeaderAndLines();
    void paidItemsAreUsedUnderTheReceipt();
    void aReceiptWithoutPaidItemsLetsLinesBeTyped();
    void aPaidDoctorsFeeShowsOnlyItsAmount();
    void receivableEntryPricesAndTypes_data();
    void receivableEntryPricesAndTypes();
    void theAttendingDoctorIsSearchedAsEachEntrySays();
};

void tst_ChargeEntry::inpatientLinesAreEnteredCellByCell() {
    InpatientEntry e;
    QCOMPARE(e.window.windowTitle(), QString("Inpatient Request Entry"));
    QCOMPARE(e.d.find<QLineEdit>("txtAdmNo")->text(), QString("5001"));
    QCOMPARE(e.d.find<QLineEdit>("txtDoctor")->text(), QString("JOSE CRUZ"));
    QCOMPARE(e.d.find<QLineEdit>("txtAddress")->text(),
             QString("12 RIZAL ST, SAN ROQUE, MARIKINA, METRO MANILA"));
    QCOMPARE(e.d.find<QComboBox>("cmbCivilStatus")->currentText(), QString("Married"));
    QVERIFY(e.d.editorOpenOn(1, Dept));

    e.exam("mm01", "2");
    QCOMPARE(lineTexts(e.d, 1), QStringList({"MM", "MM01", "SCREENING MAMMOGRAPHY", "1200.00", "2",
                                             "2400.00"}));
    // Past the last line a new one is appended and entered.
    QCOMPARE(e.d.grid()->rows(), 3);
    QVERIFY(e.d.editorOpenOn(2, Dept));

    // A doctor's fee: quantity 1, no price, the editor goes to the amount once.
    e.d.type("md");
    e.d.type("D001");
    QCOMPARE(lineTexts(e.d, 2), QStringList({"MD", "D001", "(PF) DR. LIM, ROSA", "", "1", ""}));
    QVERIFY(e.d.editorOpenOn(2, Amount));
    e.d.type("500");
    QCOMPARE(e.d.cell(2, Amount), QString("500.00"));
    QVERIFY(e.d.editorOpenOn(3, Dept));
    // The amount is no longer open to a click.
    e.d.click(2, Amount);
    QVERIFY(!e.d.editor()->isVisible());
    // The quantity filter drops letters.
    e.d.click(1, Qty);
    QVERIFY(e.d.editorOpenOn(1, Qty));
    QTest::keyClicks(e.d.editor(), "x3");
    QCOMPARE(e.d.cell(1, Qty), QString("3"));
    QVERIFY(e.messages.shown().isEmpty());
    testsupport::savePicture(&e.window, "frmInpatient");
}

void tst_ChargeEntry::inpatientSaveWritesRequestsChargesAndPrintsTheSlip() {
    testsupport::StubPrintService printer;
    QTemporaryDir out;
    printer.outputFile = out.filePath("slip.pdf");
    InpatientEntry e;
    e.exam("MM01", "1");
    e.fee("D001", "500");
    e.d.press("cmdPrint");

    QCOMPARE(e.s.commandsStarting("spMammo_SaveRequest"),
             QStringList({"spMammo_SaveRequest '5001','H1','C1234E','MM01','1200.00','D010','I',"
                          "'R1','D','E001'",
                          "spMammo_SaveRequest '5001','H1','C1234E','D001','500.00','D010','I',"
                          "'R1','P','E001'"}));
    QCOMPARE(e.s.commandsStarting("spGlobal_SaveCharges"),
             QStringList({"spGlobal_SaveCharges 'I','5001','H1','C1234E','MM','MM01','1',"
                          "'1200.00','D010','E001','R1','D',''",
                          "spGlobal_SaveCharges 'I','5001','H1','C1234E','MD','D001','1',"
                          "'500.00','D010','E001','R1','P','MM'"}));
    QCOMPARE(e.messages.texts(), QStringList({"Saving completed...ChargeSlip No. : C1234E"}));
    QCOMPARE(e.messages.shown().first().icon(), int(ui::vbInformation));
    QCOMPARE(testsupport::rowTexts(e.s.session.connection().run(
                 "SELECT RequestNum, ItemID, Amount, PatientType, ChargeType, Status, RefNum "
                 "FROM RADIOLOGY..tbMammoMaster ORDER BY RequestNum")),
             QStringList({"00000001|MM01|1200|I|D|N|C1234E", "00000002|D001|500|I|P|N|C1234E"}));
    QCOMPARE(e.s.count("BILLING..tbPatientCharge"), 2);
    QCOMPARE(e.s.slipCounter(), 1235);
    // The slip went to the printer through the print dialog, and the window closed.
    QCOMPARE(printer.calls.first(), QString("dialog:1"));
    QVERIFY(QFile::exists(printer.outputFile));
    QVERIFY(!e.window.isVisible());
}

void tst_ChargeEntry::aClosedAccountClosesTheWindowWithoutSaving() {
    InpatientEntry e("CLOSED");
    QCOMPARE(e.messages.texts(),
             QStringList({"Cannot post charges. Patient's account has already been closed. Please "
                          "contact Billing for further instructions."}));
    QCOMPARE(e.messages.shown().first().icon(), int(ui::vbExclamation));
    QVERIFY(!e.window.isVisible());
    QCOMPARE(e.s.count("RADIOLOGY..tbMammoMaster"), 0);
    QCOMPARE(e.s.slipCounter(), 1234);
}

void tst_ChargeEntry::aGridEnteredWithoutPatientIsUsableOnceOneIsLoaded() {
    ChargeSession s;
    ui::MsgBoxRecorder messages;
    charges::frmInpatient window;
    EntryDriver d(window);
    d.show();
    d.click(1, Dept);
    QVERIFY(!d.editor()->isVisible());
    QVERIFY(!d.grid()->isEnabled());
    d.typeIn("txtSname", "SANTOS");
    QVERIFY(d.grid()->isEnabled());
    d.click(1, Dept);
    QVERIFY(d.editorOpenOn(1, Dept));
}

void tst_ChargeEntry::specialAdmissionIsPricedAtRateF() {
    InpatientEntry e("SPECIAL");
    e.exam("MM02", "1");
    QCOMPARE(e.d.cell(1, Price), QString("450.00"));
}

void tst_ChargeEntry::entriesThatCannotBeSaved_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("blockedCode");
    QTest::newRow("quantity 0") << "zero" << "MM01";
    QTest::newRow("fee not typed") << "fee" << "D001";
    QTest::newRow("holiday unticked after fees") << "untick" << "D001";
}

void tst_ChargeEntry::entriesThatCannotBeSaved() {
    QFETCH(QString, kind);
    QFETCH(QString, blockedCode);
    InpatientEntry e;
    if (kind == "zero") {
        e.exam("MM01", "0");
        QCOMPARE(e.d.cell(1, Amount), QString("0.00"));
    } else if (kind == "fee") {
        e.exam("MM01", "1");
        e.d.type("MD");
        e.d.type("D001");
        QTest::keyClick(e.d.editor(), Qt::Key_Escape);
    } else {
        e.exam("MM01", "1");
        e.fee("D001", "500");
        e.d.tickHoliday();
        QTest::mouseClick(e.d.find<QPushButton>("Command1"), Qt::LeftButton);
        e.d.tickHoliday();
        QCOMPARE(e.d.cell(1, Amount), QString("1200.00"));
        QCOMPARE(e.d.cell(2, Amount), QString("0.00"));
    }
    e.d.press("cmdSave");
    QCOMPARE(e.messages.texts(), QStringList({"Enter the quantity for the exam " + blockedCode + "."}));
    QCOMPARE(e.messages.shown().last().icon(), 0);
    QCOMPARE(e.s.count("RADIOLOGY..tbMammoMaster"), 0);
    QCOMPARE(e.s.slipCounter(), 1234); // no slip number was taken
    QVERIFY(e.window.isVisible());
    QCOMPARE(e.d.grid()->row(), kind == "zero" ? 1 : 2);
}

void tst_ChargeEntry::aDuplicateExamIsRefused() {
    InpatientEntry e;
    e.exam("MM01", "1");
    e.d.type("MM");
    e.d.type("MM01");
    QCOMPARE(e.messages.texts(), QStringList({"Exam already selected.", "Invalid Code"}));
    QCOMPARE(e.messages.shown()[0].icon(), int(ui::vbExclamation));
    QCOMPARE(e.messages.shown()[0].title, QString("Assessment"));
    QCOMPARE(e.messages.shown()[1].icon(), 0);
    QCOMPARE(e.d.cell(2, Code), QString());
    QVERIFY(e.d.editorOpenOn(2, Code));
}

void tst_ChargeEntry::anUnknownDepartmentKeepsTheEditorOnIt() {
    InpatientEntry e;
    e.d.type("mx");
    QCOMPARE(e.messages.texts(), QStringList({"Invalid Department Code"}));
    QCOMPARE(e.messages.shown()[0].icon(), int(ui::vbExclamation));
    QVERIFY(e.d.editorOpenOn(1, Dept));
    QCOMPARE(e.d.cell(1, Dept), QString("MX"));
}

void tst_ChargeEntry::anUnknownCodeAndAComponentWithoutRecord() {
    InpatientEntry e;
    e.d.type("MM");
    e.d.type("XX99");
    QCOMPARE(e.messages.texts(), QStringList({"Invalid Code"}));
    QVERIFY(e.d.editorOpenOn(1, Code));
    e.d.type("MD");
    QCOMPARE(e.messages.texts().last(), QString("Invalid Code")); // "MD" is no exam code

    // A component that holds no record is asked once more with an empty
    // text, and lets the user pick.
    e.messages.clear();
    bool thrown = false;
    e.s.codeSearch.onSearch = [&](const QString& text, int) {
        if (!text.isEmpty() && !thrown) {
            thrown = true;
            throw data::DbError("No current record.", {}, data::DbError::NoCurrentRecord);
        }
    };
    e.s.codeSearch.pickedOnEmpty.insert(data::ICodeSearch::OtherRevenue, "MM02");
    e.d.type("MM01");
    QVERIFY(e.messages.texts().isEmpty());
    QCOMPARE(e.d.cell(1, Code), QString("MM02"));
    QCOMPARE(e.s.codeSearch.searches.last(), qMakePair(QString(), 21));

    // Any other error is an unknown error.
    e.s.codeSearch.onSearch = [](const QString&, int) { throw data::DbError("broken"); };
    e.d.type("1");
    QVERIFY(e.d.editorOpenOn(2, Dept));
    e.d.type("MM");
    e.d.type("MM01");
    QCOMPARE(e.messages.texts(), QStringList({"Unknown error occurred.", "Invalid Code"}));
}

void tst_ChargeEntry::saveAndPrintWithAMissingQuantityAsksBeforeClosing() {
    InpatientEntry e;
    e.exam("MM01", "");
    e.messages.answer(ui::vbOK);
    e.messages.answer(ui::vbNo);
    e.d.press("cmdPrint");
    QCOMPARE(e.messages.texts(),
             QStringList({"Enter the quantity for the exam MM01.", "Abandon current entry?"}));
    const ui::ShownMessage question = e.messages.shown()[1];
    QCOMPARE(question.icon(), int(ui::vbQuestion));
    QCOMPARE(question.buttons(), int(ui::vbYesNo));
    QCOMPARE(question.title, QString("Inpatient Request Entry"));
    QVERIFY(e.window.isVisible());
    QCOMPARE(e.d.cell(1, Code), QString("MM01"));
}

void tst_ChargeEntry::aFailedSaveWritesNothingAndKeepsTheEntry() {
    InpatientEntry e;
    e.exam("MM01", "1");
    // The server refuses the second line's quantity after its request was written.
    e.exam("MM02", "1.2.3");
    e.d.press("cmdSave");
    QCOMPARE(e.messages.shown().size(), 1);
    QCOMPARE(e.messages.shown()[0].icon(), int(ui::vbCritical));
    QVERIFY(e.messages.texts()[0].contains("1.2.3"));
    QCOMPARE(e.s.commandsStarting("spMammo_SaveRequest").size(), 2);
    QCOMPARE(e.s.count("RADIOLOGY..tbMammoMaster"), 0);
    QCOMPARE(e.s.count("BILLING..tbPatientCharge"), 0);
    QVERIFY(e.window.isVisible());
    QCOMPARE(e.d.cell(2, Code), QString("MM02"));

    // The number drawn for the failed save is not handed out again.
    e.messages.clear();
    e.d.click(2, Qty);
    e.d.type("1");
    e.d.press("cmdSave");
    QCOMPARE(e.messages.texts(), QStringList({"Saving completed...ChargeSlip No. : C1235E"}));
    QCOMPARE(e.s.count("RADIOLOGY..tbMammoMaster"), 2);
    QCOMPARE(e.s.count("BILLING..tbPatientCharge"), 2);
}

void tst_ChargeEntry::holidayMarkupAndItsUntick() {
    InpatientEntry e;
    e.exam("MM01", "2"); // 1200.00 each
    e.fee("D001", "500");
    e.d.tickHoliday();
    auto* list = e.d.find<QFrame>("pctMarkup");
    QVERIFY(list->isVisible());
    auto* markups = e.d.find<controls::FlexGrid>("grdMarkup");
    QCOMPARE(markups->rows(), 3);
    QCOMPARE(markups->textMatrix(1, 3), QString("HOLIDAY"));
    const QRect second = markups->cellRect(1, 3);
    QTest::mouseClick(markups->viewport(), Qt::LeftButton, {},
                      markups->viewport()->mapFrom(markups, second.center()));
    QVERIFY(!list->isVisible());
    // 10 percent on the price, whatever the quantity; the fee keeps its amount.
    QCOMPARE(e.d.cell(1, Amount), QString("1320.00"));
    QCOMPARE(e.d.cell(2, Amount), QString("500.00"));
}

void tst_ChargeEntry::outpatientHeaderAndLines() {
    ChargeSession s;
    ui::MsgBoxRecorder messages;
    charges::frmOutpatient window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setPatientType("O");
    window.setIdnumber("OP77");
    EntryDriver d(window);
    d.show();
    QCOMPARE(window.windowTitle(), QString("Oupatient Request Entry"));
    QCOMPARE(s.commandsStarting("spGlobal_OutMaster"),
             QStringList({"spGlobal_OutMaster 'O','OP77'"}));
    QCOMPARE(d.find<QLineEdit>("txtSname")->text(), QString("O'BRIEN"));
    QCOMPARE(d.find<QComboBox>("cmbCivilStatus")->currentText(), QString("Single"));
    QCOMPARE(d.find<QComboBox>("cmbSex")->currentText(), QString("Female"));
    QCOMPARE(d.find<QLineEdit>("txtRoomNo")->text(), QString("OPD"));
    QCOMPARE(d.find<QLineEdit>("txtDoctor")->text(), QString("ROSA LIM"));
    QVERIFY(!d.find<QLineEdit>("txtORNum")->isVisible());

    // The department is written and skipped; the price is RateA.
    d.click(1, Dept);
    QCOMPARE(d.cell(1, Dept), QString("MM"));
    QVERIFY(d.editorOpenOn(1, Code));
    d.type("MM02");
    d.type("1");
    QCOMPARE(lineTexts(d, 1), QStringList({"MM", "MM02", "SPOT VIEW", "400.00", "1", "400.00"}));
    QVERIFY(d.editorOpenOn(2, Code));

    d.tickHoliday();
    auto* markups = d.find<controls::FlexGrid>("grdMarkup");
    const QRect stat = markups->cellRect(2, 3);
    QTest::mouseClick(markups->viewport(), Qt::LeftButton, {},
                      markups->viewport()->mapFrom(markups, stat.center()));
    QCOMPARE(d.cell(1, Amount), QString("500.00"));

    // The slip is shown in the report window, which is captured for review.
    QString viewerCaption;
    testsupport::whenModalOpens([&](QWidget* modal) {
        viewerCaption = modal->windowTitle();
        if (auto* viewer = modal->findChild<reportengine::ReportViewer*>())
            reportengine::PagePainter::pageImage(viewer->pageModel(), 0, 96)
                .save(QCoreApplication::applicationDirPath() + "/outpatient-slip.png");
        modal->close();
    });
    d.press("cmdPrint");
    QCOMPARE(viewerCaption, QString("Charge Slip Printing"));
    QCOMPARE(s.commandsStarting("spGlobal_SaveCharges"),
             QStringList({"spGlobal_SaveCharges 'O','OP77','H2','C1234E','MM','MM02','1',"
                          "'500.00','D001','E001','OPD','D',''"}));
    QVERIFY(s.commandsStarting("spMammo_SaveRequest").first().contains("'O','OPD','D'"));
    QVERIFY(messages.texts().isEmpty());
    QVERIFY(!window.isVisible());
}

void tst_ChargeEntry::paidItemsAreUsedUnderTheReceipt() {
    ChargeSession s;
    ui::MsgBoxRecorder messages;
    charges::frmOutpatient window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setCashPatient(true);
    window.setPatientType("C");
    window.setIdnumber("W5");
    window.setORNumber("OR1");
    window.setWindowTitle("Paid Request Entry");
    EntryDriver d(window);
    d.show();
    QCOMPARE(s.commandsStarting("spGlobal_CashExams"),
             QStringList({"spGlobal_CashExams 'OR1','MM'"}));
    QCOMPARE(d.find<QLineEdit>("txtSname")->text(), QString("DIAZ"));
    QVERIFY(d.find<QLabel>("lblORNum")->isVisible());
    QCOMPARE(d.find<QLineEdit>("txtORNum")->text(), QString("OR1"));
    QCOMPARE(lineTexts(d, 1), QStringList({"MM", "MM01", "SCREENING MAMMOGRAPHY", "1500.00",
                                           "1.00", "1500.00"}));
    QCOMPARE(lineTexts(d, 2),
             QStringList({"MM", "MM02", "SPOT VIEW", "400.00", "2.00", "800.00"}));
    QCOMPARE(d.grid()->rows(), 4);
    QVERIFY(!d.grid()->isEnabled());
    QVERIFY(!d.find<QPushButton>("cmdPrint")->isEnabled());
    testsupport::savePicture(&window, "frmOutpatient-paid");

    d.press("cmdSave");
    QCOMPARE(s.commandsStarting("spMammo_SaveRequest"),
             QStringList({"spMammo_SaveRequest 'W5','W5','OR1','MM01','1500.00','','O','OPD','D',"
                          "'E001'",
                          "spMammo_SaveRequest 'W5','W5','OR1','MM02','800.00','','O','OPD','D',"
                          "'E001'"}));
    QCOMPARE(s.commandsStarting("spGlobal_CashUpdate"),
             QStringList({"spGlobal_CashUpdate 'OR1','MM','MM01','Y'",
                          "spGlobal_CashUpdate 'OR1','MM','MM02','Y'"}));
    QVERIFY(s.commandsStarting("spGlobal_SaveCharges").isEmpty());
    QCOMPARE(testsupport::rowTexts(s.session.connection().run(
                 "SELECT ItemID, ItemUsed FROM BILLING..tbCashAssessment WHERE ORNumber = 'OR1' "
                 "ORDER BY ItemID")),
             QStringList({"MM01|Y", "MM02|Y"}));
    QCOMPARE(s.slipCounter(), 1234);
    QVERIFY(!window.isVisible());
    QVERIFY(messages.texts().isEmpty());
}

void tst_ChargeEntry::aReceiptWithoutPaidItemsLetsLinesBeTyped() {
    ChargeSession s;
    ui::MsgBoxRecorder messages;
    charges::frmOutpatient window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setCashPatient(true);
    window.setPatientType("C");
    window.setIdnumber("W5");
    window.setORNumber("OR9");
    EntryDriver d(window);
    d.show();
    QVERIFY(d.grid()->isEnabled());
    d.click(1, Dept);
    d.type("MM01");
    d.type("1");
    d.press("cmdSave");
    QCOMPARE(s.commandsStarting("spGlobal_CashUpdate"),
             QStringList({"spGlobal_CashUpdate 'OR9','MM','MM01','Y'"}));
    QCOMPARE(testsupport::rowTexts(s.session.connection().run(
                 "SELECT RefNum, ItemID FROM RADIOLOGY..tbMammoMaster")),
             QStringList({"OR9|MM01"}));
}

void tst_ChargeEntry::aPaidDoctorsFeeShowsOnlyItsAmount() {
    ChargeSession s;
    ui::MsgBoxRecorder messages;
    charges::frmOutpatient window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setCashPatient(true);
    window.setPatientType("C");
    window.setIdnumber("W5");
    window.setORNumber("OR2");
    EntryDriver d(window);
    d.show();
    QCOMPARE(lineTexts(d, 1),
             QStringList({"MD", "D001", "(PF) DR. LIM, ROSA", "", "", "500.00"}));
    QVERIFY(messages.texts().isEmpty());
}

void tst_ChargeEntry::receivableEntryPricesAndTypes_data() {
    QTest::addColumn<QString>("client");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("room");
    QTest::addColumn<QString>("chargeType");
    QTest::newRow("VKT admission, class B") << "VKT" << "5001" << "1200.00" << "R1" << "I";
    QTest::newRow("other client admission") << "TST" << "5001" << "1500.00" << "R1" << "I";
    QTest::newRow("VKT outpatient") << "VKT" << "OP77" << "1500.00" << "OPD" << "O";
}

void tst_ChargeEntry::receivableEntryPricesAndTypes() {
    QFETCH(QString, client);
    QFETCH(QString, id);
    QFETCH(QString, price);
    QFETCH(QString, room);
    QFETCH(QString, chargeType);
    ChargeSession s;
    s.patientSearch.patients.insert("H2", {"O'BRIEN", "MAE", "", "F", "40", {}, "", {}});
    data::currentSession().clientCode = client;
    testsupport::StubPrintService printer;
    QTemporaryDir out;
    printer.outputFile = out.filePath("slip.pdf");
    ui::MsgBoxRecorder messages;
    charges::frmReceivableEntry window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setIdnumber(id);
    EntryDriver d(window);
    d.show();
    QCOMPARE(window.windowTitle(), QString("Receivable Entry"));
    QCOMPARE(d.find<QLineEdit>("txtRoomNo")->text(), room);
    QVERIFY(!d.find<QLineEdit>("txtSname")->text().isEmpty());
    QVERIFY(!window.findChild<QCheckBox*>("chkHoliday"));
    d.click(1, Dept);
    d.type("MM01");
    d.type("1");
    QCOMPARE(d.cell(1, Price), price);
    d.press("cmdPrint");
    QVERIFY(s.commandsStarting("spMammo_SaveRequest").first().contains("','O','" + room + "'"));
    QVERIFY(s.commandsStarting("spGlobal_SaveCharges").first().startsWith(
        "spGlobal_SaveCharges '" + chargeType + "','" + id + "'"));
    QCOMPARE(printer.calls.first(), QString("dialog:1"));
    QVERIFY(messages.texts().isEmpty());
}

void tst_ChargeEntry::theAttendingDoctorIsSearchedAsEachEntrySays() {
    // Inpatient: Enter searches the typed code, "..." an empty text, both in search mode.
    InpatientEntry e;
    e.s.codeSearch.pickedOnEmpty.insert(data::ICodeSearch::Doctor, "D010");
    e.d.find<QLineEdit>("txtDoctorID")->clear();
    e.d.typeIn("txtDoctorID", "D001");
    QVERIFY(e.s.codeSearch.searchMode);
    QCOMPARE(e.s.codeSearch.searches.last(), qMakePair(QString("D001"), 1));
    QCOMPARE(e.d.find<QLineEdit>("txtDoctorID")->text(), QString("D001"));
    QCOMPARE(e.d.find<QLineEdit>("txtDoctor")->text(), QString("ROSA LIM"));
    QVERIFY(e.d.grid()->hasFocus() || e.d.editor()->hasFocus());
    e.d.press("cmdDoctor");
    QCOMPARE(e.s.codeSearch.searches.last(), qMakePair(QString(), 1));
    QCOMPARE(e.d.find<QLineEdit>("txtDoctor")->text(), QString("JOSE CRUZ"));

    // Outpatient: Enter searches with an empty text whatever was typed; "..." does nothing.
    charges::frmOutpatient window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setPatientType("O");
    window.setIdnumber("OP77");
    EntryDriver d(window);
    d.show();
    const qsizetype before = e.s.codeSearch.searches.size();
    d.press("cmdDoctor");
    QCOMPARE(e.s.codeSearch.searches.size(), before);
    d.typeIn("txtDoctorID", "D001");
    QCOMPARE(e.s.codeSearch.searches.last(), qMakePair(QString(), 1));
    QCOMPARE(d.find<QLineEdit>("txtDoctor")->text(), QString("JOSE CRUZ"));
}

QTEST_MAIN(tst_ChargeEntry)
#include "tst_chargeentry.moc"
