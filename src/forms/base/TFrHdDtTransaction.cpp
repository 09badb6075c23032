#include "forms/base/TFrHdDtTransaction.h"
#include "data/CachedDataSet.h"
#include "forms/base/TFaGetDocNo.h"
#include "search/TFaGetDate.h"
#include "widgets/TDataGrid.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TFrHdDtTransaction::TFrHdDtTransaction(QWidget* parent)
    : TFrDocument(parent, Toolbar::Short)
{
    AcPrint->setToolTip(QStringLiteral("Print Document Form"));
    AcPrint->setStatusTip(QStringLiteral("Print Document Form"));
    AcPrint->setEnabled(false);
    AcPrint->setVisible(false);
    BPrint->hide();

    QHdId = new CachedDataSet(this, QStringLiteral("QHdId"));

    auto* hl = new QVBoxLayout(PnHeader);
    hl->setContentsMargins(0, 0, 0, 0);
    auto* firstRow = new QHBoxLayout;
    firstRow->addWidget(FaGetDocNo);
    firstRow->addSpacing(16);
    firstRow->addWidget(FaGetDate1);
    firstRow->addStretch(1);
    hl->addLayout(firstRow);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = new QWidget(PageControl1);
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    auto* tl = new QVBoxLayout(TabSheet1);
    tl->setContentsMargins(2, 2, 2, 2);
    DgDt = new TDataGrid(TabSheet1);
    DgDt->setObjectName(QStringLiteral("DgDt"));
    tl->addWidget(DgDt);
    PageControl1->addTab(TabSheet1, QStringLiteral("รายละเอียดเอกสาร"));
    body()->addWidget(PageControl1, 1);

    PnFooter = new QWidget(this);
    PnFooter->setObjectName(QStringLiteral("PnFooter"));
    auto* fl = new QHBoxLayout(PnFooter);
    fl->setContentsMargins(0, 0, 0, 0);
    GbDiscount = new QGroupBox(PnFooter);
    GbDiscount->setObjectName(QStringLiteral("GbDiscount"));
    GbDetail = new QGroupBox(PnFooter);
    GbDetail->setObjectName(QStringLiteral("GbDetail"));
    GbTotal = new QGroupBox(PnFooter);
    GbTotal->setObjectName(QStringLiteral("GbTotal"));
    BtDeleteLine = new QPushButton(QStringLiteral("ลบรายการ"), GbDetail);
    BtDeleteLine->setObjectName(QStringLiteral("BtDeleteLine"));
    BtDeleteLine->setFocusPolicy(Qt::NoFocus);
    auto* dl = new QVBoxLayout(GbDetail);
    dl->addWidget(BtDeleteLine);
    fl->addWidget(GbDiscount, 3);
    fl->addWidget(GbDetail, 1);
    fl->addWidget(GbTotal, 2);
    body()->addWidget(PnFooter);

    connect(DgDt, &TDataGrid::gridEntered, this, [this] { DgDtEnter(); });
    connect(DgDt, &TDataGrid::gridLeft, this, [this] { DgDtExit(); });
    connect(BtDeleteLine, &QPushButton::clicked, DgDt, &TDataGrid::deleteCurrentRow);
}

void TFrHdDtTransaction::AcNewExecute()
{
    PageControl1->setCurrentIndex(0);
    PageControl1->setTabText(0, T("รายละเอียดเอกสาร", "Description"));
    TFrDocument::AcNewExecute();
}

void TFrHdDtTransaction::DgDtEnter()
{
    // Enter and Escape act on the grid's cells while it has the focus.
    KeyPreview = false;
}

void TFrHdDtTransaction::DgDtExit()
{
    // Moving straight into another grid of the form keeps key preview off.
    KeyPreview = !focusInGrid();
}

void TFrHdDtTransaction::resizeEvent(QResizeEvent* e)
{
    TFrFrame::resizeEvent(e);
    FormResize();
}

void TFrHdDtTransaction::FormResize()
{
    BtDeleteLine->setFixedWidth(qMax(40, GbDetail->width() - 8));
}
