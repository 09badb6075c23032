#pragma once
#include <QString>

// While a save waits for a database another workstation is writing, the user sees a busy
// cursor and a status text on the active window (the wait itself is the data layer's; see
// Db::beginTransaction). Installed once at start-up.
void InstallLockWaitFeedback();
// The status text shown while waiting, in the user's language.
QString LockWaitText();
