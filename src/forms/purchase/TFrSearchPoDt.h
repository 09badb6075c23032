#pragma once
#include <QDialog>
#include <QVariant>

class QLabel;
class QPushButton;
class QTableView;
class SearchQuery;

// One line of an open purchase order of a vendor: the vendor's live orders not received in
// full (oldest first) above, the open lines of the current order below. Enter or a double
// click chooses, Escape cancels. The caller reads the chosen line's columns with LineValue.
class TFrSearchPoDt : public QDialog {
    Q_OBJECT
public:
    explicit TFrSearchPoDt(QWidget* parent = nullptr);
    static QStringList HeaderStatement();
    static QStringList LineStatement();

    int VendorId = 0;
    QString PoType;
    // After OK: the chosen order line's Id and its order's number; 0 and "" otherwise.
    int ResultId = 0;
    QString ResultPoNo;
    // A column of the chosen line (of the line statement) after OK.
    QVariant LineValue(const QString& field) const;

    QTableView* DgHd = nullptr;
    QTableView* DgDt = nullptr;
    QPushButton* BtOk = nullptr;
    QPushButton* BtCancel = nullptr;
    SearchQuery* QHd = nullptr;
    SearchQuery* QDt = nullptr;

    void done(int r) override;
    // Opens the lines of the header row now current.
    void OpenLines();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    int m_chosenRow = -1;
};
