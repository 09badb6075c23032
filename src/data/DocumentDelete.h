#pragma once
#include <QString>
#include <functional>

class CachedDataSet;

// Deleting a stored document keeps its header: DelFlag becomes "Y" and the user log records
// action 3, in one transaction. A document adds its own work around the header through the
// steps; on any failure everything is rolled back, the header is back to "N" in edit, and
// the error goes on to the caller.
namespace DocumentDelete {

struct Steps {
    std::function<void()> beforeHeader; // inside the transaction, before the header is written
    std::function<void()> afterLog;     // inside the transaction, after the user log
    std::function<void()> undo;         // after a rollback
    std::function<void()> committed;    // after the commit
};

void MarkDeleted(CachedDataSet& header, const QString& number, const Steps& steps = {});

} // namespace DocumentDelete
