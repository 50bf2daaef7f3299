#include "import/MailImport.h"

#include "store/BestEffort.h"
#include "store/PetMessages.h"
#include "store/PetNames.h"

namespace orvane {

namespace {

constexpr std::string_view MailSuffix = "メール";
constexpr std::string_view ListSuffix = "リスト";
constexpr std::string_view MailExtension = ".ppm";
constexpr std::string_view ListExtension = ".ppl";
// A tray file's copy before it takes the tray file's place.
constexpr std::string_view CopySuffix = ".tmp";
constexpr std::string_view NothingToImportMessage = "インポートするメールが見つかりません。";

const std::string& boxFolder(const FolderNameTable& names, MailBox box) {
    return box == MailBox::Receive ? names.receiveFolder : names.sendFolder;
}

std::string trayBase(const FolderNameTable& names, HostEdition edition, MailBox box) {
    const bool kids = edition == HostEdition::Kids;
    const char* tray = box == MailBox::Receive ? (kids ? "じゅしん" : "受信") : (kids ? "そうしん" : "送信");
    return boxFolder(names, box) + "\\" + tray;
}

std::string trayNotEmptyMessage(HostEdition edition, MailBox box) {
    if (box == MailBox::Send) return "ポストを空にして下さい。";
    return edition == HostEdition::Kids ? "じゅしん箱を空にして下さい。" : "受信トレイを空にして下さい。";
}

// A tray file that is missing counts as empty; one whose size cannot be
// told might hold mail.
bool holdsMail(InstallDir& dir, const std::string& file) {
    if (!dir.exists(file)) return false;
    const auto size = dir.fileSize(file);
    return !size || *size != 0;
}

bool isFile(InstallDir& dir, const std::string& name) { return dir.fileSize(name).has_value(); }

// The shared drawers, or those of a pet whose name keeps the name rules.
bool isImportablePet(const std::string& pet) { return pet == host::ReservedPetName || isUsablePetName(pet); }

ImportOutcome tell(Prompts& prompts, ImportOutcome outcome, const std::string& text) {
    const bool done = outcome == ImportOutcome::Imported;
    prompts.showMessage(text, std::string(done ? petmessage::DoneTitle : petmessage::ErrorTitle),
                        done ? MessageIcon::Information : MessageIcon::Error);
    return outcome;
}

}  // namespace

std::vector<std::string> importablePets(InstallDir& dir, const FolderNameTable& names) {
    std::vector<std::string> pets;
    for (const DirEntry& entry : dir.list("*_" + names.receiveFolder)) {
        std::string pet = entry.name.substr(0, entry.name.rfind('_'));
        if (isImportablePet(pet)) pets.push_back(std::move(pet));
    }
    return pets;
}

std::vector<std::string> drawersOf(InstallDir& dir, const FolderNameTable& names, MailBox box) {
    std::vector<std::string> drawers;
    for (const DirEntry& entry : dir.list(boxFolder(names, box) + "\\*" + std::string(MailExtension))) {
        drawers.push_back(entry.name.substr(0, entry.name.rfind('.')));
    }
    return drawers;
}

std::string trayMailFile(const FolderNameTable& names, HostEdition edition, MailBox box) {
    return trayBase(names, edition, box) + std::string(MailSuffix) + std::string(MailExtension);
}

std::string trayListFile(const FolderNameTable& names, HostEdition edition, MailBox box) {
    return trayBase(names, edition, box) + std::string(ListSuffix) + std::string(ListExtension);
}

ImportOutcome ImportMail(InstallDir& dir, const FolderNameTable& names, const MailImportRequest& request,
                         Prompts& prompts) {
    const std::string trayMail = trayMailFile(names, request.edition, request.box);
    const std::string trayList = trayListFile(names, request.edition, request.box);
    if (holdsMail(dir, trayMail)) {
        return tell(prompts, ImportOutcome::TrayNotEmpty, trayNotEmptyMessage(request.edition, request.box));
    }

    // No pet chosen: the list was empty.
    if (request.pet.empty()) {
        return tell(prompts, ImportOutcome::NothingToImport, std::string(NothingToImportMessage));
    }
    if (!isImportablePet(request.pet)) {
        return tell(prompts, ImportOutcome::UnusablePet, petmessage::unusablePetName(shownPetName(request.pet)));
    }
    const std::string source = request.pet + "_" + boxFolder(names, request.box) + "\\" + request.drawer;
    // The drawer "N" + "メール" keeps its list in "N" + "リスト"; any
    // other drawer N in N + "リスト" as well.
    std::string listBase = source;
    if (request.drawer.ends_with(MailSuffix)) listBase.resize(listBase.size() - MailSuffix.size());
    const std::string mail = source + std::string(MailExtension);
    const std::string list = listBase + std::string(ListSuffix) + std::string(ListExtension);
    if (!isFile(dir, mail) || !isFile(dir, list)) {
        return tell(prompts, ImportOutcome::NothingToImport, std::string(NothingToImportMessage));
    }

    // Both files are copied beside the tray first and then moved over its
    // files, so that a copy cut short never touches the tray.
    const std::string mailCopy = trayMail + std::string(CopySuffix);
    const std::string listCopy = trayList + std::string(CopySuffix);
    const BestEffort step(dir);
    const auto fail = [&](const std::string& source) {
        step.deleteFile(mailCopy);
        step.deleteFile(listCopy);
        return tell(prompts, ImportOutcome::CopyFailed, "メールをコピーできませんでした。\n" + source);
    };
    if (!dir.copyFile(mail, mailCopy)) return fail(mail);
    if (!dir.copyFile(list, listCopy)) return fail(list);
    const bool trayMailExisted = dir.exists(trayMail);
    if (!dir.replace(mailCopy, trayMail)) return fail(mail);
    if (!dir.replace(listCopy, trayList)) {
        // The tray held no mail: its mail file was empty or missing.
        if (trayMailExisted) {
            step.createEmptyFile(trayMail);
        } else {
            step.deleteFile(trayMail);
        }
        return fail(list);
    }
    return tell(prompts, ImportOutcome::Imported, "メールのインポートを完了しました。");
}

}  // namespace orvane
