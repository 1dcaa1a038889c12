// The one-handle owner: every handle it is given released exactly once, and
// the value that owns nothing never.
#include "os/Owned.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::string> g_released;

void Release(int handle) { g_released.push_back(std::to_string(handle)); }
int Invalid() { return -1; }
void ReleaseFrom(char from, int handle) { g_released.push_back(from + std::to_string(handle)); }

using Plain = os::Owned<int, Release>;
using FileLike = os::Owned<int, Release, Invalid>;
using WithExtra = os::Owned<int, ReleaseFrom, os::NoHandle<int>, char>;

class OwnedHandle : public ::testing::Test {
protected:
    void SetUp() override { g_released.clear(); }
};

TEST_F(OwnedHandle, ReleasesEachHandleOnceAcrossResetMoveAndScope)
{
    {
        Plain first(1);
        first.Reset(2);
        EXPECT_EQ(g_released, (std::vector<std::string>{"1"}));
        Plain second(std::move(first));
        EXPECT_FALSE(first);
        Plain third(3);
        third = std::move(second);
        EXPECT_EQ(third.Get(), 2);
        EXPECT_EQ(g_released, (std::vector<std::string>{"1", "3"}));
        Plain detached(4);
        EXPECT_EQ(detached.Detach(), 4);
        Plain none;
        none.Reset();
    }
    EXPECT_EQ(g_released, (std::vector<std::string>{"1", "3", "2"}));
}

TEST_F(OwnedHandle, AnEmptyValueOfItsOwnIsNeverReleasedAndZeroIs)
{
    {
        FileLike failed(-1);
        EXPECT_FALSE(failed);
        FileLike fresh;
        EXPECT_EQ(fresh.Get(), -1);
        FileLike zero(0);
        EXPECT_TRUE(zero);
    }
    EXPECT_EQ(g_released, (std::vector<std::string>{"0"}));
}

TEST_F(OwnedHandle, TheExtraGoesToTheReleaseAndMovesWithTheHandle)
{
    {
        WithExtra none(0, 'a');
        WithExtra dc(5, 'w');
        WithExtra moved(std::move(dc));
        WithExtra assigned(6, 'v');
        assigned = WithExtra(7, 'x');  // the old handle goes with its own extra, the new keeps its
    }
    EXPECT_EQ(g_released, (std::vector<std::string>{"v6", "x7", "w5"}));
}

}  // namespace
