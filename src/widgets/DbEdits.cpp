#include "widgets/DbEdits.h"
#include "app/MessageService.h"
#include "data/CachedDataSet.h"
#include "data/CachedDataSetModel.h"
#include "data/DbUtil.h"
#include "data/NkError.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QTimer>

#include <algorithm>

TDbEdit::TDbEdit(QWidget* parent)
    : QLineEdit(parent)
{
}

void TDbEdit::bind(CachedDataSet* ds, const QString& field)
{
    if (m_ds)
        disconnect(m_ds, nullptr, this, nullptr);
    m_ds = ds;
    m_field = field;
    if (ds) {
        connect(ds, &CachedDataSet::reset, this, &TDbEdit::refresh);
        connect(ds, &CachedDataSet::currentChanged, this, &TDbEdit::refresh);
        // A value the program sets shows at once, also in the focused field, unless the user
        // has typed into it.
        connect(ds, &CachedDataSet::fieldChanged, this, [this](int row, int field) {
            if (m_ds && row == m_ds->RecNo() && (field < 0 || field == m_ds->fieldIndex(m_field))
                && !(hasFocus() && isModified()))
                refresh();
        });
    }
    refresh();
}

QString TDbEdit::display(const QVariant& v) const
{
    return v.toString();
}

bool TDbEdit::parse(const QString& text, QVariant& out) const
{
    out = m_upper ? text.toUpper() : text;
    return true;
}

void TDbEdit::refresh()
{
    if (m_updating)
        return;
    m_updating = true;
    if (m_ds && m_ds->Active() && m_ds->hasField(m_field) && m_ds->RecNo() >= 0)
        setText(display(m_ds->FieldByName(m_field)));
    else
        setText(display(QVariant()));
    m_updating = false;
}

bool TDbEdit::commit()
{
    if (!m_ds || !m_ds->Active() || !m_ds->hasField(m_field) || m_ds->RecNo() < 0 || isReadOnly())
        return true;
    QVariant v;
    if (!parse(text(), v))
        return false;
    const QVariant cur = m_ds->FieldByName(m_field);
    if (display(cur) != display(v) || cur.isNull() != v.isNull()) {
        m_updating = true;
        try {
            m_ds->SetField(m_field, v);
        } catch (...) {
            m_updating = false;
            throw;
        }
        m_updating = false;
    }
    emit committed();
    return true;
}

bool TDbEdit::textReadable() const
{
    const QString typed = text();
    QVariant v;
    if (parse(typed, v))
        return true;
    // Only the blanks and separators of an input mask are left: nothing typed to lose.
    return !inputMask().isEmpty()
           && std::none_of(typed.cbegin(), typed.cend(), [](QChar c) { return c.isLetterOrNumber(); });
}

QString TDbEdit::refusalText() const
{
    return tr("'%1' ไม่ใช่ค่าที่ถูกต้อง").arg(displayText());
}

void TDbEdit::refuse()
{
    MessageService::warning(refusalText());
    setFocus();
    selectAll();
}

void TDbEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (commit()) {
        refresh();
        return;
    }
    if (textReadable()) {
        refresh(); // emptied: the stored value again
        return;
    }
    // Enter and Tab refuse before the focus moves (the form's keys); a click elsewhere is
    // answered once the click is done. Another window taking the focus keeps the text as it is.
    if (e->reason() == Qt::MouseFocusReason)
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && !textReadable())
                refuse();
        });
}

void TDbEdit::keyPressEvent(QKeyEvent* e)
{
    if (m_upper && !e->text().isEmpty() && e->text() != e->text().toUpper()
        && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        insert(e->text().toUpper());
        return;
    }
    QLineEdit::keyPressEvent(e);
}

// ---- date ------------------------------------------------------------------------------

TDbDateEdit::TDbDateEdit(QWidget* parent)
    : TDbEdit(parent)
{
    setInputMask(QStringLiteral("99/99/9999;_"));
    setMaximumWidth(110);
}

QString TDbDateEdit::display(const QVariant& v) const
{
    const QDateTime dt = Db::dateFromValue(v);
    if (!dt.isValid() || Db::isEmptyDate(dt))
        return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    return dt.toString(QStringLiteral("dd/MM/yyyy"));
}

QString TDbDateEdit::refusalText() const
{
    return tr("'%1' ไม่ใช่วันที่ที่ถูกต้อง (วว/ดด/ปปปป)").arg(displayText());
}

bool TDbDateEdit::parse(const QString& text, QVariant& out) const
{
    const QDate d = QDate::fromString(text.trimmed(), QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid())
        return false;
    out = Db::dateToText(d);
    return true;
}

QDate TDbDateEdit::date() const
{
    return QDate::fromString(text().trimmed(), QStringLiteral("dd/MM/yyyy"));
}

void TDbDateEdit::setDate(const QDate& d)
{
    setText(d.toString(QStringLiteral("dd/MM/yyyy")));
    commit();
}

// ---- number ----------------------------------------------------------------------------

TDbNumberEdit::TDbNumberEdit(QWidget* parent)
    : TDbEdit(parent)
{
    setAlignment(Qt::AlignRight);
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^-?[0-9,]*\\.?[0-9]*$")), this));
}

QString TDbNumberEdit::display(const QVariant& v) const
{
    if (v.isNull() || !v.isValid())
        return hasFocus() ? QString() : CachedDataSetModel::formatNumber(0.0, m_displayFormat);
    if (hasFocus())
        return QString::number(v.toDouble(), 'f', m_decimals);
    return CachedDataSetModel::formatNumber(v, m_displayFormat);
}

bool TDbNumberEdit::parse(const QString& text, QVariant& out) const
{
    double d = 0;
    if (!CachedDataSetModel::parseNumber(text, d))
        return false;
    out = d;
    return true;
}

QString TDbNumberEdit::refusalText() const
{
    return tr("'%1' ไม่ใช่ตัวเลขที่ถูกต้อง").arg(displayText());
}

double TDbNumberEdit::number() const
{
    double d = 0;
    CachedDataSetModel::parseNumber(text(), d);
    return d;
}

void TDbNumberEdit::focusInEvent(QFocusEvent* e)
{
    TDbEdit::focusInEvent(e);
    refresh(); // plain digits while editing
    // Reached by Enter or Tab, the number is selected as in any field: typing replaces it
    // (the vendor's 60 credit days and "45" typed are 45, not 6045).
    const Qt::FocusReason r = e->reason();
    if (r == Qt::TabFocusReason || r == Qt::BacktabFocusReason || r == Qt::ShortcutFocusReason)
        selectAll();
}
