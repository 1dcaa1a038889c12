#pragma once
// Named, typed design-time values of a control, stored with its window. A key
// that is missing reads as the caller's default, and a value equal to its
// default is not written. Booleans are stored 16-bit, true as -1.
//
// Text form, one entry a line:  Name = Boolean:-1 | Long:2 | String:"text" |
// Font:825,1,0,0,"Tahoma" (size in hundredths of a point, bold, italic,
// character set, name); in quoted strings \" and \\ escape a quote and a
// backslash. Names are the controls' own property names, taken as they stand.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>

#include "UiTypes.h"

namespace ui {

class PropertyBag {
public:
    using Value = std::variant<bool, std::int32_t, std::string, FontSpec>;

    bool ReadBool(const std::string& name, bool defaultValue) const;
    std::int32_t ReadLong(const std::string& name, std::int32_t defaultValue) const;
    std::string ReadString(const std::string& name, const std::string& defaultValue) const;
    FontSpec ReadFont(const std::string& name, const FontSpec& defaultValue) const;

    void WriteBool(const std::string& name, bool value, bool defaultValue);
    void WriteLong(const std::string& name, std::int32_t value, std::int32_t defaultValue);
    void WriteString(const std::string& name, const std::string& value, const std::string& defaultValue);
    void WriteFont(const std::string& name, const FontSpec& value, const FontSpec& defaultValue);

    bool Contains(const std::string& name) const { return m_Values.count(name) != 0; }
    std::size_t Count() const { return m_Values.size(); }

    std::string ToText() const;
    // nullopt when a line cannot be read; nothing of a broken text is taken.
    static std::optional<PropertyBag> FromText(const std::string& text);

private:
    void Write(const std::string& name, Value value, const Value& defaultValue);
    std::map<std::string, Value> m_Values;
};

}  // namespace ui
