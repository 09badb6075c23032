#pragma once
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

class CachedDataSet;
class QKeyEvent;
class CachedDataSetModel;
struct GridColumn;

// The data grid of the document forms, over a cached data set: per-column editors, an
// editor button ("...", also F5) for code columns, read-only columns, Enter to the next
// cell, a new row appended past the last one, row deletion with confirmation, an untouched
// new row dropped when the grid is left, every second row light blue.
//
// Keys out of the grid: Ctrl+Tab / Ctrl+Shift+Tab move to the next / previous control of the
// window, and so do Tab past the last cell of the last row and Shift+Tab before the first
// cell. Focus going to another window (a search dialog opened from a cell, a message box)
// is not leaving the grid: the row being edited stays as it is.
class TDataGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDataGrid(QWidget* parent = nullptr);

    // The rows of a data set under these columns. Called again with the same data set, it
    // keeps the model and the cursor and sets only the columns (titles, widths, read-only).
    void setDataSet(CachedDataSet* ds, const QVector<GridColumn>& columns);
    CachedDataSet* dataSet() const;
    CachedDataSetModel* gridModel() const { return m_model; }
    void setColumnReadOnly(const QString& field, bool ro);
    void applyWidths(); // column widths in characters of the grid's font

    bool allowAppend = true;
    bool allowDelete = true;
    bool confirmDelete = true;
    QString deleteQuestion = tr("ลบรายการ ?");

    // The "..." button of a column (or F5 in its cell): the handler picks a value.
    std::function<void(int row, const QString& field)> onEditButton;
    // Optional per-column editor factory (e.g. a spin box for a number column).
    std::function<QWidget*(const QString& field, QWidget* parent)> editorFactory;

    // Moves to the first editable cell of the row; starts editing.
    void editCell(int row, const QString& field);
    void deleteCurrentRow(); // with confirmation when confirmDelete
    // Refuses the value of a cell: the message is shown once the cell editor is closed, and
    // the cursor goes back into that cell, editing `text` (the cell's value when null), so
    // the user corrects it there. Enter does not move on after a refused value.
    void refuseCell(int row, const QString& field, const QString& message, const QString& text = QString());
    // Moves the focus to the next (or previous) control of the window outside the grid.
    void leaveGrid(bool forward);
    int currentField() const { return currentIndex().column(); }
    QString currentFieldName() const;

signals:
    void gridEntered();
    void gridLeft();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    struct Refusal {
        bool pending = false;
        int row = -1;
        int column = -1;
        QString message;
        QString text;
    };
    void moveToNextCell();
    void showRefusal();
    // Tab, Shift+Tab, Ctrl+Tab and Ctrl+Shift+Tab: true when the key leaves the grid.
    bool tabLeaves(const QKeyEvent* e) const;
    bool tabForward(const QKeyEvent* e) const;
    void dropUntouchedNewRow();
    void onFocusChanged(QWidget* old, QWidget* now);
    int nextEditableColumn(int from) const;
    int previousEditableColumn(int from) const;
    void runEditButton(int row, const QString& field);

    CachedDataSetModel* m_model = nullptr;
    bool m_inside = false;
    Refusal m_refusal;
    friend class TDataGridDelegate;
};

class TDataGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TDataGridDelegate(TDataGrid* grid);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    TDataGrid* m_grid;
};
