#pragma once
#include "forms/receipt/TFrMrTran.h"

// Import expenses on credit (program code IMEXPTRAN): credit bills of type "S" numbered
// under "MR-S", each attached to an import lot whose cost it adds to.
class TFrImExpTran : public TFrMrTran {
    Q_OBJECT
public:
    explicit TFrImExpTran(QWidget* parent = nullptr);
    static QString defaultCaption() { return tr("ค่าใช้จ่ายในการนำเข้าเงินเชื่อ"); }
};
