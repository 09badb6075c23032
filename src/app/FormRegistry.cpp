#include "app/StartUp.h"
#include "forms/import/TFrInbound.h"
#include "forms/import/TFrImportCost.h"
#include "forms/import/TFrInboundBegin.h"
#include "forms/purchase/TFrFrPoTran.h"
#include "forms/purchase/TFrPoShip.h"
#include "forms/receipt/TFrImExcTran.h"
#include "forms/receipt/TFrImExpTran.h"
#include <QCoreApplication>

// Work forms register their program codes here; static libraries drop self-registering
// objects nobody references, so the list is explicit.
void StartUp::registerAllForms()
{
    registerForm(QStringLiteral("INBOUND"), [] {
        auto* f = new TFrInbound;
        f->setWindowTitle(QCoreApplication::translate("FormRegistry", "นำเข้าสินค้าจากต่างประเทศ"));
        f->PoType = QStringLiteral("P"); // foreign orders of goods, code "FRPO-P"
        return f;
    });
    registerForm(QStringLiteral("IMPBEGIN"), [] {
        auto* f = new TFrInboundBegin;
        f->setWindowTitle(QCoreApplication::translate("FormRegistry", "บิลค้างจ่ายต่างประเทศยกมาจากปีก่อน"));
        return f;
    });
    // The vendor bill as import expenses: type "S", numbered and printed under MR-S / PC-S.
    registerForm(QStringLiteral("IMEXPTRAN"), [] {
        auto* f = new TFrImExpTran;
        f->MrType = QStringLiteral("S");
        f->MrDocCode = QStringLiteral("MR-S");
        f->PayType = QStringLiteral("D");
        return f;
    });
    registerForm(QStringLiteral("IMEXCTRAN"), [] {
        auto* f = new TFrImExcTran;
        f->MrType = QStringLiteral("S");
        f->MrDocCode = QStringLiteral("PC-S");
        f->PayType = QStringLiteral("C");
        return f;
    });
    // The foreign purchase order, then its delivery-place dialog, hidden until the order
    // needs it.
    registerForm(QStringLiteral("FRPO"), [] {
        auto* f = new TFrFrPoTran;
        f->setWindowTitle(TFrFrPoTran::defaultCaption());
        f->ForeignOrder = true;
        f->PoType = QStringLiteral("P");
        f->FrPoShip = new TFrPoShip(f);
        return f;
    });
    registerForm(QStringLiteral("IMPORTCOST"), [] {
        auto* f = new TFrImportCost;
        f->setWindowTitle(TFrImportCost::defaultCaption());
        return f;
    });
}
