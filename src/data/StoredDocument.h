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
// set's stored rows are no longer the rows it read, unless they are the rows this screen's
// last try sent: that try was stored, its COMMIT reply lost with the connection, and the
// answer is AlreadySaved (the caller writes nothing and ends as saved, TDM::SavedEarlier).
enum class Stored { AsRead, AlreadySaved };
Stored EnsureUnchanged(CachedDataSet& header, const QList<CachedDataSet*>& parts);

} // namespace StoredDocument
