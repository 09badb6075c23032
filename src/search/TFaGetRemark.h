#pragma once
#include <QWidget>

class CachedDataSet;
class QComboBox;
class QLabel;
class QToolButton;
class TDbEdit;
class TFaGetProvince;
class QCheckBox;

// The remark of a document: a plain text field; the search lists the remarks of a Misc group
// and the chosen description itself becomes the remark.
class TFaGetRemark : public QWidget {
    Q_OBJECT
public:
    explicit TFaGetRemark(QWidget* parent = nullptr);
    QString RemarkGroup = QStringLiteral("REM_PURC");
    QLabel* Caption = nullptr;
    TDbEdit* Remark = nullptr;
    QToolButton* BtSearch = nullptr;
    void bind(CachedDataSet* ds, const QString& field = QStringLiteral("Remark"));
    void BtSearchClick();

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;
};

// The tax code of a document: a list of the tax rows showing code and rate, storing the Id.
// Leaving the list writes the chosen rate into RateField of the same data set.
class TFaGetTaxCode : public QWidget {
    Q_OBJECT
public:
    explicit TFaGetTaxCode(QWidget* parent = nullptr);
    QString RateField;
    QLabel* Caption = nullptr;
    QComboBox* TaxCode = nullptr;
    void bind(CachedDataSet* ds, const QString& field = QStringLiteral("TaxCode"));
    // Reads the tax rows again.
    void reload();
    // Shows the tax of the bound column.
    void refresh();
    // Writes the chosen Id, and the rate into RateField (what leaving the list does).
    void TaxCodeExit();

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    CachedDataSet* m_ds = nullptr;
    QString m_field;
    bool m_loaded = false;
};

// The delivery address block of the purchase order's address dialog. Entering it puts the
// data set into edit mode; the check box enables or disables the whole address together.
class TFaGetCustomerShip : public QWidget {
    Q_OBJECT
public:
    explicit TFaGetCustomerShip(QWidget* parent = nullptr);
    QCheckBox* UseShipAddr = nullptr;
    TDbEdit* Address1 = nullptr;
    TDbEdit* Address2 = nullptr;
    TDbEdit* Address3 = nullptr;
    TDbEdit* ZipCode = nullptr;
    TDbEdit* Telephone = nullptr;
    TDbEdit* Fax = nullptr;
    TFaGetProvince* Province = nullptr;
    QList<QLabel*> Labels;

    // The data source of the address (set by the owner).
    void setDataSet(CachedDataSet* ds);
    CachedDataSet* DCustomerShip() const { return m_ds; }
    void FrameEnter();
    void UseShipAddrClick();

private:
    void onFocusChanged(QWidget* old, QWidget* now);
    CachedDataSet* m_ds = nullptr;
    bool m_inside = false;
};
