#include "forms/purchase/TFaPurchaseLines.h"

#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "forms/purchase/TFaPurchaseTotals.h"
#include "widgets/DbEdits.h"
#include "widgets/TDataGrid.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

TFaPurchaseLines::TFaPurchaseLines(QWidget* form, TFaPurchaseTotals* totals)
    : QObject(form)
{
    PageControl = new QTabWidget(form);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->tabBar()->setFocusPolicy(Qt::NoFocus);
    auto* page = new QWidget(PageControl);
    auto* pl = new QVBoxLayout(page);
    pl->setContentsMargins(2, 2, 2, 2);
    DgDt = new TDataGrid(page);
    DgDt->setObjectName(QStringLiteral("DgDt"));
    DgDt->setContextMenuPolicy(Qt::CustomContextMenu);
    pl->addWidget(DgDt);
    PageControl->addTab(page, QString());

    GbDetail = new QGroupBox(form);
    GbDetail->setObjectName(QStringLiteral("GbDetail"));
    auto* dl = new QVBoxLayout(GbDetail);
    dl->setContentsMargins(4, 4, 4, 4);
    BtDeleteLine = new QPushButton(GbDetail);
    BtDeleteLine->setObjectName(QStringLiteral("BtDeleteLine"));
    BtDeleteLine->setFocusPolicy(Qt::NoFocus);
    BtDisc = new QPushButton(GbDetail);
    BtDisc->setObjectName(QStringLiteral("BtDisc"));
    BtDisc->setFocusPolicy(Qt::NoFocus);
    totals->TaxAdjusted->setParent(GbDetail);
    dl->addWidget(BtDeleteLine);
    dl->addWidget(BtDisc);
    dl->addWidget(totals->TaxAdjusted);
    dl->addStretch(1);

    PopLastPrice = new QMenu(form);
    PopDetail = new QMenu(form);

    connect(BtDisc, &QPushButton::pressed, this, [this] { showDiscountAmt(true); });
    connect(BtDisc, &QPushButton::released, this, [this] { showDiscountAmt(false); });
    connect(DgDt, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QString f = DgDt->currentFieldName();
        QMenu* m = f == QLatin1String("Price") ? PopLastPrice
                   : (f == QLatin1String("ProductName") || f == QLatin1String("PurchaseName")) ? PopDetail
                                                                                               : nullptr;
        if (m && !m->isEmpty())
            m->popup(DgDt->viewport()->mapToGlobal(at));
    });
    DgDt->installEventFilter(this);
    // A line the totals cannot be computed for keeps the cursor in its cell; a deposit that
    // is too large sends it to the deposit amount.
    connect(totals, &TFaPurchaseTotals::refused, this, [this, totals](int row, const QString& field, const QString& message) {
        if (row >= 0) {
            DgDt->refuseCell(row, field, message);
            return;
        }
        MessageService::information(message);
        if (totals->PrepaidAmount && field == QLatin1String("PrepaidAmount"))
            totals->PrepaidAmount->setFocus();
    });
}

GridColumn TFaPurchaseLines::column(const char* field, int width, bool readOnly, bool button, const QString& title)
{
    GridColumn c;
    c.field = QLatin1String(field);
    c.widthChars = width;
    c.readOnly = readOnly;
    c.hasButton = button && !readOnly;
    c.upperCase = button;
    c.title = title;
    return c;
}

QVector<GridColumn> TFaPurchaseLines::amountColumns(int width, bool totalReadOnly, const QString& totalTitle)
{
    QVector<GridColumn> cols;
    for (const auto& [f, title, ro] : {std::tuple{"Price", tr("ราคา"), false}, {"Discount", tr("ส่วนลด"), false},
                                       {"DiscountAmt", tr("ลด(บาท)"), true}, {"Total", totalTitle, totalReadOnly}}) {
        GridColumn c = column(f, width, ro, false, title);
        if (QLatin1String(f) != QLatin1String("Discount")) {
            c.displayFormat = QStringLiteral("#,##0.00");
            c.editFormat = QStringLiteral("###0.00");
            c.alignment = Qt::AlignRight | Qt::AlignVCenter;
        }
        cols << c;
    }
    return cols;
}

void TFaPurchaseLines::setColumns(CachedDataSet* lines, const QVector<GridColumn>& cols)
{
    DgDt->setDataSet(lines, cols);
    showDiscountAmt(false);
}

void TFaPurchaseLines::showDiscountAmt(bool show)
{
    if (DgDt->gridModel())
        DgDt->setColumnHidden(DgDt->gridModel()->columnOf(QStringLiteral("DiscountAmt")), !show);
}

void TFaPurchaseLines::placeFooter(QBoxLayout* body, TFaPurchaseTotals* totals)
{
    body->addWidget(PageControl, 1);
    auto* footer = new QHBoxLayout;
    footer->addWidget(totals->GbDiscount, 5);
    footer->addWidget(GbDetail, 2);
    footer->addWidget(totals->GbTotal, 3);
    body->addLayout(footer);
}

void TFaPurchaseLines::fitWidths(TFaPurchaseTotals* totals)
{
    BtDeleteLine->setFixedWidth(qMax(40, GbDetail->width() - 8));
    BtDisc->setFixedWidth(qMax(40, GbDetail->width() - 8));
    totals->TaxAdjusted->setFixedWidth(qMax(40, GbDetail->width() - 16));
}

void TFaPurchaseLines::widenLastPanel(QStatusBar* bar, QLabel* panel)
{
    bar->removeWidget(panel);
    panel->setMinimumWidth(50);
    panel->setMaximumWidth(QWIDGETSIZE_MAX);
    bar->addWidget(panel, 1);
    panel->show();
}

bool TFaPurchaseLines::eventFilter(QObject* obj, QEvent* e)
{
    if (obj == DgDt && (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease)) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_F11 && !ke->isAutoRepeat()) {
            showDiscountAmt(e->type() == QEvent::KeyPress);
            return true;
        }
        if (e->type() == QEvent::KeyPress && ke->key() == Qt::Key_F7 && PriceHistory
            && DgDt->currentFieldName() == QLatin1String("Price")) {
            PriceHistory();
            return true;
        }
    }
    return QObject::eventFilter(obj, e);
}
