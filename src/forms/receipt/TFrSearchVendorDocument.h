#pragma once
#include "search/TFrSearch.h"

class CachedDataSet;
class TFaGetVendor;

// What the credit-bill, cash-bill and deposit searches share: a vendor picker bound to a
// one-row placeholder record (never saved) that shows a vendor handed in by the caller.
class TFrSearchVendorDocument : public TFrSearch {
    Q_OBJECT
public:
    explicit TFrSearchVendorDocument(QWidget* parent = nullptr);

    int VendorId = 0;      // preset vendor (0: none)
    TFaGetVendor* FaGetVendor = nullptr;
    CachedDataSet* QNullTable = nullptr;

    // The vendor code as shown in the picker, trimmed.
    QString vendorCode() const;

protected:
    // Base show, English texts, the placeholder row with the preset vendor; the focus goes
    // to the number when a vendor was handed in, else to the vendor.
    void showVendor(bool focusNumberAlways);
    void applyEnglish();
};

// Credit bills (MrHd) of a type: number (its end), vendor (its start), tax invoice number.
class TFrSearchMrNo : public TFrSearchVendorDocument {
    Q_OBJECT
public:
    explicit TFrSearchMrNo(QWidget* parent = nullptr);
    QString MrType;
    bool OnlyUnpaid = false;
    bool BeginBalance = false;
    QLineEdit* EdTaxNo = nullptr;
    QStringList BuildStatement() const;

public slots:
    void BtSearchClick() override;

protected:
    void FormShow() override;
};

// Cash bills (PcHd) of a type: number (its end) and vendor (its start).
class TFrSearchPcNo : public TFrSearchVendorDocument {
    Q_OBJECT
public:
    explicit TFrSearchPcNo(QWidget* parent = nullptr);
    QString PcType;
    static QStringList Statement();

public slots:
    void BtSearchClick() override;

protected:
    void FormShow() override;
};

// Deposits paid to vendors: number (its end), optionally one vendor and only open ones.
class TFrSearchPrePaid : public TFrSearchVendorDocument {
    Q_OBJECT
public:
    explicit TFrSearchPrePaid(QWidget* parent = nullptr);
    bool OnlyUnpaid = false;
    QStringList BuildStatement();

public slots:
    void BtSearchClick() override;

protected:
    void FormShow() override;
};
