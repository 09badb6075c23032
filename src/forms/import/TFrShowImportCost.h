#pragma once
#include "forms/import/ImportCostCalc.h"

#include <QDialog>
#include <QSqlDatabase>
#include <QVector>

class ImportCostModel;
class QLabel;
class QPushButton;
class QTableView;

// The import cost of one lot: a read-only grid of the products with their landed cost, a
// footer of totals, and the button that prints the cost sheet. Nothing is written; the figures
// are computed each time the form is shown.
class TFrShowImportCost : public QDialog {
    Q_OBJECT
public:
    TFrShowImportCost(qint64 importLotId, const QSqlDatabase& db, QWidget* parent = nullptr);
    ~TFrShowImportCost() override;

    // Reads the lot and computes the sheet (the first show does this by itself). A database
    // failure is thrown as NkError.
    void FormShow();

    qint64 importLotId() const { return m_lotId; }
    QString currency() const;
    const ImportCostResult& result() const;
    // The print data: every row of the grid, code and name cut to the 20 characters the
    // cost sheet has room for.
    const QVector<ImportCostRow>& CostTable() const { return m_costTable; }
    static constexpr int PrintTextLength = 20;

    // Prints the cost sheet "RP_ShowImportCost.frf" through the report engine's preview with
    // the variables RPTITLE (menu caption, or "รายงานต้นทุนการนำเข้า" when it is empty),
    // CONDITION ("Import Lot No : " + lot code + " - " + lot description, trimmed), PNTDATESET
    // (true) and CURRCODE (the lot currency), CostTable() as data source. The report engine is
    // not part of the program yet: until it is, this does nothing.
    void printCostSheet();

    QTableView* DgCost = nullptr;
    QTableView* DgFooter = nullptr;
    QPushButton* BPrint = nullptr;
    QLabel* LbNote = nullptr; // how the expenses were spread when not by value; hidden otherwise

    ImportCostModel* model() const { return m_model; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildCostTable();
    void syncFooter();

    qint64 m_lotId = 0;
    QSqlDatabase m_db;
    ImportCostModel* m_model = nullptr;
    class FooterModel;
    FooterModel* m_footer = nullptr;
    QVector<ImportCostRow> m_costTable;
    bool m_shown = false;
};
