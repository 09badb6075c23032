#pragma once
#include <QString>
#include <QVariantMap>
#include <functional>
#include <optional>

class CachedDataSet;
class QWidget;

// The dialogs the purchase forms (bills and orders) open from their lines and headers,
// behind one seam: each returns what was chosen (empty / no value when nothing was). Tests
// replace a dialog with a function that answers at once. The dialogs that the documents keep
// between uses are kept here.
namespace PurchasePickers {

// Product search filtered to one product type ("S" services, "P" goods, "A" all).
QString pickProduct(QWidget* parent, const QString& productType);
// A purchase unit of the product.
QString pickUnit(QWidget* parent, int productId);
// A purchase order of a type (outstanding "N": only orders not received in full).
QString pickPoNo(QWidget* parent, const QString& poType, int vendorId, const QString& outstanding);

// One open line of a vendor's orders: its Id, its order's number and its columns.
struct PoLine {
    int id = 0;
    QString poNo;
    QVariantMap values; // the columns of TFrSearchPoDt::LineStatement()
    // A column by name in any letter case (a server names its columns in lower case).
    QVariant value(const QString& column) const
    {
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            if (it.key().compare(column, Qt::CaseInsensitive) == 0)
                return it.value();
        return {};
    }
};
std::optional<PoLine> pickPoLine(QWidget* parent, int vendorId, const QString& poType);

std::optional<double> lastPriceAll(QWidget* parent, int productId, int unitId);
// The vendor's last prices: from its bills, or (importDocuments) a foreign vendor's from its
// import documents.
std::optional<double> lastPriceOfVendor(QWidget* parent, int vendorId, int productId, int unitId,
                                        bool importDocuments = false);
std::optional<double> purchaseHistory(QWidget* parent, const QString& caption, int productId, int vendorId);
// Edits a text column of the current line; true when it was confirmed.
bool editMemo(QWidget* parent, CachedDataSet* lines, const QString& field = QStringLiteral("MemoLine"));
QString pickEmployee(QWidget* parent);
// A foreign purchase order of a type (the import document's search, vendor 0 for any).
QString pickFrPoNo(QWidget* parent, const QString& poType, int vendorId);
// A purchase request (any, newest number first).
QString pickPoRQNo(QWidget* parent);
QString pickWarehouse(QWidget* parent);

struct Overrides {
    std::function<QString(const QString& productType)> product;
    std::function<QString(int productId)> unit;
    std::function<QString(const QString& poType, int vendorId, const QString& outstanding)> poNo;
    std::function<std::optional<PoLine>(int vendorId, const QString& poType)> poLine;
    std::function<std::optional<double>(int productId, int unitId)> priceAll;
    std::function<std::optional<double>(int vendorId, int productId, int unitId)> priceVendor;
    std::function<std::optional<double>(const QString& caption, int productId, int vendorId)> history;
    std::function<bool(CachedDataSet* lines, const QString& field)> memo;
    std::function<QString()> employee;
    std::function<QString()> requestNo;
};
void setOverrides(const Overrides& o);

} // namespace PurchasePickers
