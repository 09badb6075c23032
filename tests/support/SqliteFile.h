#pragma once
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariantList>

// A SQLite file opened on a connection of the test's own (not the data modules'), with
// positional binds; a failing statement ends the test program with the driver's text.
class SqliteFile {
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
    ~SqliteFile()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }
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
    QString m_name;
};
