#include "data/product/TDmVendor.h"

#include "data/TDM.h"
#include "data/product/TDmProduct.h"

TDmVendor* DmVendor = nullptr;

TDmVendor::TDmVendor(QObject* parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("DmVendor"));
}

TDmVendor::~TDmVendor()
{
    if (DmVendor == this)
        DmVendor = nullptr;
}

QString TDmVendor::creditMessage(double creditLeft)
{
    return tr("ยอดเกินวงเงินเครดิต\r\rบริษัทมีเครดิตคงเหลือ ") + QString::number(creditLeft, 'g', 15);
}

Noticed<bool> TDmVendor::CheckCreditLimit(int vendorId, double amount)
{
    // The year of the server's clock stands for Year(GetDate()).
    const QSqlDatabase db = m_hasDb ? m_db : DM->DMdata();
    const int year = DM ? DM->GetServerTime().date().year() : QDate::currentDate().year();
    readFirstRow(db,
                 QStringLiteral("Select V.CreditLimit, Coalesce((Select Sum(Coalesce(Balance,0)+Coalesce(ChqDue,0)+"
                                "Coalesce(ChqRtd,0)) From VendorBalance Where Vendor=V.Id And BalanceYear = :Year),0) "
                                "Balance From Vendor V Where (V.Id=:ChkId)"),
                 {{QStringLiteral("Year"), year}, {QStringLiteral("ChkId"), vendorId}}, QChkCredit);
    const double limit = QChkCredit.value(QStringLiteral("CreditLimit")).toDouble();
    const double balance = QChkCredit.value(QStringLiteral("Balance")).toDouble();
    if (limit <= 0)
        return {true, {}};
    // Compared in hundredths of a baht so binary leftovers never decide.
    if (qRound64((balance + amount) * 100) <= qRound64(limit * 100))
        return {true, {}};
    return {DM->ConfigText(QStringLiteral("purcunlockcredit")).isEmpty(), creditMessage(limit - balance)};
}
