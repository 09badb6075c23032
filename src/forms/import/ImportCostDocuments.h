#pragma once
#include "forms/import/ImportCostCalc.h"
#include "report/ReportPage.h"

#include <QAbstractTableModel>
#include <QMarginsF>

// The documents behind a lot's expense total, so an accountant can tie the figure to the
// bills: on the result form as a table with a total row, and in the PDF export as pages of
// their own after the sheet.
class ImportCostDocumentModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Kind, Number, Date, Vendor, Counted, VatLeftOut, ColumnCount };

    explicit ImportCostDocumentModel(QObject* parent = nullptr);

    // The last row is the total of the documents.
    void setDocuments(const QVector<LotExpenseDocument>& documents, bool thai);
    const QVector<LotExpenseDocument>& documents() const { return m_docs; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    static QString title(int column, bool thai);

private:
    QVector<LotExpenseDocument> m_docs;
    double m_counted = 0;
    double m_vat = 0;
    bool m_thai = true;
};

namespace ImportCostDocuments {

// The sentence under the list: what is counted and what is left out.
QString Note(bool thai);
// The list as pages of the given size and margins: the title and lot line, the heading of the
// list, one row per document and the total; as many pages as the documents need.
QList<ReportPage> pages(const QVector<LotExpenseDocument>& documents, const QSizeF& pageSize,
                        const QMarginsF& margins, const QString& title, const QString& condition, bool thai);

} // namespace ImportCostDocuments
