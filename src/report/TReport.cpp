#include "report/TReport.h"

#include "report/ReportPreview.h"

#include <QFileInfo>
#include <QPrinter>

TReport::TReport(QObject* parent) : QObject(parent) {}

TReport::~TReport() = default;

void TReport::clear()
{
    m_layout = ReportLayout();
    m_loaded = false;
    m_fileName.clear();
    m_env.dataSets.clear();
    m_env.variables.clear();
    m_env.layoutFolder.clear();
    m_prepared = PreparedReport();
    m_lastError.clear();
    emit preparedChanged();
}

bool TReport::loadFromFile(const QString& pathIn)
{
    // Paths are built as folder + "\" + file name; on systems where "\" is no separator the
    // same file is found with "/".
    QString path = pathIn;
    if (!QFileInfo::exists(path) && path.contains(QLatin1Char('\\'))) path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QFileInfo info(path);
    if (!info.exists() || !info.isFile()) return false;
    m_layout = ReportLayout::load(path);
    m_layout.fileName = info.fileName();
    m_fileName = info.absoluteFilePath();
    m_env.layoutFolder = info.absolutePath();
    m_loaded = true;
    return true;
}

void TReport::setLayout(const ReportLayout& layout, const QString& folder)
{
    m_layout = layout;
    m_loaded = true;
    m_env.layoutFolder = folder;
}

void TReport::setVariable(const QString& name, const QString& expression)
{
    const QString where = QStringLiteral("variable %1").arg(name);
    m_env.variables.insert(name.toUpper(), ReportExpression::compile(expression, SourceMap::at(where, 1, 1)));
}

void TReport::setDataSet(const QString& name, std::shared_ptr<ReportDataSet> dataSet)
{
    m_env.dataSets.insert(name.toLower(), std::move(dataSet));
}

bool TReport::prepare()
{
    m_prepared = PreparedReport();
    m_lastError.clear();
    if (!m_loaded) {
        m_lastError = tr("No report layout is loaded");
        emit preparedChanged();
        return false;
    }
    try {
        m_prepared = prepareReport(m_layout, m_env);
    } catch (const NkError& e) {
        m_prepared = PreparedReport();
        m_lastError = e.message();
    }
    emit preparedChanged();
    return m_lastError.isEmpty();
}

ReportPreview* TReport::createPreview(QWidget* parent)
{
    return new ReportPreview(this, m_buttons, parent);
}

QPrinter* TReport::printer()
{
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}

void TReport::print(QPrinter* printer, const ReportPrintOptions& options)
{
    ReportExport::print(m_prepared, printer, options);
    emit printed();
}

void TReport::exportPdf(const QString& path) const { ReportExport::toPdf(m_prepared, path); }

void TReport::exportRtf(const QString& path) const { ReportExport::toRtf(m_prepared, path, 1.3, 1.0); }

void TReport::exportCsv(const QString& path) const { ReportExport::toCsv(m_prepared, path, 1.5, 1.0, QLatin1Char(',')); }

void TReport::savePrepared(const QString& path) const { m_prepared.save(path); }

void TReport::loadPrepared(const QString& path)
{
    m_prepared = PreparedReport::load(path);
    emit preparedChanged();
}

void TReport::setPageSetup(const QString& paper, bool landscape, const QMarginsF& margins)
{
    m_layout.paper = paper;
    m_layout.landscape = landscape;
    m_layout.margins = margins;
}
