#include "app/MessageService.h"
#include "data/Translation.h"
#include "data/CachedDataSet.h"
#include "data/TDM.h"
#include "app/TDMConfig.h"
#include "data/product/TDmMisc.h"
#include "search/SearchQuery.h"
#include "search/TF_SearchMisc.h"
#include "search/TF_SearchWareHouse.h"
#include "search/TFaGetCustomerShip.h"
#include "search/TFaGetDepartment.h"
#include "search/TFaGetLotNo.h"
#include "search/TFaGetProvince.h"
#include "search/TFaGetMisc.h"
#include "search/TFaGetProject.h"
#include "search/TFaGetRemark.h"
#include "search/TFaGetTaxCode.h"
#include "search/TFaGetWarehouse.h"
#include "search/TFrSearchLotNo.h"
#include "search/TFrSearchMisc.h"
#include "search/TFrSearchProject.h"
#include "support/TestEnv.h"
#include "widgets/DbEdits.h"
#include "widgets/TLookupEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>
#include <QDir>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

// A window holding a frame and a second field to move the focus to, over a one-row data set.
struct Host {
    QWidget window;
    QLineEdit* other = nullptr;
    CachedDataSet ds;
    Host(QWidget* frame, const QStringList& fields)
    {
        auto* lay = new QVBoxLayout(&window);
        frame->setParent(&window);
        lay->addWidget(frame);
        other = new QLineEdit(&window);
        lay->addWidget(other);
        ds.defineFields(fields);
        ds.Open();
        ds.Append();
        window.show();
        QTest::qWaitForWindowActive(&window);
    }
};

// Types a code into a lookup edit and leaves the field.
static void typeAndLeave(TLookupEdit* edit, QLineEdit* other, const QString& code)
{
    edit->setFocus();
    edit->setText(code);
    other->setFocus();
}

// Picks a row of a dialog's grid whose column holds a value, then chooses it.
template <typename Dlg>
static int chooseRow(Dlg* dlg, QTableView* grid, SearchQuery* q, const QString& field, const QString& value)
{
    dlg->show();
    for (int r = 0; r < q->RecordCount(); ++r) {
        if (q->value(r, field).toString() == value) {
            grid->setCurrentIndex(q->index(r, 0));
            dlg->accept();
            return dlg->result();
        }
    }
    dlg->reject();
    return QDialog::Rejected;
}

static QStringList column(SearchQuery* q, const QString& field)
{
    QStringList out;
    for (int r = 0; r < q->RecordCount(); ++r)
        out << q->value(r, field).toString();
    return out;
}

class TestPickers : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>(TestEnv::Data::Demo, QDate(2026, 12, 9));
        CreateProductModules();
    }
    void cleanup()
    {
        MessageService::setDialogHook({});
        FreeProductModules();
        env.reset();
    }

    void warehouseLookup()
    {
        auto* fa = new TFaGetWarehouse;
        Host h(fa, {QStringLiteral("Warehouse")});
        fa->bind(&h.ds, QStringLiteral("Warehouse"));
        typeAndLeave(fa->Warehouse, h.other, QStringLiteral("WH02"));
        QCOMPARE(h.ds.FieldByName(QStringLiteral("Warehouse")).toInt(), 2);
        QCOMPARE(fa->WarehouseName->text(), QStringLiteral("คลังสินค้าท่าเรือแหลมฉบัง"));
        QVERIFY(fa->Warehouse->valid());

        // An unknown code (a quote too) leaves no Id and is shown as unknown.
        for (const QString& code : {QStringLiteral("ZZ"), QStringLiteral("WH'02")}) {
            typeAndLeave(fa->Warehouse, h.other, code);
            QVERIFY(h.ds.FieldByName(QStringLiteral("Warehouse")).isNull());
            QCOMPARE(fa->WarehouseName->text(), TLookupEdit::notFoundText());
            QVERIFY(!fa->Warehouse->valid());
            QCOMPARE(fa->Warehouse->text(), code);
        }
        // Empty is refused.
        typeAndLeave(fa->Warehouse, h.other, QString());
        QVERIFY(!fa->Warehouse->valid());
        QVERIFY(h.ds.FieldByName(QStringLiteral("Warehouse")).isNull());

        // Typed codes are upper case.
        fa->Warehouse->setFocus();
        fa->Warehouse->clear();
        QTest::keyClicks(fa->Warehouse, QStringLiteral("wh01"));
        QCOMPARE(fa->Warehouse->text(), QStringLiteral("WH01"));
        h.other->setFocus();
        QCOMPARE(h.ds.FieldByName(QStringLiteral("Warehouse")).toInt(), 1);

        // A row read later shows its code.
        h.ds.SetField(QStringLiteral("Warehouse"), 2);
        QCOMPARE(fa->Warehouse->text(), QStringLiteral("WH02"));
        QCOMPARE(fa->WarehouseName->text(), QStringLiteral("คลังสินค้าท่าเรือแหลมฉบัง"));
    }

    void ownerChangesFilterAndColumn()
    {
        auto* fa = new TFaGetMisc;
        fa->setMiscGroup(QStringLiteral("CURRENCY"));
        Host h(fa, {QStringLiteral("Currency"), QStringLiteral("Country")});
        fa->bind(&h.ds, QStringLiteral("Currency"));
        typeAndLeave(fa->Edit, h.other, QStringLiteral("JP"));
        QVERIFY(!fa->Edit->valid());
        // The same frame now picks a country into another column.
        fa->setMiscGroup(QStringLiteral("COUNTRY"));
        fa->bind(&h.ds, QStringLiteral("Country"));
        typeAndLeave(fa->Edit, h.other, QStringLiteral("JP"));
        QCOMPARE(h.ds.FieldByName(QStringLiteral("Country")).toInt(), 15);
        QVERIFY(h.ds.FieldByName(QStringLiteral("Currency")).isNull());
        // A group name with a quote stays a literal of the filter.
        fa->setMiscGroup(QStringLiteral("CUR'RENCY"));
        typeAndLeave(fa->Edit, h.other, QStringLiteral("USD"));
        QVERIFY(h.ds.FieldByName(QStringLiteral("Country")).isNull());
    }

    void searchButtonFollowsTheField()
    {
        auto* fa = new TFaGetWarehouse;
        Host h(fa, {QStringLiteral("Warehouse")});
        fa->bind(&h.ds, QStringLiteral("Warehouse"));
        h.other->setFocus();
        QVERIFY(!fa->BtSearchWarehouse->isEnabled());
        fa->Warehouse->setFocus();
        QVERIFY(fa->BtSearchWarehouse->isEnabled());
        h.other->setFocus();
        QVERIFY(!fa->BtSearchWarehouse->isEnabled());
    }

    void chosenRowStoredByLeaving()
    {
        auto* fa = new TFaGetWarehouse;
        fa->ActiveOnly = true;
        Host h(fa, {QStringLiteral("Warehouse")});
        fa->bind(&h.ds, QStringLiteral("Warehouse"));
        QStringList listed;
        MessageService::setDialogHook([&](QDialog* d) {
            auto* s = qobject_cast<TF_SearchWareHouse*>(d);
            s->show();
            listed = column(s->QSearch, QStringLiteral("code"));
            return chooseRow(s, s->DgSearch, s->QSearch, QStringLiteral("code"), QStringLiteral("WH02"));
        });
        fa->Warehouse->setFocus();
        QTest::keyClick(fa->Warehouse, Qt::Key_F5);
        QCOMPARE(listed, QStringList({QStringLiteral("WH01"), QStringLiteral("WH02")})); // WH99 is blocked
        QCOMPARE(fa->Warehouse->text(), QStringLiteral("WH02"));
        QVERIFY(fa->Warehouse->hasFocus());
        h.other->setFocus();
        QCOMPARE(h.ds.FieldByName(QStringLiteral("Warehouse")).toInt(), 2);
    }

    void miscFilterKeepsToItsGroup()
    {
        auto* fa = new TFaGetMisc;
        fa->EditLabel->setText(QStringLiteral("สกุลเงิน"));
        fa->setMiscGroup(QStringLiteral("CURRENCY"));
        Host h(fa, {QStringLiteral("Currency")});
        fa->bind(&h.ds, QStringLiteral("Currency"));
        typeAndLeave(fa->Edit, h.other, QStringLiteral("PUR")); // a department code
        QVERIFY(h.ds.FieldByName(QStringLiteral("Currency")).isNull());
        typeAndLeave(fa->Edit, h.other, QStringLiteral("usd"));
        QCOMPARE(h.ds.FieldByName(QStringLiteral("Currency")).toInt(), 2);

        QString caption, group;
        MessageService::setDialogHook([&](QDialog* d) {
            auto* s = qobject_cast<TFrSearchMisc*>(d);
            caption = s->windowTitle();
            group = s->SearchGroup;
            return chooseRow(s, s->DgSearch, s->QSearch, QStringLiteral("Code"), QStringLiteral("JPY"));
        });
        fa->Edit->setFocus();
        fa->BtSearch->click();
        QCOMPARE(caption, QStringLiteral("ค้นหาสกุลเงิน"));
        QCOMPARE(group, QStringLiteral("CURRENCY"));
        h.other->setFocus();
        QCOMPARE(h.ds.FieldByName(QStringLiteral("Currency")).toInt(), 3);
    }

    void projectOwnCheck()
    {
        auto* fa = new TFaGetProject;
        Host h(fa, {QStringLiteral("Project")});
        fa->bind(&h.ds, QStringLiteral("Project"));
        // The mouse passing over the frame lights nothing; the focus entering it does.
        h.other->setFocus();
        QVERIFY(!fa->BtSearch->isEnabled());
        QEnterEvent hover(QPointF(4, 4), QPointF(4, 4), QPointF(4, 4));
        QCoreApplication::sendEvent(fa, &hover);
        QVERIFY(!fa->BtSearch->isEnabled());
        QTest::keyClick(h.other, Qt::Key_Backtab);
        QVERIFY(fa->Edit->hasFocus());
        QVERIFY(fa->BtSearch->isEnabled());
        typeAndLeave(fa->Edit, h.other, QStringLiteral("PJ01"));
        QVERIFY(!fa->BtSearch->isEnabled());
        QCOMPARE(h.ds.FieldByName(QStringLiteral("Project")).toInt(), 1);
        // Unknown: the text is emptied and no Id stays.
        typeAndLeave(fa->Edit, h.other, QStringLiteral("PJXX"));
        QCOMPARE(fa->Edit->text(), QString());
        QVERIFY(h.ds.FieldByName(QStringLiteral("Project")).isNull());
        // A closed project exists, so its code stays on screen, but it is not taken.
        typeAndLeave(fa->Edit, h.other, QStringLiteral("PJ99"));
        QCOMPARE(fa->Edit->text(), QStringLiteral("PJ99"));
        QVERIFY(h.ds.FieldByName(QStringLiteral("Project")).isNull());
    }

    void projectSearchByDescription()
    {
        env->exec(QStringLiteral("INSERT INTO Project (Code, Description) VALUES ('PJ02', 'งาน O''Brien')"));
        TFrSearchProject dlg;
        dlg.show();
        QCOMPARE(column(dlg.QSearch, QStringLiteral("code")),
                 QStringList({QStringLiteral("PJ01"), QStringLiteral("PJ02"), QStringLiteral("PJ99")}));
        dlg.Code->setText(QStringLiteral("O'B"));
        dlg.BtSearchClick();
        QCOMPARE(column(dlg.QSearch, QStringLiteral("code")), QStringList({QStringLiteral("PJ02")}));
        dlg.setCurrentRow(0);
        dlg.BtOkClick();
        QCOMPARE(dlg.ResultValue, QStringLiteral("PJ02"));
    }

    void lotFrameAcceptsExpiredLot()
    {
        auto* fa = new TFaGetLotNo;
        Host h(fa, {QStringLiteral("LotNo")});
        fa->bind(&h.ds, QStringLiteral("LotNo"));
        typeAndLeave(fa->Edit, h.other, QStringLiteral("LOT-X01")); // expired last year
        QCOMPARE(h.ds.FieldByName(QStringLiteral("LotNo")).toInt(), 2);
        QCOMPARE(fa->Edit->text(), QStringLiteral("LOT-X01"));
        QVERIFY(MessageService::shown().isEmpty());
        typeAndLeave(fa->Edit, h.other, QStringLiteral("LOT-ZZ"));
        QCOMPARE(fa->Edit->text(), QString());
        QVERIFY(h.ds.FieldByName(QStringLiteral("LotNo")).isNull());
        // A lot that may expire but has no expiry date is accepted too.
        env->exec(QStringLiteral("INSERT INTO LotNo (Id, Code, Description, HasExpired) VALUES (9, 'LOT-N01', 'n', 'Y')"));
        typeAndLeave(fa->Edit, h.other, QStringLiteral("LOT-N01"));
        QCOMPARE(h.ds.FieldByName(QStringLiteral("LotNo")).toInt(), 9);
        QVERIFY(MessageService::shown().isEmpty());
        // With a reference date the expired lot is refused, with the message.
        fa->ReferenceDate = QDateTime(QDate(2026, 12, 9), QTime(0, 0));
        typeAndLeave(fa->Edit, h.other, QStringLiteral("LOT-X01"));
        QCOMPARE(fa->Edit->text(), QString());
        QVERIFY(h.ds.FieldByName(QStringLiteral("LotNo")).isNull());
        QCOMPARE(MessageService::lastText(), QStringLiteral("LotNo หมดอายุแล้ว"));
    }

    void departmentNewestFirstProvinceByDescription()
    {
        TF_SearchMisc dept;
        dept.SearchGroup = QStringLiteral("DEPARTMENT");
        dept.show();
        QCOMPARE(column(dept.QSearch, QStringLiteral("code")),
                 QStringList({QStringLiteral("PUR"), QStringLiteral("IMP"), QStringLiteral("ACC")}));

        env->exec(QStringLiteral("INSERT INTO Misc (GroupCode, Code, Description) VALUES ('CITY', 'AYA', 'อยุธยา')"));
        TF_SearchMisc city;
        city.SearchGroup = QStringLiteral("CITY");
        city.show();
        QCOMPARE(column(city.QSearch, QStringLiteral("code")),
                 QStringList({QStringLiteral("BKK"), QStringLiteral("CBI"), QStringLiteral("AYA"), QStringLiteral("CNX")}));
        city.EnterString->setText(QStringLiteral("ชล"));
        city.Search();
        QCOMPARE(column(city.QSearch, QStringLiteral("code")), QStringList({QStringLiteral("CBI")}));
        city.ListData->setCurrentIndex(city.QSearch->index(0, 0));
        city.accept();
        QCOMPARE(city.ResultCode, QStringLiteral("CBI"));
        QCOMPARE(city.ResultDescription, QStringLiteral("ชลบุรี"));
    }

    void miscListSortsByTitle()
    {
        TF_SearchMisc dlg;
        dlg.SearchGroup = QStringLiteral("CURRENCY");
        dlg.show();
        const QStringList byDesc = column(dlg.QSearch, QStringLiteral("code"));
        dlg.ListDataTitleClick(1); // code, ascending
        QCOMPARE(column(dlg.QSearch, QStringLiteral("code")),
                 QStringList({"CNY", "EUR", "JPY", "THB", "USD"}));
        dlg.ListDataTitleClick(1); // code, descending
        QCOMPARE(column(dlg.QSearch, QStringLiteral("code")),
                 QStringList({"USD", "THB", "JPY", "EUR", "CNY"}));
        dlg.ListDataTitleClick(0); // another column: ascending
        QCOMPARE(column(dlg.QSearch, QStringLiteral("code")), byDesc);
        // A quote typed in the box is a character to look for.
        env->exec(QStringLiteral("INSERT INTO Misc (GroupCode, Code, Description) VALUES ('CURRENCY', 'XQ', 'd''or')"));
        dlg.EnterString->setText(QStringLiteral("d'o"));
        dlg.Search();
        QCOMPARE(column(dlg.QSearch, QStringLiteral("code")), QStringList({"XQ"}));
    }

    void warehouseListInEnglish()
    {
        Translation::useLanguage(false);
        TF_SearchWareHouse dlg;
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Searching WareHouse"));
        QCOMPARE(dlg.QSearch->headerData(1, Qt::Horizontal).toString(), QStringLiteral("WareHouse Description"));
        QCOMPARE(dlg.QSearch->RecordCount(), 3);
        dlg.reject();
        QCOMPARE(dlg.ResultCode, QString());
        Translation::useLanguage(true);
    }

    void departmentFrameAllowsEmpty()
    {
        auto* fa = new TFaGetDepartment;
        Host h(fa, {QStringLiteral("Department")});
        fa->bind(&h.ds, QStringLiteral("Department"));
        typeAndLeave(fa->Edit, h.other, QStringLiteral("IMP"));
        QCOMPARE(h.ds.FieldByName(QStringLiteral("Department")).toInt(), 8);
        typeAndLeave(fa->Edit, h.other, QString());
        QVERIFY(h.ds.FieldByName(QStringLiteral("Department")).isNull());
        QVERIFY(fa->Edit->valid());
        typeAndLeave(fa->Edit, h.other, QStringLiteral("THB")); // a currency, not a department
        QVERIFY(!fa->Edit->valid());
    }

    void remarkTakesTheDescription()
    {
        auto* fa = new TFaGetRemark;
        Host h(fa, {QStringLiteral("Remark")});
        fa->bind(&h.ds);
        MessageService::setDialogHook([&](QDialog* d) {
            auto* s = qobject_cast<TFrSearchMisc*>(d);
            return chooseRow(s, s->DgSearch, s->QSearch, QStringLiteral("Code"), QStringLiteral("R02"));
        });
        fa->Remark->setFocus();
        QTest::keyClick(fa->Remark, Qt::Key_F5);
        QCOMPARE(h.ds.FieldByName(QStringLiteral("Remark")).toString(), QStringLiteral("ชำระเงินภายใน 30 วัน"));
    }

    void taxCodeWritesTheRate()
    {
        auto* fa = new TFaGetTaxCode;
        fa->RateField = QStringLiteral("TaxRate");
        Host h(fa, {QStringLiteral("TaxCode"), QStringLiteral("TaxRate")});
        h.ds.SetField(QStringLiteral("TaxCode"), 1);
        fa->bind(&h.ds);
        QCOMPARE(fa->TaxCode->currentData().toInt(), 1);
        fa->TaxCode->setFocus();
        fa->TaxCode->setCurrentIndex(fa->TaxCode->findData(2));
        h.other->setFocus();
        QCOMPARE(h.ds.FieldByName(QStringLiteral("TaxCode")).toInt(), 2);
        QCOMPARE(h.ds.FieldByName(QStringLiteral("TaxRate")).toDouble(), 0.0);
        fa->TaxCode->setFocus();
        fa->TaxCode->setCurrentIndex(fa->TaxCode->findData(1));
        h.other->setFocus();
        QCOMPARE(h.ds.FieldByName(QStringLiteral("TaxRate")).toDouble(), 7.0);
    }

    void shipAddressFollowsTheBox()
    {
        auto* fa = new TFaGetCustomerShip;
        Host h(fa, {QStringLiteral("ShipAddr1"), QStringLiteral("ShipAddr2"), QStringLiteral("ShipAddr3"),
                    QStringLiteral("ZipCode"), QStringLiteral("PhoneNo"), QStringLiteral("FaxNo"),
                    QStringLiteral("Province")});
        fa->setDataSet(&h.ds);
        fa->UseShipAddr->setChecked(false);
        fa->UseShipAddrClick();
        QVERIFY(!fa->Address1->isEnabled());
        QVERIFY(!fa->Province->isEnabled());
        fa->UseShipAddr->click();
        QVERIFY(fa->Address1->isEnabled());
        QVERIFY(fa->Fax->isEnabled());
        QVERIFY(fa->Province->isEnabled());
        typeAndLeave(fa->Province->Edit, h.other, QStringLiteral("CNX"));
        QCOMPARE(h.ds.FieldByName(QStringLiteral("Province")).toInt(), 10);
    }

    // The frames as a user sees them, saved under the build folder.
    void screenshot()
    {
        QWidget window;
        auto* lay = new QVBoxLayout(&window);
        auto* wh = new TFaGetWarehouse;
        auto* cur = new TFaGetMisc;
        cur->EditLabel->setText(QStringLiteral("สกุลเงิน"));
        cur->setMiscGroup(QStringLiteral("CURRENCY"));
        auto* pj = new TFaGetProject;
        auto* lot = new TFaGetLotNo;
        auto* other = new QLineEdit;
        for (QWidget* w : {static_cast<QWidget*>(wh), static_cast<QWidget*>(cur), static_cast<QWidget*>(pj),
                           static_cast<QWidget*>(lot), static_cast<QWidget*>(other)})
            lay->addWidget(w);
        CachedDataSet ds;
        ds.defineFields({QStringLiteral("Warehouse"), QStringLiteral("Currency"), QStringLiteral("Project"),
                         QStringLiteral("LotNo")});
        ds.Open();
        ds.Append();
        wh->bind(&ds, QStringLiteral("Warehouse"));
        cur->bind(&ds, QStringLiteral("Currency"));
        pj->bind(&ds, QStringLiteral("Project"));
        lot->bind(&ds, QStringLiteral("LotNo"));
        window.resize(460, 180);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        typeAndLeave(wh->Warehouse, other, QStringLiteral("WH01"));
        typeAndLeave(cur->Edit, other, QStringLiteral("XYZ"));
        typeAndLeave(pj->Edit, other, QStringLiteral("PJ01"));
        typeAndLeave(lot->Edit, other, QStringLiteral("LOT-B01"));
        wh->Warehouse->setFocus();
        const QString dir = qEnvironmentVariable("NK_BUILD_DIR", QDir::tempPath());
        QVERIFY(window.grab().save(QDir(dir).filePath(QStringLiteral("pickers.png"))));
        QVERIFY(!cur->Edit->valid());
        QCOMPARE(lot->DescLabel->text(), QStringLiteral("หมึกพิมพ์ล็อต B01"));
    }

    void lotSearchConditions()
    {
        TFrSearchLotNo dlg;
        dlg.show();
        QVERIFY(!dlg.EdDate->isEnabled());
        dlg.Search();
        QCOMPARE(column(dlg.QLot, QStringLiteral("Code")),
                 QStringList({QStringLiteral("LOT-A01"), QStringLiteral("LOT-B01"), QStringLiteral("LOT-X01")}));
        dlg.setCondition(QStringLiteral(">="));
        QVERIFY(dlg.EdDate->isEnabled());
        dlg.EdDate->setDate(QDate(2026, 12, 9));
        dlg.Search();
        // Lots that never expire are listed with any condition.
        QCOMPARE(column(dlg.QLot, QStringLiteral("Code")),
                 QStringList({QStringLiteral("LOT-A01"), QStringLiteral("LOT-B01")}));
        dlg.setCondition(QStringLiteral("<="));
        dlg.Search();
        QCOMPARE(column(dlg.QLot, QStringLiteral("Code")),
                 QStringList({QStringLiteral("LOT-A01"), QStringLiteral("LOT-X01")}));
        // A title click orders the next search.
        dlg.setCondition(QStringLiteral("-"));
        dlg.TitleClick(2);
        dlg.Search();
        QCOMPARE(column(dlg.QLot, QStringLiteral("Code")),
                 QStringList({QStringLiteral("LOT-A01"), QStringLiteral("LOT-X01"), QStringLiteral("LOT-B01")}));
        // Quotes in the typed texts are characters to look for.
        dlg.EdDesc->setText(QStringLiteral("'%"));
        dlg.Search();
        QCOMPARE(dlg.QLot->RecordCount(), 0);
        dlg.EdDesc->clear();
        dlg.EdCode->setText(QStringLiteral("LOT-B"));
        dlg.Search();
        dlg.accept();
        QCOMPARE(dlg.ResultCode, QStringLiteral("LOT-B01"));
        QCOMPARE(dlg.ResultId.toInt(), 3);
    }
};

QTEST_MAIN(TestPickers)
#include "tst_pickers.moc"
