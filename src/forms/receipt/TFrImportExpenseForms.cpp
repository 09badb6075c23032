// The cash purchase and the two import-expense configurations of the vendor bill.
#include "forms/receipt/TFrImExcTran.h"
#include "forms/receipt/TFrImExpTran.h"

TFrPcTran::TFrPcTran(QWidget* parent)
    : TFrMrTran(parent)
{
    setObjectName(QStringLiteral("FrPcTran"));
    setWindowTitle(defaultCaption());
    PayType = QStringLiteral("C");
    MrDocCode = QStringLiteral("PC-S");
}

TFrImExpTran::TFrImExpTran(QWidget* parent)
    : TFrMrTran(parent)
{
    setObjectName(QStringLiteral("FrImExpTran"));
    setWindowTitle(defaultCaption());
    ImportExpense = true;
    MrType = QStringLiteral("S");
    MrDocCode = QStringLiteral("MR-S");
    PayType = QStringLiteral("D");
}

TFrImExcTran::TFrImExcTran(QWidget* parent)
    : TFrPcTran(parent)
{
    setObjectName(QStringLiteral("FrImExcTran"));
    setWindowTitle(defaultCaption());
    ImportExpense = true;
    MrType = QStringLiteral("S");
    MrDocCode = QStringLiteral("PC-S");
    PayType = QStringLiteral("C");
}
