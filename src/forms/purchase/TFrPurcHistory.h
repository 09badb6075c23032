#pragma once
#include <QDialog>

class QPushButton;
class QTableView;
class SearchQuery;

// The purchases of one product from one vendor on credit and cash bills: number, date,
// price, quantity and unit. A double click on a row with a price takes it; "Close" takes
// nothing. The caption is set by the caller.
class TFrPurcHistory : public QDialog {
    Q_OBJECT
public:
    explicit TFrPurcHistory(QWidget* parent = nullptr);
    static QStringList Statement();

    int ProductId = 0;
    int VendorId = 0;
    double Price = 0; // the chosen price after OK

    QTableView* DgHistory = nullptr;
    QPushButton* BtClose = nullptr;
    SearchQuery* QHistory = nullptr;

    void ChooseCurrent();

protected:
    void showEvent(QShowEvent* e) override;
};
