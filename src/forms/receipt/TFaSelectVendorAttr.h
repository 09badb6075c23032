#pragma once
#include "search/TFaSelectProdAttr.h"

// The attribute ranges of the vendor search: one row per vendor attribute group with a
// "from" and a "to" code. A from-code with a blank to-code reaches to the end of its group;
// a blank from-code with a to-code starts at the beginning of the group.
class TFaSelectVendorAttr : public TFaSelectProdAttr {
    Q_OBJECT
public:
    explicit TFaSelectVendorAttr(QWidget* parent = nullptr);

    // Reads every attribute group with empty codes; no groups: the grid is disabled.
    void OpenGroups();
    // The upper end of a group when its to-code is blank: above every code of the group.
    static QString endOfGroup(const QString& groupCode);

    QList<Range> Ranges() const override;

protected:
    TFrSearchProdAttrCode* newCodeSearch(QWidget* parent) const override;
};
