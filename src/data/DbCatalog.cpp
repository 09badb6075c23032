#include "data/DbCatalog.h"

#include "data/DbUtil.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace DbCatalog {

namespace {

bool isSQLite(const QSqlDatabase& db)
{
    return Db::backendOf(db) == Db::Backend::SQLite;
}

// SQLite keeps a column's collation only in the table's CREATE text.
QString sqliteKind(const QString& declared, const QString& column, const QString& createSql)
{
    const QString t = declared.trimmed().toUpper();
    if (t == QLatin1String("INTEGER") || t == QLatin1String("INT"))
        return QStringLiteral("integer");
    if (t == QLatin1String("REAL") || t.startsWith(QLatin1String("NUMERIC")))
        return QStringLiteral("number");
    if (t == QLatin1String("DATETIME"))
        return QStringLiteral("date");
    if (t == QLatin1String("BLOB"))
        return QStringLiteral("blob");
    if (t == QLatin1String("TEXT")) {
        const QRegularExpression nocase(QStringLiteral("(^|[\\s,(])%1\\s+TEXT\\s+COLLATE\\s+NOCASE\\b")
                                            .arg(QRegularExpression::escape(column)),
                                        QRegularExpression::CaseInsensitiveOption);
        return nocase.match(createSql).hasMatch() ? QStringLiteral("nocase") : QStringLiteral("text");
    }
    return declared.toLower();
}

QString serverKind(const QString& dataType, const QString& udt)
{
    if (dataType == QLatin1String("integer") || dataType == QLatin1String("bigint") || dataType == QLatin1String("smallint"))
        return QStringLiteral("integer");
    if (dataType == QLatin1String("numeric"))
        return QStringLiteral("number");
    if (dataType == QLatin1String("text"))
        return QStringLiteral("text");
    if (dataType.startsWith(QLatin1String("timestamp")))
        return QStringLiteral("date");
    if (dataType == QLatin1String("bytea"))
        return QStringLiteral("blob");
    if (udt == QLatin1String("citext"))
        return QStringLiteral("nocase");
    return dataType;
}

QList<Table> sqliteTables(const QSqlDatabase& db)
{
    QList<Table> out;
    QSqlQuery q = Db::exec(db, QStringLiteral("SELECT name, type, sql FROM sqlite_master WHERE type IN ('table', 'view') "
                                              "AND name NOT LIKE 'sqlite_%'"));
    QList<std::tuple<QString, bool, QString>> found;
    while (q.next())
        found.append({q.value(0).toString(), q.value(1).toString() == QLatin1String("view"), q.value(2).toString()});
    for (const auto& [name, view, sql] : found) {
        Table t{name.toLower(), view, {}};
        QSqlQuery c = Db::exec(db, QStringLiteral("PRAGMA table_info(\"%1\")").arg(name));
        while (c.next()) {
            Column col;
            col.name = c.value(1).toString().toLower();
            if (!view) {
                col.kind = sqliteKind(c.value(2).toString(), c.value(1).toString(), sql);
                col.notNull = c.value(3).toInt() != 0 || c.value(5).toInt() != 0;
            }
            t.columns.append(col);
        }
        out.append(t);
    }
    return out;
}

QList<Table> serverTables(const QSqlDatabase& db)
{
    QList<Table> out;
    QSqlQuery q = Db::exec(db, QStringLiteral("SELECT table_name, table_type FROM information_schema.tables "
                                              "WHERE table_schema = current_schema()"));
    while (q.next())
        out.append({q.value(0).toString().toLower(), q.value(1).toString() == QLatin1String("VIEW"), {}});
    q.finish();
    QSqlQuery c = Db::exec(db, QStringLiteral("SELECT table_name, column_name, data_type, udt_name, is_nullable "
                                              "FROM information_schema.columns WHERE table_schema = current_schema() "
                                              "ORDER BY table_name, ordinal_position"));
    while (c.next()) {
        const QString table = c.value(0).toString().toLower();
        auto it = std::find_if(out.begin(), out.end(), [&](const Table& t) { return t.name == table; });
        if (it == out.end())
            continue;
        Column col;
        col.name = c.value(1).toString().toLower();
        if (!it->view) {
            col.kind = serverKind(c.value(2).toString(), c.value(3).toString());
            col.notNull = c.value(4).toString() == QLatin1String("NO");
        }
        it->columns.append(col);
    }
    return out;
}

QList<Index> sqliteIndexes(const QSqlDatabase& db)
{
    QList<Index> out;
    QSqlQuery q = Db::exec(db, QStringLiteral("SELECT name, tbl_name, sql FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL"));
    QList<std::tuple<QString, QString, QString>> found;
    while (q.next())
        found.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString()});
    for (const auto& [name, table, sql] : found) {
        Index ix{name.toLower(), table.toLower(), sql.contains(QLatin1String("UNIQUE"), Qt::CaseInsensitive), {}};
        QSqlQuery c = Db::exec(db, QStringLiteral("PRAGMA index_info(\"%1\")").arg(name));
        while (c.next())
            ix.columns << c.value(2).toString().toLower();
        out.append(ix);
    }
    return out;
}

QList<Index> serverIndexes(const QSqlDatabase& db)
{
    QList<Index> out;
    QSqlQuery q = Db::exec(db, QStringLiteral(
        "SELECT i.relname, t.relname, x.indisunique, a.attname "
        "FROM pg_index x JOIN pg_class i ON i.oid = x.indexrelid JOIN pg_class t ON t.oid = x.indrelid "
        "JOIN pg_namespace n ON n.oid = t.relnamespace "
        "JOIN LATERAL unnest(x.indkey) WITH ORDINALITY AS k(attnum, pos) ON true "
        "JOIN pg_attribute a ON a.attrelid = t.oid AND a.attnum = k.attnum "
        "WHERE n.nspname = current_schema() AND NOT x.indisprimary ORDER BY i.relname, k.pos"));
    while (q.next()) {
        const QString name = q.value(0).toString().toLower();
        if (out.isEmpty() || out.last().name != name)
            out.append({name, q.value(1).toString().toLower(), q.value(2).toBool(), {}});
        out.last().columns << q.value(3).toString().toLower();
    }
    return out;
}

} // namespace

QList<Table> tables(const QSqlDatabase& db)
{
    QList<Table> out = isSQLite(db) ? sqliteTables(db) : serverTables(db);
    std::sort(out.begin(), out.end(), [](const Table& a, const Table& b) { return a.name < b.name; });
    return out;
}

QList<Index> indexes(const QSqlDatabase& db)
{
    QList<Index> out = isSQLite(db) ? sqliteIndexes(db) : serverIndexes(db);
    std::sort(out.begin(), out.end(), [](const Index& a, const Index& b) { return a.name < b.name; });
    return out;
}

bool hasColumn(const QSqlDatabase& db, const QString& table, const QString& column)
{
    const QString sql = isSQLite(db)
                            ? QStringLiteral("SELECT count(*) FROM pragma_table_info(:t) WHERE lower(name) = lower(:c)")
                            : QStringLiteral("SELECT count(*) FROM information_schema.columns WHERE table_schema = "
                                             "current_schema() AND table_name = lower(:t) AND column_name = lower(:c)");
    return Db::scalar(db, sql, {{QStringLiteral("t"), table}, {QStringLiteral("c"), column}}).toInt() > 0;
}

QStringList describe(const QList<Table>& tables, const QList<Index>& indexes)
{
    QStringList lines;
    for (const Table& t : tables) {
        QStringList cols;
        for (const Column& c : t.columns)
            cols << (c.name + (c.kind.isEmpty() ? QString() : QLatin1Char(' ') + c.kind)
                     + (c.notNull ? QStringLiteral(" not null") : QString()));
        lines << (t.view ? QStringLiteral("view ") : QStringLiteral("table ")) + t.name + QStringLiteral(": ")
                + cols.join(QStringLiteral(", "));
    }
    for (const Index& i : indexes)
        lines << (i.unique ? QStringLiteral("unique index ") : QStringLiteral("index ")) + i.name + QStringLiteral(" on ")
                + i.table + QStringLiteral(" (") + i.columns.join(QStringLiteral(", ")) + QLatin1Char(')');
    return lines;
}

} // namespace DbCatalog
