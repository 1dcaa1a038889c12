#pragma once
// One object of a kind in place for the current scope, reached from anywhere
// through Current(): the program puts the real one in place as it starts, a
// test puts a simulated one in place for its scope, and the one before comes
// back when that scope ends.
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace os {

template <typename T>
class ScopedCurrent {
public:
    explicit ScopedCurrent(T& replacement) : m_Previous(std::exchange(s_current, &replacement)) {}
    ~ScopedCurrent() { s_current = m_Previous; }
    ScopedCurrent(const ScopedCurrent&) = delete;
    ScopedCurrent& operator=(const ScopedCurrent&) = delete;

    // The one in place. Nothing may run before one is: without it the program
    // ends, saying `missing`.
    static T& Current(const char* missing)
    {
        if (!s_current) {
            std::fputs(missing, stderr);
            std::abort();
        }
        return *s_current;
    }

private:
    static inline T* s_current = nullptr;
    T* m_Previous;
};

}  // namespace os
