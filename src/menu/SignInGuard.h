#pragma once
#include <QtGlobal>
#include <functional>

// Counts wrong passwords in a row: after MaxFailures of them, sign-in is refused for
// LockSeconds, whatever is typed. A right password ends the row.
class SignInGuard {
public:
    static constexpr int MaxFailures = 5;
    static constexpr int LockSeconds = 60;
    using Clock = std::function<qint64()>; // milliseconds of a clock that never goes back

    SignInGuard();
    void setClock(Clock clock) { m_clock = std::move(clock); }

    bool locked() const { return secondsLeft() > 0; }
    int secondsLeft() const;
    void failed();
    void succeeded();

private:
    Clock m_clock;
    int m_failures = 0;
    qint64 m_lockedUntil = 0;
};
