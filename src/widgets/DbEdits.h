#pragma once
#include <QLineEdit>
#include <QPointer>

#include "data/CachedDataSet.h"

// Edits bound to a column of a cached data set's current row. They show the row's value
// whenever the row changes and write the typed text back when the user leaves them (or when
// the form calls commit() before saving), so typed text is never lost.
class TDbEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDbEdit(QWidget* parent = nullptr);
    void bind(CachedDataSet* ds, const QString& field);
    CachedDataSet* dataSet() const { return m_ds; }
    const QString& field() const { return m_field; }
    void setUpperCase(bool on) { m_upper = on; }
    bool upperCase() const { return m_upper; }
    // Writes the text into the field now; false when the text cannot be stored (the edit
    // keeps the text and the focus stays for correction).
    virtual bool commit();
    // Shows the field's current value again.
    virtual void refresh();
    // False when the text typed cannot be stored in the field (a date that is no date). An
    // edit emptied of everything typed is no such text: leaving it shows the stored value again.
    bool textReadable() const;
    // Names the text that cannot be stored in a message and puts the cursor back in the field,
    // the text selected for correction: typed text never vanishes unseen.
    void refuse();

signals:
    void committed();

protected:
    virtual QString display(const QVariant& v) const;
    virtual bool parse(const QString& text, QVariant& out) const;
    // The message for text the field cannot store, in the user's language.
    virtual QString refusalText() const;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

    QPointer<CachedDataSet> m_ds;
    QString m_field;
    bool m_upper = false;
    bool m_updating = false;
};

// dd/mm/yyyy with four-digit years; shows today's date when the field is empty.
class TDbDateEdit : public TDbEdit {
    Q_OBJECT
public:
    explicit TDbDateEdit(QWidget* parent = nullptr);
    QDate date() const;
    void setDate(const QDate& d);

protected:
    QString display(const QVariant& v) const override;
    bool parse(const QString& text, QVariant& out) const override;
    QString refusalText() const override;
};

// A number with a given number of decimals: shown with the display pattern ("#,##0.00"),
// edited plain ("###0.00").
class TDbNumberEdit : public TDbEdit {
    Q_OBJECT
public:
    explicit TDbNumberEdit(QWidget* parent = nullptr);
    void setDecimals(int d) { m_decimals = d; refresh(); }
    void setDisplayFormat(const QString& f) { m_displayFormat = f; refresh(); }
    double number() const;

protected:
    QString display(const QVariant& v) const override;
    bool parse(const QString& text, QVariant& out) const override;
    QString refusalText() const override;
    void focusInEvent(QFocusEvent* e) override;

private:
    int m_decimals = 2;
    QString m_displayFormat = QStringLiteral("#,##0.00");
};
