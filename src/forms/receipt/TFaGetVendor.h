#pragma once
#include "search/TFaPicker.h"

#include <QPointer>
#include <QSqlRecord>
#include <functional>

class TFrSearchVendor;

// The vendor picker: "รหัสผู้ขาย" over VENDOR (CODE typed, NAME shown, only vendors not
// blocked). Leaving the field reads the vendor's defaults into QVendor (tax code and rate,
// due days, credit limit ...); a blocked vendor is refused with "ระงับการใช้งาน" and the
// field and the caller's column are emptied. Then the owner hears of it through VendorExit.
class TFaGetVendor : public TFaPicker {
    Q_OBJECT
public:
    explicit TFaGetVendor(QWidget* parent = nullptr);
    ~TFaGetVendor() override;

    static QString VendorStatement();
    static QString notBlockedFilter() { return QStringLiteral("Blocked='N'"); }

    TLookupEdit* Vendor = nullptr; // the code field (Edit of the picker)
    // The row of the vendor typed last (empty columns when none).
    QSqlRecord QVendor;
    bool VendorFound() const { return m_found; }

    std::function<void()> VendorExit;

    // The search behind the button, created on first use and kept.
    TFrSearchVendor* searchDialog();

    void EditExit() override;

protected:
    bool runSearch(QString& code) override;

private:
    QPointer<TFrSearchVendor> m_search;
    bool m_found = false;
};
