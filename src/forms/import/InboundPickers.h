#pragma once
#include <QString>
#include <functional>

class QWidget;

// The dialogs the import form opens from its line cells and its "Ref PO" button, behind
// one seam: each returns the chosen code (empty when nothing was chosen). Tests replace a
// dialog with a function that answers at once.
namespace InboundPickers {

QString pickProduct(QWidget* parent);
QString pickWarehouse(QWidget* parent);
QString pickUnit(QWidget* parent, int productId);
QString pickLot(QWidget* parent);
// `outstanding` "N": only orders not received in full (the search's outstanding switch).
QString pickFrPo(QWidget* parent, int vendorId, const QString& poType, const QString& outstanding = QString());

struct Overrides {
    std::function<QString()> product;
    std::function<QString()> warehouse;
    std::function<QString(int productId)> unit;
    std::function<QString()> lot;
    std::function<QString(int vendorId, const QString& poType)> frPo;
};
void setOverrides(const Overrides& o);

} // namespace InboundPickers
