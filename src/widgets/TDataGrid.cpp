#include "widgets/TDataGrid.h"
#include "app/MessageService.h"
#include "data/CachedDataSet.h"
#include "data/CachedDataSetModel.h"
#include "data/NkError.h"
#include "data/Session.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

namespace {
// A grid's column titles are measured in the header's own font. Qt measures them in bold, for
// a header that shows the current column's title in bold; these grids never do that, and the
// bold font's Thai fallback would be one more font to find at start-up. (The row numbers keep
// Qt's own header: the current row's number is shown in bold.)
class ColumnHeader : public QHeaderView {
public:
    explicit ColumnHeader(QWidget* parent)
        : QHeaderView(Qt::Horizontal, parent)
    {
        setSectionsClickable(true);
        setHighlightSections(false);
    }

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override
    {
        if (!model())
            return {};
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        opt.section = logicalIndex;
        opt.text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
        QSize size = style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), this);
        if (isSortIndicatorShown() && sortIndicatorSection() == logicalIndex)
            size.rwidth() += size.height() + style()->pixelMetric(QStyle::PM_HeaderMargin, &opt, this);
        return size;
    }
};

// The editor of a cell whose column has a "..." button: a line edit with the button.
class ButtonCellEditor : public QWidget {
public:
    ButtonCellEditor(QWidget* parent)
        : QWidget(parent)
    {
        auto* lay = new QHBoxLayout(this);
        lay->setContentsMargins(0, 0, 0, 0);
        lay->setSpacing(0);
        edit = new QLineEdit(this);
        edit->setFrame(false);
        button = new QToolButton(this);
        button->setText(QStringLiteral("..."));
        button->setFocusPolicy(Qt::NoFocus);
        lay->addWidget(edit, 1);
        lay->addWidget(button);
        setFocusProxy(edit);
    }
    QLineEdit* edit;
    QToolButton* button;
};

QLineEdit* lineEditOf(QWidget* editor)
{
    if (auto* b = dynamic_cast<ButtonCellEditor*>(editor))
        return b->edit;
    return qobject_cast<QLineEdit*>(editor);
}
} // namespace

// ---- delegate --------------------------------------------------------------------------

TDataGridDelegate::TDataGridDelegate(TDataGrid* grid)
    : QStyledItemDelegate(grid)
    , m_grid(grid)
{
}

QWidget* TDataGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const
{
    const GridColumn& c = m_grid->m_model->columns().at(index.column());
    if (m_grid->editorFactory) {
        if (QWidget* w = m_grid->editorFactory(c.field, parent)) {
            w->installEventFilter(const_cast<TDataGridDelegate*>(this));
            return w;
        }
    }
    QWidget* editor = nullptr;
    QLineEdit* line = nullptr;
    if (c.hasButton) {
        auto* b = new ButtonCellEditor(parent);
        const int row = index.row();
        const QString field = c.field;
        TDataGrid* grid = m_grid;
        auto* self = const_cast<TDataGridDelegate*>(this);
        QObject::connect(b->button, &QToolButton::clicked, b, [self, b, grid, row, field] {
            // The editor closes before the picker opens: left open, it would later write its
            // old text over the picked value.
            emit self->commitData(b);
            emit self->closeEditor(b, QAbstractItemDelegate::NoHint);
            grid->runEditButton(row, field);
        });
        editor = b;
        line = b->edit;
    } else {
        line = new QLineEdit(parent);
        line->setFrame(false);
        editor = line;
    }
    if (!c.displayFormat.isEmpty())
        line->setAlignment(Qt::AlignRight);
    if (c.upperCase) {
        QObject::connect(line, &QLineEdit::textEdited, line, [line](const QString& t) {
            const int pos = line->cursorPosition();
            line->setText(t.toUpper());
            line->setCursorPosition(pos);
        });
    }
    Q_UNUSED(option);
    editor->installEventFilter(const_cast<TDataGridDelegate*>(this));
    if (line != editor)
        line->installEventFilter(const_cast<TDataGridDelegate*>(this));
    return editor;
}

void TDataGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (QLineEdit* l = lineEditOf(editor)) {
        l->setText(index.data(Qt::EditRole).toString());
        l->selectAll();
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void TDataGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (QLineEdit* l = lineEditOf(editor)) {
        if (!model->setData(index, l->text(), Qt::EditRole) && !l->text().trimmed().isEmpty()) {
            const GridColumn& c = m_grid->m_model->columns().at(index.column());
            if (!c.readOnly) {
                m_grid->refuseCell(index.row(), c.field,
                                   (tr("'%1' ไม่ใช่ค่าที่ถูกต้องสำหรับ %2"))
                                       .arg(l->text(), c.title),
                                   l->text());
            }
        }
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

bool TDataGridDelegate::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        QWidget* editor = qobject_cast<QWidget*>(obj);
        while (editor && editor->parentWidget() && dynamic_cast<ButtonCellEditor*>(editor->parentWidget()))
            editor = editor->parentWidget();
        switch (ke->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            emit commitData(editor);
            // A refused value keeps the cursor in its cell.
            const bool refused = m_grid->m_refusal.pending;
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            if (!refused)
                QTimer::singleShot(0, m_grid, [g = m_grid] { g->moveToNextCell(); });
            return true;
        }
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (m_grid->tabLeaves(ke)) {
                const bool forward = m_grid->tabForward(ke);
                emit commitData(editor);
                const bool refused = m_grid->m_refusal.pending;
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                if (!refused)
                    m_grid->leaveGrid(forward);
                return true;
            }
            break;
        case Qt::Key_Escape:
            // Escape cancels the cell edit only; the form never sees it.
            emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
            return true;
        case Qt::Key_F5: {
            const QModelIndex idx = m_grid->currentIndex();
            const GridColumn& c = m_grid->m_model->columns().at(idx.column());
            if (c.hasButton && m_grid->onEditButton) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                m_grid->runEditButton(idx.row(), c.field);
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    // The line edit inside a button editor is not the view's editor: only its keys are ours.
    if (obj->parent() && dynamic_cast<ButtonCellEditor*>(obj->parent()))
        return false;
    return QStyledItemDelegate::eventFilter(obj, e);
}

// ---- grid ------------------------------------------------------------------------------

TDataGrid::TDataGrid(QWidget* parent)
    : QTableView(parent)
{
    setHorizontalHeader(new ColumnHeader(this));
    setItemDelegate(new TDataGridDelegate(this));
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                    | QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setStretchLastSection(true);
    connect(qApp, &QApplication::focusChanged, this, &TDataGrid::onFocusChanged);
}

void TDataGrid::setDataSet(CachedDataSet* ds, const QVector<GridColumn>& columns)
{
    if (m_model && m_model->dataSet() == ds) {
        // The same rows again (a document reopened, a column locked): the model, the header's
        // sections and the cursor stay; only the columns follow.
        m_model->setColumns(columns);
        applyWidths();
        return;
    }
    auto* old = m_model;
    m_model = new CachedDataSetModel(ds, this);
    m_model->setColumns(columns);
    setModel(m_model);
    delete old;
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now, const QModelIndex&) {
                CachedDataSet* d = dataSet();
                if (!d || !now.isValid() || now.row() == d->RecNo())
                    return;
                try {
                    d->setRecNo(now.row());
                } catch (const NkError& e) {
                    MessageService::warning(e.message());
                }
            });
    connect(ds, &CachedDataSet::currentChanged, this, [this](int row) {
        if (row >= 0 && currentIndex().row() != row && m_model && row < m_model->rowCount()) {
            const int col = qMax(0, currentIndex().column());
            setCurrentIndex(m_model->index(row, col));
        }
    });
    applyWidths();
}

CachedDataSet* TDataGrid::dataSet() const
{
    return m_model ? m_model->dataSet() : nullptr;
}

void TDataGrid::setColumnReadOnly(const QString& field, bool ro)
{
    if (m_model)
        m_model->setColumnReadOnly(field, ro);
}

void TDataGrid::applyWidths()
{
    if (!m_model)
        return;
    const int ch = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int i = 0; i < m_model->columns().size(); ++i)
        setColumnWidth(i, m_model->columns()[i].widthChars * ch + 10);
}

QString TDataGrid::currentFieldName() const
{
    const int c = currentIndex().column();
    return (m_model && c >= 0 && c < m_model->columns().size()) ? m_model->columns()[c].field : QString();
}

int TDataGrid::nextEditableColumn(int from) const
{
    for (int c = from; c < m_model->columns().size(); ++c)
        if (!m_model->columns()[c].readOnly && !isColumnHidden(c))
            return c;
    return -1;
}

int TDataGrid::previousEditableColumn(int from) const
{
    for (int c = qMin(from, int(m_model->columns().size()) - 1); c >= 0; --c)
        if (!m_model->columns()[c].readOnly && !isColumnHidden(c))
            return c;
    return -1;
}

void TDataGrid::runEditButton(int row, const QString& field)
{
    if (!onEditButton)
        return;
    // The picker writes into the row it was opened from: the data set stands on it.
    CachedDataSet* d = dataSet();
    if (d && row >= 0 && row < d->RecordCount() && d->RecNo() != row) {
        try {
            d->setRecNo(row);
        } catch (const NkError& e) {
            MessageService::warning(e.message());
            return;
        }
    }
    onEditButton(row, field);
}

void TDataGrid::refuseCell(int row, const QString& field, const QString& message, const QString& text)
{
    if (!m_model)
        return;
    const int column = m_model->columnOf(field);
    if (column < 0)
        return;
    const bool scheduled = m_refusal.pending;
    m_refusal = {true, row, column, message, text};
    // After the editor that carried the value has closed.
    if (!scheduled)
        QTimer::singleShot(0, this, &TDataGrid::showRefusal);
}

void TDataGrid::showRefusal()
{
    if (!m_refusal.pending)
        return;
    const Refusal r = m_refusal;
    m_refusal = {};
    if (!r.message.isEmpty())
        MessageService::warning(r.message);
    if (!m_model || r.row < 0 || r.row >= m_model->rowCount() || !window()->isVisible())
        return;
    setFocus(Qt::OtherFocusReason);
    const QModelIndex idx = m_model->index(r.row, r.column);
    setCurrentIndex(idx);
    QTableView::edit(idx);
    if (QLineEdit* l = lineEditOf(indexWidget(idx))) {
        if (!r.text.isNull())
            l->setText(r.text);
        l->selectAll();
    }
}

bool TDataGrid::tabForward(const QKeyEvent* e) const
{
    return e->key() == Qt::Key_Tab && !(e->modifiers() & Qt::ShiftModifier);
}

bool TDataGrid::tabLeaves(const QKeyEvent* e) const
{
    if (e->key() != Qt::Key_Tab && e->key() != Qt::Key_Backtab)
        return false;
    if (e->modifiers() & Qt::ControlModifier)
        return true;
    if (!m_model || m_model->rowCount() == 0)
        return true;
    const QModelIndex cur = currentIndex();
    if (!cur.isValid())
        return true;
    if (tabForward(e))
        return cur.row() >= m_model->rowCount() - 1 && nextEditableColumn(cur.column() + 1) < 0;
    return cur.row() == 0 && previousEditableColumn(cur.column() - 1) < 0;
}

void TDataGrid::leaveGrid(bool forward)
{
    QWidget* top = window();
    QWidget* w = this;
    // The window's focus chain, skipping the grid's own editors and anything Tab never reaches.
    for (int guard = 0; guard < 10000; ++guard) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == this)
            return;
        if (isAncestorOf(w) || w->window() != top || w->focusProxy())
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || !w->isEnabled() || !w->isVisibleTo(top))
            continue;
        w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return;
    }
}

void TDataGrid::editCell(int row, const QString& field)
{
    if (!m_model)
        return;
    int c = m_model->columnOf(field);
    if (c < 0)
        c = nextEditableColumn(0);
    if (c < 0 || row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex idx = m_model->index(row, c);
    setCurrentIndex(idx);
    QTableView::edit(idx);
}

void TDataGrid::moveToNextCell()
{
    CachedDataSet* d = dataSet();
    if (!m_model || !d)
        return;
    QModelIndex cur = currentIndex();
    if (!cur.isValid()) {
        if (m_model->rowCount() == 0 && allowAppend)
            d->Append();
        editCell(0, QString());
        return;
    }
    const int next = nextEditableColumn(cur.column() + 1);
    if (next >= 0) {
        setCurrentIndex(m_model->index(cur.row(), next));
        return;
    }
    const int first = qMax(0, nextEditableColumn(0));
    if (cur.row() + 1 < m_model->rowCount()) {
        setCurrentIndex(m_model->index(cur.row() + 1, first));
        return;
    }
    // Past the last cell of the last row: a new row, unless this row is an untouched new one.
    if (allowAppend && !(d->state() == CachedDataSet::State::Insert && !d->Modified())) {
        try {
            d->Append();
        } catch (const NkError& e) {
            MessageService::warning(e.message());
            return;
        }
        setCurrentIndex(m_model->index(m_model->rowCount() - 1, first));
    }
}

void TDataGrid::deleteCurrentRow()
{
    CachedDataSet* d = dataSet();
    if (!d || !allowDelete || d->IsEmpty())
        return;
    if (confirmDelete && !MessageService::confirm(deleteQuestion))
        return;
    try {
        d->Delete();
    } catch (const NkError& e) {
        MessageService::warning(e.message());
    }
}

void TDataGrid::dropUntouchedNewRow()
{
    CachedDataSet* d = dataSet();
    if (!d || !d->Active())
        return;
    try {
        if (d->state() == CachedDataSet::State::Insert && !d->Modified())
            d->Cancel();
        else if (d->state() != CachedDataSet::State::Browse)
            d->Post();
    } catch (const NkError& e) {
        MessageService::warning(e.message());
    }
}

void TDataGrid::onFocusChanged(QWidget*, QWidget* now)
{
    // A window that is closing or hidden does not react: its owner may be half destroyed.
    if (!window()->isVisible() || window()->testAttribute(Qt::WA_WState_Hidden))
        return;
    // Another window taking the focus (a picker opened from a cell, a message) or the
    // program losing it is not leaving the grid: the row being typed stays where it is.
    if (!now || now->window() != window())
        return;
    const bool inside = now && (now == this || isAncestorOf(now));
    if (inside == m_inside)
        return;
    m_inside = inside;
    if (inside) {
        emit gridEntered();
    } else {
        dropUntouchedNewRow();
        emit gridLeft();
    }
}

void TDataGrid::keyPressEvent(QKeyEvent* e)
{
    CachedDataSet* d = dataSet();
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        moveToNextCell();
        return;
    case Qt::Key_F5: {
        const QString f = currentFieldName();
        const int c = currentIndex().column();
        if (c >= 0 && m_model->columns()[c].hasButton && onEditButton) {
            runEditButton(currentIndex().row(), f);
            return;
        }
        break;
    }
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (tabLeaves(e)) {
            leaveGrid(tabForward(e));
            e->accept();
            return;
        }
        break;
    case Qt::Key_Down:
        if (d && allowAppend && currentIndex().row() == m_model->rowCount() - 1
            && !(d->state() == CachedDataSet::State::Insert && !d->Modified())) {
            try {
                d->Append();
            } catch (const NkError& ex) {
                MessageService::warning(ex.message());
                return;
            }
            setCurrentIndex(m_model->index(m_model->rowCount() - 1, qMax(0, nextEditableColumn(0))));
            return;
        }
        break;
    case Qt::Key_Delete:
        if (e->modifiers() & Qt::ControlModifier) {
            deleteCurrentRow();
            return;
        }
        break;
    case Qt::Key_Escape:
        if (d && d->state() != CachedDataSet::State::Browse) {
            d->Cancel();
            return;
        }
        e->accept();
        return;
    default:
        break;
    }
    QTableView::keyPressEvent(e);
}
