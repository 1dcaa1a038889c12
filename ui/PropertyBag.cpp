#include "PropertyBag.h"

#include <algorithm>
#include <charconv>

namespace ui {

bool PropertyBag::ReadBool(const std::string& name, bool defaultValue) const
{
    const auto it = m_Values.find(name);
    if (it == m_Values.end())
        return defaultValue;
    if (const auto* value = std::get_if<bool>(&it->second))
        return *value;
    if (const auto* value = std::get_if<std::int32_t>(&it->second))
        return *value != 0;
    return defaultValue;
}

std::int32_t PropertyBag::ReadLong(const std::string& name, std::int32_t defaultValue) const
{
    const auto it = m_Values.find(name);
    if (it == m_Values.end())
        return defaultValue;
    if (const auto* value = std::get_if<std::int32_t>(&it->second))
        return *value;
    if (const auto* value = std::get_if<bool>(&it->second))
        return *value ? -1 : 0;
    return defaultValue;
}

std::string PropertyBag::ReadString(const std::string& name, const std::string& defaultValue) const
{
    const auto it = m_Values.find(name);
    if (it == m_Values.end())
        return defaultValue;
    if (const auto* value = std::get_if<std::string>(&it->second))
        return *value;
    return defaultValue;
}

FontSpec PropertyBag::ReadFont(const std::string& name, const FontSpec& defaultValue) const
{
    const auto it = m_Values.find(name);
    if (it == m_Values.end())
        return defaultValue;
    if (const auto* value = std::get_if<FontSpec>(&it->second))
        return *value;
    return defaultValue;
}

void PropertyBag::WriteFont(const std::string& name, const FontSpec& value, const FontSpec& defaultValue)
{
    Write(name, value, defaultValue);
}

void PropertyBag::Write(const std::string& name, Value value, const Value& defaultValue)
{
    if (value == defaultValue)
        m_Values.erase(name);
    else
        m_Values[name] = std::move(value);
}

void PropertyBag::WriteBool(const std::string& name, bool value, bool defaultValue)
{
    Write(name, value, defaultValue);
}

void PropertyBag::WriteLong(const std::string& name, std::int32_t value, std::int32_t defaultValue)
{
    Write(name, value, defaultValue);
}

void PropertyBag::WriteString(const std::string& name, const std::string& value, const std::string& defaultValue)
{
    Write(name, value, defaultValue);
}

namespace {
std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}
}  // namespace

std::string PropertyBag::ToText() const
{
    // Plain string building: the stream classes would bring the whole locale
    // machinery into the program for a few numbers.
    const auto number = [](std::int32_t n) { return std::to_string(n); };
    std::string out;
    for (const auto& [name, value] : m_Values) {
        out += name + " = ";
        if (const auto* b = std::get_if<bool>(&value)) {
            out += "Boolean:" + number(*b ? -1 : 0);
        } else if (const auto* n = std::get_if<std::int32_t>(&value)) {
            out += "Long:" + number(*n);
        } else if (const auto* font = std::get_if<FontSpec>(&value)) {
            out += "Font:" + number(static_cast<std::int32_t>(font->Size * 100 + 0.5)) + ',' +
                   number(font->Bold ? 1 : 0) + ',' + number(font->Italic ? 1 : 0) + ',' + number(font->Charset) +
                   ',' + Quoted(font->Name);
        } else {
            out += "String:" + Quoted(std::get<std::string>(value));
        }
        out += "\r\n";
    }
    return out;
}

namespace {

bool ParseInt(std::string_view text, std::int32_t& value)
{
    const auto* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && ptr == end;
}

bool ParseString(std::string_view text, std::string& value)
{
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        return false;
    text = text.substr(1, text.size() - 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            if (++i == text.size())
                return false;
        } else if (text[i] == '"') {
            return false;
        }
        value += text[i];
    }
    return true;
}

// 825,1,0,0,"Tahoma": size in hundredths, bold, italic, character set, name.
bool ParseFont(std::string_view text, FontSpec& font)
{
    std::int32_t numbers[4] = {};
    for (auto& number : numbers) {
        const auto comma = text.find(',');
        if (comma == std::string_view::npos || !ParseInt(text.substr(0, comma), number))
            return false;
        text.remove_prefix(comma + 1);
    }
    if (numbers[0] <= 0 || (numbers[1] != 0 && numbers[1] != 1) || (numbers[2] != 0 && numbers[2] != 1) ||
        numbers[3] < 0 || numbers[3] > 255)
        return false;
    std::string name;
    if (!ParseString(text, name))
        return false;
    font = FontSpec{name, numbers[0] / 100.0, numbers[1] == 1, numbers[2] == 1, numbers[3]};
    return true;
}

}  // namespace

std::optional<PropertyBag> PropertyBag::FromText(const std::string& text)
{
    PropertyBag bag;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const auto equals = line.find(" = ");
        const auto colon = line.find(':', equals == std::string::npos ? 0 : equals);
        if (equals == std::string::npos || equals == 0 || colon == std::string::npos)
            return std::nullopt;
        const std::string name = line.substr(0, equals);
        const std::string_view type = std::string_view(line).substr(equals + 3, colon - equals - 3);
        const std::string_view body = std::string_view(line).substr(colon + 1);
        std::int32_t number = 0;
        std::string string;
        FontSpec font;
        if (type == "Boolean" && ParseInt(body, number) && (number == 0 || number == -1))
            bag.m_Values[name] = number != 0;
        else if (type == "Long" && ParseInt(body, number))
            bag.m_Values[name] = number;
        else if (type == "String" && ParseString(body, string))
            bag.m_Values[name] = std::move(string);
        else if (type == "Font" && ParseFont(body, font))
            bag.m_Values[name] = font;
        else
            return std::nullopt;
    }
    return bag;
}

}  // namespace ui
