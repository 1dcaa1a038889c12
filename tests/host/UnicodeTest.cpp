#include "os/Text.h"

#include <gtest/gtest.h>

namespace {

using text::Utf16ToUtf8;
using text::Utf8ToUtf16;

// Names in every script the program may meet go to UTF-16 and back unchanged.
TEST(Unicode, NamesRoundTripThroughUtf16)
{
    const struct {
        std::string utf8;
        std::u16string utf16;
    } cases[] = {
        {"C:\\Data", u"C:\\Data"},
        {"C:\\\xD0\x9F\xD0\xBB\xD1\x8E\xD1\x81", u"C:\\\u041F\u043B\u044E\u0441"},           // Плюс
        {"C:\\\xE5\x86\x99\xE7\x9C\x9F", u"C:\\\u5199\u771F"},                               // 写真
        {"C:\\\xCE\x91\xCF\x81\xCF\x87\xCE\xB5\xCE\xAF\xCE\xB1", u"C:\\\u0391\u03C1\u03C7\u03B5\u03AF\u03B1"},  // Αρχεία
        {"\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF", u"\x0080\x07FF\x0800\xFFFF"},         // the ends of the two- and three-byte forms
        {"C:\\\xF0\x9F\x93\x81", u"C:\\\xD83D\xDCC1"},                                         // U+1F4C1, a surrogate pair
        {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", u"\xD800\xDC00\xDBFF\xDFFF"},                // U+10000 and U+10FFFF, the ends of the pairs
        {"\xED\xA0\xBD", std::u16string(1, char16_t(0xD83D))},                                 // an unpaired surrogate
        {"\xED\xA0\xBD\xEE\x80\x80", u"\xD83D\xE000"},  // one before a character past the low surrogates
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16);
        EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8);
    }
}

// Bytes that are no UTF-8 (an ANSI file read as UTF-8, a cut sequence, an
// overlong form) each become one replacement character, and nothing after them is lost.
TEST(Unicode, BytesThatAreNoUtf8BecomeReplacementCharacters)
{
    const struct {
        std::string bytes;
        std::u16string utf16;
    } cases[] = {
        {"\xC4rger", u"\uFFFDrger"},
        {"x\xE5\x86", u"x\uFFFD\uFFFD"},
        {"\xC0\xAF/", u"\uFFFD\uFFFD/"},
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(Utf8ToUtf16(c.bytes), c.utf16);
    }
    EXPECT_TRUE(text::IsAscii("M: \tC:\\Data"));
    EXPECT_FALSE(text::IsAscii("C:\\\xE9"));
}

}  // namespace
