// How a path goes to the wide file calls and how their answers come back.
#include "os/SystemPath.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

namespace paths = os::paths;
using paths::Mark;

// A path of MAX_PATH units or more is marked, each form with its own mark, and
// the answer for it comes back in the form the caller wrote. A device query's
// reply is handed over when its UTF-8 fits the caller's bytes, to the last byte.
TEST(SystemPath, MarksGoOnLongPathsAndComeOffTheirAnswers)
{
    const std::u16string drive = u"C:\\" + std::u16string(256, u'd');  // 259 units
    const struct {
        std::u16string path;
        bool needsLongForm;
        std::u16string marked;
        Mark mark;
    } cases[] = {
        {drive, false, u"\\\\?\\" + drive, Mark::Drive},
        {drive + u'x', true, u"\\\\?\\" + drive + u'x', Mark::Drive},
        {u"\\\\server\\share\\a", false, u"\\\\?\\UNC\\server\\share\\a", Mark::Network},
        {u"\\\\.\\COM1", false, u"\\\\?\\COM1", Mark::Device},
        {u"relative\\a", false, u"relative\\a", Mark::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        EXPECT_EQ(paths::NeedsLongForm(c.path), c.needsLongForm);
        const auto form = paths::LongForm(c.path);
        EXPECT_EQ(form.path, c.marked);
        EXPECT_EQ(form.added, c.mark);
        EXPECT_EQ(paths::Unmarked(form.path, form.added), c.path);
    }
    EXPECT_FALSE(paths::NeedsLongForm(u"\\\\?\\" + drive + u'x'));  // marked already
    // An answer the system gave without the mark is handed over as it came.
    for (const Mark mark : {Mark::Drive, Mark::Device, Mark::Network})
        EXPECT_EQ(paths::Unmarked(u"C:\\Data\\x", mark), u"C:\\Data\\x");

    const struct {
        std::u16string reply;
        std::uint32_t capacity;
        std::optional<std::string> fitted;
    } replies[] = {
        {u"\\??\\C:\\\u00C9t\u00E9", 12, "\\??\\C:\\\xC3\x89t\xC3\xA9"},  // two bytes for each accent
        {u"\\??\\C:\\\u00C9t\u00E9", 11, std::nullopt},
        {u"", 0, ""},
    };
    for (const auto& r : replies)
        EXPECT_EQ(paths::FittedReply(r.reply, r.capacity), r.fitted) << r.capacity;
}

}  // namespace
