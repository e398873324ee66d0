#pragma once
// Waits for another process (the real program, a server) by polling, without
// running this thread's events; false when the time runs out first.
#include <QElapsedTimer>
#include <QThread>
#include <functional>

inline bool Wait_For(const std::function<bool()>& condition, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms)
            return false;
        QThread::msleep(50);
    }
    return true;
}
