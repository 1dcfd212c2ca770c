// Settling the I/l classes of a reading with the roster.
#include <gtest/gtest.h>

#include "check/check.h"

TEST(ResolvedId, TakesTheOneRosterIdThatFits) {
    const std::vector<std::string> roster = {"24T1109I", "24T1109l", "CG-2026-000I", "ab12CD9z"};
    EXPECT_EQ(resolvedId("CG-2026-000[Il]", roster), "CG-2026-000I");
    // Two fit, or none does: the class stays for the instructor.
    EXPECT_EQ(resolvedId("24T1109[Il]", roster), "24T1109[Il]");
    EXPECT_EQ(resolvedId("24T1108[Il]", roster), "24T1108[Il]");
    EXPECT_EQ(resolvedId("24T1109[Il]", {"24T1109l", "24T1109l"}), "24T1109l");
    // A class stands for one character, and only for I or l.
    EXPECT_EQ(resolvedId("ab12CD9[Il]", {"ab12CD9z", "ab12CD9"}), "ab12CD9[Il]");
    EXPECT_EQ(resolvedId("ab12CD9z", roster), "ab12CD9z");
}
