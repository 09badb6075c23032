#include "widgets/TLookupEdit.h"

#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/TDM.h"
#include "search/UpperCaseValidator.h"

#include <QFocusEvent>
#include <QLabel>
#include <QSqlQuery>

TLookupEdit::TLookupEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setValidator(new UpperCaseValidator(this));
}

void TLookupEdit::setLookup(const QString& table, const QString& idField, const QString& codeField,
                            const QString& descField)
{
    m_table = table;
    m_idField = idField;
    m_codeField = codeField;
    m_descField = descField;
}

QSqlDatabase TLookupEdit::database() const
{
    if (m_hasDb)
        return m_db;
    return DM ? DM->DMdata() : QSqlDatabase();
}

void TLookupEdit::bind(CachedDataSet* ds, const QString& field)
{
    if (m_ds)
        disconnect(m_ds, nullptr, this, nullptr);
    m_ds = ds;
    m_field = field;
    if (ds) {
        connect(ds, &CachedDataSet::reset, this, &TLookupEdit::refresh);
        connect(ds, &CachedDataSet::currentChanged, this, &TLookupEdit::refresh);
        // Another column of the row changing leaves the field as it is (an unknown code stays
        // visible); only a new value of the bound column is shown. A value filled in by the
        // program (the vendor's currency) shows even while the field has the focus, unless the
        // user has typed into it since.
        connect(ds, &CachedDataSet::fieldChanged, this, [this](int row, int field) {
            if (m_updating || !m_ds || row != m_ds->RecNo() || (hasFocus() && isModified())
                || !m_ds->hasField(m_field) || (field >= 0 && field != m_ds->fieldIndex(m_field)))
                return;
            const QVariant v = m_ds->FieldByName(m_field);
            const bool same = v.isNull() ? m_id.isNull() : (!m_id.isNull() && v.toString() == m_id.toString());
            if (!same)
                refresh();
        });
    }
    refresh();
}

void TLookupEdit::showState(bool ok, const QString& labelText)
{
    m_valid = ok;
    setStyleSheet(ok ? QString() : QStringLiteral("QLineEdit { background-color: #ff8080; }"));
    if (m_label) {
        m_label->setText(labelText);
        m_label->setStyleSheet(ok ? QString() : QStringLiteral("QLabel { color: red; }"));
    }
}

void TLookupEdit::refresh()
{
    if (m_updating)
        return;
    QVariant id;
    if (m_ds && m_ds->Active() && m_ds->RecNo() >= 0 && m_ds->hasField(m_field))
        id = m_ds->FieldByName(m_field);
    m_id = id;
    m_desc.clear();
    QString code;
    if (!id.isNull() && id.isValid() && !m_table.isEmpty()) {
        QSqlQuery q = Db::exec(database(),
                               QStringLiteral("Select ") + m_codeField + QStringLiteral(", ") + m_descField
                                   + QStringLiteral(" From ") + m_table + QStringLiteral(" Where ") + m_idField
                                   + QStringLiteral(" = :Id"),
                               {{QStringLiteral("Id"), id}});
        if (q.next()) {
            code = q.value(0).toString();
            m_desc = q.value(1).toString();
        }
    }
    setText(code);
    showState(true, m_desc);
}

void TLookupEdit::writeId(const QVariant& id)
{
    m_id = id;
    if (!m_ds || !m_ds->Active() || m_ds->RecNo() < 0 || !m_ds->hasField(m_field))
        return;
    const QVariant cur = m_ds->FieldByName(m_field);
    const bool same = cur.isNull() ? id.isNull() : (!id.isNull() && cur.toString() == id.toString());
    if (same)
        return;
    m_updating = true;
    try {
        m_ds->SetField(m_field, id);
    } catch (...) {
        m_updating = false;
        throw;
    }
    m_updating = false;
}

bool TLookupEdit::lookup()
{
    const QString code = text().trimmed();
    m_desc.clear();
    if (code.isEmpty()) {
        writeId(QVariant());
        if (m_allowEmpty) {
            showState(true, QString());
            return true;
        }
        showState(false, emptyRefusedText());
        return false;
    }
    QString sql = QStringLiteral("Select ") + m_idField + QStringLiteral(", ") + m_descField + QStringLiteral(" From ")
                  + m_table + QStringLiteral(" Where (") + m_codeField + QStringLiteral(" = :Code)");
    if (!m_filter.trimmed().isEmpty())
        sql += QStringLiteral(" And (") + m_filter + QStringLiteral(")");
    // The typed code is always a parameter: a quote in it is just a character of the code.
    QSqlQuery q = Db::exec(database(), sql, {{QStringLiteral("Code"), code}});
    if (!q.next()) {
        writeId(QVariant());
        showState(false, notFoundText());
        return false;
    }
    const QVariant id = q.value(0);
    m_desc = q.value(1).toString();
    q.finish();
    writeId(id);
    setText(code);
    showState(true, m_desc);
    return true;
}

void TLookupEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    // A search dialog or a menu opened from the field is no leaving.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    if (isReadOnly())
        return;
    emit lookedUp(lookup());
    emit exited();
}
