#include "forms/import/TFaGetFrVendor.h"

#include "app/MessageService.h"
#include "data/DbUtil.h"
#include "forms/import/TFrSearchFrVendor.h"
#include "widgets/TLookupEdit.h"

#include <QLabel>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QToolButton>

QStringList TFaGetFrVendor::TermsStatement()
{
    return {QStringLiteral("SELECT V.Code,V.Currency,V.DueDays,V.OpenAccount, V.CreditLimit,G.TaxCode,T.Rate TaxRate"),
            QStringLiteral("FROM FrVendor V"),
            QStringLiteral("Inner Join VendorGroup G On G.Id=V.VendorGroup"),
            QStringLiteral("Inner Join Tax T On T.Id=G.TaxCode"),
            QStringLiteral("\rWhere V.Code = :GetCode")};
}

TFaGetFrVendor::TFaGetFrVendor(QWidget* parent)
    : TFaPicker(parent)
{
    setObjectName(QStringLiteral("FaGetFrVendor"));
    Caption->setText(tr("เจ้าหนี้"));
    Vendor = Edit;
    Vendor->setObjectName(QStringLiteral("Vendor"));
    Vendor->setLookup(QStringLiteral("FrVendor"), QStringLiteral("Id"), QStringLiteral("Code"), QStringLiteral("Name"));
    Vendor->setAllowEmpty(false);
    BtSearch->setToolTip(tr("ค้นหารหัสเจ้าหนี้ต่างประเทศ"));
}

TFaGetFrVendor::~TFaGetFrVendor()
{
    delete m_search;
}

QString TFaGetFrVendor::text() const
{
    return Vendor->text().trimmed();
}

bool TFaGetFrVendor::Found() const
{
    return Vendor->valid() && !Vendor->currentId().isNull() && !text().isEmpty();
}

TFrSearchFrVendor* TFaGetFrVendor::searchDialog()
{
    if (!m_search)
        m_search = new TFrSearchFrVendor(nullptr); // its own window, freed with the frame
    return m_search;
}

QVariant TFaGetFrVendor::Term(const QString& column) const
{
    for (auto it = VendorTerms.cbegin(); it != VendorTerms.cend(); ++it)
        if (it.key().compare(column, Qt::CaseInsensitive) == 0)
            return it.value();
    return {};
}

bool TFaGetFrVendor::runSearch(QString& code)
{
    TFrSearchFrVendor* dlg = searchDialog();
    if (MessageService::execDialog(dlg) != QDialog::Accepted)
        return false;
    code = dlg->ResultValue.trimmed();
    return !code.isEmpty();
}

void TFaGetFrVendor::ReadTerms()
{
    VendorTerms.clear();
    const QString code = text();
    if (code.isEmpty())
        return;
    QSqlQuery q = Db::exec(Vendor->database(), TermsStatement().join(QLatin1Char('\n')),
                           {{QStringLiteral("GetCode"), code}});
    if (!q.next())
        return;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i)
        VendorTerms.insert(rec.fieldName(i), q.value(i));
}

void TFaGetFrVendor::EditExit()
{
    TFaPicker::EditExit();
    ReadTerms();
    if (VendorExit)
        VendorExit();
    emit vendorExit();
}
