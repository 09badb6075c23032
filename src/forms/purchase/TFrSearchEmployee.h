#pragma once
#include "search/TFrSearch.h"

// Finds an employee by a part of the name; returns the employee's code.
class TFrSearchEmployee : public TFrSearch {
    Q_OBJECT
public:
    explicit TFrSearchEmployee(QWidget* parent = nullptr);
    static QStringList Statement();

public slots:
    void BtSearchClick() override;

protected:
    void FormShow() override;
};
