#pragma once
#include <QDialog>
#include <QPointer>

#include "data/CachedDataSet.h"

class TFaGetCustomerShip;

// The delivery place of a purchase order: the delivery-address frame over the order's
// delivery row. Showing puts the row in edit (a new one when the order has none); Enter moves
// to the next field and Escape closes; what was typed stays in the order's cache, which the
// order's save writes or removes as the check box says.
class TFrPoShip : public QDialog {
    Q_OBJECT
public:
    explicit TFrPoShip(QWidget* parent = nullptr);

    void bind(CachedDataSet* ship);
    CachedDataSet* dataSet() const { return m_ship; }

    TFaGetCustomerShip* FaGetCustomerShip = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QPointer<CachedDataSet> m_ship;
};
