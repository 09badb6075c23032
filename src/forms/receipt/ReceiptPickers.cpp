#include "forms/receipt/ReceiptPickers.h"

#include "app/MessageService.h"
#include "forms/receipt/TFrSearchVendorDocument.h"

#include <QPointer>

namespace ReceiptPickers {

namespace {
Overrides& overrides()
{
    static Overrides o;
    return o;
}
} // namespace

void setOverrides(const Overrides& o)
{
    overrides() = o;
}

QString pickBillNo(QWidget* parent, const QString& payType, const QString& type)
{
    if (overrides().billNo)
        return overrides().billNo(payType, type);
    if (payType == QLatin1String("D")) {
        TFrSearchMrNo dlg(parent);
        dlg.TableName = QStringLiteral("MrHd");
        dlg.MrType = type;
        return MessageService::execDialog(&dlg) == QDialog::Accepted ? dlg.ResultValue : QString();
    }
    TFrSearchPcNo dlg(parent);
    dlg.TableName = QStringLiteral("PcHd");
    dlg.PcType = type;
    return MessageService::execDialog(&dlg) == QDialog::Accepted ? dlg.ResultValue : QString();
}

QString pickPrepaid(QWidget* parent, int vendorId)
{
    if (overrides().prepaid)
        return overrides().prepaid(vendorId);
    static QPointer<TFrSearchPrePaid> dlg;
    if (!dlg)
        dlg = new TFrSearchPrePaid(parent);
    dlg->VendorId = vendorId;
    dlg->OnlyUnpaid = true;
    return MessageService::execDialog(dlg) == QDialog::Accepted ? dlg->ResultValue : QString();
}

} // namespace ReceiptPickers
