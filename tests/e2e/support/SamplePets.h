#pragma once

#include <string>

#include "app/HostNames.h"
#include "platform/InstallDir.h"

// Pets for a test or demo installation directory. Each pet file's first
// line is the pet's name, which is what the stand-in host shows.
namespace orvane::e2e {

// The sample pets, in the order the first-run setup lists them.
inline const std::string kPetInPlace = "default";
inline const std::string kPlainPet = "ぽすけ";
inline const std::string kEncryptedPet = "ひみつ";

// The pet in place under the host's names: pet file and backup, friends
// book, treasures, and receive and send folders with one mail each.
void writePetInPlace(InstallDir& dir, const FolderNameTable& names, const std::string& pet);

// A plain pet stored under its own names: pet file and backup only, since
// it shares every item.
void writeStoredPlainPet(InstallDir& dir, const std::string& pet);

// An encrypted pet: its container pet + ".apd" and nothing else. It keeps
// its own receive and send folders, one mail each, and shares the friends
// book and the treasures (status 11).
void writeEncryptedPet(InstallDir& dir, const FolderNameTable& names, const std::string& pet,
                       const std::string& password);
inline constexpr int kEncryptedPetStatus = 11;

// The one mail each sample pet keeps in its receive folder.
std::string sampleMailName();
std::string sampleMailOf(const std::string& pet);

}  // namespace orvane::e2e
