#pragma once
#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>
#include <QString>
#include <QVector>

class CachedDataSet;

// One grid column over a field of a cached data set.
struct GridColumn {
    QString field;
    QString title;
    int widthChars = 10;           // width in characters of the grid's font
    QString displayFormat;         // number pattern shown, e.g. "#,##0.00"; empty: as stored
    QString editFormat;            // number pattern while editing, e.g. "###0.00"
    bool readOnly = false;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool isDate = false;           // shown and typed as dd/mm/yyyy
    bool upperCase = false;        // typed codes are upper case
    bool hasButton = false;        // the cell editor carries a "..." button (also F5)
};

// Serves a cached data set to the grids: rows are the visible rows, columns the GridColumns.
// Alternate rows are painted light blue (BGR 16776176, as the suite's grids).
class CachedDataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CachedDataSetModel(CachedDataSet* ds, QObject* parent = nullptr);

    void setColumns(const QVector<GridColumn>& cols);
    const QVector<GridColumn>& columns() const { return m_cols; }
    GridColumn& column(int i) { return m_cols[i]; }
    int columnOf(const QString& field) const;
    void setColumnReadOnly(const QString& field, bool ro);
    CachedDataSet* dataSet() const { return m_ds; }

    static QColor alternateRowColor();
    // A stored number shown through a pattern such as "#,##0.00"; empty for a null value.
    static QString formatNumber(const QVariant& v, const QString& pattern);
    // Typed number text (thousands commas allowed) to a number; false when not a number.
    static bool parseNumber(const QString& text, double& out);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QPointer<CachedDataSet> m_ds;
    QVector<GridColumn> m_cols;
};
