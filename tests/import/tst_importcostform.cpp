#include "app/MessageService.h"
#include "data/Translation.h"
#include "app/StartUp.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/TDM.h"
#include "forms/import/ImportCostChart.h"
#include "forms/import/ImportCostDocuments.h"
#include "forms/import/ImportCostModel.h"
#include "forms/import/TFaGetImportLotNo.h"
#include "forms/import/TFrImportCost.h"
#include "forms/import/TFrShowImportCost.h"
#include "report/ReportExport.h"
#include "report/ReportPreview.h"
#include "report/TReport.h"
#include "support/TestEnv.h"
#include "widgets/TLookupEdit.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

// The import cost work form and the cost sheet's print and exports, on the demo company.
//
// Lot 1 of the demo data, worked out by hand (rates: document 1 at 35.5, document 2 at 36):
//   P001  lines 100 / 150 USD (doc 1) and 50 / 75 USD (doc 2): qty 150, 225 USD,
//         price 225 / 150 = 1.50, baht 150 x 35.5 + 75 x 36 = 5,325 + 2,700 = 8,025.00
//   P003  50 / 360 USD (doc 1): price 7.20, baht 360 x 35.5 = 12,780.00
//   P006  10 / 1,200 USD (doc 2): price 120.00, baht 1,200 x 36 = 43,200.00
//   lot baht 64,005.00
// Duty: group 1 (1,065) only P001; group 2 (639) only P003; group 3 (2,295) shared by P001
//   (2,700 baht) and P006 (43,200 baht) of 45,900: 135.00 and 2,160.00.
//   P001 1,065 + 135 = 1,200.00, P003 639.00, P006 2,160.00; total 3,999.00.
// Expenses, without the VAT the company reclaims: credit bill 10,000 (10,700 less 700 VAT; the
//   cancelled 999 does not count) + cash bill 5,000 (5,350 less 350) + foreign payment 2,140
//   less 140 tax = 2,000 -> 17,000.00.
//   P001 17,000 x 8,025 / 64,005 = 2,131.4741 -> 2,131.47
//   P003 17,000 x 12,780 / 64,005 = 3,394.4223 -> 3,394.42
//   P006 17,000 x 43,200 / 64,005 = 11,474.1036 -> 11,474.10      (sum 16,999.99)
// Landed: P001 2,131.47 + 1,200 + 8,025 = 11,356.47, per unit / 150 = 75.7098
//         P003 3,394.42 + 639 + 12,780 = 16,813.42, / 50 = 336.2684
//         P006 11,474.10 + 2,160 + 43,200 = 56,834.10, / 10 = 5,683.41
//         total 85,003.99
class TestImportCostForm : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensForProgramCode();
    void lotWithExpensesShowsTheCost();
    void inactiveAndEmptyLot();
    void splitByGrossWeight();
    void basisWithoutDataIsRefused_data();
    void basisWithoutDataIsRefused();
    void exportsStateTheBasis();
    void printPreparesTheSheet();
    void printTextsWithQuotesAndNoCaption();
    void missingLayoutIsReported();
    void exportPdf();
    void exportCsv();
    void englishTexts();

private:
    static QString lotCode(TestEnv& env, int id)
    {
        return env.scalar(QStringLiteral("Select Code From ImportLotNo Where Id = :id"), {{QStringLiteral("id"), id}})
            .toString();
    }
    static void copyLayout()
    {
        const QString target = QDir(DM->StartFolder).filePath(TFrShowImportCost::reportFileName());
        QFile::remove(target);
        QVERIFY(QFile::copy(QStringLiteral(NK_SOURCE_DIR "/reports/RP_ShowImportCost.frf"), target));
    }
    static QString screenshotPath(const QString& name)
    {
        const QString dir = qEnvironmentVariable("NK_BUILD_DIR", QDir::tempPath()) + QStringLiteral("/screenshots");
        QDir().mkpath(dir);
        return dir + QLatin1Char('/') + name;
    }
    // Opens the form, types the lot code and leaves the field with Enter (the lookup), which
    // moves on to the split basis; `down` presses of the Down key choose the basis (none: by
    // value, the first) and Enter moves on to BtReport.
    static void chooseLot(TFrImportCost& f, const QString& code, int down = 0)
    {
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.FaGetImportLotNo->Code));
        QTest::keyClicks(f.FaGetImportLotNo->Code, code);
        QTest::keyClick(f.FaGetImportLotNo->Code, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.CbBasis));
        for (int i = 0; i < down; ++i)
            QTest::keyClick(f.CbBasis, Qt::Key_Down);
        QTest::keyClick(f.CbBasis, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.BtReport));
    }
    static QString allTexts(TReport* r)
    {
        QStringList all;
        for (const ReportPage& p : r->prepared().pages)
            all += p.texts();
        return all.join(QLatin1Char('\n'));
    }
    static QString cell(TFrShowImportCost* f, int row, int col)
    {
        return f->model()->index(row, col).data().toString();
    }
    static QString footer(TFrShowImportCost* f, int col)
    {
        return f->DgFooter->model()->index(0, col).data().toString();
    }

    std::unique_ptr<TestEnv> m_env;
};

void TestImportCostForm::init()
{
    m_env = std::make_unique<TestEnv>();
    DMConfig->MenuCaption = QStringLiteral("ต้นทุนการนำเข้า (ทดสอบ)");
    MessageService::setDialogHook({});
    MessageService::clearShown();
}

void TestImportCostForm::cleanup()
{
    MessageService::setDialogHook({});
    m_env.reset();
}

void TestImportCostForm::opensForProgramCode()
{
    StartUp::registerAllForms();
    std::unique_ptr<QWidget> w(StartUp::createForm(QStringLiteral(" importcost ")));
    auto* f = qobject_cast<TFrImportCost*>(w.get());
    QVERIFY(f);
    // The other import forms stay registered.
    QVERIFY(StartUp::hasForm(QStringLiteral("INBOUND")));
    QVERIFY(StartUp::hasForm(QStringLiteral("IMPBEGIN")));
    QCOMPARE(f->windowTitle(), QStringLiteral("ต้นทุนการนำเข้า"));
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f));
    // One title, as every work form has it: the menu caption and the version; the
    // application name follows it so the title bar does not repeat it.
    QCOMPARE(f->windowTitle(), QStringLiteral("ต้นทุนการนำเข้า (ทดสอบ) (Version 1.05.03.26)"));
    QCOMPARE(QApplication::applicationDisplayName(), f->windowTitle());
    QCOMPARE(f->StatusCompany->text(), DMConfig->CompanyNameThai);
    QVERIFY(!f->AcNew->isEnabled());
    QVERIFY(!f->AcSave->isEnabled());
    QVERIFY(!f->AcDel->isEnabled());
    QVERIFY(f->BPrint->isHidden());
    QCOMPARE(f->BtReport->text(), QStringLiteral("แสดงต้นทุน"));
    QCOMPARE(f->FaGetImportLotNo->Caption->text(), QStringLiteral("Import Lot No."));
    QCOMPARE(f->importLotId(), qint64(0));
    f->grab().save(screenshotPath(QStringLiteral("importcost_form.png")));

    // Escape asks the exit question; No keeps the form.
    QApplication::setActiveWindow(f);
    QVERIFY(QTest::qWaitForWindowActive(f));
    MessageService::queueAnswer(false);
    QTest::keyClick(f->FaGetImportLotNo->Code, Qt::Key_Escape);
    QCOMPARE(MessageService::lastText(), QStringLiteral("ออกจากโปรแกรม ?"));
    QVERIFY(f->isVisible());
}

void TestImportCostForm::lotWithExpensesShowsTheCost()
{
    copyLayout();
    TFrImportCost f;
    chooseLot(f, lotCode(*m_env, 1));
    QCOMPARE(f.importLotId(), qint64(1));
    QCOMPARE(f.FaGetImportLotNo->DescLabel->text(), QStringLiteral("เครื่องเขียนจากสหรัฐอเมริกา"));

    int opened = 0;
    int fileDialogs = 0;
    MessageService::setDialogHook([&](QDialog* d) {
        auto* s = qobject_cast<TFrShowImportCost*>(d);
        if (!s) {
            fileDialogs += qobject_cast<QFileDialog*>(d) ? 1 : 0;
            return int(QDialog::Rejected);
        }
        ++opened;
        s->resize(1180, 320);
        s->show();
        [&] {
            QCOMPARE(s->importLotId(), qint64(1));
            QCOMPARE(s->windowTitle(), QStringLiteral("ต้นทุนการนำเข้า (ทดสอบ) (Version 1.05.03.26)"));
            QCOMPARE(s->model()->rowCount(), 3);
            QCOMPARE(s->model()->headerData(ImportCostModel::Price, Qt::Horizontal).toString(),
                     QStringLiteral("ราคา/หน่วย(USD)"));
            QCOMPARE(s->model()->headerData(ImportCostModel::Total, Qt::Horizontal).toString(),
                     QStringLiteral("รวมเงิน(USD)"));
            const QStringList expected[] = {
                {"P001", "150.00", "1.50", "225.00", "8,025.00", "1,200.00", "2,131.47", "11,356.47", "75.71"},
                {"P003", "50.00", "7.20", "360.00", "12,780.00", "639.00", "3,394.42", "16,813.42", "336.27"},
                {"P006", "10.00", "120.00", "1,200.00", "43,200.00", "2,160.00", "11,474.10", "56,834.10",
                 "5,683.41"},
            };
            const int cols[] = {ImportCostModel::Code,     ImportCostModel::Quantity, ImportCostModel::Price,
                                ImportCostModel::Total,    ImportCostModel::Baht,     ImportCostModel::Duty,
                                ImportCostModel::Expense,  ImportCostModel::TotalCost, ImportCostModel::Cost};
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 9; ++c)
                    QCOMPARE(cell(s, r, cols[c]), expected[r][c]);
            QCOMPARE(s->result().Rows[0].Cost, 75.7098);
            QCOMPARE(s->result().Rows[1].Cost, 336.2684);
            QCOMPARE(footer(s, ImportCostModel::Total), QStringLiteral("1,785.00"));
            QCOMPARE(footer(s, ImportCostModel::Baht), QStringLiteral("64,005.00"));
            QCOMPARE(footer(s, ImportCostModel::Duty), QStringLiteral("3,999.00"));
            QCOMPARE(footer(s, ImportCostModel::Expense), QStringLiteral("16,999.99"));
            QCOMPARE(footer(s, ImportCostModel::TotalCost), QStringLiteral("85,003.99"));
            QVERIFY(s->BExportPdf->isEnabled());
            QVERIFY(s->BExportCsv->isEnabled());
            QVERIFY(s->grab().save(screenshotPath(QStringLiteral("importcost_result.png"))));
            QCOMPARE(s->LbExpense->text(), QStringLiteral("ค่าใช้จ่ายของล็อต 17,000.00 บาท จากเอกสาร 3 ใบ (ดูหน้า เอกสารค่าใช้จ่าย)"));
            // The documents behind the expense total, oldest first, and their total.
            s->PcCost->setCurrentIndex(3);
            const QAbstractItemModel* docs = s->DgDocuments->model();
            QStringList listed;
            for (int r = 0; r < docs->rowCount(); ++r)
                listed << docs->index(r, ImportCostDocumentModel::Number).data().toString() + QLatin1Char(' ')
                              + docs->index(r, ImportCostDocumentModel::Counted).data().toString() + QLatin1Char('/')
                              + docs->index(r, ImportCostDocumentModel::VatLeftOut).data().toString();
            QCOMPARE(listed, QStringList({QStringLiteral("FM%1-0001 2,000.00/140.00").arg(QDate::currentDate().year()),
                                          "MS0001 10,000.00/700.00",
                                          QStringLiteral("CS%1-00001 5,000.00/350.00").arg(QDate::currentDate().year()),
                                          " 17,000.00/1,190.00"}));
            QVERIFY(s->grab().save(screenshotPath(QStringLiteral("importcost_documents.png"))));
            // Enter on an export button presses it (the file dialog opens and is cancelled).
            s->BExportCsv->setFocus();
            QTest::keyClick(s->BExportCsv, Qt::Key_Return);
            QVERIFY2(fileDialogs == 1, qPrintable(MessageService::lastText()));
            // Every column title and figure fits its column.
            const QFontMetrics fm(s->DgCost->horizontalHeader()->font());
            const QFontMetrics cellFm(s->DgCost->font());
            for (int c = 0; c < ImportCostModel::ColumnCount; ++c) {
                const QString title = s->model()->headerData(c, Qt::Horizontal).toString();
                QVERIFY2(fm.horizontalAdvance(title) < s->DgCost->columnWidth(c), qPrintable(title));
                QCOMPARE(s->DgFooter->columnWidth(c), s->DgCost->columnWidth(c));
                for (int r = 0; r < 3; ++r)
                    QVERIFY2(cellFm.horizontalAdvance(cell(s, r, c)) < s->DgCost->columnWidth(c),
                             qPrintable(cell(s, r, c)));
            }
        }();
        return int(QDialog::Accepted);
    });
    f.BtReport->setFocus();
    QTest::keyClick(f.BtReport, Qt::Key_Return); // Enter on the button shows the cost
    QCOMPARE(opened, 1);
    QVERIFY(MessageService::shown().isEmpty());
    // Back on the lot, ready for the next one.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.FaGetImportLotNo->Code));

    // A bill of the lot deleted afterwards drops out of the next opening: 17,000 - 5,000.
    m_env->exec(QStringLiteral("Update PcHd Set DelFlag = 'Y' Where Id = 1"));
    double expense = 0;
    MessageService::setDialogHook([&](QDialog* d) {
        d->show();
        if (auto* s = qobject_cast<TFrShowImportCost*>(d))
            expense = s->result().SumExpense;
        return int(QDialog::Accepted);
    });
    f.BtReport->click();
    QCOMPARE(expense, 12000.0);
}

void TestImportCostForm::inactiveAndEmptyLot()
{
    copyLayout();
    TFrImportCost f;
    // Lot 3 is closed (Active 'N') and has no import documents: this form takes it anyway.
    chooseLot(f, lotCode(*m_env, 3));
    QVERIFY(f.FaGetImportLotNo->Code->valid());
    QCOMPARE(f.importLotId(), qint64(3));

    int previews = 0;
    int rows = -1;
    bool exportEnabled = true;
    MessageService::setDialogHook([&](QDialog* d) {
        if (qobject_cast<ReportPreview*>(d) || qobject_cast<QFileDialog*>(d)) {
            ++previews;
            return int(QDialog::Rejected);
        }
        auto* s = qobject_cast<TFrShowImportCost*>(d);
        if (!s)
            return int(QDialog::Rejected);
        s->show();
        rows = s->model()->rowCount();
        exportEnabled = s->BExportPdf->isEnabled() || s->BExportCsv->isEnabled();
        s->BPrint->click();
        s->exportPdf();
        s->exportCsv();
        return int(QDialog::Accepted);
    });
    f.BtReport->click();
    QCOMPARE(rows, 0);
    QVERIFY(!exportEnabled);
    QCOMPARE(previews, 0); // nothing printed, nothing asked
    QVERIFY(MessageService::shown().isEmpty());

    // An unknown code leaves no lot chosen: the sheet is that of lot 0, empty.
    f.FaGetImportLotNo->Code->setText(QStringLiteral("NO-SUCH-LOT"));
    rows = -1;
    f.BtReport->click();
    QCOMPARE(f.importLotId(), qint64(0));
    QCOMPARE(rows, 0);
    QCOMPARE(f.FaGetImportLotNo->DescLabel->text(), TLookupEdit::notFoundText());
}

// Lot 1 split by gross weight (kg per piece: P001 0.01, P003 0.18, P006 2.5 per ream), stock
// quantities in pieces: P001 (100 + 50) boxes x 12 = 1,800; P003 50 x 12 = 600; P006 10 cartons
// x 144 = 1,440. Weights 18 + 108 + 3,600 = 3,726 kg.
//   P001 17,000 x 18 / 3,726     =     82.1256 ->     82.13
//   P003 17,000 x 108 / 3,726    =    492.7536 ->    492.75
//   P006 17,000 x 3,600 / 3,726  = 16,425.1208 -> 16,425.12        (sum 17,000.00)
// Landed: P001 82.13 + 1,200 + 8,025 = 9,307.13, / 150 = 62.04753 -> 62.0475
//         P003 492.75 + 639 + 12,780 = 13,911.75, / 50 = 278.235
//         P006 16,425.12 + 2,160 + 43,200 = 61,785.12, / 10 = 6,178.512   (total 85,004.00)
// Against value (75.7098, 336.2684, 5,683.41): -13.6623, -58.0334, +495.1020.
void TestImportCostForm::splitByGrossWeight()
{
    TFrImportCost f;
    chooseLot(f, lotCode(*m_env, 1), 3);
    QCOMPARE(f.basis(), CostBasis::GrossWeight);
    QCOMPARE(f.CbBasis->currentText(), QStringLiteral("น้ำหนักรวม"));

    int opened = 0;
    MessageService::setDialogHook([&](QDialog* d) {
        auto* s = qobject_cast<TFrShowImportCost*>(d);
        if (!s)
            return int(QDialog::Rejected);
        ++opened;
        s->resize(1180, 420);
        s->show();
        QApplication::setActiveWindow(s);
        [&] {
            QVERIFY(QTest::qWaitForWindowActive(s));
            QCOMPARE(s->LbBasis->text(), QStringLiteral("ปันส่วนค่าใช้จ่ายตาม: น้ำหนักรวม"));
            const char* expense[] = {"82.13", "492.75", "16,425.12"};
            const char* landed[] = {"9,307.13", "13,911.75", "61,785.12"};
            for (int r = 0; r < 3; ++r) {
                QCOMPARE(cell(s, r, ImportCostModel::Expense), QLatin1String(expense[r]));
                QCOMPARE(cell(s, r, ImportCostModel::TotalCost), QLatin1String(landed[r]));
            }
            QCOMPARE(s->result().Rows[0].Cost, 62.0475);
            QCOMPARE(s->result().Rows[2].Cost, 6178.512);
            QCOMPARE(footer(s, ImportCostModel::Expense), QStringLiteral("17,000.00"));
            QCOMPARE(footer(s, ImportCostModel::TotalCost), QStringLiteral("85,004.00"));

            // The chart draws the grid's own baht columns, product by product.
            const auto& bars = s->ChCost->bars();
            QCOMPARE(bars.size(), s->model()->rowCount());
            for (int r = 0; r < bars.size(); ++r) {
                auto value = [&](int col) { return s->model()->index(r, col).data(Qt::EditRole).toDouble(); };
                QCOMPARE(bars[r].Code, cell(s, r, ImportCostModel::Code));
                QCOMPARE(bars[r].Goods, value(ImportCostModel::Baht));
                QCOMPARE(bars[r].Duty, value(ImportCostModel::Duty));
                QCOMPARE(bars[r].Expense, value(ImportCostModel::Expense));
            }
            QVERIFY(s->grab().save(screenshotPath(QStringLiteral("importcost_gross.png"))));

            // Ctrl+Tab turns to the comparison with the value basis.
            s->DgCost->setFocus();
            QTest::keyClick(s->DgCost, Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(s->PcCost->currentWidget(), static_cast<QWidget*>(s->DgCompare));
            QCOMPARE(s->compareModel()->headerData(ImportCostCompareModel::BasisCost, Qt::Horizontal).toString(),
                     QStringLiteral("ต้นทุน/หน่วย ตามน้ำหนักรวม"));
            const QStringList expected[] = {{"P001", "75.7098", "62.0475", "-13.6623"},
                                            {"P003", "336.2684", "278.2350", "-58.0334"},
                                            {"P006", "5,683.4100", "6,178.5120", "+495.1020"}};
            const int cols[] = {ImportCostCompareModel::Code, ImportCostCompareModel::ValueCost,
                                ImportCostCompareModel::BasisCost, ImportCostCompareModel::Difference};
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 4; ++c)
                    QCOMPARE(s->compareModel()->index(r, cols[c]).data().toString(), expected[r][c]);
            QVERIFY(s->grab().save(screenshotPath(QStringLiteral("importcost_compare.png"))));

            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(s->PcCost->currentWidget(), static_cast<QWidget*>(s->SbChart));
            QCoreApplication::processEvents(); // the page's first layout
            QVERIFY(s->grab().save(screenshotPath(QStringLiteral("importcost_chart.png"))));
        }();
        return int(QDialog::Accepted);
    });
    QTest::keyClick(f.BtReport, Qt::Key_Space);
    QCOMPARE(opened, 1);
    QVERIFY(MessageService::shown().isEmpty());
}

void TestImportCostForm::basisWithoutDataIsRefused_data()
{
    QTest::addColumn<int>("down"); // Down presses from the value basis
    QTest::addColumn<QString>("update");
    QTest::addColumn<QString>("named");
    QTest::addColumn<QString>("notNamed");
    QTest::newRow("gross weight missing") << 3 << QStringLiteral("Update Product Set GrossWeight = 0 Where Code = 'P006'")
                                          << QStringLiteral("P006 กระดาษถ่ายเอกสาร A4") << QStringLiteral("P001");
    QTest::newRow("net weight not entered")
        << 2 << QStringLiteral("Update Product Set NetWeight = Null Where Code in ('P001', 'P003')")
        << QStringLiteral("P001 ปากกาลูกลื่นสีน้ำเงิน\nP003 สมุดบันทึก A5") << QStringLiteral("P006");
    QTest::newRow("no height") << 4 << QStringLiteral("Update Product Set Size_H = 0 Where Code = 'P003'")
                               << QStringLiteral("P003 สมุดบันทึก A5") << QStringLiteral("P006");
}

void TestImportCostForm::basisWithoutDataIsRefused()
{
    QFETCH(int, down);
    QFETCH(QString, update);
    QFETCH(QString, named);
    QFETCH(QString, notNamed);
    m_env->exec(update);
    TFrImportCost f;
    chooseLot(f, lotCode(*m_env, 1), down);
    int opened = 0;
    MessageService::setDialogHook([&](QDialog*) {
        ++opened;
        return int(QDialog::Rejected);
    });
    QTest::keyClick(f.BtReport, Qt::Key_Space);
    // Nothing opens: the message names what is missing and for which products.
    QCOMPARE(opened, 0);
    QCOMPARE(MessageService::shown().size(), 1);
    QCOMPARE(MessageService::shown().first().kind, MessageService::Kind::Warning);
    const QString text = MessageService::lastText();
    QVERIFY2(text.startsWith(QStringLiteral("ปันส่วนค่าใช้จ่ายตาม%1ไม่ได้").arg(f.CbBasis->currentText())), qPrintable(text));
    QVERIFY2(text.contains(named), qPrintable(text));
    QVERIFY(!text.contains(notNamed));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.FaGetImportLotNo->Code));
}

void TestImportCostForm::exportsStateTheBasis()
{
    copyLayout();
    TFrShowImportCost s(1, DM->DMdata(), nullptr, CostBasis::GrossWeight);
    s.show();
    const QString pdf = QDir(m_env->folder()).filePath(QStringLiteral("gross.pdf"));
    const QString csv = QDir(m_env->folder()).filePath(QStringLiteral("gross.csv"));
    QString target;
    MessageService::setDialogHook([&](QDialog* d) {
        auto* fd = qobject_cast<QFileDialog*>(d);
        if (!fd)
            return int(QDialog::Rejected);
        fd->selectFile(target);
        return int(QDialog::Accepted);
    });
    const QString note = QStringLiteral("ค่าใช้จ่ายนำเข้าปันส่วนตามน้ำหนักรวม ปัดเศษทีละรายการ");
    target = csv;
    s.BExportCsv->click();
    QFile f(csv);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(f.readAll()).contains(note));

    target = pdf;
    s.BExportPdf->click();
    QVERIFY(QFile::exists(pdf));
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForStarted())
        QSKIP("pdftotext is not installed");
    QVERIFY(p.waitForFinished(30000));
    // The sheet on page 1, the lot's expense documents on page 2, the chart on page 3 (pages
    // are separated by form feeds).
    const QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QCOMPARE(pages.size(), 3);
    QVERIFY2(pages[0].contains(note), qPrintable(pages[0]));
    QVERIFY(pages[0].contains(QStringLiteral("16,425.12")));
    // Each document with what it counts and the VAT left out, and their total.
    for (const QString& text : {QStringLiteral("เอกสารค่าใช้จ่ายของล็อต"), QStringLiteral("MS0001"),
                                QStringLiteral("10,000.00"), QStringLiteral("700.00"), QStringLiteral("5,000.00"),
                                QStringLiteral("350.00"), QStringLiteral("2,000.00"), QStringLiteral("140.00"),
                                QStringLiteral("17,000.00"), QStringLiteral("1,190.00")})
        QVERIFY2(pages[1].contains(text), qPrintable(text + QStringLiteral(" | ") + pages[1]));
    QVERIFY(!pages[1].contains(QStringLiteral("MS0002"))); // cancelled
    for (const QString& text : {QStringLiteral("ปันส่วนค่าใช้จ่ายตามน้ำหนักรวม"), QStringLiteral("อากร"),
                                QStringLiteral("P001"), QStringLiteral("P006"), QStringLiteral("9,307.13"),
                                QStringLiteral("61,785.12"), QStringLiteral("Import Lot No : ")})
        QVERIFY2(pages[2].contains(text), qPrintable(text + QStringLiteral(" | ") + pages[2]));
    const QString dir = qEnvironmentVariable("NK_BUILD_DIR");
    for (const auto& [page, name] : {std::pair{"2", "/cost_documents_pdf"}, std::pair{"3", "/cost_chart_pdf"}})
        if (!dir.isEmpty())
            QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("80"), QStringLiteral("-png"),
                                                           QStringLiteral("-f"), QLatin1String(page), QStringLiteral("-singlefile"),
                                                           pdf, dir + QLatin1String(name)});
}

void TestImportCostForm::printPreparesTheSheet()
{
    copyLayout();
    TFrShowImportCost s(1, DM->DMdata());
    s.show();
    QCOMPARE(s.model()->rowCount(), 3);

    int previews = 0;
    int pages = 0;
    MessageService::setDialogHook([&](QDialog* d) {
        if (qobject_cast<ReportPreview*>(d)) {
            ++previews;
            pages = s.report()->pageCount();
        }
        return int(QDialog::Rejected);
    });
    s.BPrint->click();
    QCOMPARE(previews, 1);
    QCOMPARE(pages, 1);
    QVERIFY(MessageService::shown().isEmpty());

    ReportExport::toImage(s.report()->prepared().pages.first(), screenshotPath(QStringLiteral("importcost_sheet.png")),
                          110);
    const QString texts = allTexts(s.report());
    // Names cut to 20 characters: "ปากกาลูกลื่นสีน้ำเงิน" has 21.
    const QString name = QStringLiteral("ปากกาลูกลื่นสีน้ำเงิน");
    QCOMPARE(name.size(), 21);
    QVERIFY2(texts.contains(name.left(20)), qPrintable(texts));
    QVERIFY(!texts.contains(name));
    QVERIFY(texts.contains(QStringLiteral("กระดาษถ่ายเอกสาร A4"))); // 19 characters, whole
    // The titles carry the lot currency.
    QVERIFY(texts.contains(QStringLiteral("USD")));
    QCOMPARE(texts.count(QStringLiteral("(USD)")), 2);
    QVERIFY(texts.contains(QStringLiteral("ต้นทุนการนำเข้า (ทดสอบ)")));
    QVERIFY(texts.contains(QStringLiteral("Import Lot No : %1 - เครื่องเขียนจากสหรัฐอเมริกา").arg(lotCode(*m_env, 1))));
    QVERIFY(texts.contains(QStringLiteral("วันที่พิมพ์"))); // PNTDATESET
    // Figures and totals as worked out by hand above.
    QVERIFY(texts.contains(QStringLiteral("75.7098")));
    QVERIFY(texts.contains(QStringLiteral("56,834.10")));
    QVERIFY(texts.contains(QStringLiteral("16,999.99")));
    QVERIFY(texts.contains(QStringLiteral("85,003.99")));
    QVERIFY(texts.contains(QStringLiteral("รวมทั้งสิ้น 3 รายการ")));
    // Split by value, the sheet says so in its own words.
    QVERIFY(texts.contains(QStringLiteral("ค่าใช้จ่ายนำเข้าปันส่วนตามมูลค่าสินค้าเป็นบาท ปัดเศษทีละรายการ "
                                          "ยอดรวมค่าใช้จ่ายอาจต่างจากยอดค่าใช้จ่ายของล็อตได้เล็กน้อย")));
}

void TestImportCostForm::printTextsWithQuotesAndNoCaption()
{
    // A quote in the lot's description is text on the sheet, not the end of an expression;
    // without a menu caption the title is the program's own.
    copyLayout();
    DMConfig->MenuCaption.clear();
    m_env->exec(QStringLiteral("Update ImportLotNo Set Description = 'Bob''s ''special'' lot' Where Id = 1"));
    TFrShowImportCost s(1, DM->DMdata());
    s.show();
    s.BPrint->click();
    QVERIFY(MessageService::shown().isEmpty());
    const QString texts = allTexts(s.report());
    QVERIFY2(texts.contains(QStringLiteral(" - Bob's 'special' lot")), qPrintable(texts));
    QVERIFY(texts.contains(QStringLiteral("รายงานต้นทุนการนำเข้า")));
}

void TestImportCostForm::missingLayoutIsReported()
{
    QFile::remove(QDir(DM->StartFolder).filePath(TFrShowImportCost::reportFileName()));
    TFrShowImportCost s(1, DM->DMdata());
    s.show();
    int previews = 0;
    MessageService::setDialogHook([&](QDialog*) {
        ++previews;
        return int(QDialog::Rejected);
    });
    s.printCostSheet();
    s.exportPdf();
    QCOMPARE(previews, 0);
    QCOMPARE(MessageService::shown().size(), 2);
    QCOMPARE(MessageService::shown().first().kind, MessageService::Kind::Warning);
    QVERIFY(MessageService::lastText().startsWith(QStringLiteral("ไม่พบแฟ้มรายงาน ")));
    QVERIFY(MessageService::lastText().endsWith(QStringLiteral("RP_ShowImportCost.frf")));
}

void TestImportCostForm::exportPdf()
{
    copyLayout();
    TFrShowImportCost s(1, DM->DMdata());
    s.show();
    const QString path = QDir(m_env->folder()).filePath(QStringLiteral("out/sheet.pdf"));
    QDir().mkpath(QFileInfo(path).path());
    QString proposed;
    bool answer = false;
    MessageService::setDialogHook([&](QDialog* d) {
        auto* fd = qobject_cast<QFileDialog*>(d);
        if (!fd)
            return int(QDialog::Rejected);
        proposed = fd->selectedFiles().value(0);
        if (!answer)
            return int(QDialog::Rejected);
        fd->selectFile(path);
        return int(QDialog::Accepted);
    });
    // Cancelled: no file, no message.
    s.BExportPdf->click();
    QCOMPARE(QFileInfo(proposed).fileName(), QStringLiteral("CostSheet_%1.pdf").arg(lotCode(*m_env, 1)));
    QVERIFY(!QFile::exists(path));
    QVERIFY(MessageService::shown().isEmpty());

    answer = true;
    s.BExportPdf->click();
    QVERIFY(QFile::exists(path));
    QCOMPARE(MessageService::shown().size(), 1);
    QCOMPARE(MessageService::shown().first().kind, MessageService::Kind::Information);
    QVERIFY(MessageService::lastText().contains(QStringLiteral("sheet.pdf")));

    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForStarted())
        QSKIP("pdftotext is not installed");
    QVERIFY(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    for (const char* total : {"1,785.00", "64,005.00", "3,999.00", "16,999.99", "85,003.99"})
        QVERIFY2(text.contains(QLatin1String(total)), total);
    QVERIFY(text.contains(QStringLiteral("P006")));
    QVERIFY(text.contains(QStringLiteral("USD")));
    // The text layer keeps the Thai tone marks and vowels of the sheet.
    for (const QString& thai : {QStringLiteral("เครื่องเขียนจากสหรัฐอเมริกา"), QStringLiteral("รวมทั้งสิ้น 3 รายการ"),
                                QStringLiteral("ปากกาลูกลื่นสีน้ำเงิ"), QStringLiteral("ต้นทุน/หน่วย(บาท)")})
        QVERIFY2(text.contains(thai), qPrintable(thai + QStringLiteral(" | ") + text.left(800)));
    // A picture of the first page for a person to look at.
    const QString dir = qEnvironmentVariable("NK_BUILD_DIR");
    if (!dir.isEmpty())
        QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("80"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                                       path, dir + QStringLiteral("/cost_sheet_pdf")});
}

void TestImportCostForm::exportCsv()
{
    copyLayout();
    // 20 characters would end between ฟ and its tone mark: the name is cut before ฟ้.
    const QString folder = QStringLiteral("แฟ้มเอกสารพลาสติกสีฟ้าใส");
    m_env->exec(QStringLiteral("Update Product Set ThaiName = :n Where Code = 'P003'"), {{QStringLiteral("n"), folder}});
    TFrShowImportCost s(1, DM->DMdata());
    s.show();
    const QString path = QDir(m_env->folder()).filePath(QStringLiteral("sheet")); // no suffix typed
    QString proposed;
    MessageService::setDialogHook([&](QDialog* d) {
        auto* fd = qobject_cast<QFileDialog*>(d);
        if (!fd)
            return int(QDialog::Rejected);
        proposed = fd->selectedFiles().value(0);
        fd->selectFile(path);
        return int(QDialog::Accepted);
    });
    s.BExportCsv->click();
    QCOMPARE(QFileInfo(proposed).fileName(), QStringLiteral("CostSheet_%1.csv").arg(lotCode(*m_env, 1)));
    QFile f(path + QStringLiteral(".csv"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(bytes.mid(3));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    auto lineWith = [&](const QString& code) {
        for (const QString& l : lines)
            if (l.startsWith(code + QLatin1Char(',')))
                return l;
        return QString();
    };
    // One line per product with its figures (numbers with a thousands comma are quoted).
    const QString p001 = lineWith(QStringLiteral("P001"));
    QVERIFY2(p001.contains(QStringLiteral("ปากกาลูกลื่นสีน้ำเงิ,")), qPrintable(p001));
    QVERIFY(p001.contains(QStringLiteral("\"11,356.47\"")));
    QVERIFY(p001.contains(QStringLiteral("75.7098")));
    QVERIFY(lineWith(QStringLiteral("P003")).contains(QStringLiteral("336.2684")));
    QVERIFY(lineWith(QStringLiteral("P006")).contains(QStringLiteral("\"56,834.10\"")));
    QVERIFY(text.contains(QStringLiteral("\"85,003.99\"")));
    const auto p003 = std::find_if(s.CostTable().begin(), s.CostTable().end(), [](const ImportCostRow& r) { return r.Code == QLatin1String("P003"); });
    QVERIFY(p003 != s.CostTable().end());
    QCOMPARE(p003->ThaiName, folder.left(19));
    QVERIFY(lineWith(QStringLiteral("P003")).startsWith(QStringLiteral("P003,แฟ้มเอกสารพลาสติกสี,")));
    // A spreadsheet table: one heading row, and every product row filled in every column.
    QCOMPARE(lines.filter(QStringLiteral("ราคา/หน่วย")).size(), 1);
    QVERIFY(lineWith(QStringLiteral("รหัส")).startsWith(QStringLiteral("รหัส,ชื่อสินค้า,จำนวน,ราคา/หน่วย(USD),รวมเงิน(USD),รวมเงิน(บาท),อากร,")));
    for (const char* code : {"P001", "P003", "P006"})
        QVERIFY2(!lineWith(QLatin1String(code)).contains(QStringLiteral(",,")), qPrintable(lineWith(QLatin1String(code))));
}

void TestImportCostForm::englishTexts()
{
    Translation::useLanguage(false);
    TFrImportCost f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QCOMPARE(f.BtReport->text(), QStringLiteral("Show Cost"));
    QCOMPARE(f.LbBasis->text(), QStringLiteral("Split Expenses &By"));
    QCOMPARE(f.CbBasis->itemText(4), QStringLiteral("Volume"));
    TFrShowImportCost s(1, DM->DMdata(), nullptr, CostBasis::Equal);
    QCOMPARE(s.BExportPdf->text(), QStringLiteral("Export PDF"));
    QCOMPARE(s.LbBasis->text(), QStringLiteral("Expenses split by: Equal per product"));
    QCOMPARE(s.BPrint->text(), QStringLiteral("Print Cost Sheet"));
    MessageService::queueAnswer(false);
    f.close();
    QCOMPARE(MessageService::lastText(), QStringLiteral("Exit Program ?"));
    QVERIFY(f.isVisible());
}

QTEST_MAIN(TestImportCostForm)
#include "tst_importcostform.moc"
