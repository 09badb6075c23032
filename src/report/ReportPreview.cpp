#include "report/ReportPreview.h"

#include "report/ReportRenderer.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

// Paints one page at the preview's zoom on a grey desk.
class ReportPageView : public QWidget {
public:
    explicit ReportPageView(QWidget* parent) : QWidget(parent) {}
    const ReportPage* page = nullptr;
    qreal zoom = 1.0;
    QString highlight;

    QSize pageSizePx() const
    {
        if (!page) return {400, 300};
        const qreal dpi = logicalDpiX();
        return QSize(qRound(page->size.width() / 25.4 * dpi * zoom), qRound(page->size.height() / 25.4 * dpi * zoom));
    }
    QSize sizeHint() const override { return pageSizePx() + QSize(40, 40); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(128, 128, 128));
        if (!page) return;
        const QSize s = pageSizePx();
        const QRect r(QPoint(std::max(20, (width() - s.width()) / 2), 20), s);
        p.fillRect(r.translated(3, 3), QColor(60, 60, 60));
        p.fillRect(r, Qt::white);
        ReportRenderer::render(&p, *page, r, highlight);
    }
};

ReportPreview::ReportPreview(TReport* report, TReport::PreviewButtons buttons, QWidget* parent)
    : QDialog(parent), m_report(report), m_buttons(buttons), m_runDialog([](QDialog* d) { return d->exec(); })
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(report->prepared().title.isEmpty() ? tr("Preview") : report->prepared().title);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    // Opens over the whole work area of the screen; restored, it keeps clear of its edges, so
    // the title bar stays on a 1366x768 screen too.
    if (QScreen* s = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QSize area = s->availableGeometry().size();
        resize(std::min(1000, area.width() * 9 / 10), std::min(760, area.height() * 85 / 100));
    }
    setWindowState(windowState() | Qt::WindowMaximized);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    m_toolbar = new QWidget(this);
    auto* bar = new QHBoxLayout(m_toolbar);
    bar->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_toolbar);

    auto* first = addButton(QStringLiteral("BtFirstPage"), QStringLiteral("|<"), tr("First page"));
    auto* prev = addButton(QStringLiteral("BtPrevPage"), QStringLiteral("<"), tr("Previous page"));
    m_pageLabel = new QLabel(m_toolbar);
    m_pageLabel->setObjectName(QStringLiteral("LbPage"));
    bar->addWidget(m_pageLabel);
    auto* next = addButton(QStringLiteral("BtNextPage"), QStringLiteral(">"), tr("Next page"));
    auto* last = addButton(QStringLiteral("BtLastPage"), QStringLiteral(">|"), tr("Last page"));
    connect(first, &QToolButton::clicked, this, [this] { setCurrentPage(0); });
    connect(prev, &QToolButton::clicked, this, [this] { setCurrentPage(m_page - 1); });
    connect(next, &QToolButton::clicked, this, [this] { setCurrentPage(m_page + 1); });
    connect(last, &QToolButton::clicked, this, [this] { setCurrentPage(m_report->pageCount() - 1); });

    if (buttons & TReport::Zoom) {
        // The box always shows the zoom in use ("87%" after "page width" or the + button); a
        // percentage can be typed too.
        m_zoomBox = new QComboBox(m_toolbar);
        m_zoomBox->setObjectName(QStringLiteral("CbZoom"));
        m_zoomBox->setEditable(true);
        m_zoomBox->setInsertPolicy(QComboBox::NoInsert);
        m_zoomBox->lineEdit()->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\s*\\d{1,3}\\s*%?\\s*")), m_zoomBox));
        for (int z : {50, 75, 100, 125, 150, 200}) m_zoomBox->addItem(QStringLiteral("%1%").arg(z), z / 100.0);
        m_zoomBox->addItem(tr("ความกว้างหน้า"), 0.0);  // page width
        m_zoomBox->setMinimumContentsLength(12);
        bar->addWidget(m_zoomBox);
        connect(m_zoomBox, &QComboBox::activated, this, [this](int i) {
            qreal z = m_zoomBox->itemData(i).toDouble();
            if (z <= 0)
                zoomToWidth();
            else
                setZoom(z);
        });
        connect(m_zoomBox->lineEdit(), &QLineEdit::returnPressed, this, [this] {
            QString t = m_zoomBox->currentText();
            t.remove(QLatin1Char('%'));
            bool ok = false;
            const int percent = t.trimmed().toInt(&ok);
            if (ok && percent > 0) setZoom(percent / 100.0);
            showZoom();
        });
        auto* zin = addButton(QStringLiteral("BtZoomIn"), QStringLiteral("+"), tr("ขยาย"));
        auto* zout = addButton(QStringLiteral("BtZoomOut"), QStringLiteral("-"), tr("ย่อ"));
        connect(zin, &QToolButton::clicked, this, [this] { setZoom(m_zoom * 1.25); });
        connect(zout, &QToolButton::clicked, this, [this] { setZoom(m_zoom / 1.25); });
    }
    if (buttons & TReport::Find) {
        m_findEdit = new QLineEdit(m_toolbar);
        m_findEdit->setObjectName(QStringLiteral("EdFind"));
        m_findEdit->setPlaceholderText(tr("ค้นหา"));
        m_findEdit->setMaximumWidth(180);
        bar->addWidget(m_findEdit);
        auto* find = addButton(QStringLiteral("BtFind"), tr("ค้นหา"), tr("ค้นหาข้อความ (Find)"));
        auto run = [this] {
            if (!findText(m_findEdit->text())) QApplication::beep();
        };
        connect(find, &QToolButton::clicked, this, run);
        connect(m_findEdit, &QLineEdit::returnPressed, this, run);
    }
    if (buttons & TReport::Load)
        connect(addButton(QStringLiteral("BtLoad"), tr("เปิด"), tr("เปิดรายงานที่บันทึกไว้ (Open)")),
                &QToolButton::clicked, this, &ReportPreview::loadPrepared);
    if (buttons & TReport::Save)
        connect(addButton(QStringLiteral("BtSave"), tr("บันทึก"), tr("บันทึกหรือส่งออก PDF/RTF/CSV (Save)")),
                &QToolButton::clicked, this, &ReportPreview::savePrepared);
    if (buttons & TReport::Print)
        connect(addButton(QStringLiteral("BtPrint"), tr("พิมพ์"), tr("พิมพ์ทางเครื่องพิมพ์ (Print)")),
                &QToolButton::clicked, this, &ReportPreview::printReport);
    if (buttons & TReport::PageSetup)
        connect(addButton(QStringLiteral("BtPageSetup"), tr("ตั้งค่าหน้ากระดาษ"), QStringLiteral("Page setup")),
                &QToolButton::clicked, this, &ReportPreview::pageSetup);
    if (buttons & TReport::Help)
        connect(addButton(QStringLiteral("BtHelp"), tr("วิธีใช้"), QStringLiteral("Help")), &QToolButton::clicked, this,
                &ReportPreview::showHelp);
    bar->addStretch(1);
    if (buttons & TReport::Exit)
        connect(addButton(QStringLiteral("BtExit"), tr("ออก"), tr("ปิดหน้าจอ (Exit)")), &QToolButton::clicked,
                this, &QDialog::accept);

    m_scroll = new QScrollArea(this);
    m_scroll->setWidgetResizable(false);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_view = new ReportPageView(m_scroll);
    m_view->setObjectName(QStringLiteral("PageView"));
    m_scroll->setWidget(m_view);
    layout->addWidget(m_scroll, 1);

    connect(report, &TReport::preparedChanged, this, [this] {
        m_page = std::clamp(m_page, 0, std::max(0, m_report->pageCount() - 1));
        refresh();
    });
    showZoom();
    refresh();
}

QToolButton* ReportPreview::addButton(const QString& objectName, const QString& text, const QString& tip)
{
    auto* b = new QToolButton(m_toolbar);
    b->setObjectName(objectName);
    b->setText(text);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    static_cast<QHBoxLayout*>(m_toolbar->layout())->addWidget(b);
    return b;
}

void ReportPreview::refresh()
{
    const int count = m_report->pageCount();
    m_view->page = count > 0 ? &m_report->prepared().pages[m_page] : nullptr;
    m_view->zoom = m_zoom;
    m_view->highlight = m_highlight;
    m_view->resize(m_view->sizeHint());
    m_view->update();
    m_pageLabel->setText(tr("หน้า %1 / %2").arg(count ? m_page + 1 : 0).arg(count));
}

void ReportPreview::setCurrentPage(int page)
{
    const int count = m_report->pageCount();
    if (count == 0) return;
    m_page = std::clamp(page, 0, count - 1);
    refresh();
}

void ReportPreview::setZoom(qreal zoom)
{
    m_zoom = std::clamp<qreal>(zoom, 0.1, 8.0);
    showZoom();
    refresh();
}

void ReportPreview::showZoom()
{
    if (m_zoomBox) m_zoomBox->setEditText(QStringLiteral("%1%").arg(qRound(m_zoom * 100)));
}

void ReportPreview::zoomToWidth()
{
    if (!m_report->pageCount()) return;
    const qreal pageWidthPx = m_report->prepared().pages[m_page].size.width() / 25.4 * m_view->logicalDpiX();
    setZoom((m_scroll->viewport()->width() - 40) / pageWidthPx);
}

bool ReportPreview::findText(const QString& text)
{
    m_highlight = text;
    if (text.isEmpty()) {
        refresh();
        return false;
    }
    const auto& pages = m_report->prepared().pages;
    int startPage = m_findPage < 0 ? m_page : m_findPage;
    int startItem = m_findPage < 0 ? 0 : m_findItem + 1;
    for (int n = 0; n <= pages.size(); ++n) {
        const int p = (startPage + n) % std::max<int>(1, int(pages.size()));
        if (p >= pages.size()) break;
        const auto& items = pages[p].items;
        for (int i = n == 0 ? startItem : 0; i < items.size(); ++i) {
            if (items[i].kind == PageItem::Kind::Text && items[i].text.contains(text, Qt::CaseInsensitive)) {
                m_findPage = p;
                m_findItem = i;
                setCurrentPage(p);
                return true;
            }
        }
    }
    m_findPage = -1;
    refresh();
    return false;
}

void ReportPreview::printReport()
{
    QPrinter* printer = m_report->printer();
    QPrintDialog dialog(printer, this);
    dialog.setMinMax(1, std::max(1, m_report->pageCount()));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    if (m_runDialog(&dialog) != QDialog::Accepted) return;
    ReportPrintOptions options;
    if (printer->printRange() == QPrinter::PageRange)
        options.pageList = QStringLiteral("%1-%2").arg(printer->fromPage()).arg(printer->toPage());
    else if (printer->printRange() == QPrinter::CurrentPage)
        options.pageList = QString::number(m_page + 1);
    options.copies = printer->copyCount();
    options.collate = printer->collateCopies();
    try {
        m_report->print(printer, options);
    } catch (const NkError& e) {
        QMessageBox box(QMessageBox::Warning, windowTitle(), e.message(), QMessageBox::Ok, this);
        m_runDialog(&box);
    }
}

void ReportPreview::pageSetup()
{
    QPrinter* printer = m_report->printer();
    const ReportLayout& l = m_report->layout();
    QPageLayout current(QPageSize(l.landscape ? l.pageSize().transposed() : l.pageSize(), QPageSize::Millimeter),
                        l.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, l.margins, QPageLayout::Millimeter);
    printer->setPageLayout(current);
    QPageSetupDialog dialog(printer, this);
    if (m_runDialog(&dialog) != QDialog::Accepted) return;
    const QPageLayout chosen = printer->pageLayout();
    const QSizeF size = chosen.pageSize().size(QPageSize::Millimeter);
    m_report->setPageSetup(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()),
                           chosen.orientation() == QPageLayout::Landscape, chosen.margins(QPageLayout::Millimeter));
    if (m_report->hasLayout()) m_report->prepare();
}

void ReportPreview::loadPrepared()
{
    QFileDialog dialog(this, tr("เปิดรายงาน"), QString(), QStringLiteral("Prepared report (*.nkp)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (m_runDialog(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    try {
        m_report->loadPrepared(dialog.selectedFiles().first());
        setCurrentPage(0);
    } catch (const NkError& e) {
        QMessageBox box(QMessageBox::Warning, windowTitle(), e.message(), QMessageBox::Ok, this);
        m_runDialog(&box);
    }
}

void ReportPreview::savePrepared()
{
    QFileDialog dialog(this, tr("บันทึกรายงาน"), QString(),
                       QStringLiteral("Prepared report (*.nkp);;PDF (*.pdf);;RTF (*.rtf);;CSV (*.csv);;PNG picture of this page (*.png)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (m_runDialog(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    QString path = dialog.selectedFiles().first();
    const QString filter = dialog.selectedNameFilter();
    const QString ext = filter.section(QLatin1String("*."), 1).section(QLatin1Char(')'), 0, 0);
    if (!path.contains(QLatin1Char('.'))) path += QLatin1Char('.') + ext;
    try {
        const QString suffix = QFileInfo(path).suffix().toLower();
        if (suffix == QLatin1String("pdf"))
            m_report->exportPdf(path);
        else if (suffix == QLatin1String("rtf"))
            m_report->exportRtf(path);
        else if (suffix == QLatin1String("csv"))
            m_report->exportCsv(path);
        else if (suffix == QLatin1String("png") && m_report->pageCount())
            ReportExport::toImage(m_report->prepared().pages[m_page], path);
        else
            m_report->savePrepared(path);
    } catch (const NkError& e) {
        QMessageBox box(QMessageBox::Warning, windowTitle(), e.message(), QMessageBox::Ok, this);
        m_runDialog(&box);
    }
}

void ReportPreview::showHelp()
{
    QMessageBox box(QMessageBox::Information, tr("วิธีใช้"),
                    tr("PgUp / PgDn: หน้าก่อน / หน้าถัดไป\nHome / End: หน้าแรก / หน้าสุดท้าย\n"
                                   "+ / -: ขยาย / ย่อ\nCtrl+F: ค้นหา\nEsc: ออก"),
                    QMessageBox::Ok, this);
    m_runDialog(&box);
}

void ReportPreview::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        setCurrentPage(m_page + 1);
        return;
    case Qt::Key_PageUp:
        setCurrentPage(m_page - 1);
        return;
    case Qt::Key_Home:
        setCurrentPage(0);
        return;
    case Qt::Key_End:
        setCurrentPage(m_report->pageCount() - 1);
        return;
    case Qt::Key_Plus:
        if (m_buttons & TReport::Zoom) setZoom(m_zoom * 1.25);
        return;
    case Qt::Key_Minus:
        if (m_buttons & TReport::Zoom) setZoom(m_zoom / 1.25);
        return;
    default:
        break;
    }
    if (event->matches(QKeySequence::Find) && m_findEdit) {
        m_findEdit->setFocus();
        return;
    }
    QDialog::keyPressEvent(event);
}
