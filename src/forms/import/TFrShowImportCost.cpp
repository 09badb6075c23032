#include "forms/import/TFrShowImportCost.h"

#include "app/MessageService.h"
#include "data/NkError.h"
#include "forms/import/ImportCostModel.h"
#include "forms/import/ImportCostQuery.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

// One row under the grid holding the totals; its columns follow the grid's widths and
// horizontal scrolling.
class TFrShowImportCost::FooterModel : public QAbstractTableModel {
public:
    explicit FooterModel(ImportCostModel* source, QObject* parent) : QAbstractTableModel(parent), m_source(source)
    {
        connect(source, &QAbstractItemModel::modelReset, this, [this] {
            beginResetModel();
            endResetModel();
        });
    }
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 1; }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : ImportCostModel::ColumnCount;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::DisplayRole)
            return m_source->footerText(index.column());
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        if (role == Qt::FontRole) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
    }

private:
    ImportCostModel* m_source;
};

TFrShowImportCost::TFrShowImportCost(qint64 importLotId, const QSqlDatabase& db, QWidget* parent)
    : QDialog(parent), m_lotId(importLotId), m_db(db)
{
    setObjectName(QStringLiteral("FrShowImportCost"));
    setWindowTitle(QStringLiteral("ต้นทุนการนำเข้า"));
    setWindowState(windowState() | Qt::WindowMaximized);

    m_model = new ImportCostModel(this);
    m_footer = new FooterModel(m_model, this);

    DgCost = new QTableView(this);
    DgCost->setObjectName(QStringLiteral("DgCost"));
    DgCost->setModel(m_model);
    DgCost->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DgCost->setSelectionBehavior(QAbstractItemView::SelectRows);
    DgCost->setSelectionMode(QAbstractItemView::SingleSelection);
    DgCost->verticalHeader()->hide();
    DgCost->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    DgFooter = new QTableView(this);
    DgFooter->setObjectName(QStringLiteral("DgFooter"));
    DgFooter->setModel(m_footer);
    DgFooter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DgFooter->setSelectionMode(QAbstractItemView::NoSelection);
    DgFooter->setFocusPolicy(Qt::NoFocus);
    DgFooter->horizontalHeader()->hide();
    DgFooter->verticalHeader()->hide();
    DgFooter->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DgFooter->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DgFooter->setFixedHeight(DgFooter->verticalHeader()->defaultSectionSize() + 2 * DgFooter->frameWidth());

    // Column widths are given in characters of the grid's font.
    const int charWidth = QFontMetrics(DgCost->font()).averageCharWidth();
    for (int c = 0; c < ImportCostModel::ColumnCount; ++c)
        DgCost->setColumnWidth(c, ImportCostModel::widthChars(c) * charWidth + 8);
    connect(DgCost->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) { DgFooter->setColumnWidth(column, size); });
    connect(DgCost->horizontalScrollBar(), &QScrollBar::valueChanged, DgFooter->horizontalScrollBar(),
            &QScrollBar::setValue);
    syncFooter();

    LbNote = new QLabel(this);
    LbNote->setObjectName(QStringLiteral("LbNote"));
    LbNote->setStyleSheet(QStringLiteral("color: #b00000"));
    LbNote->setWordWrap(true);
    LbNote->hide();

    BPrint = new QPushButton(QStringLiteral("พิมพ์ Cost Sheet"), this);
    BPrint->setObjectName(QStringLiteral("BPrint"));
    connect(BPrint, &QPushButton::clicked, this, &TFrShowImportCost::printCostSheet);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(LbNote, 1);
    buttons->addWidget(BPrint);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DgCost, 1);
    layout->addWidget(DgFooter);
    layout->addLayout(buttons);
}

TFrShowImportCost::~TFrShowImportCost() = default;

QString TFrShowImportCost::currency() const
{
    return m_model->currency();
}

const ImportCostResult& TFrShowImportCost::result() const
{
    return m_model->result();
}

void TFrShowImportCost::FormShow()
{
    m_shown = true;
    LbNote->hide();
    const ImportCostQuery::Input in = ImportCostQuery::Read(m_db, m_lotId);
    const ImportCostResult res = ComputeImportCost(in.Rows, in.LotExpense);
    m_model->setResult(res, in.Currency);
    syncFooter();
    const QString note = ImportCostSpreadNote(res, true);
    LbNote->setText(note);
    LbNote->setVisible(!note.isEmpty());
    buildCostTable();
    if (m_model->rowCount() > 0)
        DgCost->setCurrentIndex(m_model->index(0, 0));
}

void TFrShowImportCost::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    try {
        FormShow();
    } catch (const NkError& e) {
        // The grid stays empty and the user is told why, so a failed read never passes for
        // a lot without products.
        MessageService::error(e.message());
    }
}

void TFrShowImportCost::syncFooter()
{
    for (int c = 0; c < ImportCostModel::ColumnCount; ++c)
        DgFooter->setColumnWidth(c, DgCost->columnWidth(c));
}

void TFrShowImportCost::buildCostTable()
{
    m_costTable.clear();
    m_costTable.reserve(result().Rows.size());
    for (ImportCostRow r : result().Rows) {
        r.Code = r.Code.left(PrintTextLength);
        r.ThaiName = r.ThaiName.left(PrintTextLength);
        m_costTable.push_back(r);
    }
}

void TFrShowImportCost::printCostSheet()
{
    // Waits for the report engine: see the declaration for what it will do. An empty sheet
    // (a lot without products) prints nothing.
}
