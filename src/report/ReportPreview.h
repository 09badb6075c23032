#pragma once
#include "report/TReport.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QToolButton;
class ReportPageView;

// The preview window: pages at a chosen zoom, page navigation, and the buttons the caller
// allowed (zoom, load, save, print, find, help, exit, page setup). Buttons not allowed are
// not created at all. Modal dialogs it opens go through the dialog runner.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    ReportPreview(TReport* report, TReport::PreviewButtons buttons, QWidget* parent = nullptr);

    void setDialogRunner(std::function<int(QDialog*)> runner) { m_runDialog = std::move(runner); }
    TReport::PreviewButtons buttons() const { return m_buttons; }

    int currentPage() const { return m_page; }  // 0-based
    void setCurrentPage(int page);
    qreal zoom() const { return m_zoom; }
    void setZoom(qreal zoom);  // 1.0 = paper size at screen resolution
    void zoomToWidth();
    // Finds text from the page after the current match on; true when found (the page shows it).
    bool findText(const QString& text);
    QString findHighlight() const { return m_highlight; }

public slots:
    void printReport();
    void pageSetup();
    void loadPrepared();
    void savePrepared();
    void showHelp();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QToolButton* addButton(const QString& objectName, const QString& text, const QString& tip);
    void refresh();
    void showZoom();

    TReport* m_report;
    TReport::PreviewButtons m_buttons;
    std::function<int(QDialog*)> m_runDialog;
    ReportPageView* m_view = nullptr;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_pageLabel = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QWidget* m_toolbar = nullptr;
    int m_page = 0;
    qreal m_zoom = 1.0;
    QString m_highlight;
    int m_findPage = -1;
    int m_findItem = -1;
};
