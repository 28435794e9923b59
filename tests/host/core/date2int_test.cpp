// The host's Date2Int: "Mmm dd yyyy" to (year % 100) * 10000 + month * 100 + day.
#include <gtest/gtest.h>

#include "host/core/simulator.h"
#include "sdk/OrbiterAPI.h"

namespace {

int Convert(const char *text)
{
    std::string copy = text;
    return Date2Int(copy.data());
}

TEST(Date2Int, ReadsMonthDayAndYear)
{
    EXPECT_EQ(60425, Convert("Apr 25 2006"));
    EXPECT_EQ(991231, Convert("Dec 31 1999"));
    EXPECT_EQ(101, Convert("Jan 1 2000"));
}

TEST(Date2Int, GivesZeroForTextItCannotRead)
{
    EXPECT_EQ(0, Convert(""));
    EXPECT_EQ(0, Convert("April 25 2006"));
    EXPECT_EQ(0, Convert("Apr 32 2006"));
    EXPECT_EQ(0, Convert("Apr 25"));
    EXPECT_EQ(0, Convert("Apr 25 2006 extra"));
    EXPECT_EQ(0, Date2Int(nullptr));
}

} // namespace
