#pragma once
#include <QDialog>

class QPushButton;
class QTableView;
class SearchQuery;

// The units of one product of the asked kinds, smallest first; returns the unit name.
class TFrSearchUnit : public QDialog {
    Q_OBJECT
public:
    explicit TFrSearchUnit(QWidget* parent = nullptr);
    int ProductId = 0;
    bool ForPurc = false, ForSale = false, ForStock = false, ForSmall = false;
    QString ResultUnitName;

    QTableView* DgUnit = nullptr;
    QPushButton* BtOk = nullptr;
    QPushButton* BtCancel = nullptr;
    SearchQuery* QUnit = nullptr;

    void FormShow();
    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;
};
