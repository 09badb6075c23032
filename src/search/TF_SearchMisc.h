#pragma once
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class SearchQuery;

// Codes of one Misc group found by description, for the department and province frames.
// The department list shows the newest codes first.
class TF_SearchMisc : public QDialog {
    Q_OBJECT
public:
    explicit TF_SearchMisc(QWidget* parent = nullptr);
    QString SearchGroup;
    QString ResultCode;
    QString ResultDescription;

    QLabel* LbDesc = nullptr;
    QLineEdit* EnterString = nullptr;
    QCheckBox* FullWord = nullptr;
    QPushButton* BtOk = nullptr;
    QPushButton* BtCancel = nullptr;
    QTableView* ListData = nullptr;
    SearchQuery* QSearch = nullptr;

    void FormShow();
    void Search();
    // Click on a column title: sorts the next searches by it (REMARK, REFERENCE and MEMO
    // excepted), ascending, then descending, then ascending again.
    void ListDataTitleClick(int column);
    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    QString m_sortColumn;
    bool m_sortDesc = false;
};
