#include "forms/receipt/TFaGetVendor.h"

#include "app/MessageService.h"
#include "data/CachedDataSet.h"
#include "data/product/TDmProduct.h"
#include "forms/receipt/TFrSearchVendor.h"
#include "widgets/TLookupEdit.h"

#include <QLabel>
#include <QToolButton>

TFaGetVendor::TFaGetVendor(QWidget* parent)
    : TFaPicker(parent)
{
    setObjectName(QStringLiteral("FaGetVendor"));
    Caption->setText(tr("รหัสผู้ขาย"));
    Vendor = Edit;
    Vendor->setObjectName(QStringLiteral("Vendor"));
    Vendor->setLookup(QStringLiteral("VENDOR"), QStringLiteral("Id"), QStringLiteral("CODE"), QStringLiteral("NAME"));
    Vendor->setFilter(notBlockedFilter());
    Vendor->setAllowEmpty(false);
    BtSearch->setObjectName(QStringLiteral("BtVendor"));
    BtSearch->setToolTip(tr("ค้นหารหัสผู้ขาย"));
}

TFaGetVendor::~TFaGetVendor()
{
    delete m_search;
}

QString TFaGetVendor::VendorStatement()
{
    return QStringLiteral("SELECT V.Blocked, V.HeadCode, V.Customer, V.TaxNumber, V.TaxCode, V.DueDays, V.OpenAccount, "
                          "V.CreditLimit, V.DirectVendor, T.Rate TaxRate FROM Vendor V Inner Join Tax T On "
                          "(T.Id = V.TaxCode) Where V.Code = :GetCode");
}

TFrSearchVendor* TFaGetVendor::searchDialog()
{
    if (!m_search)
        m_search = new TFrSearchVendor(nullptr); // its own window, freed with the frame
    return m_search;
}

bool TFaGetVendor::runSearch(QString& code)
{
    TFrSearchVendor* dlg = searchDialog();
    dlg->IncludeBlocked = false;
    if (MessageService::execDialog(dlg) != QDialog::Accepted)
        return false;
    code = dlg->ResultValue.trimmed();
    return !code.isEmpty();
}

void TFaGetVendor::EditExit()
{
    TFaPicker::EditExit();
    const QString code = Vendor->text().trimmed();
    QVendor = QSqlRecord();
    m_found = false;
    if (!code.isEmpty()) {
        m_found = readFirstRow(Vendor->database(), VendorStatement(), {{QStringLiteral("GetCode"), code}}, QVendor);
        if (!Vendor->filter().isEmpty() && QVendor.value(QStringLiteral("Blocked")).toString() == QLatin1String("Y")) {
            MessageService::information(tr("ระงับการใช้งาน"));
            Vendor->setText(QString());
            if (CachedDataSet* ds = Vendor->dataSet(); ds && ds->Active() && ds->RecNo() >= 0 && ds->hasField(Vendor->field()))
                ds->SetField(Vendor->field(), QVariant());
            QVendor = QSqlRecord();
            m_found = false;
        }
    }
    if (VendorExit)
        VendorExit();
}
