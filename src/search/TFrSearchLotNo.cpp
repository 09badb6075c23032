#include "search/TFrSearchLotNo.h"

#include "data/DbUtil.h"
#include "data/TDM.h"
#include "search/SearchQuery.h"
#include "search/UpperCaseValidator.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

TFrSearchLotNo::TFrSearchLotNo(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrSearchLotNo"));
    setWindowTitle(tr("ค้นหา Lot No."));
    resize(560, 320);
    QLot = new SearchQuery(this);
    QLot->addColumn(QStringLiteral("Code"), QStringLiteral("Lot No."), 110);
    QLot->addColumn(QStringLiteral("Description"), tr("รายละเอียด"), 260);
    QLot->addColumn(QStringLiteral("ExpiredDate"), tr("วันหมดอายุ"), 90);
    QLot->addColumn(QStringLiteral("HasExpired"), tr("มีวันหมดอายุ"), 70);

    EdCode = new QLineEdit(this);
    EdCode->setObjectName(QStringLiteral("EdCode"));
    EdCode->setValidator(new UpperCaseValidator(EdCode));
    EdDesc = new QLineEdit(this);
    EdDesc->setObjectName(QStringLiteral("EdDesc"));
    CbCondition = new QComboBox(this);
    CbCondition->addItems({QStringLiteral("-"), QStringLiteral("<="), QStringLiteral("="), QStringLiteral(">=")});
    EdDate = new QDateEdit(QDate::currentDate(), this);
    EdDate->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    EdDate->setCalendarPopup(true);
    BtOk = new QPushButton(tr("เลือก"), this);
    BtCancel = new QPushButton(tr("ไม่เลือก"), this);
    for (QPushButton* b : {BtOk, BtCancel})
        b->setAutoDefault(false);
    DgLot = new QTableView(this);
    DgLot->setObjectName(QStringLiteral("DgLot"));
    DgLot->setModel(QLot);
    DgLot->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DgLot->setSelectionBehavior(QAbstractItemView::SelectRows);
    DgLot->setSelectionMode(QAbstractItemView::SingleSelection);
    DgLot->verticalHeader()->hide();
    DgLot->horizontalHeader()->setSectionsClickable(true);

    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("Lot No."), this), 0, 0);
    top->addWidget(EdCode, 0, 1);
    top->addWidget(new QLabel(tr("รายละเอียด"), this), 0, 2);
    top->addWidget(EdDesc, 0, 3);
    top->addWidget(new QLabel(tr("วันหมดอายุ"), this), 1, 0);
    top->addWidget(CbCondition, 1, 1);
    top->addWidget(EdDate, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtOk);
    buttons->addWidget(BtCancel);
    top->addLayout(buttons, 1, 3);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(DgLot, 1);

    connect(CbCondition, &QComboBox::currentTextChanged, this,
            [this](const QString& c) { EdDate->setEnabled(c != QLatin1String("-")); });
    connect(BtOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(DgLot, &QTableView::doubleClicked, this, &QDialog::accept);
    connect(DgLot->horizontalHeader(), &QHeaderView::sectionClicked, this, &TFrSearchLotNo::TitleClick);
    for (QWidget* w : {static_cast<QWidget*>(EdCode), static_cast<QWidget*>(EdDesc),
                       static_cast<QWidget*>(CbCondition), static_cast<QWidget*>(EdDate),
                       static_cast<QWidget*>(DgLot)})
        w->installEventFilter(this);
}

void TFrSearchLotNo::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFrSearchLotNo::FormShow()
{
    CbCondition->setCurrentIndex(0);
    EdDate->setEnabled(false);
    EdCode->clear();
    EdDesc->clear();
    m_orderLine = QStringLiteral("ORDER BY Code");
    QLot->Close();
    EdCode->setFocus();
}

void TFrSearchLotNo::setCondition(const QString& condition)
{
    CbCondition->setCurrentText(condition);
}

void TFrSearchLotNo::Search()
{
    const QString condition = CbCondition->currentText();
    QLot->SQL = {QStringLiteral("SELECT Id,Code, Description, ExpiredDate, HasExpired"),
                 QStringLiteral("FROM LotNo"),
                 QStringLiteral("WHERE (Code Like :GetCode) And "),
                 QString(),
                 QStringLiteral("(Description Like :GetDesc)"),
                 m_orderLine};
    // The condition comes from the fixed list; the date is a parameter in the stored form.
    if (condition == QLatin1String("<=") || condition == QLatin1String("=") || condition == QLatin1String(">=")) {
        QLot->SQL[3] = QStringLiteral("((ExpiredDate ") + condition + QStringLiteral(" :GetDate) Or (HasExpired = 'N')) And ");
        QLot->setParam(QStringLiteral("GetDate"), Db::dateToText(EdDate->date()));
    }
    QLot->setParam(QStringLiteral("GetCode"), EdCode->text() + QStringLiteral("%"));
    QLot->setParam(QStringLiteral("GetDesc"), EdDesc->text() + QStringLiteral("%"));
    QLot->Close();
    QLot->Open(DM->DMdata());
    for (int i = 0; i < QLot->columns().size(); ++i)
        DgLot->setColumnWidth(i, QLot->columns()[i].width);
    if (!QLot->IsEmpty()) {
        DgLot->setFocus();
        DgLot->selectRow(0);
    }
}

void TFrSearchLotNo::TitleClick(int column)
{
    const QString field = QLot->columnField(column).toUpper();
    if (field == QLatin1String("CODE"))
        m_orderLine = QStringLiteral("ORDER BY Code");
    else if (field == QLatin1String("DESCRIPTION"))
        m_orderLine = QStringLiteral("ORDER BY Description");
    else if (field == QLatin1String("EXPIREDDATE"))
        m_orderLine = QStringLiteral("ORDER BY ExpiredDate");
}

void TFrSearchLotNo::done(int r)
{
    const QModelIndex i = DgLot->currentIndex();
    if (r == QDialog::Accepted && QLot->Active() && !QLot->IsEmpty()) {
        const int row = i.isValid() ? i.row() : 0;
        ResultCode = QLot->value(row, QStringLiteral("Code")).toString();
        ResultId = QLot->value(row, QStringLiteral("Id"));
    } else {
        ResultCode.clear();
        ResultId = QVariant();
        r = QDialog::Rejected;
    }
    QDialog::done(r);
}

bool TFrSearchLotNo::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) {
            if (obj == DgLot)
                accept();
            else
                Search();
            return true;
        }
        if (ke->key() == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(obj, e);
}
