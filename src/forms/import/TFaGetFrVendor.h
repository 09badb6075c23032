#pragma once
#include "search/TFaPicker.h"

#include <QPointer>
#include <QVariantMap>
#include <functional>

class TFrSearchFrVendor;

// The foreign vendor picker: "เจ้าหนี้" over FrVendor (Code typed, Name shown). Leaving the
// field reads the vendor's terms (currency, due days, open account, credit limit, the vendor
// group's tax code and its rate) into VendorTerms and then tells the owner through
// VendorExit and the vendorExit signal; the import form takes the currency from there.
class TFaGetFrVendor : public TFaPicker {
    Q_OBJECT
public:
    explicit TFaGetFrVendor(QWidget* parent = nullptr);
    ~TFaGetFrVendor() override;

    static QStringList TermsStatement();

    TLookupEdit* Vendor = nullptr; // the code field (Edit of the picker)

    // The code as typed, trimmed.
    QString text() const;
    // True when the last lookup found the vendor.
    bool Found() const;

    // The terms of the vendor read when the field was left last; empty when the code is
    // empty or unknown. Keys as the statement names its columns (Code, Currency, DueDays,
    // OpenAccount, CreditLimit, TaxCode, TaxRate).
    QVariantMap VendorTerms;
    bool TermsFound() const { return !VendorTerms.isEmpty(); }
    QVariant Term(const QString& column) const;

    // Called after the frame's own handling when the field is left.
    std::function<void()> VendorExit;

    // The search behind the button, created on first use and kept.
    TFrSearchFrVendor* searchDialog();

    // Reads the terms of the vendor in the field now (part of leaving the field).
    void ReadTerms();

    void EditExit() override;

signals:
    void vendorExit();

protected:
    bool runSearch(QString& code) override;

private:
    QPointer<TFrSearchFrVendor> m_search;
};
