#include "text/Trim.h"

namespace orvane::text {

namespace {
bool isAsciiWhitespace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
}  // namespace

std::string trimAsciiWhitespace(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isAsciiWhitespace(text[begin])) ++begin;
    while (end > begin && isAsciiWhitespace(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

}  // namespace orvane::text
