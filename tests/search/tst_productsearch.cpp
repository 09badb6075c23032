#include "app/MessageService.h"
#include "data/CachedDataSet.h"
#include "data/TDM.h"
#include "search/SearchQuery.h"
#include "search/TFaSelectProdAttr.h"
#include "search/TFrSearchProductService.h"
#include "search/TFrSearchProdAttrCode.h"
#include "search/TFrSearchUnit.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>
#include <QSqlQuery>
#include <QtTest>
#include "data/DbUtil.h"
#include <memory>

static QStringList codes(SearchQuery* q)
{
    QStringList out;
    for (int r = 0; r < q->RecordCount(); ++r)
        out << q->value(r, QStringLiteral("Code")).toString();
    out.removeDuplicates();
    return out;
}

class TestProductSearch : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

    void setConfig(const QString& assignment)
    {
        env->exec(QStringLiteral("UPDATE Config SET ") + assignment);
        DM->RefreshConfig();
    }
    // Shows a fresh dialog of the given type, searches code and name, returns the codes found.
    QStringList search(TFrSearchProductService& dlg, const QString& code, const QString& name)
    {
        dlg.Code->setText(code);
        dlg.ProductName->setText(name);
        dlg.BtSearchClick();
        return codes(dlg.QSearch);
    }

private slots:
    void init() { env = std::make_unique<TestEnv>(TestEnv::Data::Demo, QDate(2026, 12, 9)); }
    void cleanup()
    {
        MessageService::setDialogHook({});
        env.reset();
    }

    void everyLayoutRuns_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("extraColumn");
        QTest::newRow("0") << 0 << "Remark";
        QTest::newRow("1") << 1 << "Remark";
        QTest::newRow("2") << 2 << "Remark";
        QTest::newRow("3") << 3 << "Remark";
        QTest::newRow("4") << 4 << "Field01";
        QTest::newRow("5") << 5 << "Field01";
        QTest::newRow("6") << 6 << "Qnty";
        QTest::newRow("9") << 9 << "Remark";
    }
    void everyLayoutRuns()
    {
        QFETCH(int, layout);
        QFETCH(QString, extraColumn);
        setConfig(QStringLiteral("SearchProductNo = %1").arg(layout));
        TFrSearchProductService dlg;
        dlg.ProductType = QStringLiteral("P");
        dlg.show();
        QCOMPARE(dlg.QSearch->columns().at(2).field, extraColumn);
        const QStringList found = search(dlg, QStringLiteral("P00"), QString());
        // Goods only: not blocked (P008), not a master code (P009), no services.
        QCOMPARE(found, QStringList({"P001", "P002", "P003", "P004", "P005", "P006", "P007"}));
        dlg.setCurrentRow(0);
        dlg.BtOkClick();
        QCOMPARE(dlg.ResultValue, QStringLiteral("P001"));
    }

    void layoutFourShowsPriceAndStock()
    {
        setConfig(QStringLiteral("SearchProductNo = 4"));
        TFrSearchProductService dlg;
        dlg.show();
        search(dlg, QStringLiteral("P001"), QString());
        for (int r = 0; r < dlg.QSearch->RecordCount(); ++r) {
            if (dlg.QSearch->value(r, QStringLiteral("UnitName")).toString() == QStringLiteral("ชิ้น")) {
                QCOMPARE(dlg.QSearch->fieldText(r, QStringLiteral("Price")), QStringLiteral("8"));
                QCOMPARE(dlg.QSearch->fieldText(r, QStringLiteral("Qnty")), QStringLiteral("330"));
                return;
            }
        }
        QFAIL("no piece row");
    }

    void beginsWithOrContains()
    {
        TFrSearchProductService dlg;
        dlg.show();
        QCOMPARE(search(dlg, QString(), QStringLiteral("สีน้ำเงิน")), QStringList());
        QCOMPARE(search(dlg, QString(), QStringLiteral("ปากกา")), QStringList({"P001"}));
        setConfig(QStringLiteral("SearchProductMethod = 1"));
        dlg.show();
        TFrSearchProductService dlg2;
        dlg2.show();
        QCOMPARE(search(dlg2, QString(), QStringLiteral("สีน้ำเงิน")), QStringList({"P001"}));
        // The code is always a prefix.
        QCOMPARE(search(dlg2, QStringLiteral("01"), QString()), QStringList());
    }

    void layoutFiveMatchesNameWithModel()
    {
        env->exec(QStringLiteral("INSERT INTO ProdAttrGroup (Id, Code, Description, ProductType) VALUES "
                                 "(15, 'MD', 'รุ่น', 'X'), (16, 'BD', 'ยี่ห้อ', 'X')"));
        env->exec(QStringLiteral("INSERT INTO ProdAttrCode (Id, ProdAttrGroup, Code, Description) VALUES "
                                 "(50, 15, 'MX5', 'รุ่น MX5'), (51, 16, 'ACME', 'ACME')"));
        env->exec(QStringLiteral("INSERT INTO ProductAttr (Product, ProdAttrGroup, ProdAttrCode) VALUES (1, 15, 50), (1, 16, 51)"));
        setConfig(QStringLiteral("SearchProductNo = 5"));
        TFrSearchProductService dlg;
        dlg.show();
        QCOMPARE(search(dlg, QString(), QStringLiteral("น้ำเงินMX")), QStringList({"P001"}));
        QCOMPARE(search(dlg, QString(), QStringLiteral("2Bno")), QStringList({"P002"}));
        QCOMPARE(search(dlg, QString(), QStringLiteral("MX5")), QStringList({"P001"}));
        QCOMPARE(dlg.QSearch->value(0, QStringLiteral("Field02")).toString(), QStringLiteral("ACME"));
        QCOMPARE(search(dlg, QString(), QStringLiteral("ACME")), QStringList());
    }

    void attributeRanges()
    {
        env->exec(QStringLiteral("INSERT INTO ProductAttribute (Product, GroupCode) VALUES "
                                 "(1, 'BRA1'), (2, 'BRA10'), (3, 'BRA2'), (6, 'CLRED')"));
        TFrSearchProductService dlg;
        dlg.ProductType = QStringLiteral("P");
        dlg.show();
        CachedDataSet* attr = dlg.FaSelectProdAttr->QAttr;
        QCOMPARE(attr->RecordCount(), 2); // ยี่ห้อ, สี
        QVERIFY(attr->Locate(QStringLiteral("Code"), QStringLiteral("BR")));
        // From only: exactly that code, not the codes it begins.
        attr->SetField(QStringLiteral("BeginAttrCode"), QStringLiteral(" A1 "));
        QCOMPARE(search(dlg, QString(), QString()), QStringList({"P001"}));
        attr->SetField(QStringLiteral("EndAttrCode"), QStringLiteral("A2"));
        QCOMPARE(search(dlg, QString(), QString()), QStringList({"P001", "P002", "P003"}));
        // Ranges of two groups must both hold.
        QVERIFY(attr->Locate(QStringLiteral("Code"), QStringLiteral("CL")));
        attr->SetField(QStringLiteral("BeginAttrCode"), QStringLiteral("RED"));
        QCOMPARE(search(dlg, QString(), QString()), QStringList());
        // A typed quote is a character of the code.
        attr->SetField(QStringLiteral("BeginAttrCode"), QStringLiteral("R'D"));
        QCOMPARE(search(dlg, QString(), QString()), QStringList());
    }

    void attributeCodePicker()
    {
        TFrSearchProductService dlg;
        dlg.ProductType = QStringLiteral("P");
        dlg.show();
        CachedDataSet* attr = dlg.FaSelectProdAttr->QAttr;
        QVERIFY(attr->Locate(QStringLiteral("Code"), QStringLiteral("BR")));
        const int row = attr->RecNo();
        QStringList listed;
        MessageService::setDialogHook([&](QDialog* d) {
            auto* s = qobject_cast<TFrSearchProdAttrCode*>(d);
            s->show();
            for (int r = 0; r < s->QCode->RecordCount(); ++r)
                listed << s->QCode->value(r, QStringLiteral("Code")).toString();
            s->DgCode->setCurrentIndex(s->QCode->index(listed.size() - 1, 0));
            s->accept();
            return s->result();
        });
        dlg.FaSelectProdAttr->PickCode(row, QStringLiteral("EndAttrCode"));
        const QStringList expected = [&] {
            QStringList l;
            QSqlQuery q = Db::exec(DM->DMdata(), QStringLiteral("SELECT Code FROM ProdAttrCode WHERE ProdAttrGroup = 1 ORDER BY Code"));
            while (q.next())
                l << q.value(0).toString();
            return l;
        }();
        QVERIFY(!expected.isEmpty());
        QCOMPARE(listed, expected);
        QCOMPARE(attr->value(row, QStringLiteral("EndAttrCode")).toString(), expected.last());
    }

    void typeFilter()
    {
        // An empty letter: every type, nothing locked, no item chosen.
        TFrSearchProductService dlg;
        dlg.show();
        QVERIFY(dlg.SelectProductType->isEnabled());
        QCOMPARE(dlg.TypeItem(), -1);
        QCOMPARE(search(dlg, QString(), QString()).size(), 13);
        dlg.SelectProductTypeClick(1);
        QCOMPARE(dlg.TypeLetter, QStringLiteral("S"));
        QCOMPARE(search(dlg, QString(), QString()), QStringList({"S001", "S002", "S003"}));
        dlg.SelectProductTypeClick(2);
        QVERIFY(!dlg.FaSelectProdAttr->isEnabled());
        QCOMPARE(search(dlg, QString(), QString()), QStringList({"M001", "M002"}));

        // A given letter selects and locks.
        TFrSearchProductService misc;
        misc.ProductType = QStringLiteral("M");
        misc.show();
        QVERIFY(!misc.SelectProductType->isEnabled());
        QVERIFY(!misc.FaSelectProdAttr->isEnabled());
        QCOMPARE(misc.TypeItem(), 2);
        TFrSearchProductService both;
        both.ProductType = QStringLiteral("B");
        both.show();
        QCOMPARE(both.TypeItem(), 0);
        QCOMPARE(both.FaSelectProdAttr->QAttr->RecordCount(), 2); // groups of type P
    }

    void blockedAndMasterInputs()
    {
        TFrSearchProductService dlg;
        dlg.IncludeBlocked = true;
        dlg.MasterCode = QString();
        dlg.show();
        QVERIFY(search(dlg, QStringLiteral("P00"), QString()).contains(QStringLiteral("P008")));
        QVERIFY(!codes(dlg.QSearch).contains(QStringLiteral("P009")));
        dlg.MasterCode = QStringLiteral("Y");
        QCOMPARE(search(dlg, QStringLiteral("P00"), QString()), QStringList({"P009"}));
    }

    void showLastSearch()
    {
        setConfig(QStringLiteral("ShowLastSearch = 'Y'"));
        {
            TFrSearchProductService dlg;
            dlg.show();
            QVERIFY(QTest::qWaitForWindowActive(&dlg));
            dlg.ProductName->setFocus();
            dlg.ProductName->setText(QStringLiteral("ดินสอ"));
            dlg.Code->setFocus(); // leaving the name keeps it
        }
        TFrSearchProductService again;
        again.show();
        QCOMPARE(again.ProductName->text(), QStringLiteral("ดินสอ"));
        again.SelectProductTypeClick(0);
        QCOMPARE(again.ProductName->text(), QStringLiteral("ดินสอ"));
        setConfig(QStringLiteral("ShowLastSearch = 'N'"));
        TFrSearchProductService off;
        off.show();
        QCOMPARE(off.ProductName->text(), QString());
    }

    void quoteInTheName()
    {
        env->exec(QStringLiteral("INSERT INTO Product (Code, ThaiName, ProductType, TaxCode, DefaultWh) "
                                 "VALUES ('Q001', 'Kid''s pencil', 'P', 1, 1)"));
        setConfig(QStringLiteral("SearchProductMethod = 1"));
        TFrSearchProductService dlg;
        dlg.show();
        QCOMPARE(search(dlg, QString(), QStringLiteral("d's p")), QStringList({"Q001"}));
        QCOMPARE(search(dlg, QStringLiteral("'"), QStringLiteral("') Or ('a'='a")), QStringList());
    }

    void pictures()
    {
        const QString folder = DM->ConfigText(QStringLiteral("PicturePath"));
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(TFrSearchProductService::pictureFolder(QStringLiteral(" C:\\pics\\ ")), QStringLiteral("C:\\pics"));
        QVERIFY(!TFrSearchProductService::pictureFile(folder, QStringLiteral("P001.jpg")).isEmpty());
        QVERIFY(TFrSearchProductService::pictureFile(folder, QStringLiteral("P009.jpg")).isEmpty());
        // A short name shows nothing, even when such a file exists.
        QFile::copy(QDir(folder).filePath(QStringLiteral("P001.jpg")), QDir(folder).filePath(QStringLiteral("abc")));
        QVERIFY(TFrSearchProductService::pictureFile(folder, QStringLiteral("abc")).isEmpty());
        QVERIFY(TFrSearchProductService::pictureFile(folder + QStringLiteral("/"), QStringLiteral(" P001.jpg ")).size() > 0);

        TFrSearchProductService dlg;
        dlg.show();
        search(dlg, QStringLiteral("P00"), QString());
        QTest::keyClick(dlg.DgSearch, Qt::Key_F12);
        QVERIFY(dlg.PnPicture->isVisible());
        dlg.setCurrentRow(0);
        QVERIFY(!dlg.ImgPicture->pixmap().isNull());
        QVERIFY(dlg.ImgPicture->toolTip().startsWith(QStringLiteral("Files : ")));
        QVERIFY(dlg.ImgPicture->toolTip().endsWith(QStringLiteral("P001.jpg")));
        dlg.setCurrentRow(4); // P005 has no picture
        QVERIFY(dlg.ImgPicture->isHidden());
        QCOMPARE(dlg.ImgPicture->toolTip(), QString());
        QTest::keyClick(dlg.DgSearch, Qt::Key_F12);
        QVERIFY(!dlg.PnPicture->isVisible());
        // The key is shown on screen by a button doing the same.
        QVERIFY(dlg.BtPicture->isVisible() && dlg.BtPicture->text().contains(QStringLiteral("F12")));
        dlg.BtPicture->click();
        QVERIFY(dlg.PnPicture->isVisible() && dlg.BtPicture->isChecked());
        QTest::keyClick(dlg.DgSearch, Qt::Key_F12);
        QVERIFY(!dlg.BtPicture->isChecked());
    }

    void keys()
    {
        TFrSearchProductService dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QVERIFY(dlg.ProductName->hasFocus());
        QTest::keyClick(dlg.ProductName, Qt::Key_F2);
        QVERIFY(dlg.Code->hasFocus());
        dlg.ProductName->setFocus();
        dlg.ProductName->setText(QStringLiteral("ดินสอ"));
        QTest::keyClick(dlg.ProductName, Qt::Key_Return);
        QCOMPARE(codes(dlg.QSearch), QStringList({"P002"}));
        QVERIFY(dlg.DgSearch->hasFocus());
        QTest::keyClick(dlg.DgSearch, Qt::Key_F1);
        QVERIFY(dlg.Code->hasFocus());
        // Tab: code, then name.
        QTest::keyClick(dlg.Code, Qt::Key_Tab);
        QVERIFY(dlg.ProductName->hasFocus());
        QTest::keyClick(dlg.ProductName, Qt::Key_Backtab);
        QVERIFY(dlg.Code->hasFocus());
    }

    // A picture of the dialog for a person to look at, under the build folder.
    void screenshot()
    {
        TFrSearchProductService dlg;
        dlg.ProductType = QStringLiteral("P");
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        search(dlg, QStringLiteral("P00"), QString());
        dlg.TogglePicture();
        dlg.setCurrentRow(2);
        const QString dir = qEnvironmentVariable("NK_BUILD_DIR", QDir::tempPath());
        QVERIFY(dlg.grab().save(QDir(dir).filePath(QStringLiteral("productsearch.png"))));
        QVERIFY(!dlg.ImgPicture->pixmap().isNull());
    }

    void unitSearch()
    {
        TFrSearchUnit dlg;
        dlg.ProductId = 1;
        dlg.ForPurc = true;
        dlg.show();
        QCOMPARE(dlg.QUnit->RecordCount(), 3);
        QCOMPARE(dlg.QUnit->value(0, QStringLiteral("UnitName")).toString(), QStringLiteral("ชิ้น"));
        QCOMPARE(dlg.QUnit->value(2, QStringLiteral("UnitName")).toString(), QStringLiteral("ลัง"));
        QCOMPARE(dlg.QUnit->value(1, QStringLiteral("SalePrice")).toDouble(), 90.0);
        dlg.DgUnit->setCurrentIndex(dlg.QUnit->index(1, 0));
        dlg.accept();
        QCOMPARE(dlg.ResultUnitName, QStringLiteral("กล่อง"));

        TFrSearchUnit sale;
        sale.ProductId = 1;
        sale.ForSale = true;
        sale.show();
        QCOMPARE(sale.QUnit->RecordCount(), 2);
        TFrSearchUnit none;
        none.ProductId = 999;
        none.ForPurc = true;
        none.show();
        none.accept();
        QCOMPARE(none.result(), int(QDialog::Rejected));
        QCOMPARE(none.ResultUnitName, QString());
    }
};

QTEST_MAIN(TestProductSearch)
#include "tst_productsearch.moc"
