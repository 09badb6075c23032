#pragma once
#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

// Rows a report runs over. A data set is either handed over by the program (an in-memory
// table such as the cost sheet's CostTable) or selected by the layout's own SQL statement,
// whose :Name parameters are bound to the report variables of the same name.
class ReportDataSet {
public:
    virtual ~ReportDataSet() = default;
    virtual int rowCount() const = 0;
    virtual QStringList fields() const = 0;
    virtual QVariant value(int row, int field) const = 0;
    int fieldIndex(const QString& name) const;  // case-insensitive; -1 when missing
};

class MemoryDataSet : public ReportDataSet {
public:
    MemoryDataSet() = default;
    explicit MemoryDataSet(const QStringList& fields) : m_fields(fields) {}
    void setFields(const QStringList& fields) { m_fields = fields; }
    void appendRow(const QVariantList& values) { m_rows.append(values); }
    void clear() { m_rows.clear(); }
    int rowCount() const override { return int(m_rows.size()); }
    QStringList fields() const override { return m_fields; }
    QVariant value(int row, int field) const override { return m_rows.value(row).value(field); }

private:
    QStringList m_fields;
    QList<QVariantList> m_rows;
};

class SqlDataSet : public ReportDataSet {
public:
    // Runs the statement and keeps its rows. Each :Name parameter is bound to param(Name);
    // typed values are never pasted into the statement's text. Throws NkError on failure.
    void open(const QSqlDatabase& db, const QString& sql, const std::function<QVariant(const QString&)>& param);
    int rowCount() const override { return int(m_rows.size()); }
    QStringList fields() const override { return m_fields; }
    QVariant value(int row, int field) const override { return m_rows.value(row).value(field); }

private:
    QStringList m_fields;
    QList<QVariantList> m_rows;
};

// Names of the :Name parameters of a statement, in order, outside quoted texts.
QStringList sqlParameterNames(const QString& sql);
