#pragma once
#include <QObject>
#include <QSqlDatabase>
#include <QSqlRecord>

// The miscellaneous-item check: codes of product type "M" only.
class TDmMisc : public QObject {
    Q_OBJECT
public:
    explicit TDmMisc(QObject* parent = nullptr);
    ~TDmMisc() override;
    void setDatabase(const QSqlDatabase& db) { m_db = db; m_hasDb = true; }
    bool ExistsMisc(const QString& code);
    QSqlRecord QChkMisc;

private:
    QSqlDatabase m_db;
    bool m_hasDb = false;
};

extern TDmMisc* DmMisc;

// Creates DmProduct, DmService, DmMisc and DmVendor when they do not exist yet (start-up order: after
// DM and DMConfig).
void CreateProductModules();
void FreeProductModules();
