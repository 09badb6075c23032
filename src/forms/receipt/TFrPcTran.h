#pragma once
#include "forms/receipt/TFrMrTran.h"

// The cash purchase: the vendor bill over the cash tables (PcHd/PcDt) with no credit days,
// due date or payment state; project and department cannot be edited.
class TFrPcTran : public TFrMrTran {
    Q_OBJECT
public:
    explicit TFrPcTran(QWidget* parent = nullptr);
    static QString defaultCaption() { return tr("ซื้อเงินสด"); }
};
