#pragma once
#include <QLineEdit>
#include <QPointer>
#include <QSqlDatabase>
#include <QVariant>

#include "data/CachedDataSet.h"
class QLabel;

// A code field bound to an Id column of a cached data set. It shows the code of the row whose
// Id is in the bound column and takes upper-case input. When the user leaves it, the typed
// code is looked up in its table (code column equal to the text, plus the filter the program
// set), the row's Id is written into the bound column and its description shown in the label.
//
// An unknown code (or an empty one where empty is refused) leaves the bound column null; the
// field turns red, keeps the typed text so the user sees what was wrong, and the label reads
// "ไม่พบรหัส" (or "ต้องระบุรหัส" for a refused empty value). The focus is not held: the owning
// forms check their required columns before saving.
class TLookupEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TLookupEdit(QWidget* parent = nullptr);

    // Table, Id, code and description columns: names written by the program.
    void setLookup(const QString& table, const QString& idField, const QString& codeField,
                   const QString& descField);
    QString table() const { return m_table; }
    QString idField() const { return m_idField; }
    QString codeField() const { return m_codeField; }
    QString descField() const { return m_descField; }

    // A condition on the table's columns, written by the program ("GroupCode='CURRENCY'");
    // never typed text.
    void setFilter(const QString& filter) { m_filter = filter; }
    QString filter() const { return m_filter; }

    void setAllowEmpty(bool on) { m_allowEmpty = on; }
    bool allowEmpty() const { return m_allowEmpty; }

    void setDescLabel(QLabel* label) { m_label = label; }
    QLabel* descLabel() const { return m_label; }

    // The company connection (DM->DMdata()) unless one is set.
    void setDatabase(const QSqlDatabase& db) { m_db = db; m_hasDb = true; }
    QSqlDatabase database() const;

    // The data set and the Id column the field writes; the owning form may change them.
    void bind(CachedDataSet* ds, const QString& field);
    CachedDataSet* dataSet() const { return m_ds; }
    QString field() const { return m_field; }

    // Looks the current text up and writes the Id (what leaving the field does). True when the
    // text was accepted: a known code, or an empty one where empty is allowed.
    bool lookup();
    // Shows the code and description of the Id in the bound column.
    void refresh();

    // State of the last lookup or refresh.
    bool valid() const { return m_valid; }
    QVariant currentId() const { return m_id; }
    QString description() const { return m_desc; }

    static QString notFoundText() { return tr("ไม่พบรหัส"); }
    static QString emptyRefusedText() { return tr("ต้องระบุรหัส"); }

signals:
    // After each lookup on leaving; found is false for an unknown code or a refused empty one.
    void lookedUp(bool found);
    void exited();

protected:
    void focusOutEvent(QFocusEvent* e) override;

private:
    void showState(bool ok, const QString& labelText);
    void writeId(const QVariant& id);

    QString m_table, m_idField = QStringLiteral("Id"), m_codeField = QStringLiteral("Code"),
                     m_descField = QStringLiteral("Description");
    QString m_filter;
    bool m_allowEmpty = false;
    QPointer<QLabel> m_label;
    QPointer<CachedDataSet> m_ds;
    QString m_field;
    QSqlDatabase m_db;
    bool m_hasDb = false;
    bool m_valid = true;
    bool m_updating = false;
    QVariant m_id;
    QString m_desc;
};
