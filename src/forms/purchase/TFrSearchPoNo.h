#pragma once
#include "search/TFrSearch.h"

class CachedDataSet;
class TFaPicker;
class TFaGetFrVendor;

// Finds a purchase order by the start of its (trimmed) number, for one order type, optionally
// one vendor and only outstanding or only received orders; returns the chosen PoNo. The
// statement is rebuilt by line position: the fifth line holds the condition and the sixth the
// order, and the last line marks the end of the lines that may be replaced.
class TFrSearchPoNo : public TFrSearch {
    Q_OBJECT
public:
    explicit TFrSearchPoNo(QWidget* parent = nullptr);

    QString PoType;       // order type letter
    int ID = 0;           // preset vendor Id (0: none)
    QString Outstanding;  // "N": not received in full only; "Y": received in full only; else all

    static constexpr int WhereLine = 4; // fifth line
    static constexpr int OrderLine = 5; // sixth line
    static QString markerLine() { return QStringLiteral("/* Don't Move SQL Line */"); }

    // The domestic vendor picker (hidden in the foreign order search).
    TFaPicker* FaGetVendor = nullptr;
    // The one-row placeholder record the vendor picker is bound to; never saved.
    CachedDataSet* QNullTable = nullptr;

    // The statement as shown, before the two replaced lines are filled in.
    virtual QStringList Statement() const;
    // The picker whose code narrows the search.
    virtual TFaPicker* vendorPicker() const;
    // The domestic vendor picker of the order and request searches.
    static TFaPicker* createVendorPicker(QWidget* parent);

public slots:
    void BtSearchClick() override;

protected:
    void FormShow() override;
    // What both order searches do on showing, with their own picker.
    void showWithPicker(TFaPicker* picker);
    QWidget* m_pickerRow = nullptr;
};
