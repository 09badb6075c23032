#include "app/MessageService.h"
#include "data/DbUtil.h"
#include "data/TDM.h"
#include "data/product/TDmMisc.h"
#include "data/product/TDmProduct.h"
#include "data/product/TDmService.h"
#include "data/product/TDmVendor.h"
#include "support/TestEnv.h"

#include <QtTest>
#include <memory>

// Checks of typed codes against the demo company, and the stock-on-hand text.
class TestProductChecks : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    int year = 0;

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>(TestEnv::Data::Demo, QDate(2026, 12, 9));
        CreateProductModules();
        year = DM->Config(QStringLiteral("RunYear")).toInt();
    }
    void cleanup()
    {
        FreeProductModules();
        env.reset();
    }

    void codeKinds_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("product");
        QTest::addColumn<bool>("service");
        QTest::addColumn<bool>("misc");
        QTest::newRow("goods") << "P001" << true << false << false;
        QTest::newRow("blocked goods") << "P008" << false << false << false;
        QTest::newRow("master code") << "P009" << false << false << false;
        QTest::newRow("service") << "S001" << true << true << false;
        QTest::newRow("misc item") << "M001" << true << false << true;
        QTest::newRow("unknown") << "NOPE" << false << false << false;
        QTest::newRow("quote") << "P0'1" << false << false << false;
    }
    void codeKinds()
    {
        QFETCH(QString, code);
        QFETCH(bool, product);
        QFETCH(bool, service);
        QFETCH(bool, misc);
        QCOMPARE(DmProduct->ExistsProduct(code), product);
        QCOMPARE(DmService->ExistsService(code), service);
        QCOMPARE(DmMisc->ExistsMisc(code), misc);
        QVERIFY(MessageService::shown().isEmpty());
    }

    void foundRowIsReadable()
    {
        QVERIFY(DmProduct->ExistsProduct(QStringLiteral("P006")));
        QCOMPARE(DmProduct->QChkProduct.value(QStringLiteral("ThaiName")).toString(), QStringLiteral("กระดาษถ่ายเอกสาร A4"));
        QCOMPARE(DmProduct->QChkProduct.value(QStringLiteral("WhCode")).toString(), QStringLiteral("WH02"));
        QCOMPARE(DmProduct->QChkProduct.value(QStringLiteral("TaxRate")).toDouble(), 7.0);
        QVERIFY(!DmProduct->ExistsProduct(QStringLiteral("P008")));
        QVERIFY(DmProduct->QChkProduct.value(QStringLiteral("Id")).isNull());
    }

    void specialNameOnlyForLayoutTwo()
    {
        env->exec(QStringLiteral("UPDATE Product SET ThaiName = '  ปากกา  ' WHERE Code = 'P001'"));
        QVERIFY(DmProduct->ExistsProduct(QStringLiteral("P001")));
        QCOMPARE(DmProduct->SpecialName, QString());
        env->exec(QStringLiteral("UPDATE Config SET SearchProductNo = 2"));
        DM->RefreshConfig();
        QVERIFY(DmProduct->ExistsProduct(QStringLiteral("P001")));
        QCOMPARE(DmProduct->SpecialName, QStringLiteral("ปากกา"));
        QVERIFY(!DmProduct->ExistsProduct(QStringLiteral("P008")));
        QCOMPARE(DmProduct->SpecialName, QString());
    }

    void units()
    {
        QVERIFY(DmProduct->ExistsProductUnit(1, QStringLiteral("ลัง"), UnitKind::Purchase));
        QCOMPARE(DmProduct->QChkUnit.value(QStringLiteral("Fraction")).toInt(), 144);
        QVERIFY(!DmProduct->ExistsProductUnit(1, QStringLiteral("ลัง"), UnitKind::Sale));
        QVERIFY(DmProduct->ExistsProductUnit(1, QStringLiteral("ลัง"), UnitKind::Sale | UnitKind::Purchase));
        QVERIFY(!DmProduct->ExistsProductUnit(1, QStringLiteral("โหล"), UnitKind::Purchase));

        QCOMPARE(DmProduct->GetFirstUnit(1, UnitKind::Stock), QStringLiteral("กล่อง"));
        QCOMPARE(DmProduct->GetFirstUnit(1, UnitKind::Purchase | UnitKind::Small), QStringLiteral("ชิ้น"));
        QCOMPARE(DmProduct->QDefaultUnit.value(QStringLiteral("Fraction")).toInt(), 1);
        // A product whose units are never bought has no purchase unit.
        env->exec(QStringLiteral("UPDATE ProductUnits SET PurcFlag = 'N' WHERE Product = 10"));
        QCOMPARE(DmProduct->GetFirstUnit(10, UnitKind::Purchase), QString());
        QCOMPARE(DmProduct->GetFirstUnit(10, UnitKind::Sale | UnitKind::Small), QStringLiteral("ชิ้น"));
    }

    void barCode()
    {
        QVERIFY(DmProduct->ExistsBarCode(QStringLiteral("8850001000028")));
        QCOMPARE(DmProduct->QChkBarCode.value(QStringLiteral("Code")).toString(), QStringLiteral("P001"));
        QCOMPARE(DmProduct->QChkBarCode.value(QStringLiteral("UnitName")).toString(), QStringLiteral("กล่อง"));
        QCOMPARE(DmProduct->QChkBarCode.value(QStringLiteral("Price")).toDouble(), 90.0);
        QVERIFY(!DmProduct->ExistsBarCode(QStringLiteral("8850008000014"))); // blocked product
        QVERIFY(!DmProduct->ExistsBarCode(QString()));
    }

    void lotExpiry_data()
    {
        QTest::addColumn<QString>("hasExpired");
        QTest::addColumn<QString>("expiredDate");
        QTest::addColumn<QDateTime>("reference");
        QTest::addColumn<bool>("valid");
        const QDateTime day(QDate(2026, 12, 9), QTime(0, 0));
        QTest::newRow("expires that day") << "Y" << "2026-12-09 00:00:00" << day << true;
        QTest::newRow("expired the day before") << "Y" << "2026-12-08 00:00:00" << day << false;
        QTest::newRow("never expires") << "N" << "2020-01-01 00:00:00" << day << true;
        QTest::newRow("empty flag, past date") << "" << "2026-12-08 00:00:00" << day << false;
        QTest::newRow("empty flag, future date") << "" << "2027-01-01 00:00:00" << day << true;
        QTest::newRow("later in the day") << "Y" << "2026-12-09 00:00:00" << day.addSecs(3600) << false;
        // No expiry date is the empty date: valid only against the empty (lot frame's) date.
        QTest::newRow("no date, empty reference") << "Y" << QString() << Db::emptyDate() << true;
        QTest::newRow("no date, a real date") << "Y" << QString() << day << false;
    }
    void lotExpiry()
    {
        QFETCH(QString, hasExpired);
        QFETCH(QString, expiredDate);
        QFETCH(QDateTime, reference);
        QFETCH(bool, valid);
        env->exec(QStringLiteral("INSERT INTO LotNo (Code, Description, HasExpired, ExpiredDate) VALUES ('T-LOT', 't', :h, :d)"),
                  {{QStringLiteral("h"), hasExpired},
                   {QStringLiteral("d"), expiredDate.isEmpty() ? QVariant() : QVariant(expiredDate)}});
        QCOMPARE(MessageService::tell(DmProduct->ExistsLotNo(QStringLiteral("T-LOT"), reference)), valid);
        if (valid) {
            QVERIFY(MessageService::shown().isEmpty());
        } else {
            QCOMPARE(MessageService::shown().size(), 1);
            QCOMPARE(MessageService::lastText(), QStringLiteral("LotNo หมดอายุแล้ว"));
        }
        QCOMPARE(DmProduct->QChkLotNo.value(QStringLiteral("Code")).toString(), QStringLiteral("T-LOT"));
    }
    void unknownLotSaysNothing()
    {
        QVERIFY(!MessageService::tell(DmProduct->ExistsLotNo(QStringLiteral("NOLOT"), QDateTime(QDate(2026, 12, 9), QTime()))));
        QVERIFY(MessageService::shown().isEmpty());
    }

    void partSource()
    {
        const int vendor = env->scalar(QStringLiteral("SELECT MIN(Id) FROM Vendor")).toInt();
        env->exec(QStringLiteral("DELETE FROM PartSource WHERE ProductUnits = 3"));
        QVERIFY(!DmProduct->ExistsPartSource(3, vendor));
        QCOMPARE(DmProduct->QPriceStandard.value(QStringLiteral("PurcPrice")).toDouble(), 600.0);
        env->exec(QStringLiteral("INSERT INTO PartSource (Vendor, Product, ProductUnits, PurchaseCode, PurchaseName, Price) "
                                 "VALUES (:v, 1, 3, 'BP-144', 'Ballpoint carton', 550)"),
                  {{QStringLiteral("v"), vendor}});
        QVERIFY(DmProduct->ExistsPartSource(3, vendor));
        QCOMPARE(DmProduct->QExistsPartSource.value(QStringLiteral("Price")).toDouble(), 550.0);
        QCOMPARE(DmProduct->QPriceStandard.value(QStringLiteral("PurcPrice")).toDouble(), 600.0);

        QVERIFY(DmProduct->ExistsVendorPartCode(QStringLiteral("BP-144"), vendor));
        QCOMPARE(DmProduct->QChkPartSource.value(QStringLiteral("Code")).toString(), QStringLiteral("P001"));
        QCOMPARE(DmProduct->QChkPartSource.value(QStringLiteral("UnitName")).toString(), QStringLiteral("ลัง"));
        QVERIFY(!DmProduct->ExistsVendorPartCode(QStringLiteral("BP-144"), vendor + 1000));
    }

    void warehouseAndProjectItem()
    {
        QVERIFY(DmProduct->ExistsWarehouse(QStringLiteral("WH02")));
        QCOMPARE(DmProduct->QChkWarehouse.value(QStringLiteral("Id")).toInt(), 2);
        QVERIFY(!DmProduct->ExistsWarehouse(QStringLiteral("WH'02")));
        QVERIFY(DmProduct->ExistsProjectItemCode(QStringLiteral("IT01"), 1));
        QCOMPARE(DmProduct->QChkProjectItemCode.value(QStringLiteral("Id")).toInt(), 1);
        QVERIFY(!DmProduct->ExistsProjectItemCode(QStringLiteral("IT01"), 2));
    }

    void stockText()
    {
        // 300 + 30 pieces in two warehouses; a box holds 12.
        QCOMPARE(DmProduct->ProductQuantity(1, year), QStringLiteral("27 กล่อง 6 ชิ้น"));
        QCOMPARE(DmProduct->ProductQuantity(1, year - 1), QStringLiteral("8 กล่อง 4 ชิ้น"));
        // No rows for the year.
        QCOMPARE(DmProduct->ProductQuantity(7, year), QStringLiteral("0 กล่อง"));
        // Under one stock unit: the rest alone, with its leading blank.
        env->exec(QStringLiteral("INSERT INTO ProductOnHand (Product, ProductUnits, Warehouse, BalanceYear, Quantity) "
                                 "VALUES (7, 17, 1, :y, 5)"), {{QStringLiteral("y"), year}});
        QCOMPARE(DmProduct->ProductQuantity(7, year), QStringLiteral(" 5 ชิ้น"));
        // Stock of a warehouse that no longer exists is not counted.
        env->exec(QStringLiteral("INSERT INTO ProductOnHand (Product, ProductUnits, Warehouse, BalanceYear, Quantity) "
                                 "VALUES (7, 17, 999, :y, 100)"), {{QStringLiteral("y"), year}});
        QCOMPARE(DmProduct->ProductQuantity(7, year), QStringLiteral(" 5 ชิ้น"));
        // Negative stock.
        env->exec(QStringLiteral("INSERT INTO ProductOnHand (Product, ProductUnits, Warehouse, BalanceYear, Quantity) "
                                 "VALUES (7, 17, 2, :y, -30)"), {{QStringLiteral("y"), year}});
        QCOMPARE(DmProduct->ProductQuantity(7, year), QStringLiteral("- 2 กล่อง 1 ชิ้น"));
    }

    void creditLimit_data()
    {
        QTest::addColumn<double>("limit");
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("unlock");
        QTest::addColumn<bool>("warned");
        QTest::addColumn<bool>("result");
        // The vendor's balance this year is 900.2.
        QTest::newRow("no limit") << 0.0 << 1e9 << "Y" << false << true;
        QTest::newRow("up to the limit") << 1000.3 << 100.1 << "Y" << false << true;
        QTest::newRow("over, locked") << 1000.3 << 100.11 << "Y" << true << false;
        QTest::newRow("over, unlocked") << 1000.3 << 100.11 << "" << true << true;
    }
    void creditLimit()
    {
        QFETCH(double, limit);
        QFETCH(double, amount);
        QFETCH(QString, unlock);
        QFETCH(bool, warned);
        QFETCH(bool, result);
        const int vendor = env->scalar(QStringLiteral("SELECT MIN(Id) FROM Vendor")).toInt();
        const int thisYear = DM->GetServerTime().date().year();
        env->exec(QStringLiteral("UPDATE Vendor SET CreditLimit = :l WHERE Id = :v"),
                  {{QStringLiteral("l"), limit}, {QStringLiteral("v"), vendor}});
        env->exec(QStringLiteral("DELETE FROM VendorBalance WHERE Vendor = :v"), {{QStringLiteral("v"), vendor}});
        // 900.2 this year (balance, cheques due and returned); last year's balance does not count.
        env->exec(QStringLiteral("INSERT INTO VendorBalance (Vendor, BalanceYear, Balance, ChqDue, ChqRtd) VALUES "
                                 "(:v, :y, 800, 100, 0.2), (:v, :py, 5000, 0, 0)"),
                  {{QStringLiteral("v"), vendor}, {QStringLiteral("y"), thisYear}, {QStringLiteral("py"), thisYear - 1}});
        env->exec(QStringLiteral("UPDATE Config SET purcunlockcredit = :u"), {{QStringLiteral("u"), unlock}});
        DM->RefreshConfig();
        QCOMPARE(MessageService::tell(DmVendor->CheckCreditLimit(vendor, amount)), result);
        QCOMPARE(!MessageService::shown().isEmpty(), warned);
        if (warned)
            QCOMPARE(MessageService::lastText(),
                     QStringLiteral("ยอดเกินวงเงินเครดิต\r\rบริษัทมีเครดิตคงเหลือ 100.1"));
    }

    void stockUnitOfOneShowsDecimals()
    {
        // The calculator's stock unit is its small unit: 5 - 3.5 = 1.5 machines.
        env->exec(QStringLiteral("INSERT INTO ProductOnHand (Product, ProductUnits, Warehouse, BalanceYear, Quantity) "
                                 "VALUES (4, 10, 2, :y, -3.5)"), {{QStringLiteral("y"), year}});
        QCOMPARE(DmProduct->ProductQuantity(4, year), QStringLiteral("1.5 เครื่อง"));
    }
};

QTEST_GUILESS_MAIN(TestProductChecks)
#include "tst_productchecks.moc"
