#pragma once
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// What a database defines, read from the engine's own catalog, in the terms both backends
// share, so a SQLite file and its server twin can be compared (and copied, DbMigrate).
namespace DbCatalog {

// A column's kind: "integer", "number" (REAL / numeric), "text" (case-sensitive),
// "nocase" (TEXT COLLATE NOCASE / citext), "date" (DATETIME / timestamp), "blob", or the
// engine's own type name when it is none of these.
struct Column {
    QString name; // lower case
    QString kind;
    bool notNull = false;
    bool operator==(const Column&) const = default;
};
struct Table {
    QString name; // lower case
    bool view = false;
    QList<Column> columns; // in their order; a view's columns carry no kind
    bool operator==(const Table&) const = default;
};
struct Index {
    QString name; // lower case
    QString table;
    bool unique = false;
    QStringList columns;
    bool operator==(const Index&) const = default;
};

// Tables and views, sorted by name (the engine's own tables left out).
QList<Table> tables(const QSqlDatabase& db);
// The indexes made by CREATE INDEX (not those of primary keys), sorted by name.
QList<Index> indexes(const QSqlDatabase& db);
// The table has the column (names in any case). One statement; fit inside a transaction.
bool hasColumn(const QSqlDatabase& db, const QString& table, const QString& column);
// One line per table, column and index ("table imdt: id integer not null, ..."), for messages.
QStringList describe(const QList<Table>& tables, const QList<Index>& indexes);

} // namespace DbCatalog
