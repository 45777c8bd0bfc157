#pragma once

#include <QCoreApplication>

#include <chrono>
#include <thread>

// Lets the user-interface thread handle its events until condition holds or timeoutMs passed;
// returns whether it holds. For hand-overs from other threads, never for time-driven behaviour.
template<typename Condition>
bool ProcessEventsUntil(Condition condition, int timeoutMs = 5000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// The same without handling events: waits for another thread to get somewhere.
template<typename Condition>
bool WaitUntil(Condition condition, int timeoutMs = 5000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
