#pragma once
// Small Win32 helpers shared by the toolkit's *_win.cpp files.
#include "UiTypes.h"

#include <windows.h>

namespace ui::win {

inline HWND H(Handle handle) { return reinterpret_cast<HWND>(handle); }
inline Handle ToHandle(const void* p) { return reinterpret_cast<Handle>(p); }

// A colour value as GDI takes it, system colours resolved.
inline COLORREF ToColorRef(Color color)
{
    return IsSystemColor(color) ? GetSysColor(static_cast<int>(color & 0xFF)) : static_cast<COLORREF>(color & 0xFFFFFF);
}

// Owns one GDI object and deletes it.
template <typename T>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(T object) : m_Object(object) {}
    ~GdiObject() { Reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : m_Object(other.m_Object) { other.m_Object = nullptr; }
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_Object = other.m_Object;
            other.m_Object = nullptr;
        }
        return *this;
    }
    void Reset(T object = nullptr)
    {
        if (m_Object)
            DeleteObject(m_Object);
        m_Object = object;
    }
    T Get() const { return m_Object; }

private:
    T m_Object = nullptr;
};

// Selects an object into a DC for one scope.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : m_Dc(dc), m_Old(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(m_Dc, m_Old); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC m_Dc;
    HGDIOBJ m_Old;
};

HFONT CreateFontFor(const FontSpec& font);
HICON LoadIconResource(int id, int size);

}  // namespace ui::win
