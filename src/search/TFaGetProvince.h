#pragma once
#include "search/TFaPicker.h"

// Province code (Misc group CITY), bound to the column Province; may stay empty.
class TFaGetProvince : public TFaPicker {
    Q_OBJECT
public:
    explicit TFaGetProvince(QWidget* parent = nullptr);

protected:
    bool runSearch(QString& code) override;
};
