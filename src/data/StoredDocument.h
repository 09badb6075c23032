#pragma once
#include "data/TDM.h"

#include <QList>
#include <QString>
#include <optional>

class CachedDataSet;

// Before a save writes anything: the document as this screen knows it is still what is
// stored. Another workstation's save in between must not be overwritten without a word, and
// this screen's own earlier try, stored though its COMMIT reply was lost with the connection,
// must not be stored again.
namespace StoredDocument {

// Inside the save's transaction, before anything is written.
// - A new document (the header row inserted here): its save key is looked up
//   (TDM::FindEarlierSave).
// - A stored document: its header row is locked first (on the server; the embedded engine's
//   write transaction already holds the file), so a second saver waits here for the first and
//   then reads its change. Stored rows that are no longer the rows read throw NkError of kind
//   StoredChanged, unless they are the rows this screen's last try sent.
// Answers the stored document when an earlier try of this screen stored it; the transaction is
// then ended as saved (TDM::SavedEarlier) and the caller writes nothing more.
std::optional<TDM::EarlierSave> EnsureUnchanged(CachedDataSet& header, const QList<CachedDataSet*>& parts,
                                                const QString& numberColumn);

} // namespace StoredDocument
