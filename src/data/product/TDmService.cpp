#include "data/product/TDmService.h"
#include "data/TDM.h"
#include "data/product/TDmProduct.h"

TDmService* DmService = nullptr;

TDmService::TDmService(QObject* parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("DmService"));
}

TDmService::~TDmService()
{
    if (DmService == this)
        DmService = nullptr;
}

bool TDmService::ExistsService(const QString& code)
{
    return readFirstRow(m_hasDb ? m_db : DM->DMdata(), QString::fromLatin1(TDmProduct::SqlChkService),
                        {{QStringLiteral("GetCode"), code}}, QChkService);
}
