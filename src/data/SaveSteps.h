#pragma once
#include <functional>

// The steps of a document's saving transaction, reported to a test hook before each one
// runs. A hook that throws makes that step fail as a database error would, so every form's
// rollback can be checked at every step. Documents skip the steps they do not have.
namespace SaveSteps {

// Committed comes after the commit succeeded, before the program hears of it: a hook that
// throws there is a reply lost with the connection, the document stored without the saver
// knowing.
enum class Step { Number, Header, Log, Duty, Lines, GL, Commit, Committed };

void setHook(std::function<void(Step)> hook);
// Called by the save before the step runs.
void report(Step step);

} // namespace SaveSteps
