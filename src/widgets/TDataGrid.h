#pragma once
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

class CachedDataSet;
class CachedDataSetModel;
struct GridColumn;

// The data grid of the document forms, over a cached data set: per-column editors, an
// editor button ("...", also F5) for code columns, read-only columns, Enter to the next
// cell, a new row appended past the last one, row deletion with confirmation, an untouched
// new row dropped when the grid is left, every second row light blue.
class TDataGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDataGrid(QWidget* parent = nullptr);

    void setDataSet(CachedDataSet* ds, const QVector<GridColumn>& columns);
    CachedDataSet* dataSet() const;
    CachedDataSetModel* gridModel() const { return m_model; }
    void setColumnReadOnly(const QString& field, bool ro);
    void applyWidths(); // column widths in characters of the grid's font

    bool allowAppend = true;
    bool allowDelete = true;
    bool confirmDelete = true;
    QString deleteQuestion = QStringLiteral("ลบรายการ ?");

    // The "..." button of a column (or F5 in its cell): the handler picks a value.
    std::function<void(int row, const QString& field)> onEditButton;
    // Optional per-column editor factory (e.g. a spin box for a number column).
    std::function<QWidget*(const QString& field, QWidget* parent)> editorFactory;

    // Moves to the first editable cell of the row; starts editing.
    void editCell(int row, const QString& field);
    void deleteCurrentRow(); // with confirmation when confirmDelete
    int currentField() const { return currentIndex().column(); }
    QString currentFieldName() const;

signals:
    void gridEntered();
    void gridLeft();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void moveToNextCell();
    void dropUntouchedNewRow();
    void onFocusChanged(QWidget* old, QWidget* now);
    int nextEditableColumn(int from) const;

    CachedDataSetModel* m_model = nullptr;
    bool m_inside = false;
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
