// The report engine end to end: layouts with Thai text prepared into pages, page breaks and
// repeated headers, groups and totals, data sets, exports, printing and the preview.
#include "app/MessageService.h"
#include "report/ReportExport.h"
#include "report/ReportPdfText.h"
#include "report/ReportPreview.h"
#include "report/ReportRenderer.h"
#include "report/TReport.h"

#include <QPrinter>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBoundaryFinder>
#include <QToolButton>

namespace {

const char* kCostLayout = R"(# cost sheet used by the tests
report title="Cost sheet" page=A4 margins=10,10,10,10 font="Noto Sans Thai" size=10
variable RPTITLE = 'รายงานต้นทุนการนำเข้า'
dataset CostTable memory

band PageHeader height=20
  text x=0 y=0 w=190 h=8 size=14 bold align=center : [RPTITLE]
  text x=0 y=9 w=100 h=5 : Page [PAGE#] of [TOTALPAGES]
  text x=0 y=14 w=30 h=6 frame=all : รหัส
  text x=30 y=14 w=80 h=6 frame=all : ชื่อสินค้า
  text x=110 y=14 w=40 h=6 frame=all align=right : รวมเงิน(บาท)
band MasterData dataset=CostTable height=6
  text x=0 y=0 w=30 h=6 frame=left,right : [CostTable."Code"]
  text x=30 y=0 w=80 h=6 frame=left,right : [CostTable."ThaiName"]
  text x=110 y=0 w=40 h=6 frame=left,right align=right format="#,##0.00" : [CostTable."Total"]
band Summary height=8
  text x=0 y=0 w=110 h=6 : รวมทั้งสิ้น [COUNT()] รายการ
  text x=110 y=0 w=40 h=6 align=right format="#,##0.00" : [SUM([CostTable."Total"])]
band PageFooter height=8
  text x=0 y=0 w=190 h=6 align=right : หน้า [PAGE#]
)";

std::shared_ptr<MemoryDataSet> costTable(int rows)
{
    auto t = std::make_shared<MemoryDataSet>(QStringList{"Code", "ThaiName", "Total"});
    const QStringList names{QStringLiteral("ผ้าไหมไทย"), QStringLiteral("น้ำปลาแท้"), QStringLiteral("เครื่องยนต์ดีเซล")};
    for (int i = 1; i <= rows; ++i)
        t->appendRow({QStringLiteral("P%1").arg(i, 4, 10, QLatin1Char('0')), names[i % 3], 1234.5 * i + 0.25});
    return t;
}

ReportLayout costLayout() { return ReportLayout::parse(QString::fromUtf8(kCostLayout), QStringLiteral("Cost.frf")); }

bool prepareCost(TReport& report, int rows)
{
    report.setLayout(costLayout());
    report.setDataSet(QStringLiteral("CostTable"), costTable(rows));
    return report.prepare();
}

QString tool(const QString& name) { return QStandardPaths::findExecutable(name); }

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(tool(program), args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& pdf)
{
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    for (const QString& line : info.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:"))) return line.mid(6).trimmed().toInt();
    return -1;
}

QString pdfPageText(const QString& pdf, int page)
{
    return run(QStringLiteral("pdftotext"),
               {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page),
                QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

// Words of every Thai consonant with each vowel above and below it and each tone mark, alone
// and stacked, and with SARA AM: the texts a PDF's text layer most easily loses.
QString thaiMarks()
{
    QStringList words;
    const QList<char16_t> marks{0x0E31, 0x0E34, 0x0E35, 0x0E36, 0x0E37, 0x0E38, 0x0E39, 0x0E47,
                                0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C};
    for (char16_t c = 0x0E01; c <= 0x0E2E; ++c) {
        if (c == 0x0E24 || c == 0x0E26) continue;  // RU and LU are vowels: no marks over them
        QString w;
        for (char16_t m : marks) w += QString(QChar(c)) + QChar(m);
        for (char16_t t : {0x0E48, 0x0E49})
            w += QString(QChar(c)) + QChar(0x0E35) + QChar(t) + QChar(c) + QChar(0x0E38) + QChar(t) + QChar(c) + QChar(t) + QChar(0x0E33);
        words << w;
    }
    return words.join(QLatin1Char(' '));
}

QString withoutBlanks(QString s)
{
    s.remove(QRegularExpression(QStringLiteral("\\s")));
    return s;
}

const PageItem* findRun(const ReportPage& page, const QString& text)
{
    for (const PageItem& i : page.items)
        if (i.kind == PageItem::Kind::Text && i.text == text) return &i;
    return nullptr;
}

}  // namespace

class TestReportEngine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void thaiLayoutGivesTextRuns();
    void masterBandOf200RowsBreaksPagesAndRepeatsHeaders();
    void thaiParagraphWrapsAtWordBoundaries();
    void groupsPrintHeadersFootersAndTotals();
    void groupPageBreaksLeaveNoEmptyPage();
    void sqlDataSetBindsVariables();
    void userFunctionsInRenderedReport();
    void prepareReportsErrorsWithPosition();
    void loadFromFileReportsMissingFile();
    void pdfExportEmbedsFontsAndExtracts();
    void pdfTextLayerKeepsEveryThaiMark_data();
    void pdfTextLayerKeepsEveryThaiMark();
    void pdfTextLayerWhenCompressedContentsEndInLineEnd();
    void latinCellsMeasureAsLaidOut();
    void pageLimit();
    void damagedPreparedReports_data();
    void damagedPreparedReports();
    void previewFitsTheScreenAndShowsItsZoom();
    void printSequence_data();
    void printSequence();
    void printsPageSetsAndCopiesToPdfPrinter();
    void rtfAndCsvExports();
    void preparedReportSavesAndLoads();
    void previewButtons();
    void previewFindsText();
    void showPreviewRunsThroughMessageService();
    void barcodeAndShapes();
    void richTextAndPictures();
    void renderedPageImage();

private:
    QTemporaryDir m_dir;
};

void TestReportEngine::initTestCase() { QVERIFY(m_dir.isValid()); }

void TestReportEngine::thaiLayoutGivesTextRuns()
{
    TReport report;
    QVERIFY2(prepareCost(report, 3), qPrintable(report.lastError()));
    QCOMPARE(report.pageCount(), 1);
    const ReportPage& page = report.prepared().pages[0];
    const QStringList texts = page.texts();
    QCOMPARE(texts.value(0), QStringLiteral("รายงานต้นทุนการนำเข้า"));
    QVERIFY(texts.contains(QStringLiteral("Page 1 of 1")));
    QVERIFY(texts.contains(QStringLiteral("น้ำปลาแท้")));
    QVERIFY(texts.contains(QStringLiteral("เครื่องยนต์ดีเซล")));
    QVERIFY(texts.contains(QStringLiteral("1,234.75")));
    QVERIFY(texts.contains(QStringLiteral("3,703.75")));
    // 1234.75 + 2469.25 + 3703.75 added as decimals
    QVERIFY(texts.contains(QStringLiteral("7,407.75")));
    QVERIFY(texts.contains(QStringLiteral("รวมทั้งสิ้น 3 รายการ")));
    QVERIFY(texts.contains(QStringLiteral("หน้า 1")));
    // Right-aligned amounts end at the column's right edge less the padding.
    const PageItem* amount = findRun(page, QStringLiteral("1,234.75"));
    QVERIFY(amount);
    QVERIFY(qAbs(amount->rect.right() - (10 + 150 - 0.5)) < 0.05);
    // The first data row sits right under the page header.
    const PageItem* code = findRun(page, QStringLiteral("P0001"));
    QVERIFY(code && code->rect.top() >= 30 && code->rect.bottom() <= 36);
    // The page footer sits at the bottom margin.
    const PageItem* footer = findRun(page, QStringLiteral("หน้า 1"));
    QVERIFY(footer && footer->rect.top() >= 297 - 10 - 8);
}

void TestReportEngine::masterBandOf200RowsBreaksPagesAndRepeatsHeaders()
{
    TReport report;
    QVERIFY2(prepareCost(report, 200), qPrintable(report.lastError()));
    // 277 mm printable, less the 20 mm header and 8 mm footer: 41 rows of 6 mm a page.
    const int perPage = int((297 - 20 - 20 - 8) / 6);
    const int pages = (200 + perPage - 1) / perPage;
    QCOMPARE(report.pageCount(), pages);
    QStringList codes;
    for (int p = 0; p < pages; ++p) {
        const QStringList texts = report.prepared().pages[p].texts();
        QCOMPARE(texts.count(QStringLiteral("รายงานต้นทุนการนำเข้า")), 1);
        QCOMPARE(texts.count(QStringLiteral("รหัส")), 1);
        QVERIFY(texts.contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages)));
        QCOMPARE(texts.last(), QStringLiteral("หน้า %1").arg(p + 1));
        int onPage = 0;
        for (const QString& t : texts)
            if (t.startsWith(QLatin1Char('P')) && t.size() == 5) {
                codes << t;
                ++onPage;
            }
        if (p < pages - 1) QCOMPARE(onPage, perPage);
        for (const PageItem& i : report.prepared().pages[p].items)
            QVERIFY2(i.rect.bottom() <= 297 - 10 + 0.01, qPrintable(i.text));
    }
    QCOMPARE(codes.size(), 200);
    QCOMPARE(codes.first(), QStringLiteral("P0001"));
    QCOMPARE(codes.last(), QStringLiteral("P0200"));
    QVERIFY(report.prepared().pages.last().texts().contains(QStringLiteral("รวมทั้งสิ้น 200 รายการ")));
}

void TestReportEngine::thaiParagraphWrapsAtWordBoundaries()
{
    const QString paragraph = QStringLiteral(
        "บริษัทได้นำเข้าสินค้าจากต่างประเทศเพื่อจำหน่ายในประเทศไทยโดยชำระค่าอากรขาเข้าและค่าใช้จ่ายในการนำเข้าครบถ้วนแล้ว"
        "ต้นทุนสินค้าต่อหน่วยคำนวณจากมูลค่าสินค้ารวมกับค่าอากรและค่าใช้จ่ายที่ปันส่วนตามมูลค่า");
    const QString text = QStringLiteral(
        "report page=A4 margins=10,10,10,10\n"
        "band ReportTitle height=10 stretch\n"
        "  text x=0 y=0 w=60 h=6 stretch frame=all : %1\n"
        "  text x=60 y=0 w=30 h=10 frame=all align=middle : ข้าง\n"
        "band Summary height=6\n"
        "  text x=0 y=0 w=60 h=6 : END\n").arg(paragraph);
    TReport report;
    report.setLayout(ReportLayout::parse(text));
    QVERIFY2(report.prepare(), qPrintable(report.lastError()));
    const ReportPage& page = report.prepared().pages[0];
    QStringList lines;
    qreal lastBottom = 0;
    for (const PageItem& i : page.items) {
        if (i.kind != PageItem::Kind::Text || i.text == QLatin1String("END") || i.text == QStringLiteral("ข้าง")) continue;
        lines << i.text;
        QVERIFY2(i.rect.width() <= 59.0 + 0.01, qPrintable(i.text));
        lastBottom = std::max(lastBottom, i.rect.bottom());
    }
    QVERIFY2(lines.size() >= 4, qPrintable(lines.join(QLatin1Char('|'))));
    QVERIFY2(lines.join(QString()) == paragraph, qPrintable(lines.join(QLatin1Char(0x7c))));  // nothing lost or repeated
    // Every line starts where Thai line breaking allows a break (never inside a word, never
    // before a vowel or tone mark).
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, paragraph);
    int pos = 0;
    for (const QString& l : lines) {
        if (pos > 0) {
            finder.setPosition(pos);
            QVERIFY2(finder.isAtBoundary(), qPrintable(QStringLiteral("break before \"%1\"").arg(l)));
            QVERIFY(!l[0].isMark());
        }
        pos += l.size();
    }
    // The band grew: the summary prints below the last line.
    const PageItem* end = findRun(page, QStringLiteral("END"));
    QVERIFY(end);
    QVERIFY(end->rect.top() >= lastBottom);
    // The neighbouring cell reaching the band's bottom grew with it: its frame stays closed.
    qreal neighbourBottom = 0, paragraphBottom = 0;
    for (const PageItem& i : page.items) {
        if (i.kind != PageItem::Kind::Line) continue;
        if (qAbs(i.p1.x() - 100) < 0.01) neighbourBottom = std::max(neighbourBottom, i.rect.bottom());
        if (qAbs(i.p1.x() - 10) < 0.01) paragraphBottom = std::max(paragraphBottom, i.rect.bottom());
    }
    QVERIFY(paragraphBottom > 40);
    QCOMPARE(neighbourBottom, paragraphBottom);
    const PageItem* side = findRun(page, QStringLiteral("ข้าง"));
    QVERIFY(side && side->rect.top() > 20);  // middle of the grown cell
    const QString dir = qEnvironmentVariable("NK_BUILD_DIR");
    if (!dir.isEmpty()) ReportExport::toImage(page, dir + QStringLiteral("/report_wrap.png"), 110);
}

void TestReportEngine::groupsPrintHeadersFootersAndTotals()
{
    const QString text = QStringLiteral(
        "report page=A5\n"
        "dataset Lines memory\n"
        "band GroupHeader group=[Lines.\"Duty\"] height=6\n"
        "  text x=0 y=0 w=60 h=6 : Group [Lines.\"Duty\"]\n"
        "band MasterData dataset=Lines height=5\n"
        "  text x=0 y=0 w=40 h=5 : [LINE#]. [Lines.\"Amount\"]\n"
        "band GroupFooter height=6\n"
        "  text x=0 y=0 w=60 h=6 : Sum [Lines.\"Duty\"] = [SUM(Lines.\"Amount\")]\n"
        "band Summary height=6\n"
        "  text x=0 y=0 w=60 h=6 : Total [SUM(Lines.\"Amount\")] avg [ROUND(AVG(Lines.Amount), 2)] max [MAX(Lines.Amount)]\n");
    auto lines = std::make_shared<MemoryDataSet>(QStringList{"Duty", "Amount"});
    lines->appendRow({"A", 0.1});
    lines->appendRow({"A", 0.2});
    lines->appendRow({"B", 10.05});
    lines->appendRow({"C", 1});
    lines->appendRow({"C", 2});
    TReport report;
    report.setLayout(ReportLayout::parse(text));
    report.setDataSet(QStringLiteral("lines"), lines);
    QVERIFY2(report.prepare(), qPrintable(report.lastError()));
    QCOMPARE(report.prepared().pages[0].texts(),
             (QStringList{"Group A", "1. 0.1", "2. 0.2", "Sum A = 0.3", "Group B", "3. 10.05", "Sum B = 10.05", "Group C",
                          "4. 1", "5. 2", "Sum C = 3", "Total 13.35 avg 2.67 max 10.05"}));
}

void TestReportEngine::groupPageBreaksLeaveNoEmptyPage()
{
    const QString text = QStringLiteral(
        "report page=A5\n"
        "dataset Lines memory\n"
        "band PageFooter height=6\n"
        "  text x=0 y=0 w=60 h=6 : page total [SUM(Lines.Amount)]\n"
        "band GroupHeader group=[Lines.Duty] height=6\n"
        "  text x=0 y=0 w=60 h=6 : Group [Lines.Duty]\n"
        "band MasterData dataset=Lines height=5\n"
        "  text x=0 y=0 w=40 h=5 : [Lines.Amount]\n"
        "band GroupFooter height=6 newpage=after\n"
        "  text x=0 y=0 w=60 h=6 : end [Lines.Duty]\n");
    auto lines = std::make_shared<MemoryDataSet>(QStringList{"Duty", "Amount"});
    lines->appendRow({"A", 1.5});
    lines->appendRow({"A", 2});
    lines->appendRow({"B", 4});
    TReport report;
    report.setLayout(ReportLayout::parse(text));
    report.setDataSet(QStringLiteral("Lines"), lines);
    QVERIFY2(report.prepare(), qPrintable(report.lastError()));
    QCOMPARE(report.pageCount(), 2);
    QCOMPARE(report.prepared().pages[0].texts(), (QStringList{"Group A", "1.5", "2", "end A", "page total 3.5"}));
    QCOMPARE(report.prepared().pages[1].texts(), (QStringList{"Group B", "4", "end B", "page total 4"}));
}

void TestReportEngine::sqlDataSetBindsVariables()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("report_sql"));
    db.setDatabaseName(QStringLiteral(":memory:"));
    QVERIFY(db.open());
    QSqlQuery q(db);
    QVERIFY(q.exec(QStringLiteral("create table ImHd (ImNo text, Vendor text, Total numeric)")));
    QVERIFY(q.exec(QStringLiteral("insert into ImHd values ('IM-1', 'Acme', 10), ('O''Neil', 'บริษัท ก', 20)")));
    const QString text = QStringLiteral(
        "report\n"
        "dataset Hd sql : select ImNo, Vendor, Total from ImHd\n"
        "  | where ImNo = :DocNo\n"
        "band ReportTitle height=6\n"
        "  text x=0 y=0 w=100 h=6 : [Hd.\"Vendor\"] [Hd.Total] [SQL('select count(*) from ImHd where Total > ?', 5)]\n");
    TReport report;
    report.setDatabase(db);
    report.setLayout(ReportLayout::parse(text));
    report.setVariable(QStringLiteral("DocNo"), QStringLiteral("'O''Neil'"));
    QVERIFY2(report.prepare(), qPrintable(report.lastError()));
    QCOMPARE(report.prepared().pages[0].texts(), QStringList{QStringLiteral("บริษัท ก 20 2")});
    // The table is intact: the quote was a value, not statement text.
    QVERIFY(q.exec(QStringLiteral("select count(*) from ImHd")) && q.next());
    QCOMPARE(q.value(0).toInt(), 2);
}

void TestReportEngine::userFunctionsInRenderedReport()
{
    const QString text = QStringLiteral(
        "report\n"
        "band ReportTitle height=12\n"
        "  text x=0 y=0 w=150 h=6 : ([TELL_REAL_THAI(1250.50, 2)])\n"
        "  text x=0 y=6 w=150 h=6 : [TELL_REAL_ENG(Amount, 2)]\n");
    TReport report;
    report.setLayout(ReportLayout::parse(text));
    report.setVariable(QStringLiteral("Amount"), QStringLiteral("21"));
    QVariantList seen;
    report.setUserFunctions([&](const QString& name, const QVariantList& args, QVariant& result) {
        seen << name << args;
        if (name == QLatin1String("TELL_REAL_THAI")) {
            result = args.value(0).toDouble() == 1250.5 ? QStringLiteral("หนึ่งพันสองร้อยห้าสิบบาทห้าสิบสตางค์") : QString();
            return true;
        }
        if (name == QLatin1String("TELL_REAL_ENG")) {
            result = QStringLiteral("TWENTY ONE  BAHT  ONLY");
            return true;
        }
        return false;
    });
    QVERIFY2(report.prepare(), qPrintable(report.lastError()));
    QCOMPARE(report.prepared().pages[0].texts(),
             (QStringList{QStringLiteral("(หนึ่งพันสองร้อยห้าสิบบาทห้าสิบสตางค์)"), QStringLiteral("TWENTY ONE  BAHT  ONLY")}));
    QCOMPARE(seen.value(0).toString(), QStringLiteral("TELL_REAL_THAI"));
    QCOMPARE(seen.value(2).toInt(), 2);
}

void TestReportEngine::prepareReportsErrorsWithPosition()
{
    TReport report;
    report.setLayout(ReportLayout::parse(QStringLiteral("report\nband ReportTitle height=5\n  text x=0 y=0 w=9 h=5 : A [Nope]"),
                                         QStringLiteral("E.frf")));
    QVERIFY(!report.prepare());
    QVERIFY2(report.lastError().startsWith(QStringLiteral("E.frf:3:29: ReportTitle band, text object 1: Unknown name")),
             qPrintable(report.lastError()));
    QCOMPARE(report.pageCount(), 0);
}

void TestReportEngine::latinCellsMeasureAsLaidOut()
{
    // Numbers and codes are measured without a text layout; a line break sends the same text
    // through the layout, and both must agree.
    const QFont font = reportQFont({}, {QStringLiteral("Noto Sans Thai"), 9});
    for (const QString& text : {QStringLiteral("P0001"), QStringLiteral("1,234.50"), QStringLiteral("Total 12 (USD)"), QStringLiteral("A-1/2")}) {
        const ReportTextLine fast = layoutReportText(text, font, 40, true).value(0);
        const ReportTextLine laid = layoutReportText(text + QLatin1Char('\n'), font, 40, true).value(0);
        QCOMPARE(fast.text, laid.text);
        QVERIFY2(qAbs(fast.width - laid.width) < 1e-6, qPrintable(text));
        QVERIFY2(qAbs(fast.ascent - laid.ascent) < 1e-6 && qAbs(fast.height - laid.height) < 1e-6, qPrintable(text));
    }
}

void TestReportEngine::pageLimit()
{
    // A preparation stops at the page limit instead of filling memory.
    ReportEnvironment env;
    env.dataSets.insert(QStringLiteral("costtable"), costTable(200));
    env.maxPages = 3;
    try {
        prepareReport(costLayout(), env);
        QFAIL("no error");
    } catch (const ReportError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("more than 3 pages")), qPrintable(e.message()));
    }
    env.maxPages = 5;
    QCOMPARE(prepareReport(costLayout(), env).pages.size(), 5);
}

void TestReportEngine::damagedPreparedReports_data()
{
    // Files with one value changed, as a damaged disk or another program leaves them.
    QTest::addColumn<int>("field");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("says");
    QTest::newRow("pen style") << 0 << qint64(99) << "pen style 99";
    QTest::newRow("item kind") << 1 << qint64(42) << "kind 42";
    QTest::newRow("item count") << 2 << qint64(0x7fffffff) << "count 2147483647";
    QTest::newRow("page count") << 3 << qint64(-5) << "count -5";
    QTest::newRow("points of a polygon") << 4 << qint64(0x40000000) << "count 1073741824";
    QTest::newRow("paper size") << 5 << qint64(1000000000) << "paper size";
}

void TestReportEngine::damagedPreparedReports()
{
    QFETCH(int, field);
    QFETCH(qint64, value);
    QFETCH(QString, says);
    // One page with one line, written field by field as the engine writes it.
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_0);
    s << quint32(0x4e4b5250) << quint32(3) << QStringLiteral("t") << qint32(field == 3 ? value : 1);
    s << QSizeF(field == 5 ? value : 210, 297) << qint32(field == 2 ? value : 1);
    s << qint32(field == 1 ? value : int(PageItem::Kind::Line)) << QRectF(0, 0, 10, 10) << QPointF(0, 0) << QPointF(10, 10)
      << QString() << QPointF() << QRectF() << QString() << QColor(Qt::black) << qreal(0.5) << QColor(Qt::black)
      << qint32(field == 0 ? value : int(Qt::SolidLine)) << QColor() << qreal(0);
    s << quint32(field == 4 ? value : 0) << QImage() << quint8(0);
    try {
        PreparedReport::fromBytes(bytes, QStringLiteral("bad.nkp"));
        QFAIL("read");
    } catch (const NkError& e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("bad.nkp is damaged")) && e.message().contains(says), qPrintable(e.message()));
    }

    // The preview's Load button shows the same reason and keeps the pages it had.
    TReport report;
    QVERIFY(prepareCost(report, 3));
    const QString path = m_dir.filePath(QStringLiteral("bad.nkp"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    report.setPreviewButtons(TReport::Load | TReport::Exit);
    std::unique_ptr<ReportPreview> preview(report.createPreview());
    QString shown;
    preview->setDialogRunner([&](QDialog* d) {
        if (auto* files = qobject_cast<QFileDialog*>(d)) {
            files->selectFile(path);
            return int(QDialog::Accepted);
        }
        if (auto* box = qobject_cast<QMessageBox*>(d)) shown = box->text();
        return int(QDialog::Rejected);
    });
    preview->findChild<QToolButton*>(QStringLiteral("BtLoad"))->click();
    QVERIFY2(shown.contains(says), qPrintable(shown));
    QCOMPARE(report.pageCount(), 1);
}

void TestReportEngine::previewFitsTheScreenAndShowsItsZoom()
{
    TReport report;
    QVERIFY(prepareCost(report, 60));
    std::unique_ptr<ReportPreview> preview(report.createPreview());
    preview->show();
    QVERIFY(QTest::qWaitForWindowExposed(preview.get()));
    // Over the screen's work area with its title bar, whatever the screen's size.
    const QRect area = preview->screen()->availableGeometry();
    QVERIFY2(area.contains(preview->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6").arg(preview->frameGeometry().x()).arg(preview->frameGeometry().y()).arg(preview->frameGeometry().width()).arg(preview->frameGeometry().height()).arg(area.width()).arg(area.height())));
    QVERIFY(preview->isMaximized());
    // The zoom box shows the zoom in use, however it was chosen.
    auto* zoom = preview->findChild<QComboBox*>(QStringLiteral("CbZoom"));
    QCOMPARE(zoom->currentText(), QStringLiteral("100%"));
    preview->findChild<QToolButton*>(QStringLiteral("BtZoomIn"))->click();
    QCOMPARE(zoom->currentText(), QStringLiteral("125%"));
    QTest::keyClick(preview.get(), Qt::Key_Minus);
    QCOMPARE(zoom->currentText(), QStringLiteral("100%"));
    const int pageWidth = zoom->findData(0.0);
    zoom->setCurrentIndex(pageWidth);
    emit zoom->activated(pageWidth);
    QCOMPARE(zoom->currentText(), QStringLiteral("%1%").arg(qRound(preview->zoom() * 100)));
    QVERIFY(qAbs(preview->zoom() - 1.0) > 0.01);
    zoom->lineEdit()->selectAll();
    QTest::keyClicks(zoom->lineEdit(), QStringLiteral("150"));
    QTest::keyClick(zoom->lineEdit(), Qt::Key_Return);
    QCOMPARE(preview->zoom(), 1.5);
    QCOMPARE(zoom->currentText(), QStringLiteral("150%"));
    const QString dir = qEnvironmentVariable("NK_BUILD_DIR");
    if (!dir.isEmpty()) QVERIFY(preview->grab().save(dir + QStringLiteral("/report_preview_screen.png")));
}

void TestReportEngine::loadFromFileReportsMissingFile()
{
    TReport report;
    QVERIFY(!report.loadFromFile(m_dir.filePath(QStringLiteral("missing.frf"))));
    QVERIFY(!report.prepare());
    const QString path = m_dir.filePath(QStringLiteral("Cost.frf"));
    costLayout().save(path);
    QVERIFY(report.loadFromFile(m_dir.path() + QStringLiteral("\\Cost.frf")));
    QCOMPARE(report.fileName(), QFileInfo(path).absoluteFilePath());
    QVERIFY(report.loadFromFile(path));
    report.setDataSet(QStringLiteral("CostTable"), costTable(2));
    QVERIFY2(report.prepare(), qPrintable(report.lastError()));
    QCOMPARE(report.prepared().pages[0].texts().value(0), QStringLiteral("รายงานต้นทุนการนำเข้า"));
    report.clear();
    QVERIFY(!report.hasLayout());
    QCOMPARE(report.pageCount(), 0);
}

void TestReportEngine::pdfExportEmbedsFontsAndExtracts()
{
    if (tool(QStringLiteral("pdftotext")).isEmpty()) QSKIP("poppler-utils not installed");
    TReport report;
    QVERIFY(prepareCost(report, 60));
    const QString pdf = m_dir.filePath(QStringLiteral("cost.pdf"));
    report.exportPdf(pdf);
    QCOMPARE(pdfPages(pdf), report.pageCount());
    const QString fonts = run(QStringLiteral("pdffonts"), {pdf});
    bool thaiEmbedded = false;
    for (const QString& line : fonts.split(QLatin1Char('\n')).mid(2)) {
        if (line.trimmed().isEmpty()) continue;
        const QStringList cols = line.simplified().split(QLatin1Char(' '));
        QVERIFY2(cols.size() >= 5 && cols[cols.size() - 5] == QLatin1String("yes"), qPrintable(line));  // emb
        if (line.contains(QLatin1String("NotoSansThai"))) thaiEmbedded = true;
    }
    QVERIFY2(thaiEmbedded, qPrintable(fonts));
    const QString page1 = pdfPageText(pdf, 1);
    QVERIFY2(page1.contains(QLatin1String("Page 1 of 2")), qPrintable(page1));
    QVERIFY(page1.contains(QLatin1String("P0001")));
    QVERIFY(page1.contains(QLatin1String("1,234.75")));
    // Thai comes back as written, tone marks and vowels included.
    QVERIFY(page1.contains(QStringLiteral("รายงานต้นทุนการนำเข้า")));
    QVERIFY2(page1.contains(QStringLiteral("เครื่องยนต์ดีเซล")), qPrintable(page1.left(600)));
    QVERIFY(page1.contains(QStringLiteral("น้ำปลาแท้")));
    const QString page2 = pdfPageText(pdf, 2);
    QVERIFY(page2.contains(QLatin1String("P0060")));
    QVERIFY(page2.contains(QStringLiteral("รวมทั้งสิ้น 60 รายการ")));
}

void TestReportEngine::pdfTextLayerKeepsEveryThaiMark_data()
{
    QTest::addColumn<QString>("style");
    QTest::newRow("regular 12") << "size=12";
    QTest::newRow("bold 9") << "size=9 bold";
}

void TestReportEngine::pdfTextLayerKeepsEveryThaiMark()
{
    if (tool(QStringLiteral("pdftotext")).isEmpty()) QSKIP("poppler-utils not installed");
    QFETCH(QString, style);
    const QString words = thaiMarks();
    TReport report;
    report.setLayout(ReportLayout::parse(QStringLiteral("report\nband MasterData height=270\n  text x=0 y=0 w=190 h=270 %1 : %2")
                                             .arg(style, words),
                                         QStringLiteral("marks.frf")));
    QVERIFY2(report.prepare(), qPrintable(report.lastError()));
    const QString pdf = m_dir.filePath(QStringLiteral("marks.pdf"));
    report.exportPdf(pdf);
    // Reading order and the page's layout both give every letter back in its place.
    QCOMPARE(withoutBlanks(run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})), withoutBlanks(words));
    QCOMPARE(withoutBlanks(run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})),
             withoutBlanks(words));
}

// A cost sheet as Qt's writer made it, whose page contents compress to data ending in a
// carriage return just before the line end that precedes "endstream". Such pages turn up now and
// then, depending only on the printed texts.
void TestReportEngine::pdfTextLayerWhenCompressedContentsEndInLineEnd()
{
    if (tool(QStringLiteral("pdftotext")).isEmpty()) QSKIP("poppler-utils not installed");
    QFile in(QStringLiteral(NK_SOURCE_DIR "/tests/report/data/content-ends-in-cr.pdf"));
    QVERIFY(in.open(QIODevice::ReadOnly));
    QFont regular(QStringLiteral("Noto Sans Thai")), bold = regular;
    bold.setBold(true);
    const QString pdf = m_dir.filePath(QStringLiteral("cr.pdf"));
    QFile out(pdf);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(ReportPdfText::completeThaiText(in.readAll(), {regular, bold}));
    out.close();
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY2(text.contains(QStringLiteral("ต้นทุนการนำเข้า")) && text.contains(QStringLiteral("วันที่พิมพ์")), qPrintable(text.left(400)));
}

void TestReportEngine::printSequence_data()
{
    using PS = ReportPrintOptions::PageSet;
    QTest::addColumn<QString>("pages");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<QList<int>>("expected");  // 1-based page numbers in order
    QTest::newRow("all") << "" << int(PS::All) << 1 << true << QList<int>{1, 2, 3, 4, 5};
    QTest::newRow("odd") << "" << int(PS::Odd) << 1 << true << QList<int>{1, 3, 5};
    QTest::newRow("even") << "" << int(PS::Even) << 1 << true << QList<int>{2, 4};
    QTest::newRow("list") << "4, 1-2" << int(PS::All) << 1 << true << QList<int>{1, 2, 4};
    QTest::newRow("open range") << "3-" << int(PS::All) << 1 << true << QList<int>{3, 4, 5};
    QTest::newRow("beyond the end") << "4-9" << int(PS::Even) << 1 << true << QList<int>{4};
    QTest::newRow("collated copies") << "1-2" << int(PS::All) << 2 << true << QList<int>{1, 2, 1, 2};
    QTest::newRow("uncollated copies") << "1-2" << int(PS::All) << 3 << false << QList<int>{1, 1, 1, 2, 2, 2};
}

void TestReportEngine::printSequence()
{
    QFETCH(QString, pages);
    QFETCH(int, set);
    QFETCH(int, copies);
    QFETCH(bool, collate);
    QFETCH(QList<int>, expected);
    ReportPrintOptions o;
    o.pageList = pages;
    o.pageSet = ReportPrintOptions::PageSet(set);
    o.copies = copies;
    o.collate = collate;
    QList<int> got;
    for (int i : reportPrintSequence(5, o)) got << i + 1;
    QCOMPARE(got, expected);
    o.pageList = QStringLiteral("2-1");
    QVERIFY_THROWS_EXCEPTION(NkError, reportPrintSequence(5, o));
}

void TestReportEngine::printsPageSetsAndCopiesToPdfPrinter()
{
    if (tool(QStringLiteral("pdftotext")).isEmpty()) QSKIP("poppler-utils not installed");
    TReport report;
    QVERIFY(prepareCost(report, 200));
    QCOMPARE(report.pageCount(), 5);
    struct Case {
        ReportPrintOptions options;
        QList<int> pages;
    };
    ReportPrintOptions even;
    even.pageSet = ReportPrintOptions::PageSet::Even;
    ReportPrintOptions oddCopies;
    oddCopies.pageList = QStringLiteral("1-3");
    oddCopies.pageSet = ReportPrintOptions::PageSet::Odd;
    oddCopies.copies = 2;
    oddCopies.collate = true;
    ReportPrintOptions uncollated;
    uncollated.pageList = QStringLiteral("5,2");
    uncollated.copies = 2;
    uncollated.collate = false;
    const QList<Case> cases{{even, {2, 4}}, {oddCopies, {1, 3, 1, 3}}, {uncollated, {2, 2, 5, 5}}};
    int n = 0;
    for (const Case& c : cases) {
        const QString pdf = m_dir.filePath(QStringLiteral("print%1.pdf").arg(n++));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setCopyCount(7);  // the engine makes the copies; the printer must get one
        report.print(&printer, c.options);
        QCOMPARE(printer.copyCount(), 1);
        QCOMPARE(pdfPages(pdf), int(c.pages.size()));
        for (int i = 0; i < c.pages.size(); ++i)
            QVERIFY2(pdfPageText(pdf, i + 1).contains(QStringLiteral("Page %1 of 5").arg(c.pages[i])),
                     qPrintable(QStringLiteral("case %1 sheet %2").arg(n).arg(i + 1)));
    }
}

void TestReportEngine::rtfAndCsvExports()
{
    TReport report;
    QVERIFY(prepareCost(report, 3));
    const QString rtfPath = m_dir.filePath(QStringLiteral("cost.rtf"));
    report.exportRtf(rtfPath);
    QFile rtf(rtfPath);
    QVERIFY(rtf.open(QIODevice::ReadOnly));
    const QByteArray r = rtf.readAll();
    QVERIFY(r.startsWith("{\\rtf1"));
    QVERIFY(r.endsWith("}\n"));
    // Thai as Unicode escapes: รหัส
    QVERIFY(r.contains("\\u3619?\\u3627?\\u3633?\\u3626?"));
    QVERIFY(r.contains("P0001"));
    QVERIFY(r.contains("\\fcharset222"));
    // Horizontal scale 1.3: the amount column (box at 120 mm) starts near 156 mm.
    QVERIFY(r.contains(QStringLiteral("\\posx%1").arg(qRound(report.prepared().pages[0].items.constLast().rect.left() * 1.3 * 1440 / 25.4)).toLatin1()));
    QCOMPARE(r.count("{\\rtf1"), 1);

    const QString csvPath = m_dir.filePath(QStringLiteral("cost.csv"));
    report.exportCsv(csvPath);
    QFile csv(csvPath);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList rows = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QVERIFY(rows.contains(QStringLiteral("P0001,ผ้าไหมไทย,\"1,234.75\"")) || rows.contains(QStringLiteral("P0001,น้ำปลาแท้,\"1,234.75\"")));
    QVERIFY(rows.contains(QStringLiteral("รหัส,ชื่อสินค้า,รวมเงิน(บาท)")));
    QCOMPARE(rows.first().count(QLatin1Char(',')), 0);  // the title row has one cell

    // Over two pages: the page header once, the page footer of the last page only, and every
    // column holds something.
    QVERIFY(prepareCost(report, 60));
    QCOMPARE(report.pageCount(), 2);
    const QStringList long2 = ReportExport::csvText(report.prepared(), 1.5, 1.0).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(long2.count(QStringLiteral("รหัส,ชื่อสินค้า,รวมเงิน(บาท)")), 1);
    QCOMPARE(long2.count(QStringLiteral("รายงานต้นทุนการนำเข้า")), 1);
    QVERIFY(!long2.join(QLatin1Char('|')).contains(QStringLiteral("หน้า 1")));
    QCOMPARE(long2.last(), QStringLiteral("หน้า 2"));
    QCOMPARE(long2.size(), 1 + 1 + 1 + 60 + 1 + 1);  // title, page, headings, rows, total, footer
    for (int c = 0; c < 3; ++c) {
        bool filled = false;
        for (const QString& r : long2) filled = filled || !r.split(QLatin1Char(',')).value(c).isEmpty();
        QVERIFY2(filled, qPrintable(QString::number(c)));
    }
}

void TestReportEngine::preparedReportSavesAndLoads()
{
    TReport report;
    QVERIFY(prepareCost(report, 50));
    const QString path = m_dir.filePath(QStringLiteral("cost.nkp"));
    report.savePrepared(path);
    TReport other;
    other.loadPrepared(path);
    QCOMPARE(other.pageCount(), report.pageCount());
    for (int p = 0; p < report.pageCount(); ++p) {
        QCOMPARE(other.prepared().pages[p].texts(), report.prepared().pages[p].texts());
        QCOMPARE(other.prepared().pages[p].items.size(), report.prepared().pages[p].items.size());
    }
    QCOMPARE(other.prepared().pages[0].items[0].font.family(), report.prepared().pages[0].items[0].font.family());
    QFile junk(m_dir.filePath(QStringLiteral("junk.nkp")));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a report");
    junk.close();
    QVERIFY_THROWS_EXCEPTION(NkError, other.loadPrepared(junk.fileName()));
}

void TestReportEngine::previewButtons()
{
    TReport report;
    QVERIFY(prepareCost(report, 100));
    // With ShowPrintPreview "Y": zoom, print, find, help, exit and page setup.
    report.setPreviewButtons(TReport::Zoom | TReport::Print | TReport::Find | TReport::Help | TReport::Exit |
                             TReport::PageSetup);
    std::unique_ptr<ReportPreview> withPrint(report.createPreview());
    QVERIFY(!withPrint->isVisible());
    QVERIFY(withPrint->findChild<QToolButton*>(QStringLiteral("BtPrint")));
    QVERIFY(withPrint->findChild<QToolButton*>(QStringLiteral("BtPageSetup")));
    QVERIFY(!withPrint->findChild<QToolButton*>(QStringLiteral("BtLoad")));
    QVERIFY(!withPrint->findChild<QToolButton*>(QStringLiteral("BtSave")));
    // Otherwise: zoom, find, help and exit only.
    report.setPreviewButtons(TReport::Zoom | TReport::Find | TReport::Help | TReport::Exit);
    std::unique_ptr<ReportPreview> noPrint(report.createPreview());
    QVERIFY(!noPrint->findChild<QToolButton*>(QStringLiteral("BtPrint")));
    QVERIFY(!noPrint->findChild<QToolButton*>(QStringLiteral("BtPageSetup")));
    QVERIFY(noPrint->findChild<QToolButton*>(QStringLiteral("BtZoomIn")));
    QVERIFY(noPrint->findChild<QToolButton*>(QStringLiteral("BtExit")));
    // Page navigation and zoom work without showing the window.
    QCOMPARE(noPrint->currentPage(), 0);
    noPrint->findChild<QToolButton*>(QStringLiteral("BtLastPage"))->click();
    QCOMPARE(noPrint->currentPage(), report.pageCount() - 1);
    const qreal z = noPrint->zoom();
    noPrint->findChild<QToolButton*>(QStringLiteral("BtZoomIn"))->click();
    QVERIFY(noPrint->zoom() > z);
    // Printing from the preview goes through the dialog runner; a cancelled dialog prints nothing.
    int printed = 0;
    connect(&report, &TReport::printed, this, [&] { ++printed; });
    withPrint->setDialogRunner([](QDialog*) { return int(QDialog::Rejected); });
    withPrint->findChild<QToolButton*>(QStringLiteral("BtPrint"))->click();
    QCOMPARE(printed, 0);
    withPrint->findChild<QToolButton*>(QStringLiteral("BtExit"))->click();
    QCOMPARE(withPrint->result(), int(QDialog::Accepted));
    // A picture of the window for a person to look at.
    const QString dir = qEnvironmentVariable("NK_BUILD_DIR");
    if (!dir.isEmpty()) {
        noPrint->resize(1000, 700);
        noPrint->setCurrentPage(0);
        noPrint->show();
        QVERIFY(QTest::qWaitForWindowExposed(noPrint.get()));
        QVERIFY(noPrint->grab().save(dir + QStringLiteral("/report_preview.png")));
        noPrint->hide();
    }
}

void TestReportEngine::previewFindsText()
{
    TReport report;
    QVERIFY(prepareCost(report, 200));
    std::unique_ptr<ReportPreview> preview(report.createPreview());
    QVERIFY(preview->findText(QStringLiteral("P0150")));
    QCOMPARE(preview->currentPage(), 149 / 41);
    QVERIFY(!preview->findText(QStringLiteral("no such text")));
    // Finding again moves on to the next page holding the text.
    QVERIFY(preview->findText(QStringLiteral("รายงานต้นทุน")));
    const int first = preview->currentPage();
    QVERIFY(preview->findText(QStringLiteral("รายงานต้นทุน")));
    QCOMPARE(preview->currentPage(), (first + 1) % report.pageCount());
}

void TestReportEngine::showPreviewRunsThroughMessageService()
{
    TReport report;
    QVERIFY(prepareCost(report, 100));
    const QString pdf = m_dir.filePath(QStringLiteral("from_preview.pdf"));
    report.printer()->setOutputFormat(QPrinter::PdfFormat);
    report.printer()->setOutputFileName(pdf);
    report.setPreviewButtons(TReport::Zoom | TReport::Print | TReport::Find | TReport::Help | TReport::Exit |
                             TReport::PageSetup);
    int printed = 0;
    connect(&report, &TReport::printed, this, [&] { ++printed; });
    QStringList dialogs;
    MessageService::setScripted(true);
    MessageService::setDialogHook([&](QDialog* d) {
        dialogs << QString::fromLatin1(d->metaObject()->className());
        if (auto* preview = qobject_cast<ReportPreview*>(d)) {
            // The user presses Print in the preview and confirms the printer dialog.
            preview->findChild<QToolButton*>(QStringLiteral("BtPrint"))->click();
            return int(QDialog::Accepted);
        }
        return int(QDialog::Accepted);
    });
    report.showPreview();
    MessageService::setDialogHook({});
    MessageService::setScripted(false);
    QCOMPARE(dialogs.value(0), QStringLiteral("ReportPreview"));
    QCOMPARE(dialogs.value(1), QStringLiteral("QPrintDialog"));
    QCOMPARE(printed, 1);
    if (!tool(QStringLiteral("pdfinfo")).isEmpty()) QCOMPARE(pdfPages(pdf), report.pageCount());
}

void TestReportEngine::barcodeAndShapes()
{
    const QString text = QStringLiteral(
        "report\n"
        "band ReportTitle height=40\n"
        "  barcode x=0 y=0 w=60 h=15 : IM-0001\n"
        "  barcode x=70 y=0 w=20 h=20 symbology=qrcode showtext=no : นำเข้า 0001\n"
        "  roundrect x=0 y=20 w=30 h=10 radius=2 fill=#ffeecc\n"
        "  shape x=40 y=20 w=10 h=10 shape=triangle\n"
        "  checkbox x=60 y=20 w=4 h=4 : 'Y'\n"
        "  checkbox x=70 y=20 w=4 h=4 : 'N'\n");
    TReport report;
    report.setLayout(ReportLayout::parse(text));
    QVERIFY2(report.prepare(), qPrintable(report.lastError()));
    const ReportPage& page = report.prepared().pages[0];
    int bars = 0, qrModules = 0, polygons = 0, rounded = 0;
    for (const PageItem& i : page.items) {
        if (i.kind == PageItem::Kind::Rect && i.penWidth == 0 && i.brush == QColor(Qt::black)) {
            QVERIFY(i.rect.right() <= 90.01 + 10);
            (i.rect.left() < 65 ? bars : qrModules)++;
        }
        if (i.kind == PageItem::Kind::Polygon) ++polygons;
        if (i.kind == PageItem::Kind::Rect && i.radius > 0) ++rounded;
    }
#ifdef NK_HAVE_ZINT
    QVERIFY(bars > 10);
    QVERIFY(qrModules > 20);
#endif
    QCOMPARE(page.texts(), QStringList{QStringLiteral("IM-0001")});
    QCOMPARE(polygons, 2);  // the triangle and one tick
    QCOMPARE(rounded, 1);
}

void TestReportEngine::richTextAndPictures()
{
    QImage logo(200, 100, QImage::Format_RGB32);
    logo.fill(Qt::red);
    QVERIFY(logo.save(m_dir.filePath(QStringLiteral("logo.png"))));
    const QString text = QStringLiteral(
        "report\n"
        "band ReportTitle height=40\n"
        "  richtext x=0 y=0 w=120 h=10 : ผู้ขาย <b>[Vendor]</b> <font color=\"#cc0000\">ค้างชำระ</font>\n"
        "  picture x=130 y=0 w=40 h=40 : logo.png\n"
        "  picture x=0 y=20 w=10 h=10 : missing.png\n");
    TReport report;
    report.setLayout(ReportLayout::parse(text), m_dir.path());
    report.setVariable(QStringLiteral("Vendor"), QStringLiteral("'A&B <Co>'"));
    QVERIFY2(report.prepare(), qPrintable(report.lastError()));
    const ReportPage& page = report.prepared().pages[0];
    const PageItem* vendor = findRun(page, QStringLiteral("A&B <Co>"));  // a value, not markup
    QVERIFY2(vendor, qPrintable(page.texts().join(QLatin1Char('|'))));
    QVERIFY(vendor->font.bold());
    const PageItem* overdue = findRun(page, QStringLiteral("ค้างชำระ"));
    QVERIFY(overdue);
    QCOMPARE(overdue->color, QColor(0xcc, 0, 0));
    QVERIFY(!overdue->font.bold());
    int images = 0;
    for (const PageItem& i : page.items) {
        if (i.kind != PageItem::Kind::Image) continue;
        ++images;
        // Kept in proportion (2:1) and centred in its 40 x 40 mm box.
        QCOMPARE(i.rect.size(), QSizeF(40, 20));
        QCOMPARE(i.rect.top(), 10.0 + 10);
    }
    QCOMPARE(images, 1);  // a missing picture leaves its box empty
}

void TestReportEngine::renderedPageImage()
{
    TReport report;
    QVERIFY(prepareCost(report, 12));
    const QImage img = ReportRenderer::toImage(report.prepared().pages[0], 150);
    QCOMPARE(img.width(), qRound(210 / 25.4 * 150));
    // The title (centred, 14 pt bold) darkens pixels around the top centre.
    int dark = 0;
    for (int y = qRound(10 / 25.4 * 150); y < qRound(18 / 25.4 * 150); ++y)
        for (int x = img.width() / 3; x < img.width() * 2 / 3; ++x)
            if (qGray(img.pixel(x, y)) < 128) ++dark;
    QVERIFY(dark > 200);
    // Characters no installed font covers (Thaana here) are drawn by a fallback without a family
    // name; the page is still drawn.
    ReportPage odd = report.prepared().pages[0];
    for (PageItem& i : odd.items)
        if (i.kind == PageItem::Kind::Text) i.text = QStringLiteral("ล็อ\u0792ต");
    QVERIFY(!ReportRenderer::toImage(odd, 50).isNull());
    // Kept for a person to look at.
    const QString out = qEnvironmentVariable("NK_BUILD_DIR", m_dir.path()) + QStringLiteral("/report_page.png");
    ReportExport::toImage(report.prepared().pages[0], out, 150);
    QVERIFY(QFile::exists(out));
}

QTEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
