#include "forms/purchase/TFrSearchFrPoNo.h"

#include "app/TDMConfig.h"
#include "forms/import/TFaGetFrVendor.h"
#include "search/SearchQuery.h"
#include "widgets/TLookupEdit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

TFrSearchFrPoNo::TFrSearchFrPoNo(QWidget* parent)
    : TFrSearchPoNo(parent)
{
    setObjectName(QStringLiteral("FrSearchFrPoNo"));
    setWindowTitle(tr("ค้นหาใบสั่งซื้อต่างประเทศ"));
    FaGetVendor->hide();
    FaGetFrVendor = new TFaGetFrVendor(m_pickerRow);
    // An empty vendor here means every vendor.
    FaGetFrVendor->Vendor->setAllowEmpty(true);
    if (auto* rowLayout = qobject_cast<QHBoxLayout*>(m_pickerRow->layout()))
        rowLayout->addWidget(FaGetFrVendor, 1);
}

QStringList TFrSearchFrPoNo::Statement() const
{
    return {QStringLiteral("SELECT H.Id,H.PoNo, H.PoDate, H.ShipDate, H.Reference, H.DelFlag,"),
            QStringLiteral("H.Total, H.Clear, V.NAME, V.CODE"),
            QStringLiteral("FROM FrPoHd H"),
            QStringLiteral("INNER JOIN FrVENDOR V ON (H.FrVENDOR = V.ID)"),
            QString(),
            QString(),
            markerLine()};
}

TFaPicker* TFrSearchFrPoNo::vendorPicker() const
{
    return FaGetFrVendor;
}

void TFrSearchFrPoNo::FormShow()
{
    setWindowTitle(tr("ค้นหาใบสั่งซื้อต่างประเทศ"));
    LbCode->setText(tr("เลขที่"));
    FaGetFrVendor->Caption->setText(tr("เจ้าหนี้"));
    QSearch->setColumnTitle(QStringLiteral("PoNo"), tr("เลขที่", "column"));
    QSearch->setColumnTitle(QStringLiteral("PoDate"), tr("วันที่สั่ง"));
    QSearch->setColumnTitle(QStringLiteral("ShipDate"), tr("วันที่ส่ง"));
    QSearch->setColumnTitle(QStringLiteral("CODE"), tr("รหัสเจ้าหนี้"));
    QSearch->setColumnTitle(QStringLiteral("NAME"), tr("ชื่อเจ้าหนี้"));
    if (DMConfig && !DMConfig->ThaiLanguage) {
        QFont small = font();
        small.setPointSize(8);
        LbCode->setFont(small);
        QSearch->setColumnTitle(QStringLiteral("Total"), QStringLiteral("Total"));
        BtSearch->setText(QStringLiteral("Search"));
        BtOk->setText(QStringLiteral("Choose"));
        BtCancel->setText(QStringLiteral("Cancel"));
        DgSearch->setToolTip(QString());
    }
    showWithPicker(FaGetFrVendor);
}
