#pragma once
#include <QDialog>
#include <QStringList>
#include <optional>

class QLabel;
class QTableView;
class SearchQuery;

// The last purchase prices of a product unit, newest first (at most ten): a grid under a
// blue band. A double click takes the current row's price; Escape closes without one; Enter
// does nothing. The statement is a list of lines so a caller with another source of prices
// (the foreign order: its vendor's import documents) can put its own in place.
class TFrLastPrice : public QDialog {
    Q_OBJECT
public:
    explicit TFrLastPrice(QWidget* parent, const QString& heading);

    QStringList Statement;
    int ProductId = 0;
    int UnitId = 0;
    int VendorId = 0;
    // The chosen price after OK; 0 otherwise.
    double Price = 0;

    QLabel* Heading = nullptr;
    QTableView* DgPrice = nullptr;
    SearchQuery* QPrice = nullptr;

    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;
};

// Last prices of any vendor: date, bill, vendor and price.
class TFrLastPriceAll : public TFrLastPrice {
    Q_OBJECT
public:
    explicit TFrLastPriceAll(QWidget* parent = nullptr);
    static QStringList DefaultStatement();
};

// Last prices of one vendor: bill, date and price. For a foreign vendor the prices come from
// its import documents, in the vendor's currency (the line total over its quantity).
class TFrLastPriceListVendor : public TFrLastPrice {
    Q_OBJECT
public:
    explicit TFrLastPriceListVendor(QWidget* parent = nullptr);
    static QStringList DefaultStatement();
    static QStringList ImportStatement();
    // Bills of a vendor, or import documents of a foreign vendor.
    void useImportDocuments(bool on);
    // The newest price of a product unit on the foreign vendor's import documents in that
    // currency (line total over quantity); none when the vendor never sent it so.
    static std::optional<double> LastImportPrice(int vendorId, int currencyId, int productId, int unitId);
};
