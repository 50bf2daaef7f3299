#include "PetOperationTest.h"

#include "ContainerRecords.h"
#include "store/PackPet.h"
#include "store/PetFiles.h"

namespace orvane::test {

const Entries PetOperationTest::HostPieces = {
    {"Velmora設定.ppc", "X pet"}, {"Velmora設定.bak", "X bak"}, {"おともだち帳", "shared book"},
    {"宝物", "<folder>"},         {"宝物\\t", "X treasure"},    {"受信フォルダ", "<folder>"},
    {"受信フォルダ\\m", "X mail"}, {"送信フォルダ", "<folder>"}, {"送信フォルダ\\s", "X sent"},
};

const Entries PetOperationTest::SharedCopies = {
    {"共有_宝物", "<folder>"},         {"共有_宝物\\st", "shared treasure"},
    {"共有_受信フォルダ", "<folder>"}, {"共有_受信フォルダ\\sm", "shared mail"},
    {"共有_送信フォルダ", "<folder>"},
};

const Entries PetOperationTest::PPieces = {
    {"P.ppc", "P pet"},           {"P.bak", "P bak"},       {"P_おともだち帳", "P book"},
    {"P_受信フォルダ", "<folder>"}, {"P_受信フォルダ\\pm", "P mail"}, {"P_送信フォルダ", "<folder>"},
    {"P_宝物", "<folder>"},         {"P_宝物\\pt", "P treasure"},
};

const Entries PetOperationTest::EPieces = {
    {"E.ppc", "E pet"}, {"E_受信フォルダ\\em", "E mail"}, {"E_受信フォルダ\\zero", ""},
    {"E_おともだち帳", "E book"}, {"E_宝物\\et", "E treasure"},
};

void PetOperationTest::SetUp() {
    put("Velmora.exe");
    registerPets({{"X", 1}, {"P", 0}, {"E", 8}}, 0);
    putAll(HostPieces);
    putAll(SharedCopies);
    putAll(PPieces);
    for (const auto& [name, bytes] : EPieces) {
        const std::size_t slash = name.find('\\');
        if (slash != std::string::npos && !has(name.substr(0, slash))) putFolder(name.substr(0, slash));
        put(name, bytes);
    }
    PackStoredPet(StoreContext{*dir_, names_, registry_, "pass-E"}, "E", 8);
    DeletePetFiles(context_, "E", isPetInPlace(context_, 2, "E"));
}

void PetOperationTest::putAll(const Entries& entries) const {
    for (const auto& [name, bytes] : entries) {
        if (bytes == "<folder>") {
            putFolder(name);
        } else {
            put(name, bytes);
        }
    }
}

Entries PetOperationTest::containerOf(const std::string& name,
                                                        const std::string& password) const {
    Entries records;
    for (auto& [storedName, bytes] : containerRecords(read(name), password)) records[storedName] = bytes;
    return records;
}

}  // namespace orvane::test
