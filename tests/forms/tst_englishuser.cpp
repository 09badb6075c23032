// The forms as an English user meets them: the user's language comes from the sign-in (JOHN,
// LanguageNo 0, or ADMIN in Thai), and the names the data has in English come in English.
#include "app/TDMConfig.h"
#include "data/Translation.h"
#include "forms/base/TFrFrame.h"
#include "forms/import/TFrInbound.h"
#include "forms/purchase/TFaPurchaseTotals.h"
#include "forms/purchase/TFrFrPoTran.h"
#include "forms/receipt/TFrImExcTran.h"
#include "forms/receipt/TFrImExpTran.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QLabel>
#include <QtTest>

#include <functional>
#include <memory>

class TestEnglishUser : public QObject {
    Q_OBJECT

private slots:
    void namesAndBoxesInTheUsersLanguage_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("user");
        for (const char* form : {"INBOUND", "IMEXPTRAN", "IMEXCTRAN", "FRPO"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1 ADMIN").arg(QLatin1String(form)))) << QString(form) << 1;
            QTest::newRow(qPrintable(QStringLiteral("%1 JOHN").arg(QLatin1String(form)))) << QString(form) << 2;
        }
    }
    void namesAndBoxesInTheUsersLanguage()
    {
        QFETCH(QString, form);
        QFETCH(int, user);
        const bool thai = user == 1;
        TestEnv env;
        const std::map<QString, std::pair<int, std::function<TFrFrame*()>>> forms{
            {"INBOUND", {1, [] { return new TFrInbound; }}},
            {"IMEXPTRAN", {3, [] { return new TFrImExpTran; }}},
            {"IMEXCTRAN", {4, [] { return new TFrImExcTran; }}},
            {"FRPO", {6, [] { return new TFrFrPoTran; }}},
        };
        const auto& [menuId, make] = forms.at(form);
        DMConfig->CheckRight(menuId, user); // as start-up reads the user
        QCOMPARE(DMConfig->ThaiLanguage, thai);
        std::unique_ptr<TFrFrame> f(make());
        f->show();
        QApplication::setActiveWindow(f.get());
        QVERIFY(QTest::qWaitForWindowActive(f.get()));

        QCOMPARE(f->StatusCompany->text(),
                 thai ? QStringLiteral("บริษัท นำเข้าตัวอย่าง จำกัด") : QStringLiteral("Demo Import Co., Ltd."));
        if (auto* doc = qobject_cast<TFrPurchaseDocument*>(f.get())) {
            QCOMPARE(doc->CanUseTax->text(), thai ? QStringLiteral("ภาษีขอคืนได้") : QStringLiteral("Reclaimable VAT"));
            QCOMPARE(doc->Totals->TaxAdjusted->text(), thai ? QStringLiteral("ปรับปรุงภาษี") : QStringLiteral("Tax adjusted"));
        }
        f.reset();
        Translation::useLanguage(true);
    }
};

QTEST_MAIN(TestEnglishUser)
#include "tst_englishuser.moc"
