#pragma once
#include "report/ReportExport.h"
#include "report/ReportLayout.h"
#include "report/ReportPrepare.h"

#include <QFlags>
#include <QObject>
#include <QSqlDatabase>
#include <memory>

class QPrinter;
class ReportPreview;
class QWidget;

// The report object the forms use: load a layout file, set variables and data sets, prepare
// the pages, then preview, print or export them.
class TReport : public QObject {
    Q_OBJECT
public:
    enum PreviewButton {
        Zoom = 0x01,
        Load = 0x02,
        Save = 0x04,
        Print = 0x08,
        Find = 0x10,
        Help = 0x20,
        Exit = 0x40,
        PageSetup = 0x80,
        AllButtons = 0xff
    };
    Q_DECLARE_FLAGS(PreviewButtons, PreviewButton)

    explicit TReport(QObject* parent = nullptr);
    ~TReport() override;

    // Forgets the layout, variables, data sets handed over and prepared pages. The database,
    // user functions and preview buttons stay.
    void clear();
    // False when the file does not exist (the report stays empty). A file that exists but
    // cannot be read throws ReportError with its file, line and column.
    bool loadFromFile(const QString& path);
    void setLayout(const ReportLayout& layout, const QString& folder = {});
    const ReportLayout& layout() const { return m_layout; }
    bool hasLayout() const { return m_loaded; }
    QString fileName() const { return m_fileName; }

    // A variable set as an expression ("'IMP0001'", "true", "12.50"); throws ReportError when
    // the expression cannot be read.
    void setVariable(const QString& name, const QString& expression);
    void setDataSet(const QString& name, std::shared_ptr<ReportDataSet> dataSet);
    void setDatabase(const QSqlDatabase& db) { m_env.database = db; }
    void setUserFunctions(ReportUserFunction fn) { m_env.userFunction = std::move(fn); }

    // Fills the pages. False on failure, with the reason in lastError(); the prepared pages
    // are then empty.
    bool prepare();
    QString lastError() const { return m_lastError; }
    const PreparedReport& prepared() const { return m_prepared; }
    int pageCount() const { return int(m_prepared.pages.size()); }

    void setPreviewButtons(PreviewButtons buttons) { m_buttons = buttons; }
    PreviewButtons previewButtons() const { return m_buttons; }
    // A preview window over the prepared pages, not shown; the caller owns it.
    ReportPreview* createPreview(QWidget* parent = nullptr);
    // Shows the preview modally (through the message service, so tests never wait on it).
    void showPreview(QWidget* parent = nullptr);

    // Prints the prepared pages on the printer as it is set up, without a dialog. Throws NkError.
    void print(QPrinter* printer, const ReportPrintOptions& options = {});
    // The printer the report prints on and sets up pages with (the system default at first).
    QPrinter* printer();

    void exportPdf(const QString& path) const;
    void exportRtf(const QString& path) const;
    void exportCsv(const QString& path) const;
    void savePrepared(const QString& path) const;
    void loadPrepared(const QString& path);  // the preview shows these pages afterwards

    // Page setup: paper and margins for the next prepare().
    void setPageSetup(const QString& paper, bool landscape, const QMarginsF& margins);

signals:
    void preparedChanged();
    void printed();

private:
    ReportLayout m_layout;
    bool m_loaded = false;
    QString m_fileName;
    ReportEnvironment m_env;
    PreparedReport m_prepared;
    QString m_lastError;
    PreviewButtons m_buttons = AllButtons;
    std::unique_ptr<QPrinter> m_printer;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TReport::PreviewButtons)
