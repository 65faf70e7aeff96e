#include "src/data/Module1.h"

#include <QtTest>

class tst_MedicareTypes : public QObject {
    Q_OBJECT

private slots:
    void descriptions_data();
    void descriptions();
};

void tst_MedicareTypes::descriptions_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("description");
    QTest::newRow("GM") << "GM"
                        << "Government - member";
    QTest::newRow("GD") << "GD"
                        << "Government - dependent";
    QTest::newRow("PM") << "PM"
                        << "Private - member";
    QTest::newRow("PD") << "PD"
                        << "Private - dependent";
    QTest::newRow("SM") << "SM"
                        << "Self-employed - member";
    QTest::newRow("SD") << "SD"
                        << "Self-employed - dependent";
    QTest::newRow("OFM") << "OFM"
                         << "OFW - member";
    QTest::newRow("OFD") << "OFD"
                         << "OFW - dependent";
    QTest::newRow("OWM") << "OWM"
                         << "OWWA - member";
    QTest::newRow("OT breaks the pattern") << "OT"
                                           << "OWWA - dependent";
    QTest::newRow("OWD is not a code") << "OWD"
                                       << "";
    QTest::newRow("IM") << "IM"
                        << "Indigent - member";
    QTest::newRow("ID") << "ID"
                        << "Indigent - dependent";
    QTest::newRow("P/RM") << "P/RM"
                          << "Pensioner/Retiree - member";
    QTest::newRow("P/RD") << "P/RD"
                          << "Pensioner/Retiree - dependent";
    QTest::newRow("NN") << "NN"
                        << "Non-NHIP";
    QTest::newRow("case matters") << "nn"
                                  << "";
    QTest::newRow("blank padded") << "GM "
                                  << "";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_MedicareTypes::descriptions() {
    QFETCH(QString, code);
    QFETCH(QString, description);
    QCOMPARE(data::Module1::medicareDescription(code), description);
}

QTEST_GUILESS_MAIN(tst_MedicareTypes)
#include "tst_medicaretypes.moc"
