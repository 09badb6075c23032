#pragma once
#include <QDate>
#include <QDialog>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableView;
class SearchQuery;

// Lots by code, description and expiry date. The expiry condition ("<=", "=", ">=") also lists
// the lots that never expire; a click on a column title orders the next search by it.
class TFrSearchLotNo : public QDialog {
    Q_OBJECT
public:
    explicit TFrSearchLotNo(QWidget* parent = nullptr);

    QLineEdit* EdCode = nullptr;
    QLineEdit* EdDesc = nullptr;
    QComboBox* CbCondition = nullptr; // "-", "<=", "=", ">="
    QDateEdit* EdDate = nullptr;
    QPushButton* BtOk = nullptr;
    QPushButton* BtCancel = nullptr;
    QTableView* DgLot = nullptr;
    SearchQuery* QLot = nullptr;

    QString ResultCode;
    QVariant ResultId;

    void FormShow();
    void Search();
    void setCondition(const QString& condition);
    void TitleClick(int column);
    QString orderLine() const { return m_orderLine; }
    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    QString m_orderLine = QStringLiteral("ORDER BY Code");
};
