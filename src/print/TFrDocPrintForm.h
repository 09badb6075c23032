#pragma once
#include <QDialog>
#include <QList>
#include <QString>
#include <functional>

class QLabel;
class QMenu;
class QPrinter;
class QPushButton;
class QTableWidget;
class TReport;

// The print dialog every saved document leaves its form through: it lists the layouts
// registered in SystemForm for the document's print code and shows or prints the chosen one.
// When the company posts GL vouchers automatically, closing it opens the GL voucher dialog.
//
// Callers use PrintDocument() below, or create the dialog, set DocNo, DocYear and PrintCode,
// call ShowModal() and delete it.
class TFrDocPrintForm : public QDialog {
    Q_OBJECT
public:
    explicit TFrDocPrintForm(QWidget* parent = nullptr);
    ~TFrDocPrintForm() override;

    // Inputs, set before ShowModal().
    QString DocNo;
    int DocYear = 0;
    QString PrintCode;

    // One row of SystemForm.
    struct Layout {
        int FormOrderNo = 0;
        QString FormCode, FormDesc, FrfName, SpName, DocCode, DocParaName, ShowPrintPreview;
    };
    const QList<Layout>& Layouts() const { return m_layouts; }
    int LayoutCount() const { return m_layoutCount; }
    int CurrentLayout() const;
    void setCurrentLayout(int row);
    // Set when the Print button (or Enter) was used; the dialog itself does not read it.
    bool Printed() const { return m_printed; }

    // Opens the dialog (FormShow), runs it modally through the message service when it found
    // layouts, then closes it (FormClose). Returns the dialog's result.
    int ShowModal();

    // Opening: captions in the user's language, the layouts of the print code. False when
    // there is none (the dialog then closes at once).
    virtual bool FormShow();
    // Closing: opens the GL voucher dialog when the company's AutoGenGL is "Y".
    virtual void FormClose();

    // Show (false) or print (true) the current layout. True when the report was shown or
    // printed; false after a missing file or a failure (already reported).
    virtual bool ShowOrPrint(bool printMode);

    // The report object the dialog fills (kept for the dialog's life).
    TReport* Report() const { return frReport; }

    // ---- printer ---------------------------------------------------------------------------
    // The printer documents go to: the process-wide current printer, which "Set Printer"
    // sets up. Tests replace it with a PDF printer so nothing reaches a real device.
    static QPrinter* CurrentPrinter();
    static void setPrinterProvider(std::function<QPrinter*()> provider);

    // Controls (named as the module's documents name them).
    QTableWidget* SystemFormList = nullptr;
    QLabel* LbGLVoucher = nullptr;
    QPushButton* BDisplay = nullptr;
    QPushButton* BPrint = nullptr;
    QPushButton* BSetPrinter = nullptr;
    QPushButton* BExit = nullptr;
    QMenu* PopupMenu = nullptr;

public slots:
    void BDisplayClick();
    void BPrintClick();
    void BSetPrinterClick();
    void BExitClick();
    void ShowFrfName();  // F11 and the pop-up item

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // Steps 1 and 2 of opening: position and captions.
    void PrepareWindow();
    // Sets the report variables of the dialog on the loaded report.
    virtual void SetReportVariables();
    // Prepares the loaded report and shows or prints it, logging the action (a print once the
    // printer took the document). Throws NkError, also when printing fails (nothing logged);
    // false when preparing failed (reported, nothing logged or printed).
    bool RunReport(bool printMode);
    // Printing to a PDF file without one set up: the file the user names in a save dialog
    // that proposes a safe name made of the layout's title and the document number ("" when
    // cancelled).
    static QString AskPdfFile(QWidget* parent, const QString& title, const QString& docNo);
    static QString ProposedPdfName(const QString& title, const QString& docNo);
    // A report path built as folder + "\" + name, as it exists on this system, else the
    // installed default layout of that name ("" when neither exists).
    static QString ExistingReportPath(const QString& folder, const QString& name);
    // A text as a report expression in single quotes; quotes inside are doubled so a number
    // typed with a quote cannot change the expression.
    static QString QuotedExpression(const QString& text);

    TReport* frReport = nullptr;
    QList<Layout> m_layouts;
    int m_layoutCount = 0;
    bool m_printed = false;
};

// Opens the print dialog for a saved document and, after it, the GL voucher dialog when the
// company's AutoGenGL is "Y" (also when the print code has no layouts).
void PrintDocument(QWidget* parent, const QString& docNo, int docYear, const QString& printCode);
