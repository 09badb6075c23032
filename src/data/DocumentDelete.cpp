#include "data/DocumentDelete.h"

#include "data/CachedDataSet.h"
#include "data/TDM.h"

namespace DocumentDelete {

void MarkDeleted(CachedDataSet& hd, const QString& number, const Steps& steps)
{
    const int id = hd.AsInteger(QStringLiteral("ID"));
    DM->StartTransaction();
    try {
        if (steps.beforeHeader)
            steps.beforeHeader();
        hd.SetField(QStringLiteral("DelFlag"), QStringLiteral("Y"));
        hd.Post();
        hd.ApplyUpdates();
        DM->AddUserLog(3, id, number);
        if (steps.afterLog)
            steps.afterLog();
        DM->Commit();
    } catch (...) {
        DM->Rollback();
        hd.SetField(QStringLiteral("DelFlag"), QStringLiteral("N"));
        hd.Edit();
        if (steps.undo)
            steps.undo();
        throw;
    }
    hd.CommitUpdates();
    if (steps.committed)
        steps.committed();
}

} // namespace DocumentDelete
