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

// The codes of one attribute group, by description (whole word or contained).
class QCheckBox;
class QLineEdit;
class TFrSearchProdAttrCode : public QDialog {
    Q_OBJECT
public:
    explicit TFrSearchProdAttrCode(QWidget* parent = nullptr);
    int GroupId = 0;
    QString ResultCode;

    QCheckBox* FullWord = nullptr;
    QLineEdit* EdDesc = nullptr;
    QTableView* DgCode = nullptr;
    QPushButton* BtOk = nullptr;
    QPushButton* BtCancel = nullptr;
    SearchQuery* QCode = nullptr;

    void FormShow();
    void Search();
    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;
};
