#pragma once
#include <QList>

class CachedDataSet;

// Two workstations that opened the same document: the one that saves second must not
// overwrite the other's work without a word.
namespace StoredDocument {

// Inside the save's transaction, before anything is written. For a stored document (the
// header row was read, not inserted) its header row is locked first (on the server; the
// embedded engine's write transaction already holds the file), so a second saver waits here
// for the first and then reads its change. Throws NkError of kind StoredChanged when a data
// set's stored rows are no longer the rows it read.
void EnsureUnchanged(CachedDataSet& header, const QList<CachedDataSet*>& parts);

} // namespace StoredDocument
