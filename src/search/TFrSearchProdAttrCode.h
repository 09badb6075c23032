#pragma once
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class SearchQuery;

// The codes of one attribute group, by description (whole word or contained).
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
    QLabel* LbDesc = nullptr;

    // The table of the codes and its column naming the group (written by the program).
    QString CodeTable = QStringLiteral("ProdAttrCode");
    QString GroupColumn = QStringLiteral("ProdAttrGroup");

    void FormShow();
    void Search();
    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;
};
