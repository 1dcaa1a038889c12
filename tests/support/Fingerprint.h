#pragma once
// Pinning what is drawn: pictures that nothing else says how they must look
// (faces at high DPI, the drawn controls' every state) are folded into one
// number each, which a test holds. Any change to a single pixel changes it;
// a change that is meant is taken over from the test's message, which shows
// the new number.
#include <cstdint>
#include <iomanip>
#include <sstream>
#include <string>

namespace test {

class Fingerprint {
public:
    void Add(std::uint32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            m_Hash = (m_Hash ^ ((value >> shift) & 0xFF)) * 1099511628211ull;
    }
    template <class Pixels>
    void AddAll(const Pixels& pixels)
    {
        for (const auto pixel : pixels)
            Add(static_cast<std::uint32_t>(pixel));
    }
    std::uint64_t Value() const { return m_Hash; }
    std::string Hex() const
    {
        std::ostringstream text;
        text << "0x" << std::hex << std::setw(16) << std::setfill('0') << m_Hash;
        return text.str();
    }

private:
    std::uint64_t m_Hash = 14695981039346656037ull;  // FNV-1a
};

}  // namespace test
