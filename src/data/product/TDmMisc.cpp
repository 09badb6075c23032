#include "data/product/TDmMisc.h"
#include "data/TDM.h"
#include "data/product/TDmProduct.h"
#include "data/product/TDmService.h"
#include "data/product/TDmVendor.h"

TDmMisc* DmMisc = nullptr;

TDmMisc::TDmMisc(QObject* parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("DmMisc"));
}

TDmMisc::~TDmMisc()
{
    if (DmMisc == this)
        DmMisc = nullptr;
}

bool TDmMisc::ExistsMisc(const QString& code)
{
    return readFirstRow(m_hasDb ? m_db : DM->DMdata(), QString::fromLatin1(TDmProduct::SqlChkMisc),
                        {{QStringLiteral("GetCode"), code}}, QChkMisc);
}

void CreateProductModules()
{
    if (!DmProduct)
        DmProduct = new TDmProduct;
    if (!DmService)
        DmService = new TDmService;
    if (!DmMisc)
        DmMisc = new TDmMisc;
    if (!DmVendor)
        DmVendor = new TDmVendor;
}

void FreeProductModules()
{
    delete DmProduct;
    delete DmService;
    delete DmMisc;
    delete DmVendor;
}
