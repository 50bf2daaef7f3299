#include "ui/CommandLinePet.h"

namespace orvane {

std::optional<int> commandLineSelection(const std::vector<std::string>& arguments,
                                        const std::vector<std::string>& items) {
    if (arguments.size() < 2) return std::nullopt;
    const std::string& first = arguments[1];
    if (first.empty() || (first[0] != '-' && first[0] != '/')) return std::nullopt;
    const std::string name = first.substr(1);
    std::optional<int> selection;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == name) selection = static_cast<int>(i);
    }
    return selection;
}

}  // namespace orvane
