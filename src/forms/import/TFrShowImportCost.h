#pragma once
#include "forms/import/ImportCostCalc.h"
#include "forms/import/LandedCostEstimate.h"
#include "report/ReportPage.h"

#include <QDialog>
#include <QSqlDatabase>
#include <QVector>

class ImportCostChartView;
class ImportCostCompareModel;
class ImportCostDocumentModel;
class ImportCostModel;
class LandedCostCompareModel;
class TReport;
class QLabel;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QTableView;

// The import cost of one lot: a read-only grid of the products with their landed cost, a
// footer of totals, the comparison of the chosen split basis with the value basis, a chart of
// what each product's cost is made of, and the buttons that print and export the cost sheet.
// Nothing is written; the figures are computed each time the form is shown.
class TFrShowImportCost : public QDialog {
    Q_OBJECT
public:
    TFrShowImportCost(qint64 importLotId, const QSqlDatabase& db, QWidget* parent = nullptr,
                      CostBasis basis = CostBasis::Value);
    ~TFrShowImportCost() override;

    // Reads the lot and computes the sheet (the first show does this by itself). A database
    // failure is thrown as NkError. A basis the lot lacks the data for is refused with a
    // message naming the products; the sheet then stays empty.
    void FormShow();
    // FormShow before the form is shown: false after telling the user why there is nothing
    // to show (a refused basis, a read failure).
    bool load();

    qint64 importLotId() const { return m_lotId; }
    CostBasis basis() const { return m_basis; }
    QString currency() const;
    const ImportCostResult& result() const;
    // The same lot under the value basis, for the comparison.
    const ImportCostResult& valueResult() const { return m_valueResult; }
    // The print data: every row of the grid, code and name cut to the 20 characters the
    // cost sheet has room for, never inside a letter with its vowel and tone marks.
    const QVector<ImportCostRow>& CostTable() const { return m_costTable; }
    static constexpr int PrintTextLength = 20;

    // Prints the cost sheet "RP_ShowImportCost.frf" from the start folder through the report
    // engine's preview, with the variables RPTITLE (menu caption, or "รายงานต้นทุนการนำเข้า"
    // when it is empty), CONDITION ("Import Lot No : " + lot code + " - " + lot description,
    // trimmed), PNTDATESET (true) and CURRCODE (the lot currency), and CostTable() as the
    // in-memory data set "CostTable". An empty sheet prints nothing.
    void printCostSheet();
    // The same pages written to a file the user names (proposed: CostSheet_<lot code>.pdf or
    // .csv). Nothing happens for an empty sheet or when the file dialog is cancelled. The PDF
    // has the chart on the pages after the sheet.
    void exportPdf();
    void exportCsv();

    // Fills the report with the layout, the variables and the data and prepares its pages.
    // False after telling the user why (missing layout file, unreadable layout, failure).
    bool prepareCostSheet();
    // The report object the sheet is printed through (made on first use, kept with the form).
    TReport* report();
    static QString reportFileName() { return QStringLiteral("RP_ShowImportCost.frf"); }
    // The layout file: the start folder, a "\" when it does not end with one, the file name.
    static QString reportPath();
    // The file name proposed for an export: "CostSheet_" + the lot code, with the suffix.
    QString exportFileName(const QString& suffix) const;
    // A text as a report expression: in single quotes, quotes inside doubled.
    static QString quoted(const QString& text);

    QTableView* DgCost = nullptr;
    QTableView* DgFooter = nullptr;
    QPushButton* BPrint = nullptr;
    QPushButton* BExportPdf = nullptr;
    QPushButton* BExportCsv = nullptr;
    QLabel* LbNote = nullptr; // how the expenses were spread when not by value; hidden otherwise
    QLabel* LbBasis = nullptr; // the split basis of the figures shown
    QTabWidget* PcCost = nullptr; // the sheet, the comparison, the chart, the expense documents
    QLabel* LbExpense = nullptr;  // under the sheet: the lot's expenses and how many documents
    QTableView* DgDocuments = nullptr;
    QTableView* DgCompare = nullptr;
    QScrollArea* SbChart = nullptr;
    ImportCostChartView* ChCost = nullptr;
    // The estimate of the orders the lot's imports took over against the actual cost.
    QLabel* LbEstimate = nullptr; // what there is to compare, and how the difference is split
    QTableView* DgEstimate = nullptr;
    ImportCostChartView* ChEstimate = nullptr;

    ImportCostModel* model() const { return m_model; }
    ImportCostCompareModel* compareModel() const { return m_compare; }
    ImportCostDocumentModel* documentModel() const { return m_documents; }
    LandedCostCompareModel* estimateModel() const { return m_estimates; }
    // Per product of the lot, estimated against actual (empty when the company has no
    // estimates); anyCompared tells whether some product came from an estimated order.
    const QVector<LandedCostEstimate::Comparison>& estimateComparison() const { return m_comparison; }
    // The pages the PDF export writes: the prepared sheet, the expense documents, the chart,
    // and for a lot with estimated orders the comparison and its picture.
    PreparedReport pdfPages();
    // The lot line and title as printed (without the quotes of report expressions).
    QString sheetTitle() const;
    QString sheetCondition(const QString& code, const QString& description) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum class ExportFormat { Pdf, Csv };
    QString basisText() const;
    void exportCostSheet(ExportFormat format);
    void buildCostTable();
    void syncFooter();
    void fitColumns();
    void enableButtons();

    qint64 m_lotId = 0;
    QSqlDatabase m_db;
    CostBasis m_basis = CostBasis::Value;
    ImportCostResult m_valueResult;
    ImportCostModel* m_model = nullptr;
    ImportCostCompareModel* m_compare = nullptr;
    ImportCostDocumentModel* m_documents = nullptr;
    LandedCostCompareModel* m_estimates = nullptr;
    QVector<LandedCostEstimate::Comparison> m_comparison;
    class FooterModel;
    FooterModel* m_footer = nullptr;
    QVector<ImportCostRow> m_costTable;
    bool m_shown = false;
    TReport* m_report = nullptr;
    QString m_lotCode;
    QString m_lotDescription;
};
