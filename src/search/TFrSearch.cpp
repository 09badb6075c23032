#include "search/TFrSearch.h"

#include "app/MessageService.h"
#include "data/DbUtil.h"
#include "data/Session.h"
#include "data/TDM.h"
#include "search/SearchQuery.h"
#include "search/UpperCaseValidator.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

namespace {
QString g_sortColumn;   // upper case
bool g_sortDesc = false;
} // namespace

QString TFrSearch::SortColumn() { return g_sortColumn; }
bool TFrSearch::SortDescending() { return g_sortDesc; }
void TFrSearch::ResetSortState()
{
    g_sortColumn.clear();
    g_sortDesc = false;
}

QString TFrSearch::gridHint()
{
    return tr("สีแดง : เอกสารยกเลิก\r\nสีน้ำเงิน : เอกสารรับ/จ่ายแล้ว");
}

TFrSearch::TFrSearch(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FrSearch"));
    setWindowTitle(tr("ค้นหา"));
    resize(528, 279);

    QSearch = new SearchQuery(this);
    QSearch->setObjectName(QStringLiteral("QSearch"));

    PnHeader = new QWidget(this);
    HeaderLayout = new QHBoxLayout(PnHeader);
    HeaderLayout->setContentsMargins(6, 6, 6, 6);

    LbCode = new QLabel(tr("รหัส"), PnHeader);
    Code = new QLineEdit(PnHeader);
    Code->setObjectName(QStringLiteral("Code"));
    Code->setFixedWidth(120);
    Code->setValidator(new UpperCaseValidator(Code));
    LbCode->setBuddy(Code);

    BtSearch = new QPushButton(tr("ค้นหา"), PnHeader);
    BtSearch->setObjectName(QStringLiteral("BtSearch"));
    BtSearch->setFocusPolicy(Qt::ClickFocus); // skipped by Tab
    BtOk = new QPushButton(tr("เลือก"), PnHeader);
    BtOk->setObjectName(QStringLiteral("BtOk"));
    BtCancel = new QPushButton(tr("ไม่เลือก"), PnHeader);
    BtCancel->setObjectName(QStringLiteral("BtCancel"));
    for (QPushButton* b : {BtSearch, BtOk, BtCancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    HeaderLayout->addWidget(LbCode);
    HeaderLayout->addWidget(Code);
    HeaderLayout->addWidget(BtSearch);
    HeaderLayout->addStretch(1);
    HeaderLayout->addWidget(BtOk);
    HeaderLayout->addWidget(BtCancel);

    DgSearch = new QTableView(this);
    DgSearch->setObjectName(QStringLiteral("DgSearch"));
    DgSearch->setModel(QSearch);
    DgSearch->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DgSearch->setSelectionBehavior(QAbstractItemView::SelectRows);
    DgSearch->setSelectionMode(QAbstractItemView::SingleSelection);
    DgSearch->setSortingEnabled(false);
    DgSearch->verticalHeader()->hide();
    DgSearch->verticalHeader()->setDefaultSectionSize(DgSearch->fontMetrics().height() + 6);
    DgSearch->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DgSearch->horizontalHeader()->setSectionsClickable(true);
    DgSearch->horizontalHeader()->setHighlightSections(false);
    DgSearch->setToolTip(gridHint());
    DgSearch->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PnHeader);
    layout->addWidget(DgSearch, 1);

    connect(BtSearch, &QPushButton::clicked, this, [this] { BtSearchClick(); });
    connect(BtOk, &QPushButton::clicked, this, &TFrSearch::BtOkClick);
    connect(BtCancel, &QPushButton::clicked, this, &TFrSearch::BtCancelClick);
    connect(DgSearch, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            BtOkClick();
    });
    connect(DgSearch->horizontalHeader(), &QHeaderView::sectionClicked, this, &TFrSearch::DgSearchTitleClick);
    connect(QSearch, &QAbstractItemModel::modelReset, this, &TFrSearch::applyColumnWidths);

    installKeyPreview();
}

TFrSearch::~TFrSearch() = default;

void TFrSearch::setDatabase(const QSqlDatabase& db)
{
    m_db = db;
    m_hasDb = true;
}

QSqlDatabase TFrSearch::database() const
{
    if (m_hasDb)
        return m_db;
    return DM ? DM->DMdata() : QSqlDatabase();
}

bool TFrSearch::thaiLanguage() const
{
    return Session::thai();
}

int TFrSearch::currentRow() const
{
    const QModelIndex i = DgSearch->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void TFrSearch::setCurrentRow(int row)
{
    if (row < 0 || row >= QSearch->rowCount())
        return;
    DgSearch->setCurrentIndex(QSearch->index(row, 0));
    DgSearch->selectRow(row);
}

void TFrSearch::installKeyPreview()
{
    // Form-level key preview: every control of the dialog passes its keys here first.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

void TFrSearch::applyColumnWidths()
{
    const auto& cols = QSearch->columns();
    for (int i = 0; i < cols.size(); ++i) {
        if (cols[i].width > 0)
            DgSearch->setColumnWidth(i, cols[i].width);
    }
}

void TFrSearch::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    installKeyPreview();
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
}

void TFrSearch::FormShow()
{
    ResultValue.clear();
    // In the language of the user who opens the dialog, which may have changed since it was made.
    BtSearch->setText(tr("ค้นหา"));
    BtOk->setText(tr("เลือก"));
    BtCancel->setText(tr("ไม่เลือก"));
    if (!thaiLanguage()) {
        QFont small = font();
        small.setPointSize(8);
        for (QPushButton* b : {BtSearch, BtOk, BtCancel})
            b->setFont(small);
        DgSearch->setToolTip(QString()); // the colour hint is for Thai readers only
    }
    QSearch->Close();
    Code->clear();
    Code->setFocus();
}

void TFrSearch::BtSearchClick()
{
    OpenSearch();
}

void TFrSearch::OpenSearch()
{
    QSearch->Close();
    QSearch->Open(database());
    // Figures are shown whole: a column of numbers widens to its widest value.
    const auto& cols = QSearch->columns();
    for (int c = 0; c < cols.size() && QSearch->rowCount() > 0; ++c)
        if (!cols[c].displayFormat.isEmpty())
            DgSearch->setColumnWidth(c, qMax(DgSearch->columnWidth(c), static_cast<QAbstractItemView*>(DgSearch)->sizeHintForColumn(c)));
    if (!QSearch->IsEmpty()) {
        DgSearch->setFocus();
        setCurrentRow(0);
    }
}

void TFrSearch::BtOkClick()
{
    done(QDialog::Accepted);
}

void TFrSearch::BtCancelClick()
{
    done(QDialog::Rejected);
}

void TFrSearch::done(int r)
{
    const int row = currentRow() >= 0 ? currentRow() : 0;
    if (r != QDialog::Accepted || !QSearch->Active() || QSearch->IsEmpty()) {
        ResultValue.clear();
        QDialog::done(QDialog::Rejected);
        return;
    }
    ResultValue = QSearch->value(row, ResultField).toString();
    if (QSearch->hasField(QStringLiteral("DelFlag"))
        && QSearch->fieldText(row, QStringLiteral("DelFlag")) == QLatin1String("Y")) {
        // A cancelled document is never handed to the caller; the dialog stays open so
        // another row can be chosen.
        MessageService::information(tr("เอกสารถูกยกเลิกแล้ว"));
        if (QSearch->hasField(QStringLiteral("DelRemark")))
            MessageService::information(tr("สาเหตุยกเลิก : ")
                                        + QSearch->value(row, QStringLiteral("DelRemark")).toString());
        ResultValue.clear();
        return;
    }
    QDialog::done(QDialog::Accepted);
}

void TFrSearch::DgSearchTitleClick(int column)
{
    const QString field = QSearch->columnField(column);
    const int ordinal = QSearch->fieldIndex(field);
    if (field.isEmpty() || ordinal < 0)
        return;
    const QString upper = field.toUpper();
    if (QSearch->isBlob(ordinal) || upper == QLatin1String("REMARK") || upper == QLatin1String("MEMO"))
        return;

    bool descending = false;
    if (upper == g_sortColumn) {
        descending = g_sortDesc;
        g_sortDesc = !g_sortDesc;
    } else {
        g_sortDesc = true;
    }
    g_sortColumn = upper;

    const QString orderBy = QStringLiteral("Order By ") + QString::number(ordinal + 1)
                            + (descending ? QStringLiteral(" Desc") : QString());
    for (QString& line : QSearch->SQL) {
        const int at = line.toUpper().indexOf(QLatin1String("ORDER BY "));
        if (at >= 0)
            line = line.left(at) + orderBy;
    }
    OpenSearch();
}

void TFrSearch::DgSearchPurge()
{
    const int row = currentRow();
    if (row < 0 || !QSearch->hasField(QStringLiteral("Id")) || !QSearch->hasField(QStringLiteral("Delflag")))
        return;
    const int id = QSearch->value(row, QStringLiteral("Id")).toInt();
    if (id <= 0 || QSearch->fieldText(row, QStringLiteral("Delflag")) != QLatin1String("Y"))
        return;
    // The table name comes from the calling program, never from the user; anything that is
    // not a plain table name is refused rather than sent.
    const QString table = TableName.trimmed();
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!plainName.match(table).hasMatch())
        return;

    const QColor blue(Qt::blue);
    if (!MessageService::confirm(QStringLiteral("Confirm Delete #1/2 ?"), blue, Qt::white))
        return;
    if (!MessageService::confirm(QStringLiteral("Confirm Delete #2/2 ?"), blue, Qt::white))
        return;

    QStringList script;
    const QString upper = table.toUpper();
    const QString idText = QString::number(id);
    if (upper == QLatin1String("IVHD"))
        script << QStringLiteral("Delete From IvShip Where IvHd=") + idText;
    else if (upper == QLatin1String("SOHD"))
        script << QStringLiteral("Delete From SoShip Where SoHd=") + idText;
    script << QStringLiteral("Delete From ") + table + QStringLiteral(" Where Id=") + idText;

    const QSqlDatabase db = database();
    for (const QString& statement : script)
        Db::exec(db, statement); // each statement commits on its own
    OpenSearch();
}

bool TFrSearch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched == DgSearch->viewport()) {
        auto* me = static_cast<QMouseEvent*>(event);
        const Qt::KeyboardModifiers mods =
            me->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (me->button() == Qt::RightButton && mods == (Qt::ShiftModifier | Qt::ControlModifier)) {
            DgSearchPurge();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || (w != this && !isAncestorOf(w)))
        return QDialog::eventFilter(watched, event);

    auto* ke = static_cast<QKeyEvent*>(event);
    const bool inGrid = w == DgSearch || DgSearch->isAncestorOf(w);
    switch (ke->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A button with the focus does its own work; the list chooses; the boxes search.
        if (auto* button = qobject_cast<QPushButton*>(w); button && button->isEnabled())
            button->click();
        else if (inGrid)
            BtOkClick();
        else
            BtSearchClick();
        return true; // the Enter character is swallowed
    case Qt::Key_Escape:
        BtCancelClick();
        return true;
    case Qt::Key_Down:
        if (w == Code) {
            DgSearch->setFocus();
            if (currentRow() < 0)
                setCurrentRow(0);
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}
