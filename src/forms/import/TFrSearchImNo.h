#pragma once
#include "search/TFrSearch.h"

class CachedDataSet;
class TFaGetFrVendor;

// Finds an import document (or an opening foreign bill) by the end of its number and the
// start of its vendor's code; returns the chosen ImNo.
class TFrSearchImNo : public TFrSearch {
    Q_OBJECT
public:
    explicit TFrSearchImNo(QWidget* parent = nullptr);

    // Blank for import documents, "Y" for opening bills (bills brought forward).
    QString BeginBalance;

    TFaGetFrVendor* FaGetFrVendor = nullptr;
    // The one-row scratch record the vendor frame is bound to; never saved.
    CachedDataSet* QNullTable = nullptr;

    static QStringList Statement();

public slots:
    void BtSearchClick() override;

protected:
    void FormShow() override;
};
