#pragma once
#include <QObject>
#include <QSqlDatabase>
#include <QSqlRecord>

#include "data/Noticed.h"

// The vendor data module: the credit-limit check run before an order is saved.
class TDmVendor : public QObject {
    Q_OBJECT
public:
    explicit TDmVendor(QObject* parent = nullptr);
    ~TDmVendor() override;
    void setDatabase(const QSqlDatabase& db) { m_db = db; m_hasDb = true; }

    // True when the save may go on. A vendor with a credit limit above 0 whose balance of the
    // current year plus the amount goes beyond it comes with the notice of the credit left;
    // the save then goes on only when the company's purcunlockcredit is empty.
    Noticed<bool> CheckCreditLimit(int vendorId, double amount);
    QSqlRecord QChkCredit;

    static QString creditMessage(double creditLeft);

private:
    QSqlDatabase m_db;
    bool m_hasDb = false;
};

extern TDmVendor* DmVendor;
