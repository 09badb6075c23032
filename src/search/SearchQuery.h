#pragma once
#include <QAbstractTableModel>
#include <QList>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <QVector>

// One column of a search grid: the result column it shows, its title, width in pixels,
// alignment and an optional number format ("#,##0.00", "#,##0").
struct SearchColumn {
    QString field;
    QString title;
    int width = 0;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QString displayFormat;
};

// The statement of a search dialog and its result, served to the grid. The statement is
// kept as lines because the searches rebuild it by replacing whole lines at fixed
// positions; typed text only ever goes into parameters. The rows are read completely at
// Open, so no read statement stays pending on the shared connection.
class SearchQuery : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SearchQuery(QObject* parent = nullptr);

    // ---- statement -----------------------------------------------------------------------
    QStringList SQL; // one entry per line
    void setSQL(const QString& text);
    QString text() const { return SQL.join(QLatin1Char('\n')); }
    void setParam(const QString& name, const QVariant& value);
    QVariant param(const QString& name) const;
    const QVariantMap& params() const { return m_params; }

    // ---- result --------------------------------------------------------------------------
    // Throws NkError when the statement fails; the query is closed then.
    void Open(const QSqlDatabase& db);
    void Close();
    bool Active() const { return m_active; }
    int RecordCount() const { return int(m_rows.size()); }
    bool IsEmpty() const { return m_rows.isEmpty(); }
    // The columns of the last opened result (kept after Close).
    const QSqlRecord& record() const { return m_record; }
    int fieldIndex(const QString& name) const { return m_record.indexOf(name); } // case-insensitive
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    bool isBlob(int fieldIndex) const;
    QVariant value(int row, const QString& field) const;
    QVariant value(int row, int field) const;
    // Trimmed text of a row's column ("" when the column is absent).
    QString fieldText(int row, const QString& field) const { return value(row, field).toString().trimmed(); }

    // ---- grid columns --------------------------------------------------------------------
    // Without columns of its own the grid shows every result column under its name.
    void addColumn(const QString& field, const QString& title, int width = 0,
                   Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter,
                   const QString& displayFormat = {});
    void clearColumns();
    QList<SearchColumn>& columns() { return m_columns; }
    const QList<SearchColumn>& columns() const { return m_columns; }
    void setColumnTitle(const QString& field, const QString& title);
    QString columnField(int column) const;

    // ---- model ---------------------------------------------------------------------------
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Background of a row: red for a cancelled document (DelFlag "Y"), blue for one already
    // received or paid (Clear "Y"), red for an inactive code (Active "N"); invalid otherwise.
    QColor rowColor(int row) const;
    static QString formatValue(const QVariant& v, const QString& displayFormat);

private:
    QVariantMap m_params; // keys upper-case
    QSqlRecord m_record;
    QVector<QVector<QVariant>> m_rows;
    QList<SearchColumn> m_columns;
    bool m_active = false;
    int m_delFlag = -1, m_clear = -1, m_activeCol = -1;
};
