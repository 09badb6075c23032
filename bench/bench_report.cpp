// The report engine at document-printing volume: an import document of 1,000 lines over
// in-memory data sets (Thai product names, wrapped descriptions, totals and the amount in
// Thai words) prepared into pages, and the same document written to PDF. Each run reports
// pages per second.
#include "print/ReportFunctions.h"
#include "report/ReportExport.h"
#include "report/TReport.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const char* kLayout = R"(report title="ใบนำเข้าสินค้า" page=A4 margins=12,10,12,10 font="Noto Sans Thai" size=9
dataset Hd memory
dataset Lines memory
band PageHeader height=30
  text x=0 y=0 w=186 h=8 size=14 bold align=center : ใบนำเข้าสินค้า / Import Document
  text x=0 y=9 w=120 h=5 : ผู้ขาย [Hd."VendorName"]
  text x=130 y=9 w=56 h=5 align=right : เลขที่ [Hd."ImNo"]
  text x=130 y=14 w=56 h=5 align=right : วันที่ [FORMATDATETIME('dd/mm/yyyy', Hd."ImDate")]
  text x=0 y=23 w=12 h=7 frame=all fill=#eeeeee align=center,middle : ลำดับ
  text x=12 y=23 w=28 h=7 frame=all fill=#eeeeee align=center,middle : รหัสสินค้า
  text x=40 y=23 w=76 h=7 frame=all fill=#eeeeee align=center,middle : รายการ
  text x=116 y=23 w=20 h=7 frame=all fill=#eeeeee align=center,middle : จำนวน
  text x=136 y=23 w=22 h=7 frame=all fill=#eeeeee align=center,middle : ราคา/หน่วย
  text x=158 y=23 w=28 h=7 frame=all fill=#eeeeee align=center,middle : จำนวนเงิน
band MasterData dataset=Lines height=6 stretch
  text x=0 y=0 w=12 h=6 frame=left,right align=right : [LINE#]
  text x=12 y=0 w=28 h=6 frame=left,right : [Lines."Code"]
  text x=40 y=0 w=76 h=6 frame=left,right stretch : [Lines."Name"]
  text x=116 y=0 w=20 h=6 frame=left,right align=right format="#,##0.00" : [Lines."Quantity"]
  text x=136 y=0 w=22 h=6 frame=left,right align=right format="#,##0.00" : [Lines."Price"]
  text x=158 y=0 w=28 h=6 frame=left,right align=right format="#,##0.00" : [Lines."Quantity" * Lines."Price"]
band Summary height=20
  line x=0 y=0 w=186 h=0
  text x=116 y=1 w=42 h=6 align=right : รวมเงิน
  text x=158 y=1 w=28 h=6 align=right format="#,##0.00" : [SUM(Lines."Quantity" * Lines."Price")]
  text x=0 y=8 w=186 h=6 : ([TELL_REAL_THAI(SUM(Lines."Quantity" * Lines."Price"), 2)])
band PageFooter height=6
  text x=0 y=0 w=186 h=5 align=right : หน้า [PAGE#] / [TOTALPAGES]
)";

void setUp(TReport& report)
{
    report.setLayout(ReportLayout::parse(QString::fromUtf8(kLayout), QStringLiteral("bench.frf")));
    auto hd = std::make_shared<MemoryDataSet>(QStringList{"ImNo", "VendorName", "ImDate"});
    hd->appendRow({QStringLiteral("IM6912-0001"), QStringLiteral("บริษัท ชิปปิ้ง อินเตอร์เนชั่นแนล จำกัด"), QDate(2026, 12, 9)});
    auto lines = std::make_shared<MemoryDataSet>(QStringList{"Code", "Name", "Quantity", "Price"});
    const QStringList names{QStringLiteral("เครื่องยนต์ดีเซล 4 สูบ พร้อมอุปกรณ์ติดตั้งและคู่มือภาษาไทย"),
                            QStringLiteral("น้ำมันหล่อลื่นสังเคราะห์"), QStringLiteral("ผ้าไหมไทยทอมือ ลายดอกพิกุล"),
                            QStringLiteral("Bearing 6204-2RS")};
    for (int i = 0; i < 1000; ++i)
        lines->appendRow({QStringLiteral("PRD-%1").arg(i, 5, 10, QLatin1Char('0')), names[i % names.size()],
                          double(1 + i % 17), 12.5 + (i % 100) * 1.25});
    report.setDataSet(QStringLiteral("Hd"), hd);
    report.setDataSet(QStringLiteral("Lines"), lines);
    report.setUserFunctions(callReportUserFunction);
}

void BM_PrepareImportDocument1000Lines(benchmark::State& state)
{
    TReport report;
    setUp(report);
    int pages = 0;
    for (auto _ : state) {
        if (!report.prepare()) state.SkipWithError(report.lastError().toStdString().c_str());
        pages = report.pageCount();
    }
    state.counters["pages"] = pages;
    state.counters["pages_per_s"] = benchmark::Counter(double(pages) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_RenderImportDocument1000LinesToPdf(benchmark::State& state)
{
    TReport report;
    setUp(report);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("bench.pdf"));
    int pages = 0;
    for (auto _ : state) {
        if (!report.prepare()) state.SkipWithError(report.lastError().toStdString().c_str());
        report.exportPdf(pdf);
        pages = report.pageCount();
    }
    state.counters["pages"] = pages;
    state.counters["pages_per_s"] = benchmark::Counter(double(pages) * state.iterations(), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_PrepareImportDocument1000Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderImportDocument1000LinesToPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // fonts and text layout need the GUI side of Qt
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
