#include "forms/purchase/TFaPoEstimate.h"
#include "data/Translation.h"

#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/CachedDataSetModel.h"
#include "data/DbUtil.h"
#include "data/NumberFormat.h"
#include "data/TDM.h"
#include "forms/import/LandedCostQuery.h"
#include "forms/purchase/TFrPoTran.h"
#include "widgets/TDataGrid.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QCoreApplication>

namespace {
const QString AmountFormat = QStringLiteral("#,##0.00");
const QString UnitCostFormat = QStringLiteral("#,##0.0000");
const QString ShareFormat = QStringLiteral("#,##0.00##");
const QString RateFormat = QStringLiteral("#,##0.0000000");
QString dateText(const QDate& d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}
} // namespace

QString TFaPoEstimate::text(Text t, bool thai)
{
    // Every text of the page; the English is in the translation file.
    auto pick = [thai](const char* text) { return Translation::inLanguage(thai, "TFaPoEstimate", text); };
    switch (t) {
    case Text::Page: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ต้นทุนประมาณการ (&2)"));
    case Text::Rate: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "อัตราแลกเปลี่ยนที่คาดไว้"));
    case Text::Expense: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ค่าใช้จ่ายที่คาดไว้ (% ของมูลค่าสินค้า)"));
    case Text::Defaults: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ใช้ค่าตั้งต้นล่าสุด (F4)"));
    case Text::RateFrom: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "จากใบนำเข้า %1 วันที่ %2"));
    case Text::RateTyped: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ป้อนเอง"));
    case Text::RateNone:
        return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ยังไม่เคยนำเข้าในสกุลเงิน %1 กรุณาป้อนอัตราที่คาดไว้"));
    case Text::ExpenseVendor: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "เฉลี่ยจากล็อตล่าสุดของผู้ขายนี้: %1"));
    case Text::ExpenseAll: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "เฉลี่ยจากล็อตล่าสุดของทุกผู้ขาย: %1"));
    case Text::ExpenseVendorNone:
        return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ผู้ขายนี้ยังไม่มีล็อตที่คิดต้นทุนแล้ว "));
    case Text::ExpenseTyped: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ป้อนเอง"));
    case Text::ExpenseNone: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ยังไม่มีล็อตที่คิดต้นทุนแล้ว ไม่รวมค่าใช้จ่าย"));
    case Text::DutyLot: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ล็อต %1"));
    case Text::DutyTyped: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ป้อนเอง"));
    case Text::DutyNone: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ไม่เคยนำเข้า ไม่รวมอากร"));
    case Text::Total: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ต้นทุนรวมโดยประมาณของใบสั่งซื้อ %1 บาท"));
    case Text::TotalNone: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ยังประมาณการไม่ได้ ไม่มีอัตราแลกเปลี่ยน"));
    case Text::EstimatedOn: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ประมาณการเมื่อ %1"));
    case Text::NotStored:
        return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ใบสั่งซื้อนี้บันทึกไว้โดยยังไม่มีประมาณการ ค่าที่แสดงเป็นค่าตั้งต้น ณ วันนี้ จะจัดเก็บเมื่อบันทึกใบสั่งซื้อ"));
    case Text::NoTables:
        return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ฐานข้อมูลนี้ยังไม่มีตารางต้นทุนประมาณการ (ใช้คำสั่ง namkhao-db upgrade)"));
    case Text::ReplaceQuestion: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "ใช้ค่าตั้งต้นล่าสุดแทนค่าที่ใช้อยู่ ?"));
    case Text::BadNumber: return pick(QT_TRANSLATE_NOOP("TFaPoEstimate", "\"%1\" ไม่ใช่ตัวเลข"));
    }
    return {};
}

bool TFaPoEstimate::thai()
{
    return !DMConfig || DMConfig->ThaiLanguage;
}

TFaPoEstimate::TFaPoEstimate(TFrPoTran* form)
    : QWidget(form->PageControl), m_form(form)
{
    setObjectName(QStringLiteral("FaPoEstimate"));
    auto* numbers = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^[0-9,]*\\.?[0-9]*$")), this);
    auto edit = [&](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setAlignment(Qt::AlignRight);
        e->setValidator(numbers);
        e->setMaximumWidth(140);
        return e;
    };
    LbRate = new QLabel(this);
    EdRate = edit("EdRate");
    LbRateFrom = new QLabel(this);
    LbRateFrom->setObjectName(QStringLiteral("LbRateFrom"));
    LbExpense = new QLabel(this);
    EdExpense = edit("EdExpense");
    LbExpenseFrom = new QLabel(this);
    LbExpenseFrom->setObjectName(QStringLiteral("LbExpenseFrom"));
    BtDefaults = new QPushButton(this);
    BtDefaults->setObjectName(QStringLiteral("BtDefaults"));
    BtDefaults->setFocusPolicy(Qt::NoFocus);

    QEst = new CachedDataSet(this, QStringLiteral("QEst"));
    QEst->defineFields({QStringLiteral("ProductCode"), QStringLiteral("ProductName"),
                        QStringLiteral("Quantity"), QStringLiteral("UnitName"), QStringLiteral("Amount"),
                        QStringLiteral("GoodsBaht"), QStringLiteral("DutyShare"), QStringLiteral("DutyFrom"),
                        QStringLiteral("Duty"), QStringLiteral("Expense"), QStringLiteral("LandedCost"),
                        QStringLiteral("UnitCost")});
    QEst->Open();
    DgEst = new TDataGrid(this);
    DgEst->setObjectName(QStringLiteral("DgEst"));
    DgEst->allowAppend = false;
    DgEst->allowDelete = false;
    LbTotal = new QLabel(this);
    LbTotal->setObjectName(QStringLiteral("LbTotal"));
    QFont bold = LbTotal->font();
    bold.setBold(true);
    LbTotal->setFont(bold);
    LbNote = new QLabel(this);
    LbNote->setObjectName(QStringLiteral("LbNote"));
    LbNote->setWordWrap(true);

    auto* top = new QGridLayout;
    top->setHorizontalSpacing(8);
    top->addWidget(LbRate, 0, 0);
    top->addWidget(EdRate, 0, 1);
    top->addWidget(LbRateFrom, 0, 2);
    top->addWidget(LbExpense, 1, 0);
    top->addWidget(EdExpense, 1, 1);
    top->addWidget(LbExpenseFrom, 1, 2);
    top->addWidget(BtDefaults, 0, 3);
    top->setColumnStretch(2, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(LbNote, 1);
    bottom->addWidget(LbTotal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(top);
    layout->addWidget(DgEst, 1);
    layout->addLayout(bottom);
    setTabOrder(EdRate, EdExpense);
    setTabOrder(EdExpense, DgEst);

    form->PageControl->addTab(this, QString());
    applyLanguage(thai());
    followLines();

    connect(EdRate, &QLineEdit::editingFinished, this, [this] { rateTyped(); });
    connect(EdExpense, &QLineEdit::editingFinished, this, [this] { expenseTyped(); });
    connect(BtDefaults, &QPushButton::clicked, this, [this] { defaultsAgain(); });
    QEst->OnFieldChange = [this](CachedDataSet& ds, const QString& field) {
        if (!m_filling && field.compare(QLatin1String("DutyShare"), Qt::CaseInsensitive) == 0)
            dutyTyped(ds.RecNo());
    };
    // Alt+2 opens the page (its caption's key), Alt+1 returns to the lines; the page is
    // brought up to date whenever it is shown.
    auto* back = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_1), form);
    connect(back, &QShortcut::activated, this, [this] { m_form->PageControl->setCurrentIndex(0); });
    auto* again = new QShortcut(QKeySequence(Qt::Key_F4), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(again, &QShortcut::activated, this, [this] { defaultsAgain(); });
    connect(form->PageControl, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_form->PageControl->widget(index) == this) {
            refresh();
            EdRate->setFocus();
        } else if (index == 0) {
            m_form->DgDt->setFocus();
        }
    });
}

void TFaPoEstimate::applyLanguage(bool th)
{
    if (const int i = m_form->PageControl->indexOf(this); i >= 0)
        m_form->PageControl->setTabText(i, text(Text::Page, th));
    LbRate->setText(text(Text::Rate, th));
    LbExpense->setText(text(Text::Expense, th));
    BtDefaults->setText(text(Text::Defaults, th));
    // Columns: the amount in the order's currency, everything else in baht.
    auto col = [th](const char* field, int width, const char* title, const QString& format = {}) {
        GridColumn c;
        c.field = QLatin1String(field);
        c.widthChars = width;
        c.title = Translation::inLanguage(th, "TFaPoEstimate", title);
        c.readOnly = true;
        c.displayFormat = format;
        if (!format.isEmpty())
            c.alignment = Qt::AlignRight | Qt::AlignVCenter;
        return c;
    };
    QVector<GridColumn> cols{col("ProductCode", 8, QT_TRANSLATE_NOOP("TFaPoEstimate", "รหัสสินค้า")),
                             col("ProductName", 12, QT_TRANSLATE_NOOP("TFaPoEstimate", "ชื่อสินค้า")),
                             col("Quantity", 5, QT_TRANSLATE_NOOP("TFaPoEstimate", "จำนวน"), QStringLiteral("#,##0.###")),
                             col("UnitName", 5, QT_TRANSLATE_NOOP("TFaPoEstimate", "หน่วย")),
                             col("Amount", 10, QT_TRANSLATE_NOOP("TFaPoEstimate", "รวมเงิน"), AmountFormat),
                             col("GoodsBaht", 10, QT_TRANSLATE_NOOP("TFaPoEstimate", "มูลค่า(บาท)"), AmountFormat),
                             col("DutyShare", 6, QT_TRANSLATE_NOOP("TFaPoEstimate", "อากร %"), ShareFormat),
                             col("DutyFrom", 18, QT_TRANSLATE_NOOP("TFaPoEstimate", "ที่มาของอากร")),
                             col("Duty", 9, QT_TRANSLATE_NOOP("TFaPoEstimate", "อากร(บาท)"), AmountFormat),
                             col("Expense", 8, QT_TRANSLATE_NOOP("TFaPoEstimate", "ค่าใช้จ่าย"), AmountFormat),
                             col("LandedCost", 9, QT_TRANSLATE_NOOP("TFaPoEstimate", "ต้นทุนรวม"), AmountFormat),
                             col("UnitCost", 9, QT_TRANSLATE_NOOP("TFaPoEstimate", "ต้นทุน/หน่วย"), UnitCostFormat)};
    cols[6].readOnly = false;
    cols[6].editFormat = QStringLiteral("0.####");
    DgEst->setDataSet(QEst, cols);
}

// ---- following the order's lines -------------------------------------------------------------

void TFaPoEstimate::followLines()
{
    CachedDataSet* dt = m_form->QDt;
    connect(dt, &CachedDataSet::rowInserted, this,
            [this](int row) { m_rows.insert(qBound(0, row, int(m_rows.size())), LandedCostEstimate::Line()); });
    connect(dt, &CachedDataSet::rowRemoved, this, [this](int row) {
        if (row >= 0 && row < m_rows.size())
            m_rows.removeAt(row);
    });
    // Rows read from the database take their stored values by their Id.
    connect(dt, &CachedDataSet::reset, this, [this, dt] {
        m_rows.clear();
        for (int r = 0; r < dt->RecordCount(); ++r)
            m_rows.push_back(m_storedLines.value(dt->value(r, QStringLiteral("ID")).toLongLong()));
    });
}

void TFaPoEstimate::syncLines()
{
    CachedDataSet* dt = m_form->QDt;
    m_rows.resize(dt->RecordCount());
    m_est.lines.clear();
    m_gridRows.clear();
    for (int r = 0; r < dt->RecordCount(); ++r) {
        LandedCostEstimate::Line& l = m_rows[r];
        auto v = [&](const char* f) { return dt->value(r, QLatin1String(f)); };
        const int product = v("Product").toInt();
        if (l.Product != product) {
            // Another product in the line: its own duty share.
            const qint64 orderLine = l.OrderLine;
            l = LandedCostEstimate::Line();
            l.OrderLine = orderLine;
            l.Product = product;
        }
        l.Code = v("ProductCode").toString().trimmed();
        l.Name = v("ProductName").toString().trimmed();
        l.Unit = v("UnitName").toString().trimmed();
        l.Quantity = v("Quantity").toDouble();
        l.Fraction = v("Fraction").isNull() ? 1.0 : v("Fraction").toDouble();
        l.Amount = v("Total").toDouble();
        if (product > 0) {
            m_est.lines.push_back(l);
            m_gridRows.push_back(r);
        }
    }
}

void TFaPoEstimate::takeDefaults(bool again)
{
    syncLines();
    LandedCostEstimate::Header& h = m_est.header;
    CachedDataSet* hd = m_form->QHd;
    const bool row = hd->Active() && hd->RecNo() >= 0;
    const int currency = row ? hd->FieldByName(QStringLiteral("Currency")).toInt() : 0;
    const int vendor = m_form->vendorId();
    if (again) {
        h.RateTyped = h.ExpenseTyped = false;
        for (LandedCostEstimate::Line& l : m_est.lines)
            l.DutyLookedUp = l.DutyTyped = false;
        m_rateFor = m_expenseFor = -1;
        h.EstDate = QDate();
    }
    const bool rate = m_rateFor != currency;
    const bool expenses = m_expenseFor != vendor;
    if (rate && h.Currency != currency)
        h.RateTyped = false; // a typed rate was for another currency
    h.Currency = currency;
    h.Vendor = vendor;
    if (rate || expenses || !m_est.productsToLookUp().isEmpty()) {
        if (!h.EstDate.isValid())
            h.EstDate = QDate::currentDate();
        LandedCostQuery::TakeDefaults(DM->DMdata(), m_est, rate, expenses);
    }
    m_rateFor = currency;
    m_expenseFor = vendor;
    for (int i = 0; i < m_est.lines.size(); ++i)
        m_rows[m_gridRows[i]] = m_est.lines[i];
    m_est.compute();
}

// ---- the document's life ----------------------------------------------------------------------

void TFaPoEstimate::newOrder()
{
    m_available = LandedCostQuery::Available(DM->DMdata());
    m_est = LandedCostEstimate();
    m_storedLines.clear();
    m_rows = QVector<LandedCostEstimate::Line>(m_form->QDt->RecordCount());
    m_stored = false;
    m_wanted = m_available;
    m_rateFor = m_expenseFor = -1;
    m_form->PageControl->setCurrentIndex(0);
    showEstimate();
}

void TFaPoEstimate::openOrder()
{
    CachedDataSet* hd = m_form->QHd;
    const int id = hd->Active() && hd->RecNo() >= 0 ? hd->AsInteger(QStringLiteral("ID")) : 0;
    m_est = LandedCostEstimate();
    m_storedLines.clear();
    m_stored = m_available && id > 0 && LandedCostQuery::Load(DM->DMdata(), id, m_est.header, m_storedLines);
    // A saved order without an estimate gets one only when the page is looked at.
    m_wanted = m_available && (id <= 0 || m_stored);
    m_rateFor = m_stored ? m_est.header.Currency : -1;
    m_expenseFor = m_stored ? m_est.header.Vendor : -1;
    CachedDataSet* dt = m_form->QDt;
    m_rows.clear();
    for (int r = 0; r < dt->RecordCount(); ++r)
        m_rows.push_back(m_storedLines.value(dt->value(r, QStringLiteral("ID")).toLongLong()));
    if (m_form->PageControl->currentWidget() == this)
        refresh();
    else
        showEstimate();
}

void TFaPoEstimate::copied(const CachedDataSet& sourceHeader, const CachedDataSet& sourceLines)
{
    if (!m_available || sourceHeader.IsEmpty())
        return;
    LandedCostEstimate::Header h;
    QHash<qint64, LandedCostEstimate::Line> lines;
    if (!LandedCostQuery::Load(DM->DMdata(), sourceHeader.AsInteger(QStringLiteral("ID")), h, lines))
        return;
    // The copy's lines are the other order's in its order: each takes that line's values.
    m_est = LandedCostEstimate();
    m_est.header = h;
    m_rateFor = h.Currency;
    m_expenseFor = h.Vendor;
    m_rows.resize(m_form->QDt->RecordCount());
    for (int r = 0; r < sourceLines.RecordCount() && r < m_rows.size(); ++r) {
        LandedCostEstimate::Line l = lines.value(sourceLines.value(r, QStringLiteral("ID")).toLongLong());
        l.OrderLine = 0;
        m_rows[r] = l;
    }
    m_wanted = true;
    if (m_form->PageControl->currentWidget() == this)
        refresh();
}

void TFaPoEstimate::storeWith(int id)
{
    if (!m_available || !m_wanted)
        return;
    takeDefaults(false);
    CachedDataSet* dt = m_form->QDt;
    for (int i = 0; i < m_est.lines.size(); ++i) {
        const int r = m_gridRows[i];
        qint64 line = dt->value(r, QStringLiteral("ID")).toLongLong();
        if (line <= 0)
            line = dt->InsertedId(r);
        m_est.lines[i].OrderLine = line;
    }
    LandedCostQuery::Store(DM->DMdata(), id, m_est);
}

// ---- on screen --------------------------------------------------------------------------------

bool TFaPoEstimate::editable() const
{
    return m_available && m_form->AcSave->isEnabled();
}

void TFaPoEstimate::refresh()
{
    m_available = LandedCostQuery::Available(DM->DMdata());
    if (m_available) {
        takeDefaults(false);
        m_wanted = true;
    }
    showEstimate();
}

QString TFaPoEstimate::currencyCode()
{
    const int currency = m_est.header.Currency;
    if (currency <= 0)
        return {};
    return Db::scalar(DM->DMdata(), QStringLiteral("Select Code From Misc Where Id = :Id"), {{QStringLiteral("Id"), currency}})
        .toString()
        .trimmed();
}

void TFaPoEstimate::showEstimate()
{
    const bool th = thai();
    const LandedCostEstimate::Header& h = m_est.header;
    const bool open = editable();
    m_filling = true;
    EdRate->setReadOnly(!open);
    EdExpense->setReadOnly(!open);
    BtDefaults->setEnabled(open);
    DgEst->setColumnReadOnly(QStringLiteral("DutyShare"), !open);
    EdRate->setText(h.HasRate ? FormatFloat(RateFormat, h.Rate) : QString());
    EdExpense->setText(h.HasExpenseShare ? FormatFloat(ShareFormat, h.ExpenseShare) : QString());
    m_filling = false;
    if (!m_available) {
        LbRateFrom->clear();
        LbExpenseFrom->clear();
        LbTotal->clear();
        LbNote->setText(text(Text::NoTables, th));
        QEst->EmptyDataSet();
        return;
    }
    if (h.RateTyped)
        LbRateFrom->setText(text(Text::RateTyped, th));
    else if (h.RateFrom.Found)
        LbRateFrom->setText(text(Text::RateFrom, th).arg(h.RateFrom.DocNo, dateText(h.RateFrom.DocDate)));
    else if (h.EstDate.isValid())
        LbRateFrom->setText(text(Text::RateNone, th).arg(currencyCode()));
    else
        LbRateFrom->clear();
    if (h.ExpenseTyped)
        LbExpenseFrom->setText(text(Text::ExpenseTyped, th));
    else if (h.ExpenseFrom.Found)
        LbExpenseFrom->setText((h.ExpenseFrom.VendorHadNone ? text(Text::ExpenseVendorNone, th) : QString())
                               + text(h.ExpenseFrom.VendorOnly ? Text::ExpenseVendor : Text::ExpenseAll, th)
                                     .arg(h.ExpenseFrom.Lots));
    else if (h.EstDate.isValid())
        LbExpenseFrom->setText(text(Text::ExpenseNone, th));
    else
        LbExpenseFrom->clear();
    const bool estimated = h.EstDate.isValid();
    LbTotal->setText(!estimated        ? QString()
                     : m_est.hasTotal() ? text(Text::Total, th).arg(FormatFloat(AmountFormat, m_est.total()))
                                        : text(Text::TotalNone, th));
    const bool savedOrder = m_form->QHd->Active() && m_form->QHd->RecNo() >= 0
                            && m_form->QHd->AsInteger(QStringLiteral("ID")) > 0;
    LbNote->setText(savedOrder && !m_stored && estimated ? text(Text::NotStored, th)
                    : estimated                          ? text(Text::EstimatedOn, th).arg(dateText(h.EstDate))
                                                         : QString());
    fillGrid();
}

void TFaPoEstimate::fillGrid()
{
    const bool th = thai();
    m_filling = true;
    const bool sameRows = QEst->RecordCount() == m_est.lines.size();
    if (!sameRows) {
        QEst->EmptyDataSet();
        for (int i = 0; i < m_est.lines.size(); ++i) {
            QEst->Append();
            QEst->Post();
        }
    }
    auto money = [](bool has, double v) { return has ? QVariant(v) : QVariant(); };
    for (int i = 0; i < m_est.lines.size(); ++i) {
        const LandedCostEstimate::Line& l = m_est.lines[i];
        const QString from = l.DutyTyped         ? text(Text::DutyTyped, th)
                             : l.DutyFrom.Found  ? text(Text::DutyLot, th).arg(l.DutyFrom.LotCode)
                             : l.DutyLookedUp    ? text(Text::DutyNone, th)
                                                 : QString();
        const QVariantList values{l.Code,
                                  l.Name,
                                  l.Quantity,
                                  l.Unit,
                                  l.Amount,
                                  money(l.HasCost, l.GoodsBaht),
                                  money(l.HasDutyShare, l.DutyShare),
                                  from,
                                  money(l.HasCost && l.HasDutyShare, l.Duty),
                                  money(l.HasCost && m_est.header.HasExpenseShare, l.Expense),
                                  money(l.HasCost, l.LandedCost),
                                  money(l.HasUnitCost, l.UnitCost)};
        for (int f = 0; f < values.size(); ++f)
            QEst->assign(i, QEst->fieldNames()[f], values[f]);
    }
    m_filling = false;
    if (DgEst->gridModel()) {
        DgEst->gridModel()->column(4).title
            = Translation::inLanguage(th, "TFaPoEstimate", QT_TRANSLATE_NOOP("TFaPoEstimate", "รวมเงิน(%1)")).arg(currencyCode());
        DgEst->viewport()->update();
        DgEst->horizontalHeader()->viewport()->update();
    }
}

// ---- typed by the user ------------------------------------------------------------------------

namespace {
// The typed text as a number: empty is none; false when it is no number.
bool typedNumber(const QString& text, bool& has, double& value)
{
    has = !text.trimmed().isEmpty();
    value = 0;
    return !has || CachedDataSetModel::parseNumber(text, value);
}
} // namespace

void TFaPoEstimate::rateTyped()
{
    const LandedCostEstimate::Header& h = m_est.header;
    headerTyped(EdRate, h.HasRate, h.Rate, RateFormat, [this](bool has, double v) { m_est.typeRate(has, v); });
}

void TFaPoEstimate::expenseTyped()
{
    const LandedCostEstimate::Header& h = m_est.header;
    headerTyped(EdExpense, h.HasExpenseShare, h.ExpenseShare, ShareFormat,
                [this](bool has, double v) { m_est.typeExpenseShare(has, v); });
}

void TFaPoEstimate::headerTyped(QLineEdit* edit, bool had, double was, const QString& format,
                                const std::function<void(bool, double)>& type)
{
    if (m_filling || !editable())
        return;
    bool has = false;
    double v = 0;
    if (!typedNumber(edit->text(), has, v)) {
        MessageService::information(text(Text::BadNumber, thai()).arg(edit->text()));
        edit->setFocus();
        return;
    }
    // Leaving the field with the value it showed types nothing.
    if (has == had && (!has || FormatFloat(format, v) == FormatFloat(format, was)))
        return;
    syncLines();
    type(has, v);
    m_est.compute();
    showEstimate();
}

void TFaPoEstimate::dutyTyped(int row)
{
    if (row < 0 || row >= m_est.lines.size())
        return;
    const QVariant v = QEst->value(row, QStringLiteral("DutyShare"));
    const LandedCostEstimate::Line& l = m_est.lines[row];
    if (v.isNull() == !l.HasDutyShare && (v.isNull() || FormatFloat(ShareFormat, v.toDouble()) == FormatFloat(ShareFormat, l.DutyShare)))
        return;
    m_est.typeDutyShare(row, !v.isNull(), v.toDouble());
    m_rows[m_gridRows[row]] = m_est.lines[row];
    m_est.compute();
    showEstimate();
}

void TFaPoEstimate::defaultsAgain()
{
    if (!editable() || !MessageService::confirm(text(Text::ReplaceQuestion, thai())))
        return;
    takeDefaults(true);
    showEstimate();
}
