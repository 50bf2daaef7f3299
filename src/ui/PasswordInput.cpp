#include "ui/PasswordInput.h"

#include "text/Cp932.h"

namespace orvane {

bool passwordLongEnough(std::string_view text) {
    const auto bytes = text::cp932Length(text);
    return bytes && *bytes >= MinPasswordBytes;
}

}  // namespace orvane
