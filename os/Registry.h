#pragma once
// The few registry keys the program keeps for the user: keys and values under
// HKEY_CURRENT_USER, named by paths such as "Software\Classes\...". Values are
// strings; the name "" is a key's default value.
#include <optional>
#include <string>

namespace os {

class Registry {
public:
    virtual ~Registry() = default;
    virtual bool KeyExists(const std::string& key) = 0;
    // nullopt when the key or the value is missing, or is no string.
    virtual std::optional<std::string> ReadString(const std::string& key, const std::string& name) = 0;
    // Creates the key (and those above it) where missing.
    virtual bool WriteString(const std::string& key, const std::string& name, const std::string& value) = 0;
    // Removes a key with its values; a key with keys below it is left, and false.
    virtual bool DeleteKey(const std::string& key) = 0;
};

}  // namespace os
