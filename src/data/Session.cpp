#include "data/Session.h"

namespace {
Session* (*s_locate)() = nullptr;
} // namespace

Session* Session::current()
{
    return s_locate ? s_locate() : nullptr;
}

bool Session::thai()
{
    const Session* s = current();
    return !s || s->ThaiLanguage;
}

void Session::setLocator(Session* (*locate)())
{
    s_locate = locate;
}
