#include "data/StoredDocument.h"

#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/TDM.h"

#include <QRegularExpression>

#include <algorithm>

namespace StoredDocument {

std::optional<TDM::EarlierSave> EnsureUnchanged(CachedDataSet& header, const QList<CachedDataSet*>& parts,
                                                const QString& numberColumn)
{
    if (!header.Active() || header.RecNo() < 0)
        return std::nullopt;
    if (header.rowState(header.RecNo()) == CachedDataSet::RowState::Inserted)
        return DM->FindEarlierSave(header, numberColumn);
    const QSqlDatabase db = DM->DMdata();
    if (Db::backendOf(db) == Db::Backend::PostgreSQL) {
        static const QRegularExpression table(QStringLiteral("^\\s*update\\s+([A-Za-z_][A-Za-z0-9_]*)"),
                                              QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = table.match(header.modifySQL());
        const QVariant id = header.oldValue(header.RecNo(), header.keyField());
        if (m.hasMatch() && !id.isNull())
            Db::exec(db, QStringLiteral("SELECT 1 FROM %1 WHERE %2 = :id FOR UPDATE").arg(m.captured(1), header.keyField()),
                     {{QStringLiteral("id"), id}});
    }
    QList<CachedDataSet*> all{&header};
    all += parts;
    all.removeAll(nullptr);
    for (const CachedDataSet* ds : all) {
        if (ds->StoredAsRead())
            continue;
        if (std::all_of(all.cbegin(), all.cend(), [](const CachedDataSet* d) { return d->StoredAsSent(); })) {
            const TDM::EarlierSave stored{header.AsInteger(header.keyField()), header.AsString(numberColumn).trimmed()};
            DM->SavedEarlier(stored.number);
            return stored;
        }
        throw NkError(QStringLiteral("The document was changed by another workstation since it was read (%1)").arg(ds->name()),
                      NkError::Kind::StoredChanged);
    }
    return std::nullopt;
}

} // namespace StoredDocument
