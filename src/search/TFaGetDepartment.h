#pragma once
#include "search/TFaPicker.h"

// Department code (Misc group DEPARTMENT), bound to the column Department; may stay empty.
class TFaGetDepartment : public TFaPicker {
    Q_OBJECT
public:
    explicit TFaGetDepartment(QWidget* parent = nullptr);

protected:
    bool runSearch(QString& code) override;
};
