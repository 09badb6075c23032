#include "forms/purchase/TFrSearchPoNo.h"

#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "search/SearchQuery.h"
#include "search/SimpleSearch.h"
#include "search/TFaPicker.h"
#include "widgets/TLookupEdit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QCoreApplication>

namespace {

// The vendor picker of the order search: Vendor, Code typed and Name shown; its button lists
// the vendors by name.
class OrderVendorPicker : public TFaPicker {
public:
    explicit OrderVendorPicker(QWidget* parent)
        : TFaPicker(parent)
    {
        setObjectName(QStringLiteral("FaGetVendor"));
        Caption->setText(QCoreApplication::translate("TFrSearchPoNo", "รหัสผู้ขาย"));
        Edit->setObjectName(QStringLiteral("Vendor"));
        Edit->setLookup(QStringLiteral("Vendor"), QStringLiteral("Id"), QStringLiteral("Code"), QStringLiteral("Name"));
        // An empty vendor here means every vendor.
        Edit->setAllowEmpty(true);
        BtSearch->setToolTip(QCoreApplication::translate("TFrSearchPoNo", "ค้นหารหัสผู้ขาย"));
    }

protected:
    bool runSearch(QString& code) override
    {
        if (!SimpleSearch(QCoreApplication::translate("TFrSearchPoNo", "ค้นหารหัสเจ้าหนี้"), QStringLiteral("Code"), QStringLiteral("Vendor"), QString(),
                          QStringLiteral("Name")))
            return false;
        code = SimpleSearchDialog()->ResultValue.trimmed();
        return !code.isEmpty();
    }
};

} // namespace

TFrSearchPoNo::TFrSearchPoNo(QWidget* parent)
    : TFrSearch(parent)
{
    setObjectName(QStringLiteral("FrSearchPoNo"));
    setWindowTitle(tr("ค้นหาใบสั่งซื้อ"));
    LbCode->setText(tr("เลขที่"));

    QNullTable = new CachedDataSet(this, QStringLiteral("QNullTable"));
    QNullTable->setSQL(QStringLiteral("Select 0 Id From NullTable"));

    FaGetVendor = createVendorPicker(this);

    m_pickerRow = new QWidget(this);
    auto* rowLayout = new QHBoxLayout(m_pickerRow);
    rowLayout->setContentsMargins(6, 0, 6, 6);
    rowLayout->addWidget(FaGetVendor, 1);
    if (auto* lay = qobject_cast<QVBoxLayout*>(layout()))
        lay->insertWidget(1, m_pickerRow);

    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    QSearch->addColumn(QStringLiteral("PoNo"), tr("เลขที่"), 90, right);
    QSearch->addColumn(QStringLiteral("PoDate"), tr("วันที่สั่ง"), 75);
    QSearch->addColumn(QStringLiteral("ShipDate"), tr("วันที่ส่ง"), 75);
    QSearch->addColumn(QStringLiteral("CODE"), tr("รหัสเจ้าหนี้"), 70);
    QSearch->addColumn(QStringLiteral("NAME"), tr("ชื่อเจ้าหนี้"), 160);
    QSearch->addColumn(QStringLiteral("Total"), tr("รวมเงิน"), 90, right, QStringLiteral("#,##0.00"));
    QSearch->addColumn(QStringLiteral("Salesman"), tr("พนักงานขาย"), 120);
}

QStringList TFrSearchPoNo::Statement() const
{
    const QString cat = QLatin1Char(' ') + Db::concatOp(database()) + QLatin1Char(' ');
    return {QStringLiteral("SELECT H.PoNo, H.PoDate, H.ShipDate, H.Reference, H.DelFlag, (Select Rtrim( LTrim(RTrim(Name))")
                + cat + QStringLiteral("' '") + cat
                + QStringLiteral("LTrim(RTrim(SurName)) ) From Salesman Where Id = H.Salesman) Salesman,"),
            QStringLiteral("H.Total, H.Clear, V.NAME, V.CODE,H.Id"),
            QStringLiteral("FROM PoHd H"),
            QStringLiteral("INNER JOIN VENDOR V ON (H.VENDOR = V.ID)"),
            QString(),
            QString(),
            markerLine()};
}

TFaPicker* TFrSearchPoNo::createVendorPicker(QWidget* parent)
{
    return new OrderVendorPicker(parent);
}

TFaPicker* TFrSearchPoNo::vendorPicker() const
{
    return FaGetVendor;
}

void TFrSearchPoNo::showWithPicker(TFaPicker* picker)
{
    ResultValue.clear();
    ResultField = QStringLiteral("PONo");
    // A fresh placeholder row in edit, holding the preset vendor when there is one.
    QNullTable->OpenEditRow();
    if (ID > 0)
        QNullTable->SetField(QStringLiteral("Id"), ID);
    picker->bind(QNullTable, QStringLiteral("Id"));
    QSearch->Close();
    QSearch->SQL = Statement();
    Code->clear();
    if (ID > 0)
        Code->setFocus();
    else
        picker->setFocus();
}

void TFrSearchPoNo::FormShow()
{
    TFrSearch::FormShow();
    showWithPicker(FaGetVendor);
}

void TFrSearchPoNo::BtSearchClick()
{
    const QString c = Code->text().trimmed();
    const QString v = vendorPicker()->Edit->text().trimmed();
    QSearch->Close();
    if (QSearch->SQL.size() <= OrderLine)
        QSearch->SQL = Statement();
    // The typed number and vendor code travel as parameters: a quote in them is a character
    // to look for, never a part of the statement.
    QString where;
    if (!v.isEmpty())
        where = QStringLiteral("WHERE (Ltrim(rtrim(H.PoNo)) LIKE :GetNo) AND (V.Code = :GetVendor) And (H.PoType = :GetType)");
    else
        where = QStringLiteral("WHERE (ltrim(rtrim(H.PoNo)) LIKE :GetNo) And (H.PoType = :GetType)");
    if (Outstanding == QLatin1String("N"))
        where += QStringLiteral(" And Clear<>'Y'");
    else if (Outstanding == QLatin1String("Y"))
        where += QStringLiteral(" And Clear='Y'");
    QSearch->SQL[WhereLine] = where;
    QSearch->SQL[OrderLine] = QStringLiteral("ORDER BY PoNo DESC");
    QSearch->setParam(QStringLiteral("GetNo"), c + QStringLiteral("%"));
    QSearch->setParam(QStringLiteral("GetVendor"), v);
    QSearch->setParam(QStringLiteral("GetType"), PoType);
    TFrSearch::BtSearchClick();
}
