#include <gtest/gtest.h>

#include "text/Utf16.h"

namespace orvane::text {
namespace {

// Both ways where both forms exist; broken input on either side is refused.
TEST(Utf16, ConvertsEveryPlaneAndRefusesBrokenInput) {
    const std::optional<std::string> broken;
    const std::pair<std::u16string, std::optional<std::string>> cases[] = {
        {u"", ""}, {u"abc予ｷ\xffff", "abc予ｷ\xef\xbf\xbf"}, {u"\xd800\xdc00", "\xf0\x90\x80\x80"},
        {u"\xd83d\xde00x", "\xf0\x9f\x98\x80x"}, {u"\xdbff\xdfff", "\xf4\x8f\xbf\xbf"},
        {u"\xd83d", broken}, {u"\xdbff" u"a", broken}, {u"\xd83d\xe000", broken}, {u"\xdc00", broken}, {u"\xdfff", broken},
    };
    for (const auto& [utf16, utf8] : cases) {
        EXPECT_EQ(utf16ToUtf8(utf16), utf8) << testing::PrintToString(utf16);
        if (utf8) { EXPECT_EQ(utf8ToUtf16(*utf8), utf16) << *utf8; }
    }
    EXPECT_EQ(utf8ToUtf16("\xe4\xba"), std::nullopt);
    EXPECT_EQ(utf16ToUtf8(std::u16string_view(u"\xd83d\xde00", 1)), std::nullopt);  // its low half lies past the end
}

}  // namespace
}  // namespace orvane::text
