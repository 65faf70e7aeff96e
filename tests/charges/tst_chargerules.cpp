#include "src/charges/ChargeRules.h"

#include <QtTest>

using namespace charges;

namespace {

data::OtherRevenueInfo exam() {
    data::OtherRevenueInfo item;
    item.ResultCode = "MM01";
    item.RateA = 1500;
    item.RateB = 1600;
    item.RateC = 1700;
    item.RateD = 1800;
    item.RateE = 1900;
    item.RateF = 2100.456;
    item.RateG = 1400;
    return item;
}

} // namespace

class tst_ChargeRules : public QObject {
    Q_OBJECT

private slots:
    void pricesFollowEachEntrysRule_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("roomClass");
        QTest::addColumn<bool>("special");
        QTest::addColumn<QString>("client");
        QTest::addColumn<QString>("admission");
        QTest::addColumn<double>("expected");

        QTest::newRow("inpatient A") << "I" << "A" << false << "" << "" << 1500.0;
        QTest::newRow("inpatient B") << "I" << "B" << false << "" << "" << 1600.0;
        QTest::newRow("inpatient C") << "I" << "C" << false << "" << "" << 1700.0;
        QTest::newRow("inpatient D") << "I" << "D" << false << "" << "" << 1800.0;
        QTest::newRow("inpatient E") << "I" << "E" << false << "" << "" << 1900.0;
        QTest::newRow("inpatient F selects no rate") << "I" << "F" << false << "" << "" << 0.0;
        QTest::newRow("inpatient without class") << "I" << "" << false << "" << "" << 0.0;
        QTest::newRow("inpatient lower-case class") << "I" << "b" << false << "" << "" << 0.0;
        QTest::newRow("special admission, class B") << "I" << "B" << true << "" << "" << 2100.46;
        QTest::newRow("special admission, no class") << "I" << "" << true << "" << "" << 2100.46;
        QTest::newRow("outpatient") << "O" << "E" << false << "" << "" << 1500.0;
        QTest::newRow("receivable VKT admission B")
            << "R" << "B" << false << "VKT" << "100234" << 1600.0;
        QTest::newRow("receivable VKT admission F")
            << "R" << "F" << false << "VKT" << " 100234 " << 0.0;
        QTest::newRow("receivable other client") << "R" << "B" << false << "DEMO" << "100234"
                                                 << 1500.0;
        QTest::newRow("receivable VKT outpatient id")
            << "R" << "B" << false << "VKT" << "OP1002" << 1500.0;
    }
    void pricesFollowEachEntrysRule() {
        QFETCH(QString, entry);
        QFETCH(QString, roomClass);
        QFETCH(bool, special);
        QFETCH(QString, client);
        QFETCH(QString, admission);
        QFETCH(double, expected);
        double price = 0;
        if (entry == "I")
            price = inpatientPrice(exam(), roomClass, special);
        else if (entry == "O")
            price = outpatientPrice(exam());
        else
            price = receivablePrice(exam(), client, admission, roomClass);
        QCOMPARE(money(price), money(expected));
    }

    void amountsAreWrittenWithTwoDecimals_data() {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("amount");
        QTest::newRow("one") << "1" << "1500.00" << "1500.00";
        QTest::newRow("two") << "2" << "617.50" << "1235.00";
        QTest::newRow("leading number only") << "2X" << "100.00" << "200.00";
        QTest::newRow("empty quantity") << "" << "100.00" << "0.00";
        QTest::newRow("fraction rounds half up") << "0.5" << "0.05" << "0.03";
        QTest::newRow("no leading number") << "+" << "100.00" << "0.00";
    }
    void amountsAreWrittenWithTwoDecimals() {
        QFETCH(QString, quantity);
        QFETCH(QString, price);
        QFETCH(QString, amount);
        QCOMPARE(lineAmount(quantity, price), amount);
    }

    void markupAddsItsPercentToThePriceAlone_data() {
        QTest::addColumn<QString>("price");
        QTest::addColumn<double>("percent");
        QTest::addColumn<QString>("amount");
        QTest::newRow("10 on 1500") << "1500.00" << 10.0 << "1650.00";
        QTest::newRow("25 on 400") << "400.00" << 25.0 << "500.00";
        QTest::newRow("fee line without price") << "" << 50.0 << "0.00";
    }
    void markupAddsItsPercentToThePriceAlone() {
        QFETCH(QString, price);
        QFETCH(double, percent);
        QFETCH(QString, amount);
        QCOMPARE(markedUpAmount(price, percent), amount);
    }

    void keyFiltersOfTheGrid_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("passed"); // "<dropped>" when refused
        const int upper = int(KeyFilter::UpperCase);
        const int digits = int(KeyFilter::Digits);
        QTest::newRow("letter to capital") << upper << "m" << "M";
        QTest::newRow("digit in upper column") << upper << "7" << "7";
        QTest::newRow("digit") << digits << "5" << "5";
        QTest::newRow("point") << digits << "." << ".";
        QTest::newRow("plus") << digits << "+" << "+";
        QTest::newRow("letter dropped") << digits << "a" << "<dropped>";
        QTest::newRow("minus dropped") << digits << "-" << "<dropped>";
        QTest::newRow("blank passes") << digits << " " << " ";
        QTest::newRow("no filter") << int(KeyFilter::None) << "x" << "x";
    }
    void keyFiltersOfTheGrid() {
        QFETCH(int, filter);
        QFETCH(QString, typed);
        QFETCH(QString, passed);
        const std::optional<QString> result = filterTyped(KeyFilter(filter), typed);
        QCOMPARE(result.value_or("<dropped>"), passed);
    }

    void addressLines() {
        QCOMPARE(admissionAddress({"12 RIZAL ST", "SAN ROQUE", "MARIKINA", "METRO MANILA"}),
                 QString("12 RIZAL ST, SAN ROQUE, MARIKINA, METRO MANILA"));
        QCOMPARE(admissionAddress({"", "", "MARIKINA", "METRO MANILA"}),
                 QString("MARIKINA, METRO MANILA"));
        QCOMPARE(outpatientAddress("", "SAN ROQUE", "", "METRO MANILA"),
                 QString("SAN ROQUE, METRO MANILA"));
        QCOMPARE(outpatientAddress("", "", "", ""), QString());
    }

    void admissionNumbersAreNumeric() {
        QVERIFY(isAdmissionNumber("100234"));
        QVERIFY(isAdmissionNumber(" 100234 "));
        QVERIFY(!isAdmissionNumber("OP1002"));
        QVERIFY(!isAdmissionNumber("W12"));
        QVERIFY(!isAdmissionNumber(""));
    }
};

QTEST_GUILESS_MAIN(tst_ChargeRules)
#include "tst_chargerules.moc"
