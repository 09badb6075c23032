// The layouts shipped in reports/ and the example of docs/report-format.md, filled with data
// the way the program fills them.
#include "print/ReportFunctions.h"
#include "report/ReportExport.h"
#include "report/TReport.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString source(const QString& relative) { return QStringLiteral(NK_SOURCE_DIR "/") + relative; }

std::shared_ptr<MemoryDataSet> costTable(int rows)
{
    auto t = std::make_shared<MemoryDataSet>(
        QStringList{"Code", "ThaiName", "Quantity", "Price", "Total", "Baht", "Duty", "Expense", "TotalCost", "Cost"});
    for (int i = 1; i <= rows; ++i) {
        const double baht = 1000.0 * i;
        t->appendRow({QStringLiteral("A%1").arg(i, 3, 10, QLatin1Char('0')),
                      QStringLiteral("เครื่องยนต์ดีเซลสี่สูบพร้อมอุปกรณ์ครบชุด"), 3.0, 10.0 * i, 30.0 * i, baht, 100.0,
                      33.33, baht + 133.33, (baht + 133.33) / 3});
    }
    return t;
}

void savePicture(const TReport& r, const QString& name)
{
    const QString dir = qEnvironmentVariable("NK_BUILD_DIR");
    if (!dir.isEmpty() && r.pageCount() > 0) ReportExport::toImage(r.prepared().pages[0], dir + QLatin1Char('/') + name, 110);
}
}  // namespace

class TestReportLayouts : public QObject {
    Q_OBJECT
private slots:
    void costSheet();
    void costSheetOfLotWithoutLines();
    void glVoucher();
    void documentedExample();
};

void TestReportLayouts::costSheet()
{
    TReport report;
    QVERIFY(report.loadFromFile(source(QStringLiteral("reports/RP_ShowImportCost.frf"))));
    report.setDataSet(QStringLiteral("CostTable"), costTable(3));
    report.setVariable(QStringLiteral("RPTITLE"), QStringLiteral("'ต้นทุนการนำเข้า'"));
    report.setVariable(QStringLiteral("CONDITION"), QStringLiteral("'Import Lot No : LOT-01 - เรือเที่ยวที่ 1'"));
    report.setVariable(QStringLiteral("PNTDATESET"), QStringLiteral("true"));
    report.setVariable(QStringLiteral("CURRCODE"), QStringLiteral("'USD'"));
    QVERIFY2(report.prepare(), qPrintable(report.lastError()));
    QCOMPARE(report.pageCount(), 1);
    savePicture(report, QStringLiteral("RP_ShowImportCost.png"));
    const QStringList texts = report.prepared().pages[0].texts();
    QCOMPARE(texts.value(0), QStringLiteral("ต้นทุนการนำเข้า"));
    QVERIFY(texts.contains(QStringLiteral("Import Lot No : LOT-01 - เรือเที่ยวที่ 1")));
    QVERIFY(texts.contains(QStringLiteral("รวมเงิน(USD)")));
    // Cut to 20 characters, but not between ส and its vowel ู: 19 are left.
    QVERIFY(texts.contains(QStringLiteral("เครื่องยนต์ดีเซลสี่")));
    QVERIFY(!texts.join(QString()).contains(QStringLiteral("อุปกรณ์ครบชุด")));
    QVERIFY(texts.contains(QStringLiteral("1,044.4433")));  // cost per unit, 4 decimals
    QVERIFY(texts.contains(QStringLiteral("6,000.00")));    // total baht
    QVERIFY(texts.contains(QStringLiteral("99.99")));       // three shares of 33.33
    QVERIFY(texts.contains(QStringLiteral("รวมทั้งสิ้น 3 รายการ")));
}

void TestReportLayouts::costSheetOfLotWithoutLines()
{
    TReport report;
    QVERIFY(report.loadFromFile(source(QStringLiteral("reports/RP_ShowImportCost.frf"))));
    report.setDataSet(QStringLiteral("CostTable"), costTable(0));
    QVERIFY2(report.prepare(), qPrintable(report.lastError()));
    QCOMPARE(report.pageCount(), 1);
    QVERIFY(report.prepared().pages[0].texts().contains(QStringLiteral("รวมทั้งสิ้น 0 รายการ")));
}

void TestReportLayouts::glVoucher()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("gl_layout"));
    db.setDatabaseName(QStringLiteral(":memory:"));
    QVERIFY(db.open());
    QSqlQuery q(db);
    for (const char* sql :
         {"create table glhd (id integer primary key, gldocno text, gldate text, gldesc text, glfromdoctype text,"
          " glfromdocid integer, glfromdocno text, totaldebit real, totalcredit real, posted text)",
          "create table gldt (id integer primary key, glhd integer, glrecno integer, account text, description text,"
          " debit real, credit real)",
          "create table GLAccount (Id integer primary key, Code text, Name text)",
          "insert into GLAccount values (1, '5100-01', 'ค่าใช้จ่ายในการนำเข้า'), (2, '2100-01', 'เจ้าหนี้การค้า')",
          "insert into glhd values (1, 'MR6912-0007', '2026-12-09 00:00:00', 'ค่าใช้จ่ายนำเข้า MR6912-0007', 'MR', 7,"
          " '  MR6912-0007', 1070.0, 1070.0, 'N')",
          "insert into gldt values (1, 1, 1, '5100-01', 'ค่าขนส่ง', 1000.0, 0), (2, 1, 2, '1170-00', 'ภาษีซื้อ', 70.0, 0),"
          " (3, 1, 3, '2100-01', 'ตั้งเจ้าหนี้', 0, 1070.0)",
          "insert into glhd values (2, 'MR6812-0007', '2025-12-09 00:00:00', 'last year', 'MR', 3, 'MR6912-0007', 5, 5, 'Y')",
          "insert into gldt values (4, 2, 1, '5100-01', 'old', 5, 0)"})
        QVERIFY2(q.exec(QString::fromUtf8(sql)), qPrintable(q.lastError().text()));
    TReport report;
    QVERIFY(report.loadFromFile(source(QStringLiteral("reports/Form_GLAuto.frf"))));
    report.setDatabase(db);
    report.setUserFunctions(callReportUserFunction);
    report.setVariable(QStringLiteral("DocNo"), QStringLiteral("'MR6912-0007'"));
    report.setVariable(QStringLiteral("DocYear"), QStringLiteral("2026"));
    report.setVariable(QStringLiteral("PrintCode"), QStringLiteral("'MR-S'"));
    QVERIFY2(report.prepare(), qPrintable(report.lastError()));
    const QStringList texts = report.prepared().pages[0].texts();
    QVERIFY(texts.contains(QStringLiteral("MR6912-0007")));
    QVERIFY(texts.contains(QStringLiteral("09/12/2026")));
    QVERIFY(texts.contains(QStringLiteral("ค่าใช้จ่ายในการนำเข้า - ค่าขนส่ง")));
    QVERIFY(texts.contains(QStringLiteral("ภาษีซื้อ")));  // account without a name: its description
    QCOMPARE(texts.count(QStringLiteral("1,070.00")), 3);  // one credit line and the two totals
    QVERIFY(texts.contains(QStringLiteral("(หนึ่งพันเจ็ดสิบบาทถ้วน)")));
    QVERIFY(!texts.contains(QStringLiteral("old")));  // the other year's voucher
    savePicture(report, QStringLiteral("Form_GLAuto.png"));
}

void TestReportLayouts::documentedExample()
{
    QFile doc(source(QStringLiteral("docs/report-format.md")));
    QVERIFY(doc.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(doc.readAll());
    const int start = text.indexOf(QStringLiteral("```\n# Cost sheet of one import lot."));
    QVERIFY(start > 0);
    const int end = text.indexOf(QStringLiteral("```"), start + 3);
    const QString layout = text.mid(start + 4, end - start - 4);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("doc_example"));
    db.setDatabaseName(QStringLiteral(":memory:"));
    QVERIFY(db.open());
    QSqlQuery q(db);
    QVERIFY(q.exec(QStringLiteral("create table ImportLotNo (Code text, Description text)")));
    QVERIFY(q.exec(QStringLiteral("insert into ImportLotNo values ('LOT-01', 'เรือเที่ยวที่ 1')")));
    TReport report;
    report.setLayout(ReportLayout::parse(layout, QStringLiteral("example.frf")));
    report.setDatabase(db);
    report.setDataSet(QStringLiteral("CostTable"), costTable(30));
    report.setVariable(QStringLiteral("CONDITION"), QStringLiteral("'Import Lot No : LOT-01'"));
    report.setVariable(QStringLiteral("PNTDATESET"), QStringLiteral("false"));
    report.setVariable(QStringLiteral("CURRCODE"), QStringLiteral("'USD'"));
    report.setVariable(QStringLiteral("LOTCODE"), QStringLiteral("'LOT-01'"));
    QVERIFY2(report.prepare(), qPrintable(report.lastError()));
    QVERIFY(report.pageCount() >= 2);
    const QStringList last = report.prepared().pages.last().texts();
    QVERIFY(last.contains(QStringLiteral("รวม 30 รายการ")));
    QVERIFY(last.contains(QStringLiteral("หน้า %1 / %1").arg(report.pageCount())));
    savePicture(report, QStringLiteral("report_format_example.png"));
}

QTEST_MAIN(TestReportLayouts)
#include "tst_reportlayouts.moc"
