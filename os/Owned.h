#pragma once
// The owner of one handle: a GDI object, a DC, a file, a search, a mutex. The
// handle is released once, when its owner goes or is given another, and never
// by hand. Portable: the release is a function of the caller's choosing.
//
//   Release  void(Handle), or void(Extra, Handle) where the release needs one
//            more value kept with the handle (the window a DC came from);
//   Empty    the value that owns nothing: Handle{} unless told (a file's
//            INVALID_HANDLE_VALUE, which is not a constant).
#include <type_traits>
#include <utility>

namespace os {

template <typename Handle>
Handle NoHandle()
{
    return Handle{};
}

struct NoExtra {};

template <typename Handle, auto Release, auto Empty = NoHandle<Handle>, typename Extra = NoExtra>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : m_Handle(handle) {}
    Owned(Handle handle, Extra extra) : m_Handle(handle), m_Extra(extra) {}
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : m_Handle(other.Detach()), m_Extra(other.m_Extra) {}
    Owned& operator=(Owned&& other) noexcept
    {
        if (this != &other) {
            Reset(other.Detach());
            m_Extra = other.m_Extra;
        }
        return *this;
    }

    // Releases the handle held, if any, and owns `handle` instead.
    void Reset(Handle handle = Empty())
    {
        if (m_Handle != Empty()) {
            if constexpr (std::is_same_v<Extra, NoExtra>)
                Release(m_Handle);
            else
                Release(m_Extra, m_Handle);
        }
        m_Handle = handle;
    }
    // The handle, no longer owned: for a release whose result counts.
    Handle Detach() { return std::exchange(m_Handle, Empty()); }
    Handle Get() const { return m_Handle; }
    explicit operator bool() const { return m_Handle != Empty(); }

private:
    Handle m_Handle = Empty();
    [[no_unique_address]] Extra m_Extra{};
};

}  // namespace os
