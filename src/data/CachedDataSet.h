#pragma once
#include <QHash>
#include <QList>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <functional>

// A query result held in memory whose rows a form inserts, changes and deletes while the
// user edits. Each row remembers its state and its values as read. Applying sends, per
// changed row, the fitting statement of the update object with every ":X" bound to the row's
// current value of column X and ":OLD_X" to the value as read. Applying happens only inside
// the caller's transaction; CommitUpdates clears the change log after the commit, so a failed
// save leaves every change pending and saving again retries it.
//
// Without a statement the data set is an in-memory table: define its fields, then Append.
class CachedDataSet : public QObject {
    Q_OBJECT
public:
    enum class RowState { Unchanged, Inserted, Modified, Deleted };
    enum class State { Inactive, Browse, Edit, Insert };

    explicit CachedDataSet(QObject* parent = nullptr, const QString& name = {});

    // ---- statement and parameters -----------------------------------------------------
    // The connection to read and apply on; when unset, DM->DMdata() is used at Open.
    void setDatabase(const QSqlDatabase& db) { m_db = db; m_hasDb = true; }
    void setSQL(const QString& sql);
    const QString& SQL() const { return m_sql; }
    void setParam(const QString& name, const QVariant& value);
    QVariant param(const QString& name) const;
    QStringList paramNames() const; // in statement order
    void setUpdateSQL(const QString& insertSql, const QString& modifySql, const QString& deleteSql);
    const QString& insertSQL() const { return m_insertSql; }
    const QString& modifySQL() const { return m_modifySql; }
    // The identity column the server fills on insert ("ID" unless set).
    void setKeyField(const QString& name) { m_keyField = name; }
    const QString& keyField() const { return m_keyField; }

    // In-memory table: fields without a statement (Open then gives an empty active set).
    void defineFields(const QStringList& names);

    // ---- open / close -------------------------------------------------------------------
    void Open();
    void Close();
    void Refresh() { Close(); Open(); }
    // Reopens and puts the first row in edit, a new one when the statement gives none: the
    // one-row scratch record ("Select 0 Id From NullTable") a dialog binds its pickers to.
    void OpenEditRow();
    bool Active() const { return m_state != State::Inactive; }
    State state() const { return m_state; }

    // ---- fields -------------------------------------------------------------------------
    const QStringList& fieldNames() const { return m_fields; }
    int fieldIndex(const QString& name) const; // case-insensitive, -1 when absent
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    QVariant FieldByName(const QString& name) const; // current row; throws when no such field
    QString AsString(const QString& name) const;
    double AsFloat(const QString& name) const;
    int AsInteger(const QString& name) const;
    // Sets a field of the current row; puts the row into edit mode when browsing.
    void SetField(const QString& name, const QVariant& value);
    // Values of any visible row.
    QVariant value(int row, int field) const;
    QVariant value(int row, const QString& name) const;
    void setValue(int row, int field, const QVariant& v);
    // Writes a value into any row without moving the cursor or changing the edit state
    // (for bookkeeping columns such as line numbers); the row counts as changed.
    void assign(int row, const QString& name, const QVariant& v);
    QVariant oldValue(int row, const QString& name) const;
    RowState rowState(int row) const;

    // ---- navigation ---------------------------------------------------------------------
    int RecordCount() const { return m_rows.size(); }
    bool IsEmpty() const { return m_rows.isEmpty(); }
    int RecNo() const { return m_cur; } // 0-based current row, -1 when empty
    void setRecNo(int row);
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    bool Locate(const QString& field, const QVariant& value);

    // ---- editing ------------------------------------------------------------------------
    void Append();          // new row at the end, becomes current, state Insert
    void Insert();          // new row before the current one
    void Edit();
    void Post();
    void Cancel();
    void Delete();          // current row
    void EmptyDataSet();    // deletes every row (each recorded as deleted when it was read)
    bool Modified() const;  // current row changed since Edit/Insert

    // ---- cached updates -----------------------------------------------------------------
    bool UpdatesPending() const;
    // Sends the changes inside the caller's transaction: deletes first, then modifies and
    // inserts in row order. Throws NkError on the first failure; nothing is cleared. Each
    // inserted row's new Id is taken from its own insert (never read back by a value such
    // as the document number, which another row may share).
    void ApplyUpdates();
    // The Id the last ApplyUpdates gave to an inserted row (the current row by default);
    // 0 when the row was not inserted by it.
    int InsertedId(int row = -1) const;
    // An identity of its own for an inserted row (the current row by default), made when first
    // asked for and kept with the row through failed applies, until the row is dropped; empty
    // for a row that was read. A new document's save stores its header's, so a save whose
    // outcome was lost can be recognised when it is tried again.
    // `made` tells whether this call made it (no apply can have stored it before).
    QString InsertKey(int row = -1, bool* made = nullptr);
    // After the commit: the current values become the values as read, and inserted rows
    // carry their new Id in the key field.
    void CommitUpdates();
    void CancelUpdates(); // back to the rows as read
    // The rows the statement gives now are the rows as read (the columns the update writes,
    // compared by value): nobody changed, added or removed a row since. Reads the database.
    bool StoredAsRead() const;
    // The same, against the rows this data set's last apply sent (current values; inserted
    // rows under the Id their insert gave, rows deleted here left out): a save whose COMMIT
    // went through without the program hearing of it. False when an inserted row was never
    // applied.
    bool StoredAsSent() const;

    // ---- hooks (form code) --------------------------------------------------------------
    std::function<void(CachedDataSet&)> OnNewRecord;   // after Append/Insert made the row
    std::function<void(CachedDataSet&)> BeforePost;    // may throw to refuse the post
    std::function<void(CachedDataSet&)> AfterPost;
    std::function<void(CachedDataSet&)> BeforeDelete;  // may throw to refuse
    std::function<void(CachedDataSet&)> AfterDelete;
    std::function<void(CachedDataSet&)> AfterScroll;
    std::function<void(CachedDataSet&, const QString& field)> OnFieldChange;
    // Drops every hook (the owner is going away: nothing may call back into it).
    void clearHooks();

    const QString& name() const { return m_name; }

signals:
    void reset();                       // opened, closed, refreshed
    void rowChanged(int row);           // any value of a row changed
    // The same, naming the field (its index; -1 when any field of the row may have changed),
    // so a control bound to one field does nothing for the others.
    void fieldChanged(int row, int field);
    void rowAboutToBeInserted(int row); // models begin their insert here
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void currentChanged(int row);

private:
    struct Row {
        QVector<QVariant> cur;
        QVector<QVariant> old;
        RowState st = RowState::Unchanged;
        QVariant newId; // from the insert of the last apply
        QString insertKey; // InsertKey, made on demand
    };
    QSqlDatabase database() const;
    void checkActive() const;
    void ensureCurrent() const;
    void setCurrent(int row);
    int newRow(int at);
    bool storedAs(bool sent) const;

    QString m_name;
    QSqlDatabase m_db;
    bool m_hasDb = false;
    QString m_sql;
    QVariantMap m_params; // keys upper-case
    QString m_insertSql, m_modifySql, m_deleteSql;
    QString m_keyField = QStringLiteral("ID");
    QStringList m_fields;
    mutable QHash<QString, int> m_fieldIndex; // names as asked for -> column, filled on use
    QList<Row> m_rows;
    QList<Row> m_deleted; // rows read from the database and deleted since
    State m_state = State::Inactive;
    int m_cur = -1;
    bool m_eof = true;
    bool m_bof = true;
    Row m_editBackup;
    bool m_rowModified = false;
};
