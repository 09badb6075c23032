#pragma once
#include "search/TFrSearch.h"

class TFaSelectVendorAttr;

// Finds a vendor by the start of its code, a part of its name and its attributes; returns
// the vendor's code. Created on first use and kept by the vendor picker.
class TFrSearchVendor : public TFrSearch {
    Q_OBJECT
public:
    explicit TFrSearchVendor(QWidget* parent = nullptr);

    bool IncludeBlocked = false;
    QLineEdit* EdName = nullptr;
    TFaSelectVendorAttr* FaSelectVendorAttr = nullptr;
    // "Order By V.Code" or "Order By V.Name"
    QString OrderLine = QStringLiteral("Order By V.Code");

    // The statement of the current fields; every typed text is a parameter of QSearch.
    QStringList BuildStatement();

public slots:
    void BtSearchClick() override;
    void TitleClick(int column);

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
