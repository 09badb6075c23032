#include "forms/import/TFrShowImportCost.h"
#include "app/ErrorReporting.h"

#include "app/InstalledPaths.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/NkError.h"
#include "data/TDM.h"
#include "forms/import/ImportCostModel.h"
#include "forms/import/ImportCostQuery.h"
#include "print/ReportFunctions.h"
#include "report/ReportData.h"
#include "report/ReportText.h"
#include "report/TReport.h"

#include <QAbstractTableModel>
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

    BPrint = new QPushButton(QStringLiteral("พิมพ์ Cost Sheet"), this);
    BPrint->setObjectName(QStringLiteral("BPrint"));
    connect(BPrint, &QPushButton::clicked, this, &TFrShowImportCost::printCostSheet);
    // Accountants carry the figures into spreadsheets and mail: the same pages as a file.
    const bool thai = !DMConfig || DMConfig->ThaiLanguage;
    BExportPdf = new QPushButton(thai ? QStringLiteral("ส่งออก PDF") : QStringLiteral("Export PDF"), this);
    BExportPdf->setObjectName(QStringLiteral("BExportPdf"));
    connect(BExportPdf, &QPushButton::clicked, this, &TFrShowImportCost::exportPdf);
    BExportCsv = new QPushButton(thai ? QStringLiteral("ส่งออก CSV") : QStringLiteral("Export CSV"), this);
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
    fitColumns();
    const QString note = ImportCostSpreadNote(res, true);
    LbNote->setText(note);
    LbNote->setVisible(!note.isEmpty());
    buildCostTable();
    m_lotCode = m_costTable.isEmpty() ? QString() : ImportCostQuery::Lot(m_db, m_lotId).Code.trimmed();
    enableButtons();
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
        ReportError(e);
    }
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
    const bool thai = !DMConfig || DMConfig->ThaiLanguage;
    TReport* r = report();
    r->clear();
    try {
        const ImportCostQuery::LotInfo lot = ImportCostQuery::Lot(m_db, m_lotId);
        const QString path = reportPath();
        if (!r->loadFromFile(path)) {
            const QString shownPath = QDir::toNativeSeparators(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
            MessageService::warning(thai ? QStringLiteral("ไม่พบแฟ้มรายงาน %1").arg(shownPath)
                                         : QStringLiteral("Report file not found: %1").arg(shownPath));
            return false;
        }
        const QString caption = DMConfig ? DMConfig->MenuCaption.trimmed() : QString();
        r->setVariable(QStringLiteral("RPTITLE"),
                       quoted(caption.isEmpty() ? QStringLiteral("รายงานต้นทุนการนำเข้า") : caption));
        r->setVariable(QStringLiteral("CONDITION"),
                       quoted((QStringLiteral("Import Lot No : ") + lot.Code + QStringLiteral(" - ") + lot.Description)
                                  .trimmed()));
        r->setVariable(QStringLiteral("PNTDATESET"), QStringLiteral("true"));
        r->setVariable(QStringLiteral("CURRCODE"), quoted(currency()));

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
    const bool thai = !DMConfig || DMConfig->ThaiLanguage;
    const bool pdf = format == ExportFormat::Pdf;
    const QString suffix = pdf ? QStringLiteral("pdf") : QStringLiteral("csv");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = DM ? DM->StartFolder : QDir::currentPath();

    QFileDialog dialog(this, thai ? QStringLiteral("บันทึก Cost Sheet") : QStringLiteral("Save Cost Sheet"), folder,
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
            report()->exportPdf(path);
        else
            report()->exportCsv(path);
    } catch (const NkError& e) {
        ReportError(e);
        return;
    }
    MessageService::information(thai ? QStringLiteral("บันทึกแฟ้ม %1 แล้ว").arg(QDir::toNativeSeparators(path))
                                     : QStringLiteral("Saved %1").arg(QDir::toNativeSeparators(path)));
}
