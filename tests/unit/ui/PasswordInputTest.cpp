#include <gtest/gtest.h>

#include "ui/PasswordInput.h"

namespace orvane {
namespace {

TEST(PasswordInput, NeedsFourCp932Bytes) {
    const struct {
        const char* text;
        bool enough;
    } cases[] = {
        {"", false}, {"abc", false}, {"abcd", true}, {"あ", false}, {"あい", true},
        {"aあ", false}, {"aあb", true}, {"ｱｲｳ", false}, {"ｱｲｳｴ", true}, {"😀😀", false},
    };
    for (const auto& c : cases) EXPECT_EQ(passwordLongEnough(c.text), c.enough) << c.text;
}

}  // namespace
}  // namespace orvane
