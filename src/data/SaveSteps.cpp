#include "data/SaveSteps.h"

namespace SaveSteps {

namespace {
std::function<void(Step)>& hook()
{
    static std::function<void(Step)> h;
    return h;
}
} // namespace

void setHook(std::function<void(Step)> h)
{
    hook() = std::move(h);
}

void report(Step step)
{
    if (hook())
        hook()(step);
}

} // namespace SaveSteps
