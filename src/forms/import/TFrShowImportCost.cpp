#include "forms/import/TFrShowImportCost.h"
#include "app/ErrorReporting.h"

#include "app/InstalledPaths.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/NkError.h"
#include "data/TDM.h"
#include "forms/import/ImportCostChart.h"
#include "forms/import/ImportCostDocuments.h"
#include "forms/import/ImportCostModel.h"
#include "forms/import/ImportCostQuery.h"
#include "forms/import/LandedCostCompare.h"
#include "forms/import/LandedCostQuery.h"
#include "print/ReportFunctions.h"
#include "report/ReportData.h"
#include "report/ReportExport.h"
#include "report/ReportText.h"
#include "report/TReport.h"

#include <QAbstractTableModel>
#include <algorithm>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QFont>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QSplitter>
#include <QTabWidget>
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

TFrShowImportCost::TFrShowImportCost(qint64 importLotId, const QSqlDatabase& db, QWidget* parent, CostBasis basis)
    : QDialog(parent), m_lotId(importLotId), m_db(db), m_basis(basis)
{
    const bool thai = !DMConfig || DMConfig->ThaiLanguage;
    setObjectName(QStringLiteral("FrShowImportCost"));
    setWindowTitle(tr("ต้นทุนการนำเข้า"));
    setWindowState(windowState() | Qt::WindowMaximized);

    m_model = new ImportCostModel(this);
    m_footer = new FooterModel(m_model, this);

    // The pages' grids: read-only, a row at a time.
    auto grid = [this](const char* name, QAbstractItemModel* model) {
        auto* g = new QTableView(this);
        g->setObjectName(QLatin1String(name));
        g->setModel(model);
        g->setEditTriggers(QAbstractItemView::NoEditTriggers);
        g->setSelectionBehavior(QAbstractItemView::SelectRows);
        g->setSelectionMode(QAbstractItemView::SingleSelection);
        g->verticalHeader()->hide();
        return g;
    };
    DgCost = grid("DgCost", m_model);
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

    fitColumns();
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

    // The basis the figures were split by, stated above them whichever it is.
    LbBasis = new QLabel(this);
    LbBasis->setObjectName(QStringLiteral("LbBasis"));
    QFont basisFont = LbBasis->font();
    basisFont.setBold(true);
    LbBasis->setFont(basisFont);
    LbBasis->setText(basisText());

    // What an accountant sees when choosing a basis: each product's cost per unit by value
    // beside the chosen basis.
    m_compare = new ImportCostCompareModel(this);
    DgCompare = grid("DgCompare", m_compare);

    // The documents behind the expense total, so the figure can be tied to the bills.
    m_documents = new ImportCostDocumentModel(this);
    DgDocuments = grid("DgDocuments", m_documents);
    auto* documentsPage = new QWidget(this);
    auto* documentsLayout = new QVBoxLayout(documentsPage);
    documentsLayout->setContentsMargins(0, 0, 0, 0);
    documentsLayout->addWidget(DgDocuments, 1);
    auto* documentsNote = new QLabel(ImportCostDocuments::Note(thai), documentsPage);
    documentsNote->setWordWrap(true);
    documentsLayout->addWidget(documentsNote);
    LbExpense = new QLabel(this);
    LbExpense->setObjectName(QStringLiteral("LbExpense"));

    ChCost = new ImportCostChartView;
    SbChart = new QScrollArea(this);
    SbChart->setObjectName(QStringLiteral("SbChart"));
    SbChart->setWidgetResizable(true);
    SbChart->setWidget(ChCost);

    // The estimate against the actual cost: the table over its picture.
    m_estimates = new LandedCostCompareModel(this);
    DgEstimate = grid("DgEstimate", m_estimates);
    ChEstimate = new ImportCostChartView;
    ChEstimate->setObjectName(QStringLiteral("ChEstimate"));
    auto* estimateChart = new QScrollArea(this);
    estimateChart->setWidgetResizable(true);
    estimateChart->setWidget(ChEstimate);
    LbEstimate = new QLabel(this);
    LbEstimate->setObjectName(QStringLiteral("LbEstimate"));
    LbEstimate->setWordWrap(true);
    auto* estimatePage = new QWidget(this);
    auto* estimateLayout = new QVBoxLayout(estimatePage);
    estimateLayout->setContentsMargins(0, 0, 0, 0);
    auto* estimateSplit = new QSplitter(Qt::Vertical, estimatePage);
    estimateSplit->addWidget(DgEstimate);
    estimateSplit->addWidget(estimateChart);
    estimateSplit->setStretchFactor(0, 1);
    estimateSplit->setStretchFactor(1, 2);
    estimateLayout->addWidget(LbEstimate);
    estimateLayout->addWidget(estimateSplit, 1);

    auto* costPage = new QWidget(this);
    auto* costLayout = new QVBoxLayout(costPage);
    costLayout->setContentsMargins(0, 0, 0, 0);
    costLayout->setSpacing(0);
    costLayout->addWidget(DgCost, 1);
    costLayout->addWidget(DgFooter);
    costLayout->addWidget(LbExpense);
    PcCost = new QTabWidget(this);
    PcCost->setObjectName(QStringLiteral("PcCost"));
    PcCost->addTab(costPage, tr("ต้นทุน (&1)"));
    PcCost->addTab(DgCompare,
                   tr("เปรียบเทียบกับตามมูลค่า (&2)"));
    PcCost->addTab(SbChart, tr("กราฟ (&3)"));
    PcCost->addTab(documentsPage, tr("เอกสารค่าใช้จ่าย (&4)"));
    PcCost->addTab(estimatePage,
                   tr("ประมาณการเทียบจริง (&5)"));
    // Ctrl+Tab turns the pages from anywhere in the form, the grids included (they would
    // otherwise take the key to move their cursor).
    for (const bool forward : {true, false}) {
        auto* turn = new QShortcut(forward ? QKeySequence(Qt::CTRL | Qt::Key_Tab)
                                           : QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                   this);
        connect(turn, &QShortcut::activated, this, [this, forward] {
            const int n = PcCost->count();
            PcCost->setCurrentIndex((PcCost->currentIndex() + (forward ? 1 : n - 1)) % n);
            PcCost->currentWidget()->setFocus();
        });
    }

    BPrint = new QPushButton(tr("พิมพ์ Cost Sheet"), this);
    BPrint->setObjectName(QStringLiteral("BPrint"));
    connect(BPrint, &QPushButton::clicked, this, &TFrShowImportCost::printCostSheet);
    // Accountants carry the figures into spreadsheets and mail: the same pages as a file.
    BExportPdf = new QPushButton(tr("ส่งออก PDF"), this);
    BExportPdf->setObjectName(QStringLiteral("BExportPdf"));
    connect(BExportPdf, &QPushButton::clicked, this, &TFrShowImportCost::exportPdf);
    BExportCsv = new QPushButton(tr("ส่งออก CSV"), this);
    BExportCsv->setObjectName(QStringLiteral("BExportCsv"));
    connect(BExportCsv, &QPushButton::clicked, this, &TFrShowImportCost::exportCsv);
    for (QPushButton* b : {BExportPdf, BExportCsv, BPrint})
        b->setMinimumWidth(qMax(110, b->sizeHint().width() + 16));
    enableButtons();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(LbNote, 1);
    buttons->addStretch(); // keeps the buttons at their size while the note is hidden
    buttons->addWidget(BExportPdf);
    buttons->addWidget(BExportCsv);
    buttons->addWidget(BPrint);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LbBasis);
    layout->addWidget(PcCost, 1);
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

QString TFrShowImportCost::basisText() const
{
    const bool thai = !DMConfig || DMConfig->ThaiLanguage;
    return tr("ปันส่วนค่าใช้จ่ายตาม: ")
           + CostBasisCaption(m_basis, thai);
}

void TFrShowImportCost::FormShow()
{
    const bool thai = !DMConfig || DMConfig->ThaiLanguage;
    m_shown = true;
    LbNote->hide();
    const ImportCostQuery::Input in = ImportCostQuery::Read(m_db, m_lotId, m_basis);
    const ImportCostResult res = ComputeImportCost(in.Rows, in.LotExpense, m_basis);
    m_valueResult = m_basis == CostBasis::Value ? res : ComputeImportCost(in.Rows, in.LotExpense);
    m_model->setResult(res, in.Currency);
    fitColumns();
    const QString note = ImportCostSpreadNote(res, true);
    LbNote->setText(note);
    LbNote->setVisible(!note.isEmpty());
    m_compare->setComparison(CompareImportCost(m_valueResult, res), m_basis, thai);
    DgCompare->resizeColumnsToContents();
    ImportCostChartTexts chartTexts;
    chartTexts.Basis = m_basis;
    chartTexts.Thai = thai;
    ChCost->setChart(ImportCostChartBars(res), chartTexts);
    m_documents->setDocuments(in.Documents, thai);
    DgDocuments->resizeColumnsToContents();
    LbExpense->setText(in.Rows.isEmpty() ? QString()
                                          : tr("ค่าใช้จ่ายของล็อต %1 บาท จากเอกสาร %2 ใบ (ดูหน้า เอกสารค่าใช้จ่าย)")
                                                .arg(ImportCostModel::formatAmount(in.LotExpense))
                                                .arg(in.Documents.size()));
    // Orders estimated before the goods came, against what they cost (a company without the
    // estimate tables has none).
    m_comparison.clear();
    if (!in.Rows.isEmpty() && LandedCostQuery::Available(m_db))
        m_comparison = LandedCostEstimate::Compare(res, LandedCostQuery::Receipts(m_db, m_lotId));
    const bool compared = LandedCostEstimate::anyCompared(m_comparison);
    m_estimates->setRows(compared ? m_comparison : QVector<LandedCostEstimate::Comparison>(), thai);
    DgEstimate->resizeColumnsToContents();
    LbEstimate->setText(compared ? LandedCostCompare::Explanation(thai) : LandedCostCompare::NothingToCompare(thai));
    ChEstimate->setChart(LandedCostCompare::Bars(m_comparison, thai), LandedCostCompare::ChartTexts({}, {}, thai));
    buildCostTable();
    m_lotCode.clear();
    m_lotDescription.clear();
    if (!m_costTable.isEmpty()) {
        const ImportCostQuery::LotInfo lot = ImportCostQuery::Lot(m_db, m_lotId);
        m_lotCode = lot.Code.trimmed();
        m_lotDescription = lot.Description;
    }
    enableButtons();
    if (m_model->rowCount() > 0) {
        DgCost->setCurrentIndex(m_model->index(0, 0));
        DgCompare->setCurrentIndex(m_compare->index(0, 0));
    }
    if (res.Refused)
        MessageService::warning(CostBasisRefusal(res, thai));
}

bool TFrShowImportCost::load()
{
    try {
        FormShow();
    } catch (const NkError& e) {
        // The grid stays empty and the user is told why, so a failed read never passes for
        // a lot without products.
        ReportError(e);
        return false;
    }
    return !result().Refused;
}

void TFrShowImportCost::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_shown)
        load();
}

void TFrShowImportCost::fitColumns()
{
    // Widths are given in characters of the grid's font, widened where a title (which carries
    // the currency code) or a figure would otherwise be cut. Names keep their width: a long
    // name is cut on screen rather than pushing the figures out of sight.
    const int charWidth = QFontMetrics(DgCost->font()).averageCharWidth();
    QHeaderView* header = DgCost->horizontalHeader();
    for (int c = 0; c < ImportCostModel::ColumnCount; ++c) {
        int width = ImportCostModel::widthChars(c) * charWidth + 8;
        width = qMax(width, header->sectionSizeHint(c));
        if (c != ImportCostModel::Code && c != ImportCostModel::ThaiName && m_model->rowCount() > 0)
            width = qMax(width, static_cast<QAbstractItemView*>(DgCost)->sizeHintForColumn(c));
        DgCost->setColumnWidth(c, width);
    }
    syncFooter();
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
        r.Code = leftClusters(r.Code, PrintTextLength);
        r.ThaiName = leftClusters(r.ThaiName, PrintTextLength);
        m_costTable.push_back(r);
    }
}

void TFrShowImportCost::enableButtons()
{
    BExportPdf->setEnabled(!m_costTable.isEmpty());
    BExportCsv->setEnabled(!m_costTable.isEmpty());
}

TReport* TFrShowImportCost::report()
{
    if (!m_report)
        m_report = new TReport(this);
    return m_report;
}

QString TFrShowImportCost::reportPath()
{
    QString folder = DM ? DM->StartFolder : QDir::currentPath();
    const QString found = InstalledPaths::layoutFile(folder, reportFileName());
    if (!found.isEmpty())
        return found;
    if (!folder.endsWith(QLatin1Char('\\')) && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('\\');
    return folder + reportFileName(); // named in the message when it is missing
}

QString TFrShowImportCost::quoted(const QString& text)
{
    // A quote inside a lot description or caption is doubled, so it stays text and cannot
    // end the expression early.
    QString t = text;
    t.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

bool TFrShowImportCost::prepareCostSheet()
{
    TReport* r = report();
    r->clear();
    try {
        const ImportCostQuery::LotInfo lot = ImportCostQuery::Lot(m_db, m_lotId);
        const QString path = reportPath();
        if (!r->loadFromFile(path)) {
            const QString shownPath = QDir::toNativeSeparators(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
            MessageService::warning(tr("ไม่พบแฟ้มรายงาน %1").arg(shownPath));
            return false;
        }
        r->setVariable(QStringLiteral("RPTITLE"), quoted(sheetTitle()));
        // The basis is stated by the layout's BASISNOTE; a layout of a company's own that
        // does not print it gets the basis on its lot line, so no sheet split otherwise than
        // by value passes for one split by value.
        QString condition = sheetCondition(lot.Code, lot.Description);
        const auto& vars = r->layout().variables;
        const bool statesBasis = std::any_of(vars.begin(), vars.end(), [](const ReportVariableDef& v) {
            return v.name.compare(QLatin1String("BASISNOTE"), Qt::CaseInsensitive) == 0;
        });
        if (!statesBasis && m_basis != CostBasis::Value)
            condition += QStringLiteral("  ปันส่วนค่าใช้จ่ายตาม") + CostBasisCaption(m_basis, true);
        r->setVariable(QStringLiteral("CONDITION"), quoted(condition));
        r->setVariable(QStringLiteral("PNTDATESET"), QStringLiteral("true"));
        r->setVariable(QStringLiteral("CURRCODE"), quoted(currency()));
        r->setVariable(QStringLiteral("BASIS"), quoted(CostBasisCaption(m_basis, true)));
        r->setVariable(QStringLiteral("BASISNOTE"), quoted(CostBasisSheetNote(m_basis)));

        auto table = std::make_shared<MemoryDataSet>(QStringList{
            QStringLiteral("Code"), QStringLiteral("ThaiName"), QStringLiteral("Quantity"), QStringLiteral("Price"),
            QStringLiteral("Total"), QStringLiteral("Baht"), QStringLiteral("Duty"), QStringLiteral("Expense"),
            QStringLiteral("TotalCost"), QStringLiteral("Cost")});
        for (const ImportCostRow& row : m_costTable)
            table->appendRow({row.Code, row.ThaiName, row.Quantity, row.Price, row.Total, row.Baht, row.Duty,
                              row.Expense, row.TotalCost, row.HasCost ? row.Cost : 0.0});
        r->setDataSet(QStringLiteral("CostTable"), table);
        r->setDatabase(m_db);
        r->setUserFunctions(&callReportUserFunction);
    } catch (const NkError& e) {
        MessageService::error(e.message());
        return false;
    }
    if (!r->prepare()) {
        MessageService::error(r->lastError());
        return false;
    }
    return true;
}

QString TFrShowImportCost::sheetTitle() const
{
    const QString caption = DMConfig ? DMConfig->MenuCaption.trimmed() : QString();
    return caption.isEmpty() ? QStringLiteral("รายงานต้นทุนการนำเข้า") : caption; // the printed title
}

QString TFrShowImportCost::sheetCondition(const QString& code, const QString& description) const
{
    return (QStringLiteral("Import Lot No : ") + code + QStringLiteral(" - ") + description).trimmed();
}

PreparedReport TFrShowImportCost::pdfPages()
{
    PreparedReport out = report()->prepared();
    if (out.pages.isEmpty() || result().isEmpty())
        return out;
    // The chart follows on pages of the sheet's size and margins, in the sheet's language.
    ImportCostChartTexts texts;
    texts.Title = sheetTitle();
    texts.Condition = sheetCondition(m_lotCode, m_lotDescription);
    texts.Basis = m_basis;
    texts.Thai = true;
    const QSizeF size = out.pages.first().size;
    const QMarginsF margins = report()->layout().margins;
    out.pages += ImportCostDocuments::pages(m_documents->documents(), size, margins, texts.Title, texts.Condition, true);
    out.pages += ImportCostChart::pages(ImportCostChartBars(result()), size, margins, texts);
    if (LandedCostEstimate::anyCompared(m_comparison))
        out.pages += LandedCostCompare::pages(m_comparison, size, margins, texts.Title, texts.Condition, true);
    return out;
}

void TFrShowImportCost::printCostSheet()
{
    // A lot without products has no sheet: nothing is printed.
    if (m_costTable.isEmpty())
        return;
    if (!prepareCostSheet())
        return;
    report()->showPreview(this);
}

QString TFrShowImportCost::exportFileName(const QString& suffix) const
{
    QString code = m_lotCode;
    // Only characters every file system takes.
    for (QChar& c : code)
        if (!(c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char('.')))
            c = QLatin1Char('_');
    return (code.isEmpty() ? QStringLiteral("CostSheet") : QStringLiteral("CostSheet_") + code) + QLatin1Char('.')
           + suffix;
}

void TFrShowImportCost::exportPdf()
{
    exportCostSheet(ExportFormat::Pdf);
}

void TFrShowImportCost::exportCsv()
{
    exportCostSheet(ExportFormat::Csv);
}

void TFrShowImportCost::exportCostSheet(ExportFormat format)
{
    if (m_costTable.isEmpty())
        return;
    if (!prepareCostSheet())
        return;
    const bool pdf = format == ExportFormat::Pdf;
    const QString suffix = pdf ? QStringLiteral("pdf") : QStringLiteral("csv");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = DM ? DM->StartFolder : QDir::currentPath();

    QFileDialog dialog(this, tr("บันทึก Cost Sheet"), folder,
                       pdf ? QStringLiteral("PDF (*.pdf)") : QStringLiteral("CSV (*.csv)"));
    dialog.setObjectName(QStringLiteral("ExportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(QDir(folder).filePath(exportFileName(suffix)));
    if (MessageService::execDialog(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString path = dialog.selectedFiles().constFirst();
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    try {
        if (pdf)
            ReportExport::toPdf(pdfPages(), path);
        else if (!LandedCostEstimate::anyCompared(m_comparison))
            report()->exportCsv(path);
        else {
            // The comparison's columns after the sheet's, in the sheet's language.
            PreparedReport comparison;
            comparison.pages = LandedCostCompare::tablePages(m_comparison, report()->prepared().pages.first().size,
                                                             report()->layout().margins, QString(), QString(), true);
            ReportExport::toCsv({report()->prepared(), comparison}, path);
        }
    } catch (const NkError& e) {
        ReportError(e);
        return;
    }
    MessageService::information(tr("บันทึกแฟ้ม %1 แล้ว").arg(QDir::toNativeSeparators(path)));
}
