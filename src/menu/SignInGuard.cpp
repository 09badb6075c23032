#include "menu/SignInGuard.h"

#include <QDeadlineTimer>

SignInGuard::SignInGuard()
    : m_clock([] { return QDeadlineTimer::current().deadline(); })
{
}

int SignInGuard::secondsLeft() const
{
    const qint64 left = m_lockedUntil - m_clock();
    return left > 0 ? int((left + 999) / 1000) : 0;
}

void SignInGuard::failed()
{
    if (++m_failures >= MaxFailures) {
        m_failures = 0;
        m_lockedUntil = m_clock() + qint64(LockSeconds) * 1000;
    }
}

void SignInGuard::succeeded()
{
    m_failures = 0;
}
