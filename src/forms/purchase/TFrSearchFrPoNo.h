#pragma once
#include "forms/purchase/TFrSearchPoNo.h"

class TFaGetFrVendor;

// Finds a foreign purchase order (FrPoHd) the same way, narrowed by a foreign vendor.
class TFrSearchFrPoNo : public TFrSearchPoNo {
    Q_OBJECT
public:
    explicit TFrSearchFrPoNo(QWidget* parent = nullptr);

    TFaGetFrVendor* FaGetFrVendor = nullptr;

    QStringList Statement() const override;
    TFaPicker* vendorPicker() const override;

protected:
    void FormShow() override;
};
