#pragma once
#include <QDialog>

class QPushButton;
class QTableView;
class SearchQuery;

// The warehouse list of the warehouse frame: every warehouse, or only those not blocked.
class TF_SearchWareHouse : public QDialog {
    Q_OBJECT
public:
    explicit TF_SearchWareHouse(QWidget* parent = nullptr);
    bool ActiveOnly = false;
    QString ResultCode;

    QTableView* DgSearch = nullptr;
    QPushButton* BtOk = nullptr;
    QPushButton* BtCancel = nullptr;
    SearchQuery* QSearch = nullptr;

    // Opens the list (what showing the dialog does).
    void FormShow();
    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;
};
