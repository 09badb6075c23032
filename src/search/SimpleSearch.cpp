#include "search/SimpleSearch.h"

#include "app/MessageService.h"
#include "search/SearchQuery.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

TFrSimpleSearch::TFrSimpleSearch(QWidget* parent)
    : TFrSearch(parent)
{
    setObjectName(QStringLiteral("FrSimpleSearch"));
    LbCode->setText(tr("รายละเอียด"));
}

QStringList TFrSimpleSearch::BuildStatement() const
{
    const QString desc = DescField.trimmed().isEmpty() ? QStringLiteral("Description") : DescField;
    const QString code = CodeField.trimmed().isEmpty() ? QStringLiteral("Code") : CodeField;
    QStringList sql;
    sql << QStringLiteral("Select Id, ") + desc + QStringLiteral(", ") + code + QStringLiteral(" From ") + SearchTable
               + QStringLiteral(" Where (") + desc + QStringLiteral(" Like :GetCode) ");
    if (!SearchFilter.trimmed().isEmpty())
        sql << QStringLiteral("And (") + SearchFilter + QStringLiteral(")");
    sql << QStringLiteral("Order By ") + desc;
    return sql;
}

void TFrSimpleSearch::FormShow()
{
    LbCode->setText(tr("รายละเอียด"));
    setWindowTitle(SearchCaption.trimmed().isEmpty() ? QStringLiteral("Search") : SearchCaption);
    if (CodeField.trimmed().isEmpty())
        CodeField = QStringLiteral("Code");
    if (DescField.trimmed().isEmpty())
        DescField = QStringLiteral("Description");

    QSearch->Close();
    QSearch->SQL = BuildStatement();
    QSearch->clearColumns();
    QSearch->addColumn(DescField, tr("รายละเอียด"), 380);
    QSearch->addColumn(CodeField, tr("รหัส"), 120);

    TFrSearch::FormShow();
    ResultField = CodeField;
}

void TFrSimpleSearch::BtSearchClick()
{
    // The typed text is a parameter, found anywhere in the description; a quote in it is
    // just a character to look for.
    QSearch->setParam(QStringLiteral("GetCode"), QStringLiteral("%") + Code->text() + QStringLiteral("%"));
    TFrSearch::BtSearchClick();
}

namespace {
QPointer<TFrSimpleSearch> g_simpleSearch;
}

TFrSimpleSearch* SimpleSearchDialog()
{
    if (!g_simpleSearch)
        g_simpleSearch = new TFrSimpleSearch(nullptr);
    return g_simpleSearch;
}

bool SimpleSearch(const QString& caption, const QString& codeField, const QString& table,
                  const QString& filter, const QString& descField)
{
    TFrSimpleSearch* dlg = SimpleSearchDialog();
    dlg->SearchCaption = caption;
    dlg->CodeField = codeField;
    dlg->SearchTable = table;
    dlg->SearchFilter = filter;
    dlg->DescField = descField;
    return MessageService::execDialog(dlg) == QDialog::Accepted;
}
