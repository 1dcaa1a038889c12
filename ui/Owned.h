#pragma once
// Owners of what a form or control makes for itself: a GDI object (brush,
// font, ...) is deleted, a window of its own (a tooltip) destroyed, when its
// owner goes. Nothing of the kind is released by hand. The releases are the
// system's calls, made in Owned_win.cpp.
#include "UiTypes.h"

#include <utility>

namespace ui {

template <typename Handle, void (*Release)(Handle)>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : m_Handle(handle) {}
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : m_Handle(std::exchange(other.m_Handle, Handle{})) {}
    Owned& operator=(Owned&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_Handle, Handle{}));
        return *this;
    }

    void Reset(Handle handle = {})
    {
        if (m_Handle)
            Release(m_Handle);
        m_Handle = handle;
    }
    Handle Get() const { return m_Handle; }
    explicit operator bool() const { return static_cast<bool>(m_Handle); }

private:
    Handle m_Handle{};
};

void DeleteGdiObject(GdiHandle object);
void DestroyOwnWindow(WindowHandle window);

using OwnedGdi = Owned<GdiHandle, DeleteGdiObject>;
using OwnedWindow = Owned<WindowHandle, DestroyOwnWindow>;

}  // namespace ui
