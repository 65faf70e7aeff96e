#include "src/charges/frmInpatient.h"
#include "src/charges/frmOutpatient.h"
#include "src/charges/frmReceivableEntry.h"
#include "src/shell/ScreenRoutes.h"
#include "src/shell/frmMain.h"
#include "src/ui/MsgBox.h"
#include "tests/charges/ChargeEntryDriver.h"
#include "tests/support/ModalDriver.h"

#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

using testsupport::ChargeSession;

namespace {

// Selects the first row of the picker that is open now.
void selectFirstRow(QWidget* picker, const QString& search = {}, int searchBy = 0) {
    if (!search.isNull()) {
        picker->findChild<QComboBox*>("cmbSearchBy")->setCurrentIndex(searchBy);
        auto* box = picker->findChild<QLineEdit*>("txtSearch");
        box->setText(search);
        QTest::keyClick(box, Qt::Key_Return);
    }
    auto* list = picker->findChild<controls::FlexGrid*>("grdList");
    list->setRow(1);
    QTest::mouseClick(picker->findChild<QPushButton*>("cmdSelect"), Qt::LeftButton);
}

QList<charges::frmOutpatient*> outpatientWindows(shell::frmMain& main) {
    QList<charges::frmOutpatient*> windows;
    for (QMdiSubWindow* sub : main.mdiArea()->subWindowList())
        if (auto* w = qobject_cast<charges::frmOutpatient*>(sub->widget()))
            windows << w;
    return windows;
}

} // namespace

class tst_ScreenRoutes : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        MAMMO_REQUIRE_TEST_BACKEND();
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        shell::registerScreenRoutes();
    }

    void inpatientRequestOpensOneWindow() {
        ChargeSession s;
        shell::frmMain main;
        main.toolbarKey("INPATIENT");
        main.runCommand("inpatient");
        QList<charges::frmInpatient*> open;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* entry = qobject_cast<charges::frmInpatient*>(w); entry && entry->isVisible())
                open << entry;
        QCOMPARE(open.size(), 1);
        QCOMPARE(open.first()->windowTitle(), QString("Inpatient Request Entry"));
        open.first()->close();
    }

    void outpatientChargeOpensAWindowPerPatient() {
        ChargeSession s;
        s.db.load("INSERT INTO PATIENT_DATA.tbOutPatient (IDNum, HospNum, AdmDate, DoctorID1) "
                  "VALUES ('OP90', 'H2', '" +
                  QDate::currentDate().toString("yyyy-MM-dd") + " 08:00:00', 'D001')");
        ui::MsgBoxRecorder messages;
        shell::frmMain main;
        main.show();
        for (int i = 0; i < 2; ++i) {
            testsupport::whenModalOpens([](QWidget* picker) { selectFirstRow(picker); });
            main.toolbarKey("OUTPATIENT");
        }
        const QList<charges::frmOutpatient*> windows = outpatientWindows(main);
        QCOMPARE(windows.size(), 2);
        for (charges::frmOutpatient* w : windows) {
            QCOMPARE(w->findChild<QLineEdit*>("txtAdmNo")->text(), QString("OP90"));
            QCOMPARE(w->PatientType(), QString("O"));
            QVERIFY(!w->CashPatient());
        }
        QVERIFY(messages.texts().isEmpty());
    }

    void paidRequestGoesFromTheCommunicationToThePaidItems() {
        ChargeSession s;
        ui::MsgBoxRecorder messages;
        shell::frmMain main;
        main.show();
        QString pickerRecord;
        testsupport::whenModalOpens([&](QWidget* communications) {
            testsupport::whenModalOpens([&](QWidget* picker) {
                for (QLabel* label : picker->findChildren<QLabel*>())
                    if (label->text().startsWith("OR1"))
                        pickerRecord = label->text();
                selectFirstRow(picker, "DIAZ");
            });
            selectFirstRow(communications, "OR1", 1);
        });
        main.toolbarKey("LINK");
        QCOMPARE(pickerRecord, QString("OR1 DIAZ, LEA"));
        const QList<charges::frmOutpatient*> windows = outpatientWindows(main);
        QCOMPARE(windows.size(), 1);
        charges::frmOutpatient* paid = windows.first();
        QCOMPARE(paid->windowTitle(), QString("Paid Request Entry"));
        QVERIFY(paid->CashPatient());
        QCOMPARE(paid->ORNumber(), QString("OR1"));
        QCOMPARE(paid->PatientType(), QString("C"));
        auto* grid = paid->findChild<controls::FlexGrid*>("grdTable");
        QCOMPARE(grid->textMatrix(1, 2), QString("MM01"));
        QCOMPARE(grid->textMatrix(2, 2), QString("MM02"));
        QVERIFY(messages.texts().isEmpty());
    }

    void receivableEntryNeedsThePasswordAndTheRight() {
        ChargeSession s;
        s.db.load("UPDATE PATIENT_DATA.tbHospitalInfo SET OPDPassword = 'Opd1';\n"
                  "UPDATE PATIENT_DATA.tbPatient SET BillingDate = '2026-12-10 17:00:00' "
                  "WHERE IDNum = '5009'");
        testsupport::FakeSessionComponent sessionComponent(s.db);
        sessionComponent.rights = {"A"};
        data::currentSession().sessionComponent = &sessionComponent;
        ui::MsgBoxRecorder messages;
        shell::frmMain main;
        QString entryAdmission;
        QString entryPatient;
        testsupport::whenModalOpens([&](QWidget* prompt) {
            auto* box = prompt->findChild<QLineEdit*>("txtPassword");
            box->setText("Opd1");
            testsupport::whenModalOpens([&](QWidget* search) {
                testsupport::whenModalOpens([&](QWidget* entry) {
                    entryAdmission = entry->findChild<QLineEdit*>("txtAdmNo")->text();
                    entryPatient = entry->findChild<QLineEdit*>("txtSname")->text();
                    entry->findChild<QLineEdit*>("txtSname")->clear();
                    entry->close();
                });
                selectFirstRow(search, "SANTOS");
            });
            QTest::keyClick(box, Qt::Key_Return);
        });
        main.runCommand("receivable");
        QCOMPARE(entryAdmission, QString("5009"));
        QCOMPARE(entryPatient, QString("SANTOS"));
        QVERIFY(messages.texts().isEmpty());

        // Without the right the search never opens.
        sessionComponent.rights.clear();
        testsupport::whenModalOpens([](QWidget* prompt) {
            auto* box = prompt->findChild<QLineEdit*>("txtPassword");
            box->setText("Opd1");
            QTest::keyClick(box, Qt::Key_Return);
        });
        main.runCommand("receivable");
        QCOMPARE(messages.texts(), QStringList({"Unauthorized Access."}));
        data::currentSession().sessionComponent = nullptr;
    }
};

QTEST_MAIN(tst_ScreenRoutes)
#include "tst_screenroutes.moc"
