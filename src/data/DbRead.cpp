// Reads of statements that run again and again: the product and unit checks at every code
// typed, the searches at every key. On the embedded backend they run on the SQLite handle of
// the Qt connection directly: Qt's driver re-reads the columns' description at every run and
// converts every text through UTF-16, which doubled the time of a short search. Connections
// that keep statements prepare each text once.
#include "data/DbUtil.h"

#include <QHash>
#include <QPointer>
#include <QSet>
#include <QSqlDriver>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <sqlite3.h>

#include <memory>

#if defined(Q_OS_UNIX)
#include <dlfcn.h>
#endif

namespace Db {

namespace {

// The handle may be used only when Qt's driver runs on this very SQLite library (a driver
// with a private copy of the engine, as some platforms build it, is left to Qt).
bool engineShared(const QSqlDriver* driver)
{
#if defined(Q_OS_UNIX)
    static const bool shared = [driver] {
        Dl_info info{};
        if (!dladdr(reinterpret_cast<const void*>(driver->metaObject()), &info) || !info.dli_fname)
            return false;
        void* plugin = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
        if (!plugin)
            return false;
        void* theirs = dlsym(plugin, "sqlite3_prepare_v2");
        dlclose(plugin);
        return theirs == reinterpret_cast<void*>(&sqlite3_prepare_v2);
    }();
    return shared;
#else
    Q_UNUSED(driver);
    return false;
#endif
}

sqlite3* nativeHandle(const QSqlDatabase& db)
{
    if (db.driverName() != QLatin1String("QSQLITE") || !db.isOpen() || !db.driver())
        return nullptr;
    if (!engineShared(db.driver()))
        return nullptr;
    const QVariant h = db.driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(h.constData());
}

NkError engineError(sqlite3* handle, int code, const QString& sql)
{
    const QString text = QString::fromUtf8(sqlite3_errmsg(handle));
    return sqlError(QSqlError(text, text, QSqlError::StatementError, QString::number(code)), sql);
}

// Column types as Qt's driver reports them, so callers see the same record either way.
QMetaType columnType(sqlite3_stmt* stmt, int column, bool haveRow)
{
    const char* decl = sqlite3_column_decltype(stmt, column);
    if (decl) {
        const QByteArray t = QByteArray(decl).toLower();
        if (t == "integer" || t == "int")
            return QMetaType::fromType<int>();
        if (t == "double" || t == "float" || t == "real" || t.startsWith("numeric"))
            return QMetaType::fromType<double>();
        if (t == "blob")
            return QMetaType::fromType<QByteArray>();
        if (t == "boolean" || t == "bool")
            return QMetaType::fromType<bool>();
        return QMetaType::fromType<QString>();
    }
    switch (haveRow ? sqlite3_column_type(stmt, column) : SQLITE_NULL) {
    case SQLITE_INTEGER:
        return QMetaType::fromType<int>();
    case SQLITE_FLOAT:
        return QMetaType::fromType<double>();
    case SQLITE_BLOB:
        return QMetaType::fromType<QByteArray>();
    case SQLITE_TEXT:
        return QMetaType::fromType<QString>();
    default:
        return QMetaType();
    }
}

QSqlRecord columnsOf(sqlite3_stmt* stmt, bool haveRow)
{
    QSqlRecord r;
    const int n = sqlite3_column_count(stmt);
    for (int i = 0; i < n; ++i)
        r.append(QSqlField(QString::fromUtf8(sqlite3_column_name(stmt, i)), columnType(stmt, i, haveRow)));
    return r;
}

QVariant columnValue(sqlite3_stmt* stmt, int i, const QMetaType& type)
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, i));
    case SQLITE_NULL:
        return QVariant(type);
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, i)), sqlite3_column_bytes(stmt, i)));
    default:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                          sqlite3_column_bytes(stmt, i)));
    }
}

int bindValue(sqlite3_stmt* stmt, int index, const QVariant& v)
{
    if (v.isNull())
        return sqlite3_bind_null(stmt, index);
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
        return sqlite3_bind_int64(stmt, index, v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(stmt, index, v.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        return sqlite3_bind_blob(stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    default: {
        const QByteArray b = v.toString().toUtf8();
        return sqlite3_bind_text(stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    }
}

struct Native {
    sqlite3* handle = nullptr;
    sqlite3_stmt* stmt = nullptr;
    QPointer<QSqlDriver> driver;
    QStringList params;
    bool inUse = false;
    ~Native()
    {
        // The engine refuses to close a connection with statements still prepared, so every
        // kept statement is finished before its connection closes (forgetConnection).
        if (stmt)
            sqlite3_finalize(stmt);
    }
};

// A statement kept prepared on a server connection: each run is one EXECUTE instead of a
// PREPARE, an EXECUTE and a DEALLOCATE.
struct ServerStatement {
    QSqlQuery query;
    QStringList params;
    bool inUse = false;
};

struct Kept {
    QSet<QString> connections;
    QHash<QString, std::shared_ptr<Native>> statements; // "connection\nstatement"
    QHash<QString, std::shared_ptr<ServerStatement>> server;
};
Kept& kept()
{
    static Kept k;
    return k;
}
constexpr int MaxKept = 200;

std::shared_ptr<Native> prepare(sqlite3* handle, const QSqlDatabase& db, const QString& sql, bool persistent)
{
    auto n = std::make_shared<Native>();
    n->handle = handle;
    n->driver = db.driver();
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(handle, text.constData(), int(text.size()),
                                      persistent ? SQLITE_PREPARE_PERSISTENT : 0, &n->stmt, nullptr);
    if (rc != SQLITE_OK)
        throw engineError(handle, rc, sql);
    n->params = parameterNames(sql);
    return n;
}

// The statement to run: the kept one of this connection and text, or one of its own when
// the connection keeps none or the kept one is running already (a nested read).
std::shared_ptr<Native> statementFor(sqlite3* handle, const QSqlDatabase& db, const QString& sql)
{
    Kept& k = kept();
    if (!k.connections.contains(db.connectionName()))
        return prepare(handle, db, sql, false);
    const QString key = db.connectionName() + QLatin1Char('\n') + sql;
    std::shared_ptr<Native> n = k.statements.value(key);
    if (n && n->inUse)
        return prepare(handle, db, sql, false);
    if (n && n->handle == handle && !n->driver.isNull() && n->driver == db.driver())
        return n;
    if (k.statements.size() >= MaxKept) {
        for (auto it = k.statements.begin(); it != k.statements.end();)
            it = (*it)->inUse ? std::next(it) : k.statements.erase(it);
    }
    n = prepare(handle, db, sql, true);
    k.statements.insert(key, n);
    return n;
}

// Binds, steps through every row and hands the values on; the statement is reset afterwards
// so no read stays open.
void runNative(sqlite3* handle, const QSqlDatabase& db, const QString& sql, const QVariantMap& params,
               QSqlRecord& columns, const std::function<bool(QVector<QVariant>&)>& row)
{
    std::shared_ptr<Native> n = statementFor(handle, db, sql);
    struct Running {
        Native& n;
        explicit Running(Native& s) : n(s) { n.inUse = true; }
        ~Running()
        {
            sqlite3_reset(n.stmt);
            sqlite3_clear_bindings(n.stmt);
            n.inUse = false;
        }
    } running(*n);
    for (const QString& name : n->params) {
        const int index = sqlite3_bind_parameter_index(n->stmt, (QLatin1Char(':') + name).toUtf8().constData());
        if (index > 0) {
            const int rc = bindValue(n->stmt, index, paramValue(params, name));
            if (rc != SQLITE_OK)
                throw engineError(handle, rc, sql);
        }
    }
    int rc = sqlite3_step(n->stmt);
    columns = columnsOf(n->stmt, rc == SQLITE_ROW);
    const int count = columns.count();
    QVector<QMetaType> types(count);
    for (int i = 0; i < count; ++i)
        types[i] = columns.field(i).metaType();
    while (rc == SQLITE_ROW) {
        QVector<QVariant> values(count);
        for (int i = 0; i < count; ++i)
            values[i] = columnValue(n->stmt, i, types[i]);
        if (!row(values))
            return;
        rc = sqlite3_step(n->stmt);
    }
    if (rc != SQLITE_DONE)
        throw engineError(handle, rc, sql);
}

std::shared_ptr<ServerStatement> serverStatementFor(const QSqlDatabase& db, const QString& sql)
{
    Kept& k = kept();
    const bool keep = k.connections.contains(db.connectionName());
    const QString key = db.connectionName() + QLatin1Char('\n') + sql;
    if (keep) {
        const std::shared_ptr<ServerStatement> s = k.server.value(key);
        if (s && !s->inUse)
            return s;
    }
    auto s = std::make_shared<ServerStatement>();
    s->query = QSqlQuery(db);
    s->query.setForwardOnly(true);
    if (!s->query.prepare(dialectSql(db, sql)))
        throw sqlError(s->query.lastError(), sql);
    s->params = parameterNames(sql);
    if (keep && !k.server.contains(key)) {
        if (k.server.size() >= MaxKept) {
            for (auto it = k.server.begin(); it != k.server.end();)
                it = (*it)->inUse ? std::next(it) : k.server.erase(it);
        }
        k.server.insert(key, s);
    }
    return s;
}

// The server's twin of runNative: binds, runs the kept statement and hands every row on,
// its values as the program keeps them (fromDb).
void runServer(const QSqlDatabase& db, const QString& sql, const QVariantMap& params, QSqlRecord& columns,
               const std::function<bool(QVector<QVariant>&)>& row)
{
    std::shared_ptr<ServerStatement> s = serverStatementFor(db, sql);
    struct Running {
        ServerStatement& s;
        explicit Running(ServerStatement& st) : s(st) { s.inUse = true; }
        ~Running()
        {
            s.query.finish();
            s.inUse = false;
        }
    } running(*s);
    for (const QString& name : s->params)
        s->query.bindValue(QLatin1Char(':') + name, paramValue(params, name));
    if (!s->query.exec())
        throw sqlError(s->query.lastError(), sql);
    columns = s->query.record();
    while (s->query.next()) {
        QVector<QVariant> values = rowValues(s->query, columns);
        if (!row(values))
            return;
    }
}

} // namespace

// A writer holds its statement for its whole life: on a connection that keeps statements it is
// the kept one of its text, so a save of a few rows sends no PREPARE and no DEALLOCATE.
struct RowWriter::Impl {
    QSqlDatabase db;
    QString sql;
    QStringList params;
    // The engine directly:
    sqlite3* handle = nullptr;
    std::shared_ptr<Native> native;
    QVector<int> indexes; // the engine's index of each parameter
    sqlite3_int64 lastId = 0;
    // Through Qt:
    std::shared_ptr<ServerStatement> server;
    QStringList placeholders;
    bool returning = false;
};

RowWriter::RowWriter(const QSqlDatabase& db, const QString& sql, const QString& keyColumn) : d(std::make_unique<Impl>())
{
    d->db = db;
    d->params = parameterNames(sql);
    d->handle = nativeHandle(db);
    if (d->handle) {
        d->sql = sql;
        d->native = statementFor(d->handle, db, sql);
        d->native->inUse = true;
        for (const QString& name : d->params)
            d->indexes.append(sqlite3_bind_parameter_index(d->native->stmt, (QLatin1Char(':') + name).toUtf8().constData()));
        return;
    }
    d->sql = insertReturningId(db, sql, keyColumn);
    d->returning = !keyColumn.isEmpty();
    d->server = serverStatementFor(db, d->sql);
    d->server->inUse = true;
    for (const QString& name : d->params)
        d->placeholders.append(QLatin1Char(':') + name);
}

RowWriter::~RowWriter()
{
    if (d->native) {
        sqlite3_reset(d->native->stmt);
        sqlite3_clear_bindings(d->native->stmt);
        d->native->inUse = false;
    }
    if (d->server) {
        d->server->query.finish();
        d->server->inUse = false;
    }
}

const QStringList& RowWriter::parameters() const
{
    return d->params;
}

void RowWriter::bind(int i, const QVariant& value)
{
    if (i < 0 || i >= d->params.size())
        return;
    if (d->native) {
        if (d->indexes[i] > 0) {
            const int rc = bindValue(d->native->stmt, d->indexes[i], toDbValue(value));
            if (rc != SQLITE_OK)
                throw engineError(d->handle, rc, d->sql);
        }
        return;
    }
    d->server->query.bindValue(d->placeholders[i], toDbValue(value));
}

void RowWriter::exec()
{
    if (d->native) {
        sqlite3_stmt* stmt = d->native->stmt;
        int rc = sqlite3_step(stmt);
        while (rc == SQLITE_ROW)
            rc = sqlite3_step(stmt);
        d->lastId = sqlite3_last_insert_rowid(d->handle);
        // Reset before the error is read: the engine reports a failed step there too.
        const int reset = sqlite3_reset(stmt);
        if (rc != SQLITE_DONE)
            throw engineError(d->handle, reset != SQLITE_OK ? reset : rc, d->sql);
        return;
    }
    if (!d->server->query.exec())
        throw sqlError(d->server->query.lastError(), d->sql);
}

QVariant RowWriter::insertedId()
{
    if (d->native)
        return QVariant(qlonglong(d->lastId));
    return d->returning ? Db::insertedId(d->db, d->server->query) : d->server->query.lastInsertId();
}

bool readFirst(const QSqlDatabase& db, const QString& sql, const QVariantMap& params, QSqlRecord& record)
{
    bool found = false;
    if (sqlite3* handle = nativeHandle(db)) {
        runNative(handle, db, sql, params, record, [&](QVector<QVariant>& values) {
            for (int i = 0; i < values.size(); ++i)
                record.setValue(i, values[i]);
            found = true;
            return false;
        });
        return found;
    }
    if (backendOf(db) == Backend::PostgreSQL) {
        runServer(db, sql, params, record, [&](QVector<QVariant>& values) {
            for (int i = 0; i < values.size(); ++i)
                record.setValue(i, values[i]);
            found = true;
            return false;
        });
        if (!found)
            record.clearValues();
        return found;
    }
    QSqlQuery q = exec(db, sql, params);
    record = q.record();
    found = q.next();
    if (found)
        record = q.record();
    else
        record.clearValues();
    return found;
}

void readRows(const QSqlDatabase& db, const QString& sql, const QVariantMap& params, QSqlRecord& columns,
              const std::function<void(QVector<QVariant>& values)>& row)
{
    if (sqlite3* handle = nativeHandle(db)) {
        runNative(handle, db, sql, params, columns, [&](QVector<QVariant>& values) {
            row(values);
            return true;
        });
        return;
    }
    if (backendOf(db) == Backend::PostgreSQL) {
        runServer(db, sql, params, columns, [&](QVector<QVariant>& values) {
            row(values);
            return true;
        });
        return;
    }
    QSqlQuery q = exec(db, sql, params);
    columns = q.record();
    const int n = columns.count();
    while (q.next()) {
        QVector<QVariant> values(n);
        for (int i = 0; i < n; ++i)
            values[i] = q.value(i);
        row(values);
    }
}

void keepStatements(const QString& connectionName)
{
    kept().connections.insert(connectionName);
}

void forgetConnection(const QString& connectionName)
{
    Kept& k = kept();
    k.connections.remove(connectionName);
    const QString prefix = connectionName + QLatin1Char('\n');
    for (auto it = k.statements.begin(); it != k.statements.end();)
        it = it.key().startsWith(prefix) ? k.statements.erase(it) : std::next(it);
    for (auto it = k.server.begin(); it != k.server.end();)
        it = it.key().startsWith(prefix) ? k.server.erase(it) : std::next(it);
}

} // namespace Db
