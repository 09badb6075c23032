#pragma once
#include "search/TFaPicker.h"

// A code of one Misc group (currency, country, ...). The owning form sets the caption
// (EditLabel), the group (MiscGroup) and the filter ("GroupCode='CURRENCY'").
class TFaGetMisc : public TFaPicker {
    Q_OBJECT
public:
    explicit TFaGetMisc(QWidget* parent = nullptr);
    QString MiscGroup;
    QLabel* EditLabel = nullptr;
    // Sets MiscGroup and the matching filter in one go.
    void setMiscGroup(const QString& group);

protected:
    bool runSearch(QString& code) override;
};
