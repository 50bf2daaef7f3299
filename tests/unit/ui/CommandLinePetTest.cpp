#include <gtest/gtest.h>

#include "ui/CommandLinePet.h"

namespace orvane {
namespace {

TEST(CommandLinePet, SelectsThePetNamedAfterADashOrSlash) {
    const std::vector<std::string> pets = {"タマ", "ポチ", "Pochi", "タマ"};
    const struct {
        std::vector<std::string> arguments;
        std::optional<int> selection;
    } cases[] = {
        {{"Orvane.exe"}, std::nullopt},
        {{"Orvane.exe", "-ポチ"}, 1},
        {{"Orvane.exe", "/ポチ"}, 1},
        {{"Orvane.exe", "ポチ"}, std::nullopt},
        {{"Orvane.exe", "-pochi"}, std::nullopt},  // letter case counts
        {{"Orvane.exe", "-ポチ "}, std::nullopt},  // so does every byte
        {{"Orvane.exe", "--ポチ"}, std::nullopt},
        {{"Orvane.exe", "-ミケ"}, std::nullopt},
        {{"Orvane.exe", ""}, std::nullopt},
        {{"Orvane.exe", "ポチ", "-ポチ"}, std::nullopt},  // only the first argument counts
        {{"Orvane.exe", "-ポチ", "-Pochi"}, 1},
        {{"Orvane.exe", "-タマ"}, 3},  // each equal item is selected in turn
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.size() > 1 ? c.arguments[1] : "(none)");
        EXPECT_EQ(commandLineSelection(c.arguments, pets), c.selection);
    }
}

TEST(CommandLinePet, ABareDashNamesAnEmptyItemOnly) {
    EXPECT_EQ(commandLineSelection({"Orvane.exe", "-"}, {"a", "b"}), std::nullopt);
    EXPECT_EQ(commandLineSelection({"Orvane.exe", "-"}, {"a", ""}), 1);
}

}  // namespace
}  // namespace orvane
