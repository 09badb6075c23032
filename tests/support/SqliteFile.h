#pragma once
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariantList>

// Statements with positional binds on a connection; a failing statement ends the test
// program with the driver's text.
class TestSql {
public:
    explicit TestSql(const QSqlDatabase& db = {}) : m_db(db) {}
    virtual ~TestSql() = default;

    virtual QSqlDatabase db() const { return m_db; }
    QSqlQuery query(const QString& sql, const QVariantList& binds = {}) const
    {
        QSqlQuery q(db());
        if (!q.prepare(sql))
            qFatal("prepare failed: %s\n%s", qPrintable(q.lastError().text()), qPrintable(sql));
        for (const QVariant& v : binds)
            q.addBindValue(v);
        if (!q.exec())
            qFatal("exec failed: %s\n%s", qPrintable(q.lastError().text()), qPrintable(sql));
        return q;
    }
    QVariant scalar(const QString& sql, const QVariantList& binds = {}) const
    {
        QSqlQuery q = query(sql, binds);
        return q.next() ? q.value(0) : QVariant();
    }
    int count(const QString& sql, const QVariantList& binds = {}) const { return scalar(sql, binds).toInt(); }

private:
    QSqlDatabase m_db;
};

// A SQLite file opened on a connection of the test's own (not the data modules').
class SqliteFile : public TestSql {
public:
    explicit SqliteFile(const QString& path, const QString& options = {})
        : m_name(QUuid::createUuid().toString())
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.setConnectOptions(options);
        if (!db.open())
            qFatal("cannot open %s", qPrintable(path));
    }
    ~SqliteFile() override
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    QSqlDatabase db() const override { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};
