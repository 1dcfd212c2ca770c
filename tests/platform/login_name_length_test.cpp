// The platform login name against the program's 64-byte buffer, with the passwd
// lookup answering names of any length.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <pwd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/platform.h"

namespace {

// While not empty, every passwd lookup by uid finds this name.
std::string fakeName;

}  // namespace

// Stands in for the C library's getpwuid_r in this test program: a definition
// in the executable takes precedence over the shared library's, and the
// platform layer calls it by name. Without a fake name it passes the call on.
extern "C" int getpwuid_r(uid_t uid, passwd* entry, char* buffer, size_t size, passwd** result) {
    if (fakeName.empty()) {
        using Lookup = int (*)(uid_t, passwd*, char*, size_t, passwd**);
        static const auto real = reinterpret_cast<Lookup>(dlsym(RTLD_NEXT, "getpwuid_r"));
        return real(uid, entry, buffer, size, result);
    }
    *result = nullptr;
    if (fakeName.size() + 1 > size) {
        return ERANGE;
    }
    std::memcpy(buffer, fakeName.c_str(), fakeName.size() + 1);
    *entry = passwd{};
    entry->pw_name = buffer;
    entry->pw_uid = uid;
    *result = entry;
    return 0;
}

namespace {

constexpr int loginNameBufferSize = 64;
constexpr char guard = 0x5a;

class LongLoginName : public ::testing::Test {
protected:
    void TearDown() override { fakeName.clear(); }

    // The login name read into a 64-byte buffer followed by guard bytes, which
    // must stay untouched.
    int readLoginName(std::string* read) {
        char area[loginNameBufferSize + 16];
        std::memset(area, guard, sizeof area);
        const int length = platformLoginName(area, loginNameBufferSize);
        for (std::size_t i = loginNameBufferSize; i < sizeof area; ++i) {
            EXPECT_EQ(area[i], guard) << "byte " << i << " past the buffer was written";
        }
        *read = std::string(area, strnlen(area, loginNameBufferSize));
        return length;
    }
};

TEST_F(LongLoginName, SixtyThreeCharactersFitWithTheTerminatingZero) {
    fakeName = std::string(63, 'n');
    std::string read;
    EXPECT_EQ(readLoginName(&read), 63);
    EXPECT_EQ(read, fakeName);
}

TEST_F(LongLoginName, SixtyFourCharactersOrMoreAreAFailureWithAnEmptyBuffer) {
    for (const std::size_t length : {64u, 65u, 300u, 5000u}) {
        fakeName = std::string(length, 'x');
        std::string read = "not read";
        EXPECT_EQ(readLoginName(&read), -1) << "name of " << length << " characters";
        EXPECT_EQ(read, "") << "name of " << length << " characters";
    }
}

}  // namespace
