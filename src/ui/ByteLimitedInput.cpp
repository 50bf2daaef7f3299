#include "ui/ByteLimitedInput.h"

#include <algorithm>

#include "text/Cp932.h"
#include "text/Utf8.h"

namespace orvane {

namespace {

std::size_t cp932Bytes(std::u32string_view characters) {
    std::string utf8;
    for (char32_t c : characters) text::appendUtf8(utf8, c);
    return text::cp932Length(utf8).value_or(0);
}

std::size_t utf16Units(std::u32string_view characters) {
    return std::count_if(characters.begin(), characters.end(), [](char32_t c) { return c > 0xFFFF; }) +
           characters.size();
}

}  // namespace

LimitedEdit acceptLimitedEdit(std::string_view before, std::string_view after, std::size_t maxBytes) {
    const auto old = text::utf8ToCodePoints(before);
    const auto now = text::utf8ToCodePoints(after);
    if (!old || !now) return {std::string(before), 0, true, false};

    // The edit replaced old[prefix, old.size() - suffix) by the characters
    // between the same common prefix and suffix in the new text.
    std::size_t prefix = 0;
    while (prefix < old->size() && prefix < now->size() && (*old)[prefix] == (*now)[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < old->size() - prefix && suffix < now->size() - prefix &&
           (*old)[old->size() - 1 - suffix] == (*now)[now->size() - 1 - suffix]) {
        ++suffix;
    }
    const std::u32string_view kept(*now);
    const std::u32string_view head = kept.substr(0, prefix);
    const std::u32string_view tail = kept.substr(now->size() - suffix);
    const std::u32string_view inserted = kept.substr(prefix, now->size() - prefix - suffix);

    LimitedEdit edit;
    std::size_t room = maxBytes - std::min(maxBytes, cp932Bytes(head) + cp932Bytes(tail));
    std::u32string accepted;
    for (char32_t c : inserted) {
        std::string one;
        text::appendUtf8(one, c);
        const auto bytes = text::cp932Length(one);
        // A NUL would end the text early wherever it is stored.
        if (!bytes || c == U'\0') {
            edit.refusedCharacters = true;
            continue;
        }
        if (*bytes > room) {
            edit.cutAtLimit = true;
            break;
        }
        room -= *bytes;
        accepted.push_back(c);
    }

    std::u32string result(head);
    result += accepted;
    edit.caret = utf16Units(result);
    result += tail;
    for (char32_t c : result) text::appendUtf8(edit.text, c);
    return edit;
}

}  // namespace orvane
