#pragma once
#include <functional>

// The steps of a document's saving transaction, reported to a test hook before each one
// runs. A hook that throws makes that step fail as a database error would, so every form's
// rollback can be checked at every step. Documents skip the steps they do not have.
namespace SaveSteps {

enum class Step { Number, Header, Log, Duty, Lines, GL, Commit };

void setHook(std::function<void(Step)> hook);
// Called by the save before the step runs.
void report(Step step);

} // namespace SaveSteps
