#include <gtest/gtest.h>

#include "text/Utf16.h"

namespace orvane::text {
namespace {

TEST(Utf16, RoundTripsEveryPlane) {
    const std::string samples[] = {"", "abc", "予ソ表", "ｷｬﾝｾﾙ", "\xf0\x9f\x98\x80x"};
    for (const auto& s : samples) {
        const auto wide = utf8ToUtf16(s);
        ASSERT_TRUE(wide.has_value()) << s;
        EXPECT_EQ(utf16ToUtf8(*wide), s);
    }
    EXPECT_EQ(utf8ToUtf16("\xf0\x9f\x98\x80"), std::u16string(u"\xd83d\xde00"));
}

TEST(Utf16, RefusesBrokenInput) {
    EXPECT_EQ(utf8ToUtf16("\xe4\xba"), std::nullopt);
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, u'\xd83d')), std::nullopt);
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, u'\xde00')), std::nullopt);
}

}  // namespace
}  // namespace orvane::text
