#pragma once
#include "search/TFrSearchProdAttrCode.h"

// The codes of one vendor attribute group, by description (whole text or contained).
class TFrSearchVenAttrCode : public TFrSearchProdAttrCode {
    Q_OBJECT
public:
    explicit TFrSearchVenAttrCode(QWidget* parent = nullptr);
};
