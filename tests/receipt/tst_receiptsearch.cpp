#include "app/MessageService.h"
#include "data/Translation.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/TDM.h"
#include "forms/purchase/TFrLastPrice.h"
#include "forms/purchase/TFrPurcHistory.h"
#include "forms/purchase/TFrSearchEmployee.h"
#include "forms/purchase/TFrSearchPoDt.h"
#include "forms/receipt/TFaGetVendor.h"
#include "forms/receipt/TFaSelectVendorAttr.h"
#include "forms/receipt/TFrSearchVenAttrCode.h"
#include "forms/receipt/TFrSearchVendor.h"
#include "forms/receipt/TFrSearchVendorDocument.h"
#include "search/SearchQuery.h"
#include "support/TestEnv.h"
#include "widgets/TDataGrid.h"
#include "widgets/TLookupEdit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

// The searches of the vendor bills and the purchase dialogs they share, on the demo company
// with rows whose texts hold quotes, percent signs, underscores and Thai.
namespace {
QStringList column(const SearchQuery* q, const QString& field)
{
    QStringList out;
    for (int r = 0; r < q->RecordCount(); ++r)
        out << q->value(r, field).toString().trimmed();
    return out;
}

// Types into a field as a user does (Thai included), replacing what it held.
void typeInto(QLineEdit* e, const QString& text)
{
    e->setFocus();
    e->selectAll();
    e->del();
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

const QStringList Odd{QStringLiteral("O'12"), QStringLiteral("5%12"), QStringLiteral("A_12"), QStringLiteral("AX12"),
                      QStringLiteral("ก12")};
} // namespace

class TstReceiptSearch : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

    void addBills()
    {
        // Credit and cash bills of type S whose numbers end in 12, one brought forward.
        for (const QString& n : Odd) {
            env->exec("insert into MrHd (DelFlag, MrType, MrNo, MrDate, Vendor, MrTAXNO, Total, Clear, BeginBalance) "
                      "values ('N', 'S', :n, '2026-05-01 00:00:00', 2, :t, 10, 'N', 'N')",
                      {{"n", n.rightJustified(10)}, {"t", QStringLiteral("ใบกำกับ ") + n}});
            env->exec("insert into PcHd (DelFlag, PcType, PcNo, PcDate, Vendor, Total) "
                      "values ('N', 'S', :n, '2026-05-01 00:00:00', 2, 10)",
                      {{"n", n.rightJustified(12)}});
        }
        env->exec("insert into MrHd (DelFlag, MrType, MrNo, MrDate, Vendor, Total, Clear, BeginBalance) "
                  "values ('N', 'S', '    BB12', '2026-05-01 00:00:00', 2, 10, 'N', 'Y')");
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        Translation::useLanguage(true);
        TFrSearch::ResetSortState();
    }
    void cleanup()
    {
        MessageService::setDialogHook({});
        env.reset();
    }

    void billNumbersMatchTheirEnd_data()
    {
        QTest::addColumn<bool>("credit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("found");
        for (bool credit : {true, false}) {
            const char* k = credit ? "credit" : "cash";
            QTest::addRow("%s: 12 at the end", k) << credit << "12" << QStringList({"O'12", "AX12", "A_12", "5%12", "ก12"});
            QTest::addRow("%s: a quote", k) << credit << "'12" << QStringList({"O'12"});
            QTest::addRow("%s: a percent sign", k) << credit << "%12" << QStringList({"5%12"});
            QTest::addRow("%s: an underscore", k) << credit << "_12" << QStringList({"A_12"});
            QTest::addRow("%s: Thai", k) << credit << QStringLiteral("ก12") << QStringList({QStringLiteral("ก12")});
            QTest::addRow("%s: the start does not count", k) << credit << "O'" << QStringList();
        }
    }
    void billNumbersMatchTheirEnd()
    {
        QFETCH(bool, credit);
        QFETCH(QString, typed);
        QFETCH(QStringList, found);
        addBills();
        std::unique_ptr<TFrSearchVendorDocument> dlg;
        if (credit) {
            auto* d = new TFrSearchMrNo;
            d->MrType = "S";
            dlg.reset(d);
        } else {
            auto* d = new TFrSearchPcNo;
            d->PcType = "S";
            dlg.reset(d);
        }
        dlg->show();
        typeInto(dlg->Code, typed);
        dlg->BtSearchClick();
        QStringList got = column(dlg->QSearch, credit ? "MrNo" : "PcNo");
        std::sort(got.begin(), got.end());
        std::sort(found.begin(), found.end());
        QCOMPARE(got, found);
    }

    void creditBillSearchByTaxNumberAndVendor()
    {
        addBills();
        TFrSearchMrNo dlg;
        dlg.MrType = "S";
        dlg.show();
        QCOMPARE(dlg.focusWidget(), dlg.FaGetVendor->Vendor);
        typeInto(dlg.EdTaxNo, QStringLiteral("กำกับ 5%"));
        dlg.BtSearchClick();
        QCOMPARE(column(dlg.QSearch, "MrNo"), QStringList({"5%12"}));
        // Brought-forward bills are never listed; the vendor code is a prefix.
        typeInto(dlg.EdTaxNo, QString());
        typeInto(dlg.Code, "12");
        typeInto(dlg.FaGetVendor->Vendor, "V001");
        dlg.BtSearchClick();
        QVERIFY(dlg.QSearch->IsEmpty());
        typeInto(dlg.FaGetVendor->Vendor, "V");
        dlg.BtSearchClick();
        QCOMPARE(dlg.QSearch->RecordCount(), 5);
        QVERIFY(!column(dlg.QSearch, "MrNo").contains("BB12"));
        // A vendor handed in shows in the picker; the number gets the focus.
        TFrSearchMrNo preset;
        preset.MrType = "S";
        preset.VendorId = 2;
        preset.show();
        QCOMPARE(preset.FaGetVendor->Vendor->text(), QStringLiteral("V002"));
        QCOMPARE(preset.focusWidget(), preset.Code);
    }

    void deposits()
    {
        env->exec("insert into PrePaid (DelFlag, PrNo, PrDate, Vendor, Reference, Total, PaidAmount, Clear) values "
                  "('N', 'PR''9', '2026-02-01 00:00:00', 1, 'มัดจำ ''A''', 100, 40, 'N'), "
                  "('Y', 'PR%9', '2026-02-01 00:00:00', 1, '', 50, 0, 'N'), "
                  "('N', 'PR_9', '2026-02-01 00:00:00', 2, '', 70, 70, 'Y')");
        TFrSearchPrePaid dlg;
        dlg.show();
        QCOMPARE(dlg.focusWidget(), dlg.Code);
        auto search = [&](const QString& typed) {
            typeInto(dlg.Code, typed);
            dlg.BtSearchClick();
            return column(dlg.QSearch, "PrNo");
        };
        QCOMPARE(search("'9"), QStringList({"PR'9"}));
        QCOMPARE(dlg.QSearch->value(0, "Balance").toDouble(), 60.0);
        QCOMPARE(search("%9"), QStringList({"PR%9"}));
        QCOMPARE(search("_9"), QStringList({"PR_9"}));
        // The cancelled deposit is listed in red and refused.
        search("%9");
        MessageService::clearShown();
        dlg.BtOkClick();
        QCOMPARE(MessageService::lastText(), QStringLiteral("เอกสารถูกยกเลิกแล้ว"));
        QVERIFY(dlg.isVisible());
        // As the bill asks: the bill's vendor, open deposits only.
        TFrSearchPrePaid open;
        open.VendorId = 1;
        open.OnlyUnpaid = true;
        open.show();
        typeInto(open.Code, "9");
        open.BtSearchClick();
        QCOMPARE(column(open.QSearch, "PrNo"), QStringList({"PR'9", "PR%9"}));
        // No table name: the purge has nothing to remove.
        open.TableName.clear();
        open.setCurrentRow(1);
        open.DgSearchPurge();
        QCOMPARE(env->count("PrePaid", "PrNo = 'PR%9'"), 1);
    }

    void vendorsByCodeNameAndAttributes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("ranges"); // group TY from/to, group XX from/to
        QTest::addColumn<QStringList>("found");
        const QStringList none{"", "", "", ""};
        QTest::newRow("all but the blocked one") << "" << "" << none
                                                 << QStringList({"V'5", "V001", "V002", "V004", "V006", "V007", "V008"});
        QTest::newRow("code prefix with a quote") << "V'" << "" << none << QStringList({"V'5"});
        QTest::newRow("name with a percent sign") << "" << "50%" << none << QStringList({"V004"});
        QTest::newRow("name with an underscore") << "" << "A_B" << none << QStringList({"V006"});
        QTest::newRow("Thai name part") << "" << QStringLiteral("ชิปปิ้ง") << none << QStringList({"V002"});
        QTest::newRow("one attribute exactly") << "" << "" << QStringList({"FW", "FW", "", ""}) << QStringList({"V001"});
        QTest::newRow("from a code to the end of its group")
            << "" << "" << QStringList({"CB", "", "", ""}) << QStringList({"V001", "V002", "V004"});
        QTest::newRow("from the start of the group to a code")
            << "" << "" << QStringList({"", "CB", "", ""}) << QStringList({"V002"});
        QTest::newRow("two groups must both match")
            << "" << "" << QStringList({"CB", "", "A1", "A1"}) << QStringList({"V002", "V004"});
    }
    void vendorsByCodeNameAndAttributes()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(QStringList, ranges);
        QFETCH(QStringList, found);
        env->exec("insert into Vendor (Id, Code, Name, Blocked, TaxCode) values "
                  "(4, 'V004', 'ขนส่ง 50% จำกัด', 'N', 1), (5, 'V''5', 'O''Brien Freight', 'N', 1), "
                  "(6, 'V006', 'A_B Co', 'N', 1), (7, 'V007', 'AXB Co', 'N', 1), (8, 'V008', 'ขนส่ง 500 จำกัด', 'N', 1)");
        env->exec("insert into VenAttrGroup (Id, Code, Description) values (2, 'XX', 'ภูมิภาค')");
        env->exec("insert into VenAttrCode (VenAttrGroup, Code, Description) values (1, 'ZZ', 'อื่น ๆ'), (2, 'A1', 'เอเชีย')");
        env->exec("insert into VendorAttribute (Vendor, GroupCode) values (4, 'TYZZ'), (4, 'XXA1'), (2, 'XXA1')");
        TFrSearchVendor dlg;
        dlg.show();
        QCOMPARE(dlg.FaSelectVendorAttr->QAttr->RecordCount(), 2);
        typeInto(dlg.Code, code);
        typeInto(dlg.EdName, name);
        // Rows ordered by description: ประเภทผู้ขาย (TY) before ภูมิภาค (XX).
        CachedDataSet* attr = dlg.FaSelectVendorAttr->QAttr;
        QCOMPARE(attr->value(0, "Code").toString(), QStringLiteral("TY"));
        for (int g = 0; g < 2; ++g) {
            attr->setRecNo(g);
            attr->SetField("BeginAttrCode", ranges[2 * g]);
            attr->SetField("EndAttrCode", ranges[2 * g + 1]);
        }
        dlg.BtSearchClick();
        QCOMPARE(column(dlg.QSearch, "CODE"), found);
        // A title click orders by the name.
        if (found.size() > 2) {
            dlg.TitleClick(1);
            QCOMPARE(dlg.QSearch->SQL.last(), QStringLiteral("Order By V.Name"));
        }
    }

    void vendorPickerRefusesBlocked()
    {
        CachedDataSet row(nullptr, "row");
        row.setSQL("Select 0 Id From NullTable");
        row.Open();
        row.Append();
        TFaGetVendor picker;
        picker.bind(&row, "Id");
        picker.show();
        int exits = 0;
        picker.VendorExit = [&] { ++exits; };
        typeInto(picker.Vendor, "V001");
        picker.Vendor->lookup();
        picker.EditExit();
        QCOMPARE(row.FieldByName("Id").toInt(), 1);
        QCOMPARE(picker.QVendor.value("DueDays").toInt(), 30);
        QCOMPARE(picker.QVendor.value("TaxRate").toDouble(), 7.0);
        MessageService::clearShown();
        typeInto(picker.Vendor, "V003");
        picker.Vendor->lookup();
        picker.EditExit();
        QCOMPARE(MessageService::lastText(), QStringLiteral("ระงับการใช้งาน"));
        QVERIFY(picker.Vendor->text().isEmpty());
        QVERIFY(row.FieldByName("Id").isNull());
        QCOMPARE(exits, 2);
    }

    void attributeCodesAndEmployees()
    {
        env->exec("insert into VenAttrCode (VenAttrGroup, Code, Description) values (1, 'P1', 'ลด 50%'), (1, 'P2', 'ลด 500')");
        TFrSearchVenAttrCode codes;
        codes.GroupId = 1;
        codes.show();
        QCOMPARE(codes.QCode->RecordCount(), 4);
        typeInto(codes.EdDesc, "50%");
        codes.Search();
        QCOMPARE(column(codes.QCode, "CODE"), QStringList({"P1"}));
        env->exec("insert into Employee (Code, Name, SurName) values ('E003', 'O''Neil 10%', ''), ('E004', 'O_Neil', '')");
        TFrSearchEmployee emp;
        emp.show();
        QCOMPARE(emp.QSearch->RecordCount(), 4); // searched at once
        QCOMPARE(emp.focusWidget(), emp.Code);
        for (const auto& [typed, code] : {std::pair{QStringLiteral("'Neil"), "E003"}, {QStringLiteral("_"), "E004"},
                                         {QStringLiteral("10%"), "E003"}, {QStringLiteral("สุดา"), "E002"}}) {
            typeInto(emp.Code, typed);
            emp.BtSearchClick();
            QCOMPARE(column(emp.QSearch, "code"), QStringList({QLatin1String(code)}));
        }
    }

    void orderLinesPricesAndHistory()
    {
        // Order lines of a vendor: live orders of the type not received in full, oldest first.
        env->exec("insert into PoHd (Id, DelFlag, PoType, PoNo, PoDate, Vendor, Clear, Total) values "
                  "(2, 'N', 'S', '    PS0000', '2026-01-01 00:00:00', 1, 'N', 5), "
                  "(3, 'N', 'S', '    PS0009', '2026-01-02 00:00:00', 1, 'Y', 5), "
                  "(4, 'N', 'P', '    PP0009', '2026-01-03 00:00:00', 1, 'N', 5)");
        env->exec("insert into PoDt (PoHd, PoRecNo, Product, ProductUnits, Quantity, BackOrder, Fraction, Price, Total, Clear) "
                  "values (2, 1, 12, 28, 2, 2, 1, 100, 200, 'N'), (2, 2, 13, 29, 1, 0, 1, 50, 50, 'Y')");
        TFrSearchPoDt dlg;
        dlg.VendorId = 1;
        dlg.PoType = "S";
        dlg.show();
        QCOMPARE(column(dlg.QHd, "PoNo"), QStringList({"PS0000", "PS0001"}));
        QCOMPARE(column(dlg.QDt, "ProductCode"), QStringList({"S002"}));
        dlg.DgHd->setCurrentIndex(dlg.QHd->index(1, 0));
        QCOMPARE(column(dlg.QDt, "ProductCode"), QStringList({"S001"}));
        QTest::keyClick(dlg.DgDt, Qt::Key_Return);
        QCOMPARE(dlg.ResultId, 1);
        QCOMPARE(dlg.ResultPoNo.trimmed(), QStringLiteral("PS0001"));
        QCOMPARE(dlg.LineValue("Price").toDouble(), 8000.0);

        // Last prices: the ten most recent live bills, newest first; Escape gives nothing.
        for (int i = 1; i <= 12; ++i) {
            env->exec("insert into MrHd (Id, DelFlag, MrType, MrNo, MrDate, Vendor) values (:id, 'N', 'S', :n, :d, :v)",
                      {{"id", 100 + i}, {"n", QStringLiteral("L%1").arg(i)},
                       {"d", QStringLiteral("2026-04-%1 00:00:00").arg(i, 2, 10, QLatin1Char('0'))}, {"v", 1 + i % 2}});
            env->exec("insert into MrDt (MrHd, Product, ProductUnits, Quantity, Price) values (:h, 12, 28, 1, :p)",
                      {{"h", 100 + i}, {"p", 100 + i}});
        }
        TFrLastPriceAll all;
        all.ProductId = 12;
        all.UnitId = 28;
        all.show();
        QCOMPARE(all.QPrice->RecordCount(), 10);
        QCOMPARE(all.QPrice->value(0, "Price").toDouble(), 112.0);
        QCOMPARE(all.QPrice->value(9, "Price").toDouble(), 103.0);
        QTest::keyClick(all.DgPrice, Qt::Key_Return); // swallowed
        QVERIFY(all.isVisible());
        all.DgPrice->setCurrentIndex(all.QPrice->index(1, 0));
        all.accept();
        QCOMPARE(all.Price, 111.0);
        TFrLastPriceListVendor mine;
        mine.ProductId = 12;
        mine.UnitId = 28;
        mine.VendorId = 2;
        mine.show();
        QCOMPARE(column(mine.QPrice, "MrNo"), QStringList({"L11", "L9", "L7", "L5", "L3", "L1"}));
        QTest::keyClick(mine.DgPrice, Qt::Key_Escape);
        QCOMPARE(mine.result(), int(QDialog::Rejected));
        QCOMPARE(mine.Price, 0.0);

        // Purchase history of a product from one vendor: credit and cash bills together.
        TFrPurcHistory h;
        h.ProductId = 12;
        h.VendorId = 2;
        h.show();
        QCOMPARE(h.QHistory->RecordCount(), 7); // six credit bills and the demo cash bill
        QVERIFY(column(h.QHistory, "docno").contains(QStringLiteral("CS%1-00001").arg(QDate::currentDate().year())));
        h.DgHistory->setCurrentIndex(h.QHistory->index(0, 0));
        h.ChooseCurrent();
        QCOMPARE(h.result(), int(QDialog::Accepted));
        QCOMPARE(h.Price, h.QHistory->value(0, "price").toDouble());
    }
};

QTEST_MAIN(TstReceiptSearch)
#include "tst_receiptsearch.moc"
