#include "report/ReportData.h"

#include "data/DbUtil.h"
#include "data/NkError.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

int ReportDataSet::fieldIndex(const QString& name) const
{
    const QStringList f = fields();
    for (int i = 0; i < f.size(); ++i)
        if (f[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QStringList sqlParameterNames(const QString& sql)
{
    QStringList names;
    QChar quote;
    for (int i = 0; i < sql.size(); ++i) {
        QChar c = sql[i];
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(':') && i + 1 < sql.size() && (sql[i + 1].isLetter() || sql[i + 1] == QLatin1Char('_')) &&
                   (i == 0 || sql[i - 1] != QLatin1Char(':'))) {
            int j = i + 1;
            while (j < sql.size() && (sql[j].isLetterOrNumber() || sql[j] == QLatin1Char('_'))) ++j;
            QString n = sql.mid(i + 1, j - i - 1);
            if (!names.contains(n, Qt::CaseInsensitive)) names.append(n);
            i = j - 1;
        }
    }
    return names;
}

void SqlDataSet::open(const QSqlDatabase& db, const QString& sql, const std::function<QVariant(const QString&)>& param)
{
    m_fields.clear();
    m_rows.clear();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(Db::dialectSql(db, sql))) throw NkError(q.lastError().text());
    for (const QString& name : sqlParameterNames(sql)) q.bindValue(QLatin1Char(':') + name, param(name));
    if (!q.exec()) throw NkError(q.lastError().text());
    QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i) m_fields.append(rec.fieldName(i));
    while (q.next()) {
        const QVector<QVariant> values = Db::rowValues(q, rec);
        m_rows.append(QVariantList(values.begin(), values.end()));
    }
}
