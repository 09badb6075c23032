#include "forms/import/TFaCodeLookup.h"

#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/TDM.h"
#include "search/UpperCaseValidator.h"

#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QToolButton>

TFaCodeLookup::TFaCodeLookup(QWidget* parent)
    : QWidget(parent)
{
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(4);
    Caption = new QLabel(this);
    CodeEdit = new QLineEdit(this);
    CodeEdit->setObjectName(QStringLiteral("Code"));
    CodeEdit->setFixedWidth(90);
    CodeEdit->setValidator(new UpperCaseValidator(CodeEdit));
    Caption->setBuddy(CodeEdit);
    BtSearch = new QToolButton(this);
    BtSearch->setObjectName(QStringLiteral("BtSearch"));
    BtSearch->setText(QStringLiteral("..."));
    // The button never takes the focus, so clicking it does not leave the code field first.
    BtSearch->setFocusPolicy(Qt::NoFocus);
    BtSearch->setEnabled(false);
    DescLabel = new QLabel(this);
    DescLabel->setObjectName(QStringLiteral("Description"));
    DescLabel->setMinimumWidth(120);
    lay->addWidget(Caption);
    lay->addWidget(CodeEdit);
    lay->addWidget(BtSearch);
    lay->addWidget(DescLabel, 1);
    setFocusProxy(CodeEdit);

    CodeEdit->installEventFilter(this);
    connect(BtSearch, &QToolButton::clicked, this, [this] { BtSearchClick(); });
}

TFaCodeLookup::~TFaCodeLookup() = default;

void TFaCodeLookup::setDatabase(const QSqlDatabase& db)
{
    m_db = db;
    m_hasDb = true;
}

QSqlDatabase TFaCodeLookup::database() const
{
    if (m_hasDb)
        return m_db;
    return DM ? DM->DMdata() : QSqlDatabase();
}

bool TFaCodeLookup::thaiLanguage() const
{
    return !DMConfig || DMConfig->ThaiLanguage;
}

QString TFaCodeLookup::notFoundText()
{
    return (!DMConfig || DMConfig->ThaiLanguage) ? QStringLiteral("ไม่พบรหัสนี้") : QStringLiteral("Code not found");
}

QString TFaCodeLookup::requiredText()
{
    return (!DMConfig || DMConfig->ThaiLanguage) ? QStringLiteral("ต้องระบุรหัส") : QStringLiteral("Code required");
}

void TFaCodeLookup::bind(CachedDataSet* ds, const QString& field)
{
    if (m_ds)
        disconnect(m_ds, nullptr, this, nullptr);
    m_ds = ds;
    m_field = field;
    m_shownId = QVariant();
    if (m_ds) {
        connect(m_ds, &CachedDataSet::reset, this, &TFaCodeLookup::onDataChanged);
        connect(m_ds, &CachedDataSet::currentChanged, this, &TFaCodeLookup::onDataChanged);
        connect(m_ds, &CachedDataSet::rowChanged, this, &TFaCodeLookup::onDataChanged);
    }
    refresh();
}

CachedDataSet* TFaCodeLookup::dataSet() const
{
    return m_ds;
}

QString TFaCodeLookup::text() const
{
    return CodeEdit->text().trimmed();
}

void TFaCodeLookup::setText(const QString& code)
{
    CodeEdit->setText(code.toUpper());
}

void TFaCodeLookup::onDataChanged()
{
    if (m_writing || !m_ds || !m_ds->Active() || m_ds->RecNo() < 0 || !m_ds->hasField(m_field))
        return;
    // Only a new Id in the bound column changes what is shown; a change of another column
    // must not wipe a code the user is still correcting.
    const QVariant id = m_ds->FieldByName(m_field);
    if (id == m_shownId && id.isNull() == m_shownId.isNull())
        return;
    refresh();
}

void TFaCodeLookup::refresh()
{
    m_found = false;
    m_foundId = QVariant();
    m_description.clear();
    if (!m_ds || !m_ds->Active() || m_ds->RecNo() < 0 || !m_ds->hasField(m_field)) {
        m_shownId = QVariant();
        CodeEdit->clear();
        DescLabel->clear();
        return;
    }
    const QVariant id = m_ds->FieldByName(m_field);
    m_shownId = id;
    if (id.isNull() || LookupTable.isEmpty()) {
        CodeEdit->clear();
        DescLabel->clear();
        return;
    }
    QSqlQuery q = Db::exec(database(),
                           QStringLiteral("Select %1, %2 From %3 Where %4 = :Id")
                               .arg(CodeField, DescField, LookupTable, IdField),
                           {{QStringLiteral("Id"), id}});
    if (q.next()) {
        m_found = true;
        m_foundId = id;
        m_description = q.value(1).toString();
        CodeEdit->setText(q.value(0).toString().trimmed());
        DescLabel->setText(m_description);
    } else {
        CodeEdit->clear();
        DescLabel->clear();
    }
}

void TFaCodeLookup::writeBound(const QVariant& id)
{
    m_shownId = id;
    if (!m_ds || !m_ds->Active() || m_ds->RecNo() < 0 || !m_ds->hasField(m_field))
        return;
    m_writing = true;
    try {
        m_ds->SetField(m_field, id);
    } catch (...) {
        m_writing = false;
        throw;
    }
    m_writing = false;
}

bool TFaCodeLookup::lookup()
{
    const QString code = text();
    m_found = false;
    m_foundId = QVariant();
    m_description.clear();
    DescLabel->setStyleSheet(QString());
    if (code.isEmpty()) {
        writeBound(QVariant());
        if (AllowNull) {
            DescLabel->clear();
            emit lookedUp(true);
            return true;
        }
        DescLabel->setStyleSheet(QStringLiteral("color: red"));
        DescLabel->setText(requiredText());
        emit lookedUp(false);
        return false;
    }
    // The typed code is a parameter; a quote in it is just a character of the code.
    QString sql = QStringLiteral("Select %1, %2, %3 From %4 Where %2 = :Code")
                      .arg(IdField, CodeField, DescField, LookupTable);
    if (!Filter.trimmed().isEmpty())
        sql += QStringLiteral(" And (") + Filter + QStringLiteral(")");
    QSqlQuery q = Db::exec(database(), sql, {{QStringLiteral("Code"), code}});
    if (q.next()) {
        m_found = true;
        m_foundId = q.value(0);
        m_description = q.value(2).toString();
        CodeEdit->setText(q.value(1).toString().trimmed());
        DescLabel->setText(m_description);
        writeBound(m_foundId);
    } else {
        writeBound(QVariant());
        DescLabel->setStyleSheet(QStringLiteral("color: red"));
        DescLabel->setText(notFoundText());
    }
    emit lookedUp(m_found);
    return m_found;
}

void TFaCodeLookup::FrameCodeEnter()
{
    BtSearch->setEnabled(true);
}

void TFaCodeLookup::FrameCodeExit()
{
    BtSearch->setEnabled(false);
    lookup();
}

void TFaCodeLookup::takeChosenCode(const QString& code)
{
    setText(code.trimmed());
    CodeEdit->setFocus();
}

bool TFaCodeLookup::eventFilter(QObject* obj, QEvent* e)
{
    if (obj == CodeEdit) {
        switch (e->type()) {
        case QEvent::FocusIn: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
            if (CodeEnter && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                CodeEnter();
            FrameCodeEnter();
            break;
        }
        case QEvent::FocusOut: {
            // Switching to another window (a search dialog, another program) or opening a
            // menu does not leave the field; only moving within the window does.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
                break;
            FrameCodeExit();
            if (CodeExit)
                CodeExit();
            break;
        }
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(e)->key() == Qt::Key_F5) {
                BtSearchClick();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(obj, e);
}
