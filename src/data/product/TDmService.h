#pragma once
#include <QObject>
#include <QSqlDatabase>
#include <QSqlRecord>

// The service check: codes of product type "S" only.
class TDmService : public QObject {
    Q_OBJECT
public:
    explicit TDmService(QObject* parent = nullptr);
    ~TDmService() override;
    void setDatabase(const QSqlDatabase& db) { m_db = db; m_hasDb = true; }
    bool ExistsService(const QString& code);
    QSqlRecord QChkService;

private:
    QSqlDatabase m_db;
    bool m_hasDb = false;
};

extern TDmService* DmService;
