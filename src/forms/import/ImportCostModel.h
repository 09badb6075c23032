#pragma once
#include "forms/import/ImportCostCalc.h"

#include <QAbstractTableModel>

// The cost sheet as a read-only table: one row per product, the columns of the result grid,
// titles carrying the lot currency, numbers shown as "#,##0.00". The footer totals are served
// by footerText() for a separate footer row that stays visible while the grid scrolls.
class ImportCostModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Code, ThaiName, Quantity, Price, Total, Baht, Duty, Expense, TotalCost, Cost, ColumnCount };

    explicit ImportCostModel(QObject* parent = nullptr);

    void setResult(const ImportCostResult& result, const QString& currency);
    const ImportCostResult& result() const { return m_result; }
    QString currency() const { return m_currency; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Field name and width in characters of a column, as the grid lays it out.
    static QString fieldName(int column);
    static int widthChars(int column);
    // Footer: totals of Total, Baht, Duty, Expense and TotalCost; empty elsewhere and for an
    // empty sheet.
    QString footerText(int column) const;

    // "#,##0.00": thousands separated by commas, two decimals.
    static QString formatAmount(double value);

private:
    ImportCostResult m_result;
    QString m_currency;
};

// The comparison of one lot: per product, the cost per unit under the value basis beside the
// chosen basis and the difference (chosen less value), to 4 decimals as computed.
class ImportCostCompareModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Code, ThaiName, Quantity, ValueCost, BasisCost, Difference, ColumnCount };

    explicit ImportCostCompareModel(QObject* parent = nullptr);

    void setComparison(const QVector<ImportCostComparison>& rows, CostBasis basis, bool thai);
    const QVector<ImportCostComparison>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QVector<ImportCostComparison> m_rows;
    CostBasis m_basis = CostBasis::Value;
    bool m_thai = true;
};
