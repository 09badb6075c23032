#pragma once
#include <QPointer>
#include <QSqlDatabase>
#include <QVariant>
#include <QWidget>
#include <functional>

class CachedDataSet;
class QLabel;
class QLineEdit;
class QToolButton;

// A picker frame: caption, code field, search button and the description of the chosen row.
// The code field is bound to an Id column of a cached data set: it shows the code of the row
// whose Id is in the column, takes upper-case input, and when it is left looks the typed code
// up in its table (code column equal to the text, and the filter), writes that row's Id into
// the column and shows the row's description. An unknown code clears the Id, keeps the typed
// text and says so in the description label. F5 in the field runs the search button's action;
// the button is enabled only while the field has the focus.
class TFaCodeLookup : public QWidget {
    Q_OBJECT
public:
    explicit TFaCodeLookup(QWidget* parent = nullptr);
    ~TFaCodeLookup() override;

    QLabel* Caption = nullptr;
    QLineEdit* CodeEdit = nullptr;
    QToolButton* BtSearch = nullptr;
    QLabel* DescLabel = nullptr;

    // Table and column names are written by the program, never typed by the user.
    QString LookupTable;
    QString IdField = QStringLiteral("Id");
    QString CodeField = QStringLiteral("Code");
    QString DescField = QStringLiteral("Description");
    QString Filter;          // optional condition on the table's columns, e.g. "Active='Y'"
    bool AllowNull = false;  // whether an empty code is accepted

    // The company connection unless set.
    void setDatabase(const QSqlDatabase& db);
    QSqlDatabase database() const;

    // Binds the code field to a column of the data set's current row.
    void bind(CachedDataSet* ds, const QString& field);
    CachedDataSet* dataSet() const;
    const QString& boundField() const { return m_field; }

    // The code as typed (trimmed) and setting it without a lookup.
    QString text() const;
    void setText(const QString& code);

    // Looks the code field's text up now (what leaving the field does). True when a row was
    // found (or an empty code was accepted).
    bool lookup();
    // Shows the code and description of the Id in the bound column.
    void refresh();
    // Result of the last lookup.
    bool Found() const { return m_found; }
    QVariant FoundId() const { return m_foundId; }
    QString Description() const { return m_description; }

    // Texts shown in the description label for an unknown or a refused empty code.
    static QString notFoundText();
    static QString requiredText();

    // Owner hooks: entering the field (before the frame's own handling) and leaving it
    // (after the frame's lookup).
    std::function<void()> CodeEnter;
    std::function<void()> CodeExit;

public slots:
    // The search button and F5: opens the frame's search; on OK the chosen code goes into the
    // field, which gets the focus, so that leaving it looks the code up.
    virtual void BtSearchClick() {}

signals:
    void lookedUp(bool found);

protected:
    // Leaving the code field: disables the button and looks the code up. Derived frames add
    // their own rules after calling this.
    virtual void FrameCodeExit();
    virtual void FrameCodeEnter();
    // Writes a chosen code into the field and focuses it.
    void takeChosenCode(const QString& code);
    bool eventFilter(QObject* obj, QEvent* e) override;
    bool thaiLanguage() const;

private:
    void writeBound(const QVariant& id);
    void onDataChanged();

    QSqlDatabase m_db;
    bool m_hasDb = false;
    QPointer<CachedDataSet> m_ds;
    QString m_field;
    QVariant m_shownId;
    bool m_writing = false;
    bool m_found = false;
    QVariant m_foundId;
    QString m_description;
};
