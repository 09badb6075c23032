#pragma once
#include "forms/import/ImportCostChart.h"
#include "forms/import/LandedCostEstimate.h"
#include "report/ReportPage.h"

#include <QAbstractTableModel>
#include <QMarginsF>

// The estimate of the orders a lot's imports took over set against the lot's actual cost, per
// product: as a read-only table on the import cost form, as pages of the PDF export (the
// table and a picture of estimated and actual cost per unit drawn like the cost chart) and as
// columns of the CSV export.
class LandedCostCompareModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Code, Name, Orders, Quantity, Estimated, Actual, Difference, Percent, Rate, Price, Duty, Expenses, Note,
        ColumnCount
    };

    explicit LandedCostCompareModel(QObject* parent = nullptr);

    void setRows(const QVector<LandedCostEstimate::Comparison>& rows, bool thai);
    const QVector<LandedCostEstimate::Comparison>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    static QString title(int column, bool thai);
    // A cell as shown, printed and exported.
    static QString cell(const LandedCostEstimate::Comparison& row, int column, bool thai);

private:
    QVector<LandedCostEstimate::Comparison> m_rows;
    bool m_thai = true;
};

namespace LandedCostCompare {

// The sentence of a lot whose imports took over no estimated order.
QString NothingToCompare(bool thai);
// How the difference is split, under the table.
QString Explanation(bool thai);
// Per product compared, two bars: the estimate per unit (faded) and the actual one.
QVector<ImportCostChartBar> Bars(const QVector<LandedCostEstimate::Comparison>& rows, bool thai);
ImportCostChartTexts ChartTexts(const QString& title, const QString& condition, bool thai);
// The table as pages; with the picture after it for the PDF.
QList<ReportPage> tablePages(const QVector<LandedCostEstimate::Comparison>& rows, const QSizeF& pageSize,
                             const QMarginsF& margins, const QString& title, const QString& condition, bool thai);
QList<ReportPage> pages(const QVector<LandedCostEstimate::Comparison>& rows, const QSizeF& pageSize,
                        const QMarginsF& margins, const QString& title, const QString& condition, bool thai);

} // namespace LandedCostCompare
