#pragma once
#include <QString>
#include <functional>

class QWidget;

// The document searches the vendor-bill forms open (their own bills by number, the vendor's
// deposits), behind one seam like the purchase dialogs: each returns the chosen number or
// the empty text. Tests replace a dialog with a function that answers at once.
namespace ReceiptPickers {

// Credit bills (PayType "D") or cash bills of a type; created for this one use.
QString pickBillNo(QWidget* parent, const QString& payType, const QString& type);
// Open deposits of the vendor; the dialog is kept for the rest of the run.
QString pickPrepaid(QWidget* parent, int vendorId);

struct Overrides {
    std::function<QString(const QString& payType, const QString& type)> billNo;
    std::function<QString(int vendorId)> prepaid;
};
void setOverrides(const Overrides& o);

} // namespace ReceiptPickers
