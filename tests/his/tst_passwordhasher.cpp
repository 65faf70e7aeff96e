#include "his/PasswordHasher.h"

#include <QtTest>

using Cost = his::PasswordHasher::Cost;

class tst_PasswordHasher : public QObject {
    Q_OBJECT

private slots:
    void verifiesOnlyTheSamePassword_data();
    void verifiesOnlyTheSamePassword();
    void hashesAreSaltedAndNeverHoldThePassword();
    void rehashWhenTheCostDiffers();
    void defaultCostIsInteractiveUntilLowered();
};

void tst_PasswordHasher::verifiesOnlyTheSamePassword_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("matches");
    QTest::newRow("same") << "s3cret"
                          << "s3cret" << true;
    QTest::newRow("other case") << "s3cret"
                                << "S3CRET" << false;
    QTest::newRow("trailing blank") << "s3cret"
                                    << "s3cret " << false;
    QTest::newRow("prefix") << "s3cret"
                            << "s3cre" << false;
    QTest::newRow("empty typed") << "s3cret"
                                 << "" << false;
    QTest::newRow("non-Latin letters") << "contraseña-ñ"
                                       << "contraseña-ñ" << true;
    QTest::newRow("non-Latin, other letter") << "contraseña-ñ"
                                             << "contrasena-n" << false;
}

void tst_PasswordHasher::verifiesOnlyTheSamePassword() {
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, matches);
    const his::PasswordHasher hasher(Cost::Minimum);
    QCOMPARE(hasher.verify(hasher.hash(stored), typed), matches);
}

void tst_PasswordHasher::hashesAreSaltedAndNeverHoldThePassword() {
    const his::PasswordHasher hasher(Cost::Minimum);
    const QString a = hasher.hash("s3cret");
    const QString b = hasher.hash("s3cret");
    QVERIFY(a.startsWith("$argon2id$"));
    QVERIFY(a != b);
    QVERIFY(!a.contains("s3cret"));
    QVERIFY(hasher.verify(b, "s3cret"));
    // Texts that are no hash are refused, not taken as a match.
    for (const QString& bad :
         {QString(), QString("s3cret"), QString("$argon2id$v=19$broken"), QString(200, 'x')})
        QVERIFY(!hasher.verify(bad, "s3cret"));
}

void tst_PasswordHasher::rehashWhenTheCostDiffers() {
    const his::PasswordHasher interactive(Cost::Interactive);
    const his::PasswordHasher minimum(Cost::Minimum);
    const QString strong = interactive.hash("pw");
    const QString weak = minimum.hash("pw");
    QVERIFY(!interactive.needsRehash(strong));
    QVERIFY(interactive.needsRehash(weak));
    QVERIFY(minimum.needsRehash(strong));
    QVERIFY(interactive.needsRehash("not a hash"));
    // Verification works whatever cost the hash was made with.
    QVERIFY(minimum.verify(strong, "pw"));
    QVERIFY(interactive.verify(weak, "pw"));
}

void tst_PasswordHasher::defaultCostIsInteractiveUntilLowered() {
    QCOMPARE(his::PasswordHasher().cost(), Cost::Interactive);
    his::PasswordHasher::setDefaultCost(Cost::Minimum);
    QCOMPARE(his::PasswordHasher().cost(), Cost::Minimum);
    his::PasswordHasher::setDefaultCost(Cost::Interactive);
}

QTEST_GUILESS_MAIN(tst_PasswordHasher)
#include "tst_passwordhasher.moc"
