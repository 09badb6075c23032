#include "data/DbMigrate.h"

#include "data/DbAdmin.h"
#include "data/DbCatalog.h"
#include "data/DbUtil.h"
#include "data/NkError.h"

#include <QDir>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cmath>

namespace DbMigrate {

namespace {

const int kBatchRows = 200;

NkError failure(const QSqlError& e, const QString& what)
{
    return NkError(e.text() + QLatin1Char('\n') + what.left(400));
}

const DbCatalog::Table* findTable(const QList<DbCatalog::Table>& tables, const QString& name)
{
    for (const DbCatalog::Table& t : tables)
        if (t.name == name)
            return &t;
    return nullptr;
}

// A value of the embedded file as the server's column takes it.
QVariant serverValue(const QVariant& v, const QString& kind, const QString& where)
{
    if (v.isNull() || !v.isValid())
        return {};
    if (kind == QLatin1String("date")) {
        if (v.toString().trimmed().isEmpty())
            return {};
        const QDateTime dt = Db::dateFromValue(v);
        if (!dt.isValid())
            throw NkError(QStringLiteral("%1: '%2' is no date").arg(where, v.toString()));
        return Db::dateToText(dt);
    }
    if (kind == QLatin1String("number") || kind == QLatin1String("integer")) {
        if (v.typeId() != QMetaType::QString)
            return v;
        const QString s = v.toString().trimmed();
        if (s.isEmpty())
            return {};
        bool ok = false;
        const double d = s.toDouble(&ok);
        if (!ok)
            throw NkError(QStringLiteral("%1: '%2' is no number").arg(where, s));
        return kind == QLatin1String("integer") ? QVariant(qlonglong(d)) : QVariant(d);
    }
    if (kind == QLatin1String("blob"))
        return v.toByteArray();
    return v.toString();
}

QString quoted(const QString& name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

void copyTable(const QSqlDatabase& from, const QSqlDatabase& to, const DbCatalog::Table& source,
               const DbCatalog::Table& target)
{
    QStringList names;
    QStringList kinds;
    for (const DbCatalog::Column& c : source.columns) {
        const auto it = std::find_if(target.columns.begin(), target.columns.end(),
                                     [&](const DbCatalog::Column& t) { return t.name == c.name; });
        if (it == target.columns.end())
            throw NkError(QStringLiteral("Column %1 of table %2 has no place on the server").arg(c.name, source.name));
        names << c.name;
        kinds << it->kind;
    }
    // What the schema script put there (NullTable's row) is replaced by the copy.
    Db::exec(to, QStringLiteral("DELETE FROM %1").arg(quoted(target.name)));
    if (names.isEmpty())
        return;
    QStringList quotedNames;
    for (const QString& n : names)
        quotedNames << quoted(n);
    const QString row = QLatin1Char('(') + QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(',')) + QLatin1Char(')');
    auto insertText = [&](int rows) {
        return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
            .arg(quoted(target.name), quotedNames.join(QLatin1Char(',')), QStringList(rows, row).join(QLatin1Char(',')));
    };
    QSqlQuery full(to);
    if (!full.prepare(insertText(kBatchRows)))
        throw failure(full.lastError(), insertText(1));

    QSqlQuery read(from);
    read.setForwardOnly(true);
    if (!read.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY 1").arg(quotedNames.join(QLatin1Char(',')), quoted(source.name))))
        throw failure(read.lastError(), source.name);
    QVariantList batch;
    int rows = 0;
    auto flush = [&](bool last) {
        if (rows == 0)
            return;
        QSqlQuery partial(to);
        QSqlQuery& q = rows == kBatchRows ? full : partial;
        if (&q == &partial && !partial.prepare(insertText(rows)))
            throw failure(partial.lastError(), insertText(1));
        for (int i = 0; i < batch.size(); ++i)
            q.bindValue(i, batch[i]);
        if (!q.exec())
            throw failure(q.lastError(), insertText(1));
        batch.clear();
        rows = 0;
        Q_UNUSED(last);
    };
    qint64 n = 0;
    while (read.next()) {
        ++n;
        for (int i = 0; i < names.size(); ++i)
            batch << serverValue(read.value(i), kinds[i],
                                 QStringLiteral("%1 row %2 column %3").arg(source.name).arg(n).arg(names[i]));
        if (++rows == kBatchRows)
            flush(false);
    }
    flush(true);
}

bool sameSum(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    const double x = a.toDouble();
    const double y = b.toDouble();
    return std::abs(x - y) <= 1e-6 * std::max({1.0, std::abs(x), std::abs(y)});
}

QSqlDatabase openAt(const QString& connection, const QString& name, const ServerLocation& where)
{
    return Connection::open(connection, name, Connection::serverNameOf(where), QDir::currentPath());
}

void closeConnection(const QString& connection)
{
    if (!QSqlDatabase::contains(connection))
        return;
    QSqlDatabase::database(connection, false).close();
    QSqlDatabase::removeDatabase(connection);
}

// Adds the company's rows to a configuration database that does not list the database yet.
QString addCompanyRows(const QSqlDatabase& from, const QSqlDatabase& to, const QString& name)
{
    const QVariantMap byName{{QStringLiteral("n"), name}};
    if (Db::scalar(to, QStringLiteral("SELECT COUNT(*) FROM DatabaseList WHERE DatabaseName = :n"), byName).toInt() > 0)
        return QStringLiteral("KOV_CONFIG on the server lists %1 already: left as it is").arg(name);
    const QVariant company = Db::scalar(from, QStringLiteral("SELECT Company FROM DatabaseList WHERE DatabaseName = :n"), byName);
    if (!company.isValid())
        throw NkError(QStringLiteral("KOV_CONFIG of the folder does not list %1").arg(name));
    // A table's row without its Id, inserted on the server; returns the new Id.
    auto copyRow = [&](const QString& table, const QString& where, const QVariantMap& params,
                       const QVariantMap& replace) -> QVariant {
        QSqlQuery q = Db::exec(from, QStringLiteral("SELECT * FROM %1 WHERE %2").arg(table, where), params);
        if (!q.next())
            return {};
        const QSqlRecord r = q.record();
        QStringList cols, holders;
        QVariantMap values;
        for (int i = 0; i < r.count(); ++i) {
            const QString col = r.fieldName(i);
            if (col.compare(QLatin1String("Id"), Qt::CaseInsensitive) == 0)
                continue;
            cols << col;
            holders << QLatin1Char(':') + col;
            values.insert(col, replace.contains(col) ? replace.value(col) : Db::fromDb(r.value(i), r.field(i).metaType()));
        }
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING Id")
                                .arg(table, cols.join(QLatin1Char(',')), holders.join(QLatin1Char(',')));
        return Db::scalar(to, sql, values);
    };
    const QString code = Db::scalar(from, QStringLiteral("SELECT Code FROM Company WHERE Id = :c"),
                                    {{QStringLiteral("c"), company}})
                             .toString();
    QVariant serverCompany = Db::scalar(to, QStringLiteral("SELECT Id FROM Company WHERE Code = :c"), {{QStringLiteral("c"), code}});
    QString line;
    if (serverCompany.isValid()) {
        line = QStringLiteral("KOV_CONFIG on the server: company %1 found, database %2 added").arg(code, name);
    } else {
        serverCompany = copyRow(QStringLiteral("Company"), QStringLiteral("Id = :c"), {{QStringLiteral("c"), company}}, {});
        line = QStringLiteral("KOV_CONFIG on the server: company %1 and database %2 added").arg(code, name);
    }
    const QVariantMap replace{{QStringLiteral("Company"), serverCompany}};
    copyRow(QStringLiteral("DatabaseList"), QStringLiteral("DatabaseName = :n"), byName, replace);
    if (Db::scalar(to, QStringLiteral("SELECT COUNT(*) FROM CompanyConfig WHERE Company = :c"), {{QStringLiteral("c"), serverCompany}}).toInt() == 0)
        copyRow(QStringLiteral("CompanyConfig"), QStringLiteral("Company = :c"), {{QStringLiteral("c"), company}}, replace);
    return line + QStringLiteral("; users, menus and rights are those of the server");
}

} // namespace

void copyRows(const QSqlDatabase& from, const QSqlDatabase& to)
{
    const QList<DbCatalog::Table> targets = DbCatalog::tables(to);
    for (const DbCatalog::Table& t : DbCatalog::tables(from)) {
        if (t.view)
            continue;
        const DbCatalog::Table* target = findTable(targets, t.name);
        if (!target || target->view)
            throw NkError(QStringLiteral("Table %1 has no place on the server").arg(t.name));
        copyTable(from, to, t, *target);
    }
}

QStringList compareRows(const QSqlDatabase& from, const QSqlDatabase& to)
{
    QStringList lines;
    for (const DbCatalog::Table& t : DbCatalog::tables(from)) {
        if (t.view)
            continue;
        QStringList sums{QStringLiteral("COUNT(*)")};
        for (const DbCatalog::Column& c : t.columns)
            if (c.kind == QLatin1String("number") || c.kind == QLatin1String("integer"))
                sums << QStringLiteral("SUM(%1)").arg(quoted(c.name));
        const QString sql = QStringLiteral("SELECT %1 FROM %2").arg(sums.join(QLatin1Char(',')), quoted(t.name));
        QSqlQuery a = Db::exec(from, sql);
        QSqlQuery b = Db::exec(to, sql);
        if (!a.next() || !b.next())
            throw NkError(QStringLiteral("Table %1 could not be read back").arg(t.name));
        if (a.value(0).toLongLong() != b.value(0).toLongLong())
            throw NkError(QStringLiteral("Table %1: %2 rows in the folder, %3 on the server")
                              .arg(t.name, a.value(0).toString(), b.value(0).toString()));
        for (int i = 1; i < sums.size(); ++i)
            if (!sameSum(a.value(i), b.value(i)))
                throw NkError(QStringLiteral("Table %1: %2 is %3 in the folder, %4 on the server")
                                  .arg(t.name, sums[i], a.value(i).toString(), b.value(i).toString()));
        lines << QStringLiteral("%1: %2 rows, %3 sums agree").arg(t.name, a.value(0).toString()).arg(sums.size() - 1);
    }
    return lines;
}

QStringList copyCompany(const QString& folder, const QString& name, const ServerLocation& server)
{
    if (server.kind != ServerLocation::Kind::PostgreSQL)
        throw NkError(QStringLiteral("Not a server: %1").arg(Connection::serverNameOf(server)));
    const ServerLocation files = Connection::parseServerName(QDir(folder).absolutePath(), folder);
    const QString config = QStringLiteral("KOV_CONFIG");
    if (!DbAdmin::databaseExists(files, name))
        throw NkError(QStringLiteral("No company database %1 in %2").arg(name, files.folder));
    if (DbAdmin::databaseExists(server, name))
        throw NkError(QStringLiteral("ฐานข้อมูลมีอยู่แล้ว (database already exists): %1 on %2")
                          .arg(name, Connection::serverNameOf(server)));
    const QString src = QStringLiteral("nk_migrate_from"), dst = QStringLiteral("nk_migrate_to");
    const QString srcCfg = QStringLiteral("nk_migrate_from_cfg"), dstCfg = QStringLiteral("nk_migrate_to_cfg");
    QStringList report;
    bool configCreated = false;
    bool companyCreated = false;
    try {
        const QSqlDatabase from = openAt(src, name, files);
        DbAdmin::createDatabase(server, name, {QStringLiteral("company.sql")},
                                [&](const QSqlDatabase& to) { copyRows(from, to); });
        companyCreated = true;
        report << QStringLiteral("Company database %1 copied to %2").arg(name, Connection::serverNameOf(server));
        {
            const QSqlDatabase to = openAt(dst, name, server);
            report << compareRows(from, to);
            // The server counts the rows it was given: the first forms then plan their
            // statements for tables of their real size (a statement kept prepared keeps the
            // plan it was made with, and one made for near-empty tables scans them).
            Db::exec(to, QStringLiteral("ANALYZE"));
        }
        closeConnection(dst);

        if (!DbAdmin::databaseExists(files, config)) {
            report << QStringLiteral("No KOV_CONFIG in the folder: the company's rows must be added on the server by hand");
        } else {
            const QSqlDatabase fromCfg = openAt(srcCfg, config, files);
            if (!DbAdmin::databaseExists(server, config)) {
                DbAdmin::createDatabase(server, config, {QStringLiteral("config.sql")},
                                        [&](const QSqlDatabase& to) { copyRows(fromCfg, to); });
                configCreated = true;
                report << QStringLiteral("KOV_CONFIG copied to the server");
                report << compareRows(fromCfg, openAt(dstCfg, config, server));
            } else {
                const QSqlDatabase toCfg = openAt(dstCfg, config, server);
                Db::beginTransaction(toCfg);
                try {
                    report << addCompanyRows(fromCfg, toCfg, name);
                    Db::commit(toCfg);
                } catch (...) {
                    Db::rollback(toCfg);
                    throw;
                }
            }
        }
    } catch (...) {
        for (const QString& c : {src, dst, srcCfg, dstCfg})
            closeConnection(c);
        if (companyCreated)
            DbAdmin::dropDatabase(server, name);
        if (configCreated)
            DbAdmin::dropDatabase(server, config);
        throw;
    }
    for (const QString& c : {src, dst, srcCfg, dstCfg})
        closeConnection(c);
    return report;
}

} // namespace DbMigrate
