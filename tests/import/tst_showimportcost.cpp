#include "ImportCostTestDb.h"
#include "app/MessageService.h"
#include "forms/import/ImportCostChart.h"
#include "forms/import/ImportCostModel.h"
#include "forms/import/TFrShowImportCost.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using ImportCostTestDb::exec;

class TestShowImportCost : public QObject {
    Q_OBJECT

private slots:
    void init() { MessageService::setScripted(true); MessageService::clearShown(); }
    void threeEqualProducts();
    void zeroValueLotShowsNote();
    void emptyLot();
    void readFailureIsReported();
    void chartPagesKeepOneScale();

private:
    static QString cell(const TFrShowImportCost& f, int row, int col)
    {
        return f.model()->index(row, col).data().toString();
    }
};

void TestShowImportCost::threeEqualProducts()
{
    QSqlDatabase db = ImportCostTestDb::create();
    const QString longName = QStringLiteral("ผงชาเขียวมัทฉะเกรดพิเศษ 1 กิโลกรัม");
    QVERIFY(exec(db, QStringLiteral("insert into Misc values (3, 'CURRENCY', 'EUR', 'Euro')")));
    QVERIFY(exec(db, QStringLiteral("insert into ProductView values (1, 'T-01', '%1'), (2, 'T-02', 'Two'), "
                                    "(3, 'T-03', 'Three')").arg(longName)));
    QVERIFY(exec(db, QStringLiteral("insert into ImHd values (1, 'N', 5, 3, 37.5)")));
    QVERIFY(exec(db, QStringLiteral("insert into ImDuty values (1, 1, 1, 0)")));
    QVERIFY(exec(db, QStringLiteral("insert into ImDt values (1, 1, 1, 1, 2, 10), (2, 1, 2, 1, 2, 10), "
                                    "(3, 1, 3, 1, 2, 10)")));
    QVERIFY(ImportCostTestDb::addBill(db, "MrHd", 1, 5, "N", 100));

    TFrShowImportCost f(5, db);
    QAbstractItemModelTester tester(f.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester compareTester(f.compareModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.show(); // the first show reads and computes
    QCOMPARE(f.windowTitle(), QStringLiteral("ต้นทุนการนำเข้า"));
    QCOMPARE(f.BPrint->text(), QStringLiteral("พิมพ์ Cost Sheet"));
    QCOMPARE(f.model()->rowCount(), 3);
    QCOMPARE(f.model()->headerData(ImportCostModel::Price, Qt::Horizontal).toString(),
             QStringLiteral("ราคา/หน่วย(EUR)"));
    QCOMPARE(f.model()->headerData(ImportCostModel::Total, Qt::Horizontal).toString(),
             QStringLiteral("รวมเงิน(EUR)"));
    QCOMPARE(f.model()->headerData(ImportCostModel::Cost, Qt::Horizontal).toString(),
             QStringLiteral("ต้นทุน/หน่วย(บาท)"));

    // Each product: 2 units for 10 EUR at 37.5 = 375.00 baht; price 10 / 2 = 5.00 EUR.
    // 100.00 of expenses by thirds -> 33.33 each; landed 33.33 + 375.00 = 408.33;
    // per unit 408.33 / 2 = 204.165, shown to 2 decimals as 204.17.
    QCOMPARE(cell(f, 0, ImportCostModel::Price), QStringLiteral("5.00"));
    QCOMPARE(cell(f, 0, ImportCostModel::Baht), QStringLiteral("375.00"));
    QCOMPARE(cell(f, 0, ImportCostModel::Expense), QStringLiteral("33.33"));
    QCOMPARE(cell(f, 0, ImportCostModel::TotalCost), QStringLiteral("408.33"));
    QCOMPARE(cell(f, 0, ImportCostModel::Cost), QStringLiteral("204.17"));
    QCOMPARE(f.model()->index(0, ImportCostModel::Cost).data(Qt::ToolTipRole).toString(),
             QStringLiteral("204.1650"));
    QVERIFY(!(f.model()->flags(f.model()->index(0, 0)) & Qt::ItemIsEditable));

    // Footer: goods 3 x 10 = 30.00 EUR; baht 3 x 375 = 1,125.00; expenses 3 x 33.33 = 99.99;
    // landed 3 x 408.33 = 1,224.99; no footer under quantity and cost per unit.
    auto footer = [&](int col) { return f.DgFooter->model()->index(0, col).data().toString(); };
    QCOMPARE(footer(ImportCostModel::Total), QStringLiteral("30.00"));
    QCOMPARE(footer(ImportCostModel::Baht), QStringLiteral("1,125.00"));
    QCOMPARE(footer(ImportCostModel::Duty), QStringLiteral("0.00"));
    QCOMPARE(footer(ImportCostModel::Expense), QStringLiteral("99.99"));
    QCOMPARE(footer(ImportCostModel::TotalCost), QStringLiteral("1,224.99"));
    QVERIFY(footer(ImportCostModel::Cost).isEmpty());
    QVERIFY(footer(ImportCostModel::Quantity).isEmpty());
    QVERIFY(f.LbNote->isHidden());

    // The footer follows the grid's column widths.
    f.DgCost->setColumnWidth(ImportCostModel::ThaiName, 321);
    QCOMPARE(f.DgFooter->columnWidth(ImportCostModel::ThaiName), 321);

    // Print data: the long name is cut to its first 20 characters; the grid keeps it whole.
    QCOMPARE(f.CostTable().size(), 3);
    QCOMPARE(f.CostTable()[0].ThaiName, longName.left(20));
    QCOMPARE(f.CostTable()[0].ThaiName.size(), 20);
    QCOMPARE(cell(f, 0, ImportCostModel::ThaiName), longName);
    QCOMPARE(f.CostTable()[2].ThaiName, QStringLiteral("Three"));
    QVERIFY(MessageService::shown().isEmpty());
}

void TestShowImportCost::zeroValueLotShowsNote()
{
    // Free samples (exchange rate 0): expenses 90.00 by quantity 1 : 2 -> 30.00 and 60.00.
    QSqlDatabase db = ImportCostTestDb::create();
    QVERIFY(exec(db, QStringLiteral("insert into ProductView values (1, 'S-1', 'One'), (2, 'S-2', 'Two')")));
    QVERIFY(exec(db, QStringLiteral("insert into ImHd values (1, 'N', 6, 0, 0)")));
    QVERIFY(exec(db, QStringLiteral("insert into ImDuty values (1, 1, 1, 0)")));
    QVERIFY(exec(db, QStringLiteral("insert into ImDt values (1, 1, 1, 1, 1, 5), (2, 1, 2, 1, 2, 5)")));
    QVERIFY(ImportCostTestDb::addBill(db, "PcHd", 1, 6, "N", 90));
    TFrShowImportCost f(6, db);
    f.show();
    QCOMPARE(cell(f, 0, ImportCostModel::Expense), QStringLiteral("30.00"));
    QCOMPARE(cell(f, 1, ImportCostModel::Expense), QStringLiteral("60.00"));
    QVERIFY(!f.LbNote->isHidden());
    QVERIFY(f.LbNote->text().contains(QStringLiteral("ตามจำนวน")));
    QCOMPARE(f.model()->headerData(ImportCostModel::Price, Qt::Horizontal).toString(),
             QStringLiteral("ราคา/หน่วย()")); // no currency row for the document
}

void TestShowImportCost::emptyLot()
{
    QSqlDatabase db = ImportCostTestDb::create();
    QVERIFY(ImportCostTestDb::addBill(db, "MrHd", 1, 4, "N", 100));
    TFrShowImportCost f(4, db);
    f.show();
    QCOMPARE(f.model()->rowCount(), 0);
    QVERIFY(f.CostTable().isEmpty());
    QVERIFY(f.DgFooter->model()->index(0, ImportCostModel::Expense).data().toString().isEmpty());
    QVERIFY(f.LbNote->isHidden());
    QVERIFY(MessageService::shown().isEmpty());
}

void TestShowImportCost::readFailureIsReported()
{
    QSqlDatabase db = ImportCostTestDb::create();
    QVERIFY(exec(db, QStringLiteral("drop table ImDtDuty")));
    TFrShowImportCost f(1, db);
    f.show();
    QCOMPARE(MessageService::shown().size(), 1);
    // Through the error hook: the red dialog, with the driver's words behind it.
    QCOMPARE(MessageService::shown().first().kind, MessageService::Kind::ErrorDialog);
    const MessageService::Shown& s = MessageService::shown().first();
    QVERIFY((s.text + s.details).contains(QStringLiteral("ImDtDuty"), Qt::CaseInsensitive));
    QCOMPARE(f.model()->rowCount(), 0);
}

void TestShowImportCost::chartPagesKeepOneScale()
{
    // 100 products on A4 landscape with 10 mm margins: 190 mm less the title, lot line,
    // heading, legend and gap (8 + 6 + 6 + 6 + 2) and the scale (6) leave 156 mm, 26 rows of
    // 6 mm a page: pages of 26, 26, 26 and 22 products.
    QVector<ImportCostChartBar> bars;
    for (int i = 1; i <= 100; ++i)
        bars.push_back({QStringLiteral("C%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("สินค้า %1").arg(i),
                        100.0 * i, 10, 5});
    ImportCostChartTexts texts;
    texts.Title = QStringLiteral("ต้นทุนการนำเข้า");
    texts.Condition = QStringLiteral("Import Lot No : L1 - test");
    texts.Basis = CostBasis::Volume;
    const QList<ReportPage> pages = ImportCostChart::pages(bars, QSizeF(297, 210), QMarginsF(10, 10, 10, 10), texts);
    QCOMPARE(pages.size(), 4);
    // Every product once, in order; every goods bar on the same baht-to-millimetre scale.
    QStringList codes;
    QList<qreal> mmPerBaht;
    for (const ReportPage& page : pages) {
        QCOMPARE(page.size, QSizeF(297, 210));
        for (const PageItem& item : page.items) {
            if (item.kind == PageItem::Kind::Text && item.text.startsWith(QLatin1Char('C')))
                codes << item.text.section(QLatin1Char(' '), 0, 0);
            if (item.kind == PageItem::Kind::Rect && item.brush == ImportCostChart::segmentColor(0)
                && item.rect.height() > 3.5)
                mmPerBaht << item.rect.width();
            QVERIFY(item.rect.bottom() <= 200.01 && item.rect.right() <= 287.01);
        }
        // Every page states the basis.
        QVERIFY(page.texts().join(QLatin1Char(' ')).contains(QStringLiteral("ปันส่วนค่าใช้จ่ายตามปริมาตร")));
    }
    QCOMPARE(codes.size(), 100);
    for (int i = 0; i < 100; ++i)
        QCOMPARE(codes[i], bars[i].Code);
    QCOMPARE(mmPerBaht.size(), 100);
    for (int i = 0; i < 100; ++i)
        QVERIFY2(qAbs(mmPerBaht[i] / (100.0 * (i + 1)) - mmPerBaht[99] / 10000.0) < 1e-9, qPrintable(QString::number(i)));
}

QTEST_MAIN(TestShowImportCost)
#include "tst_showimportcost.moc"
