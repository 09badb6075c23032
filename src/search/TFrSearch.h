#pragma once
#include <QDialog>
#include <QSqlDatabase>
#include <QString>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class SearchQuery;

// The base of every dialog that finds a code or a document: a code box, a search button
// and a read-only result grid. Derived dialogs supply the statement (QSearch) and the
// column returned (ResultField); choosing, keys, row colours, sorting by column title and
// the purge of cancelled documents are common and live here.
class TFrSearch : public QDialog {
    Q_OBJECT
public:
    explicit TFrSearch(QWidget* parent = nullptr);
    ~TFrSearch() override;

    // Set by the caller before showing: header table of the listed documents (purge only).
    QString TableName;
    // Set by the derived dialog: the result column whose value is returned.
    QString ResultField;
    // The chosen row's ResultField as text when the dialog closed with OK, else empty.
    QString ResultValue;

    QWidget* PnHeader = nullptr;
    QHBoxLayout* HeaderLayout = nullptr;
    QLabel* LbCode = nullptr;
    QLineEdit* Code = nullptr;
    QPushButton* BtSearch = nullptr;
    QPushButton* BtOk = nullptr;
    QPushButton* BtCancel = nullptr;
    QTableView* DgSearch = nullptr;
    SearchQuery* QSearch = nullptr;

    // The company connection by default (DM->DMdata()).
    void setDatabase(const QSqlDatabase& db);
    QSqlDatabase database() const;

    // Current grid row, -1 when none.
    int currentRow() const;
    void setCurrentRow(int row);

    // The sort state shared by every search dialog of the process: the column (upper case)
    // sorted last and the descending switch.
    static QString SortColumn();
    static bool SortDescending();
    static void ResetSortState();

    // The grid hint (Thai only).
    static QString gridHint();

public slots:
    // Search button and Enter outside the grid. Derived dialogs rebuild their statement,
    // then call the base, which reopens QSearch.
    virtual void BtSearchClick();
    void BtOkClick();
    void BtCancelClick();
    // Click on a column title: sorts by that column (ascending, descending, ascending...).
    void DgSearchTitleClick(int column);
    // Right button on the grid with exactly Shift+Ctrl held: removes a cancelled document.
    void DgSearchPurge();

protected:
    // Runs when the dialog is shown: English texts, closed statement, empty code, focus.
    virtual void FormShow();
    // Reopens QSearch as it stands and puts the focus on the first row when there is one.
    void OpenSearch();

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int r) override;
    void applyColumnWidths();
    void installKeyPreview();
    bool thaiLanguage() const;

private:
    QSqlDatabase m_db;
    bool m_hasDb = false;
};
