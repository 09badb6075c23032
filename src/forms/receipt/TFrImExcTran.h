#pragma once
#include "forms/receipt/TFrPcTran.h"

// Import expenses in cash (program code IMEXCTRAN): cash bills of type "S" numbered under
// "PC-S", each attached to an import lot whose cost it adds to.
class TFrImExcTran : public TFrPcTran {
    Q_OBJECT
public:
    explicit TFrImExcTran(QWidget* parent = nullptr);
    static QString defaultCaption() { return tr("ค่าใช้จ่ายในการนำเข้าเงินสด"); }
};
