#include <cerrno>
#include <iconv.h>
#include <memory>

#include "text/Cp932Platform.h"

namespace orvane::text::platform {

namespace {

struct IconvCloser {
    void operator()(iconv_t cd) const { iconv_close(cd); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

std::optional<std::string> convert(const char* to, const char* from, std::string_view input) {
    IconvHandle cd(iconv_open(to, from));
    if (cd.get() == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(input.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

std::optional<std::string> encodeCp932(std::string_view validUtf8) {
    return convert("CP932", "UTF-8", validUtf8);
}

std::optional<std::string> decodeCp932(std::string_view validCp932) {
    return convert("UTF-8", "CP932", validCp932);
}

}  // namespace orvane::text::platform
