#pragma once
#include "forms/import/LandedCostEstimate.h"

#include <QWidget>
#include <functional>

class CachedDataSet;
class QLabel;
class QLineEdit;
class QPushButton;
class TDataGrid;
class TFrPoTran;

// The page "ต้นทุนประมาณการ" of the foreign order: per line the landed cost its goods are
// expected to have in baht, and the order's total, from an expected exchange rate, each
// product's expected duty share and the expected expense share, every default saying where
// it came from (LandedCostEstimate, LandedCostQuery). The rate, the expense share and each
// line's duty share can be typed. The estimate is stored with the order when it is saved, so
// lots costed later do not change it; reopening, copying (F6) and approving keep it.
//
// The page follows the order's lines itself (their rows as they are inserted and removed);
// the form calls newOrder, openOrder and copied, and storeWith inside its save.
class TFaPoEstimate : public QWidget {
    Q_OBJECT
public:
    explicit TFaPoEstimate(TFrPoTran* form);

    QLineEdit* EdRate = nullptr;
    QLabel* LbRate = nullptr;
    QLabel* LbRateFrom = nullptr;
    QLineEdit* EdExpense = nullptr;
    QLabel* LbExpense = nullptr;
    QLabel* LbExpenseFrom = nullptr;
    QPushButton* BtDefaults = nullptr; // F4: the latest defaults in place of the values used
    TDataGrid* DgEst = nullptr;
    CachedDataSet* QEst = nullptr;     // the grid's rows, one per line with a product
    QLabel* LbTotal = nullptr;
    QLabel* LbNote = nullptr;          // when it was estimated, or why it is not stored

    // A new order: estimated when the page is shown or the order saved.
    void newOrder();
    // An order opened by number: its stored estimate, or none (then estimated only when the
    // page is shown, with today's defaults).
    void openOrder();
    // The lines of another order were copied into the new one (F6): its stored estimate
    // follows them.
    void copied(const CachedDataSet& sourceHeader, const CachedDataSet& sourceLines);
    // Inside the order's save, after its lines are written: the estimate brought up to date
    // and stored with the order `id`.
    void storeWith(int id);

    // The page shown: the estimate brought up to date.
    void refresh();
    const LandedCostEstimate& estimate() const { return m_est; }
    bool stored() const { return m_stored; }

    void applyLanguage(bool thai);

private:
    enum class Text {
        Page, Rate, Expense, Defaults, RateFrom, RateTyped, RateNone, ExpenseVendor, ExpenseAll, ExpenseVendorNone,
        ExpenseTyped, ExpenseNone, DutyLot, DutyTyped, DutyNone, Total, TotalNone, EstimatedOn, NotStored, NoTables,
        ReplaceQuestion, BadNumber
    };
    static QString text(Text t, bool thai);
    static bool thai();

    void followLines();
    void syncLines();
    void takeDefaults(bool again);
    void showEstimate();
    void fillGrid();
    void rateTyped();
    void expenseTyped();
    void headerTyped(QLineEdit* edit, bool had, double was, const QString& format,
                     const std::function<void(bool, double)>& type);
    void dutyTyped(int row);
    void defaultsAgain();
    bool editable() const;
    QString currencyCode();

    TFrPoTran* m_form;
    LandedCostEstimate m_est;
    QVector<LandedCostEstimate::Line> m_rows; // one per order line row, in the rows' order
    QHash<qint64, LandedCostEstimate::Line> m_storedLines; // by order line, as loaded
    QVector<int> m_gridRows; // order line row of each grid row
    bool m_available = false; // the company has the estimate tables
    bool m_stored = false;    // the order had a stored estimate when opened
    bool m_wanted = false;    // store an estimate with the order at save
    int m_rateFor = -1;       // the currency whose rate default was taken
    int m_expenseFor = -1;    // the vendor whose expense default was taken
    bool m_filling = false;
};
