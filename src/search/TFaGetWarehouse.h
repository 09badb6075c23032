#pragma once
#include "search/TFaPicker.h"

// Warehouse code of a document header; the search can list only warehouses in use.
class TFaGetWarehouse : public TFaPicker {
    Q_OBJECT
public:
    explicit TFaGetWarehouse(QWidget* parent = nullptr);
    bool ActiveOnly = false;
    TLookupEdit* Warehouse = nullptr;
    QToolButton* BtSearchWarehouse = nullptr;
    QLabel* WarehouseName = nullptr;

protected:
    bool runSearch(QString& code) override;
};
