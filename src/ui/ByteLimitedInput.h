#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

// What a byte-limited text field keeps after one edit.
struct LimitedEdit {
    std::string text;
    std::size_t caret = 0;          // in UTF-16 units, after the kept insertion
    bool refusedCharacters = false; // characters without a cp932 form were dropped
    bool cutAtLimit = false;        // the insertion did not fit
};

// The field's text after an edit turned `before` (the text it held, already
// within the limit) into `after`. The inserted part keeps only characters
// that cp932 can store, and only as much of it as fits in maxBytes cp932
// bytes: like a byte-counting edit control, the field refuses the excess and
// keeps the rest of the text as it was. A Unicode edit control counts
// characters, so the pet name (50 bytes) and password (16 bytes) fields
// keep their limits through this.
LimitedEdit acceptLimitedEdit(std::string_view before, std::string_view after, std::size_t maxBytes);

}  // namespace orvane
