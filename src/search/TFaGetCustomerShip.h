#pragma once
#include <QList>
#include <QWidget>

class CachedDataSet;
class QCheckBox;
class QComboBox;
class QLabel;
class QToolButton;
class TDbEdit;
class TFaGetProvince;

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
