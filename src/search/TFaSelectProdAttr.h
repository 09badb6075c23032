#pragma once
#include <QList>
#include <QString>
#include <QWidget>

class CachedDataSet;
class TDataGrid;
class TFrSearchProdAttrCode;

// The attribute ranges of the product search: one row per attribute group of the product
// type, with a "from" and a "to" attribute code typed or picked by the user. Never written.
class TFaSelectProdAttr : public QWidget {
    Q_OBJECT
public:
    explicit TFaSelectProdAttr(QWidget* parent = nullptr);

    CachedDataSet* QAttr = nullptr;
    TDataGrid* DgAttr = nullptr;

    // Reads the groups of a product type ("A", "P", "R" and "B" read the groups of "P").
    void OpenGroups(const QString& typeLetter);
    static QString groupType(const QString& typeLetter);

    struct Range {
        QString from; // group code + begin code
        QString to;   // group code + end code (the begin code when no end code)
    };
    // The ranges of the rows whose begin code is filled; codes trimmed.
    virtual QList<Range> Ranges() const;

    // F5 or the cell button: picks an attribute code of the row's group into the column.
    void PickCode(int row, const QString& field);

protected:
    // The code search PickCode opens (the vendor frame opens the vendor attribute codes).
    virtual TFrSearchProdAttrCode* newCodeSearch(QWidget* parent) const;
};
