#include "data/TDM.h"
#include "data/Connection.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/SaveSteps.h"
#include "data/ServerProcs.h"
#include "data/Session.h"

#include <QDir>
#include <utility>
#include <QSqlQuery>
#include <QSqlRecord>

TDM* DM = nullptr;

TDM::TDM(QObject* parent)
    : QObject(parent)
    , StartFolder(QDir::currentPath())
{
    setObjectName(QStringLiteral("DM"));
    m_idle = new IdleRelease(QLatin1String(ConnectionName), [this] { return !m_inTransaction; },
                             [this] { m_connected = false; }, this);
    Db::setReopen(QLatin1String(ConnectionName), [this] { DMdata(); });
}

TDM::~TDM()
{
    Db::setReopen(QLatin1String(ConnectionName), {});
    CloseConnection();
    if (DM == this)
        DM = nullptr;
}

void TDM::setDatabaseName(const QString& name)
{
    m_databaseName = name.trimmed();
}

bool TDM::Connected() const
{
    // A server connection that lost its server (stopped, restarted, network gone) reads as
    // closed too (the driver asks libpq): the next use connects again.
    return m_connected && QSqlDatabase::contains(QLatin1String(ConnectionName))
        && QSqlDatabase::database(QLatin1String(ConnectionName), false).isOpen();
}

QSqlDatabase TDM::DMdata()
{
    if (!Connected()) {
        // A connection lost inside a save is not replaced there: what the save wrote went
        // with it, so the save fails and is rolled back.
        if (m_inTransaction)
            throw NkError(QStringLiteral("The connection to database %1 was lost during the save").arg(m_databaseName),
                          NkError::Kind::Connection);
        BeforeConnect();
        const QString server = Connection::readServerName(StartFolder);
        const QSqlDatabase db = Connection::open(QLatin1String(ConnectionName), m_databaseName, server, StartFolder);
        m_connected = true;
        m_idle->watch(db);
        AfterConnect();
    }
    m_idle->used();
    return QSqlDatabase::database(QLatin1String(ConnectionName), false);
}

void TDM::setIdleRelease(int milliseconds)
{
    m_idle->setLimit(milliseconds);
}

void TDM::BeforeConnect()
{
    // The parameter list is rebuilt from scratch at every connect, never appended to.
    m_params.clear();
    m_params = Connection::buildParams(m_databaseName, Connection::readServerName(StartFolder));
    m_configOpen = false;
    m_periodsOpen = false;
    m_inTransaction = false;
    m_saveKeyColumns.clear();
}

void TDM::AfterConnect()
{
    RefreshConfig();
    emit afterConnect();
}

void TDM::CloseConnection()
{
    if (m_inTransaction)
        Rollback();
    m_idle->stop();
    m_connected = false;
    m_configOpen = false;
    m_periodsOpen = false;
    if (QSqlDatabase::contains(QLatin1String(ConnectionName))) {
        Db::forgetConnection(QLatin1String(ConnectionName));
        {
            QSqlDatabase db = QSqlDatabase::database(QLatin1String(ConnectionName), false);
            db.close();
        }
        QSqlDatabase::removeDatabase(QLatin1String(ConnectionName));
    }
}

void TDM::StartTransaction()
{
    if (m_inTransaction)
        throw NkError(QStringLiteral("A transaction is already running"));
    try {
        Db::beginTransaction(DMdata());
    } catch (const NkError&) {
        // The server went away since the last statement (it was restarted): nothing has been
        // written yet, so the save starts once more on a new connection.
        if (Connected())
            throw;
        Db::beginTransaction(DMdata());
    }
    m_inTransaction = true;
    m_savedNumber.clear();
    m_standIn.clear();
}

void TDM::Commit()
{
    if (!m_inTransaction)
        return;
    if (!m_standIn.isEmpty())
        throw NkError(QStringLiteral("A new document still holds its stand-in number %1: nothing was committed").arg(m_standIn));
    try {
        Db::commit(DMdata());
        m_inTransaction = false;
        SaveSteps::report(SaveSteps::Step::Committed);
    } catch (const NkError& e) {
        // The connection went during COMMIT: the server may have stored all of it or none.
        // A new document tried again is found by its save key instead of stored twice.
        if (e.kind() == NkError::Kind::Connection)
            throw NkError(e.message(), e.kind(),
                          tr("การเชื่อมต่อฐานข้อมูลขาดระหว่างบันทึก จึงไม่ทราบว่าบันทึกสำเร็จหรือไม่\n"
                             "กด F10 บันทึกอีกครั้ง เอกสารที่บันทึกไปแล้วจะไม่ถูกบันทึกซ้ำ"));
        throw;
    }
    const QString saved = std::exchange(m_savedNumber, QString());
    if (!saved.isEmpty())
        emit documentSaved(saved);
}

void TDM::Rollback() noexcept
{
    if (!m_inTransaction)
        return;
    m_inTransaction = false;
    m_savedNumber.clear();
    m_standIn.clear();
    if (QSqlDatabase::contains(QLatin1String(ConnectionName)))
        Db::rollback(QSqlDatabase::database(QLatin1String(ConnectionName), false));
}

// ---- Config row ------------------------------------------------------------------------

void TDM::ensureConfig()
{
    DMdata();
    if (m_configOpen)
        return;
    QSqlQuery q = Db::exec(DMdata(), QStringLiteral("SELECT   * FROM Config"));
    m_config = q.record();
    if (q.next())
        m_config = q.record();
    else
        m_config.clearValues();
    m_configOpen = true;
}

QVariant TDM::Config(const QString& column)
{
    ensureConfig();
    const int i = m_config.indexOf(column);
    return i < 0 ? QVariant() : m_config.value(i);
}

QString TDM::ConfigText(const QString& column)
{
    return Config(column).toString().trimmed();
}

bool TDM::HasConfigColumn(const QString& column)
{
    ensureConfig();
    return m_config.indexOf(column) >= 0;
}

void TDM::RefreshConfig()
{
    m_configOpen = false;
    ensureConfig();
    m_periodsOpen = false;
    PeriodRows();
}

const QList<QSqlRecord>& TDM::PeriodRows()
{
    if (!m_periodsOpen) {
        m_periodRows.clear();
        QSqlQuery q = Db::exec(DMdata(), QStringLiteral("select  * from accountperiod order by accountyear desc"));
        while (q.next())
            m_periodRows.append(q.record());
        m_periodsOpen = true;
    }
    return m_periodRows;
}

// ---- small services --------------------------------------------------------------------

int TDM::GetNewId()
{
    const QSqlDatabase db = DMdata();
    return Db::scalar(db, Db::lastInsertIdSql(db)).toInt();
}

QDateTime TDM::GetServerTime()
{
    return ServerProcs::ServerTime(DMdata());
}

void TDM::AddUserLog(int functionListId, int documentId, const QString& remark)
{
    const Session* session = Session::current();
    const int userId = session ? session->UserId : 0;
    const int menuId = session ? session->MenuId : 0;
    ServerProcs::UserAddLog(DMdata(), userId, menuId, functionListId, documentId, remark);
    // A new or changed document saved: its number is announced when the save commits.
    if (m_inTransaction && (functionListId == 1 || functionListId == 2))
        m_savedNumber = remark.trimmed();
}

double TDM::GetTaxRate(int taxId)
{
    const QVariant v = Db::scalar(DMdata(), QStringLiteral("Select Rate  From Tax Where (Id = :GetCode)"),
                                  {{QStringLiteral("GetCode"), taxId}});
    return v.isValid() ? v.toDouble() : 0.0;
}

void TDM::DelGL(int id, const QString& no)
{
    // The stored number is compared trimmed, so the number is bound trimmed too: a padded
    // number ("   IM001") would otherwise never match and the voucher would stay behind.
    const QVariantMap p{{QStringLiteral("id"), id}, {QStringLiteral("no"), no.trimmed()}};
    // Every save of a document with a voucher runs both: kept prepared.
    Db::execKept(DMdata(),
                 QStringLiteral("delete from gldt where glhd in ( select id from glhd where glfromdocid=:id "
                                "and ltrim(rtrim(glfromdocno))=:no )"),
                 p);
    Db::execKept(DMdata(), QStringLiteral("delete from glhd where glfromdocid=:id and ltrim(rtrim(glfromdocno))=:no"), p);
}
