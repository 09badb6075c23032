#pragma once
#include "search/TFrSearch.h"

// Finds a foreign vendor by a part of its name; returns the vendor's code.
class TFrSearchFrVendor : public TFrSearch {
    Q_OBJECT
public:
    explicit TFrSearchFrVendor(QWidget* parent = nullptr);

    static QStringList Statement();

public slots:
    void BtSearchClick() override;

protected:
    void FormShow() override;
};
