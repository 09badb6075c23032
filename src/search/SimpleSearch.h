#pragma once
#include "search/TFrSearch.h"

// The generic code-and-description search over any table: the typed text is looked for
// anywhere in the description column.
class TFrSimpleSearch : public TFrSearch {
    Q_OBJECT
public:
    explicit TFrSimpleSearch(QWidget* parent = nullptr);

    // Column and table names come from the calling program, never from the user.
    QString CodeField = QStringLiteral("Code");
    QString DescField = QStringLiteral("Description");
    QString SearchTable;
    QString SearchFilter; // optional condition, written by the calling program
    QString SearchCaption;

    // The statement for the current fields (also what FormShow puts into QSearch).
    QStringList BuildStatement() const;

public slots:
    void BtSearchClick() override;

protected:
    void FormShow() override;
};

// SimpleSearch of the data module, as a free function: creates the dialog on first use and
// keeps it, sets caption, code column, table, filter and description column, shows it
// modally and answers true when it closed with OK; the chosen code is then in
// SimpleSearchDialog()->ResultValue.
bool SimpleSearch(const QString& caption, const QString& codeField, const QString& table,
                  const QString& filter, const QString& descField);
TFrSimpleSearch* SimpleSearchDialog();
