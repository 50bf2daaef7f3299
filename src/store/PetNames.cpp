#include "store/PetNames.h"

#include <algorithm>
#include <string_view>

#include "app/HostNames.h"
#include "store/PetMessages.h"
#include "store/StoredNames.h"
#include "text/Cp932.h"
#include "text/FileNameCase.h"
#include "text/Trim.h"

namespace orvane {

namespace {

constexpr std::string_view ForbiddenCharacters = "\\/:;,*?\"<>|";

// A pet's files are named after it: a name whose pet file is one of the
// host's own would take or lose files that are not its own.
bool isReservedWord(const std::string& name) {
    if (name == host::ReservedPetName) return true;
    for (const HostEdition edition : {HostEdition::Standard, HostEdition::Kids}) {
        const std::string settings = FolderNameTable::forEdition(edition).settingsName;
        for (const std::string_view prefix : {std::string_view(), host::OldCopyPrefix, host::BeforeChangePrefix}) {
            if (text::sameFileName(name, std::string(prefix) + settings)) return true;
        }
    }
    return false;
}

// Windows opens a device, not a file, for "CON.ppc" and the like. Asked
// only of names without forbidden or control characters.
bool namesDevice(const std::string& name) {
    return !isPlainFileName(name + std::string(host::PetFileExtension));
}

bool hasControlCharacter(std::string_view name) {
    return std::any_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

bool isTaken(const std::string& name, const NameRules& rules) {
    if (rules.use == NameUse::Change && text::sameFileName(name, rules.oldName)) return false;
    return std::any_of(rules.takenNames.begin(), rules.takenNames.end(),
                       [&](const std::string& taken) { return text::sameFileName(name, taken); });
}

std::string forbiddenCharacterMessage(NameUse use) {
    std::string text(use == NameUse::Add ? petmessage::ForbiddenCharacterOnAdd
                                         : petmessage::ForbiddenCharacterOnChange);
    text += '\n';
    text += petmessage::ForbiddenCharacterList;
    return text;
}

// The message of the first rule the name breaks, duplicates aside; nullopt
// when it keeps them all.
std::optional<std::string> brokenRule(const std::string& name, NameUse use) {
    if (name.empty()) return std::string(petmessage::NoName);
    if (isReservedWord(name)) return std::string(petmessage::ReservedName);
    if (name.find_first_of(ForbiddenCharacters) != std::string::npos) return forbiddenCharacterMessage(use);
    const auto bytes = text::cp932Length(name);
    if (!bytes || hasControlCharacter(name)) return std::string(petmessage::UnusableCharacter);
    if (*bytes > MaxPetNameBytes) return std::string(petmessage::NameTooLong);
    if (namesDevice(name)) return std::string(petmessage::ReservedName);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ValidatePetName(Prompts& prompts, const std::string& candidate,
                                           const NameRules& rules) {
    std::string name = text::trimAsciiWhitespace(candidate);
    if (const auto broken = brokenRule(name, rules.use)) {
        petmessage::showError(prompts, *broken);
        return std::nullopt;
    }
    if (isTaken(name, rules)) {
        petmessage::showError(prompts, petmessage::DuplicateName, MessageIcon::None);
        return std::nullopt;
    }
    return name;
}

bool isUsablePetName(const std::string& name) { return !brokenRule(name, NameUse::Add); }

std::string shownPetName(const std::string& name) {
    constexpr std::size_t MaxShownCharacters = MaxPetNameBytes;
    std::string shown;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if ((byte & 0xC0) == 0x80) {  // the rest of a UTF-8 character
            shown += name[i];
            continue;
        }
        if (++characters > MaxShownCharacters) {
            shown += "…";
            break;
        }
        if (byte < 0x20 || byte == 0x7F) {
            shown += "□";
        } else {
            shown += name[i];
        }
    }
    return shown;
}

}  // namespace orvane
