#pragma once
#include "data/CachedDataSet.h"
#include "data/CachedDataSetModel.h"

#include <QObject>
#include <QVector>
#include <functional>

class CachedDataSet;
class QBoxLayout;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QTabWidget;
class TDataGrid;
class TFaPurchaseTotals;

// The lines of a purchase document (bills and orders) and what sits around them: the grid on
// its page, the group under it with "delete line", "show discount (F11)" and the tax
// adjustment box, and the two context menus of the grid (prices in the price column, the
// extra description in the name column), whose items the owning form adds. The discount
// amount column is hidden except while F11 or the button is held down; F7 in the price
// column runs PriceHistory.
class TFaPurchaseLines : public QObject {
    Q_OBJECT
public:
    TFaPurchaseLines(QWidget* form, TFaPurchaseTotals* totals);

    QTabWidget* PageControl = nullptr;
    TDataGrid* DgDt = nullptr;
    QGroupBox* GbDetail = nullptr;
    QPushButton* BtDeleteLine = nullptr;
    QPushButton* BtDisc = nullptr;
    QMenu* PopLastPrice = nullptr;
    QMenu* PopDetail = nullptr;

    std::function<void()> PriceHistory; // F7 in the price column

    // A column of the grid: code columns (button) take upper case.
    static GridColumn column(const char* field, int width, bool readOnly, bool button, const QString& title);
    // Price, line discount text, discount amount and line total.
    static QVector<GridColumn> amountColumns(int width, bool totalReadOnly, const QString& totalTitle);

    // Lays the grid out over the lines with these columns; the discount amount stays hidden.
    void setColumns(CachedDataSet* lines, const QVector<GridColumn>& cols);
    void showDiscountAmt(bool show);
    // The footer under the grid: discounts, this group and totals side by side.
    void placeFooter(QBoxLayout* body, TFaPurchaseTotals* totals);
    // The buttons follow the group's width (on resize).
    void fitWidths(TFaPurchaseTotals* totals);
    // The status bar's last panel reaches to the window's edge (the stock of a goods line).
    static void widenLastPanel(QStatusBar* bar, QLabel* panel);

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;
};
