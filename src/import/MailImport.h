#pragma once

#include <string>
#include <vector>

#include "app/HostNames.h"
#include "platform/InstallDir.h"
#include "platform/Prompts.h"

// Copying one drawer of another, swapped-out pet over the current pet's
// receive or send tray. A drawer is a mail file (".ppm") with its list file
// (".ppl"); the tray is the drawer the host shows first.
namespace orvane {

enum class MailBox { Receive = 0, Send = 1 };

// The pets a drawer can come from: every entry named "*_" + receive folder,
// up to its last "_", in listing order. The current pet's folder carries
// the bare name and an encrypted pet has no plain folder, so neither is
// listed; the shared receive folder is listed as "共有". A name that breaks
// the pet name rules is not listed.
std::vector<std::string> importablePets(InstallDir& dir, const FolderNameTable& names);

// The drawers of the current pet's box: its mail files without their
// extension, in listing order. Empty when the box has none; the dialog
// then keeps the list it showed.
std::vector<std::string> drawersOf(InstallDir& dir, const FolderNameTable& names, MailBox box);

struct MailImportRequest {
    HostEdition edition = HostEdition::Standard;  // of the host executable's name
    MailBox box = MailBox::Receive;
    std::string pet;     // as the pet list shows it
    std::string drawer;  // as the drawer list shows it
};

enum class ImportOutcome { UnusablePet, TrayNotEmpty, NothingToImport, CopyFailed, Imported };

// The current tray's mail file and list file: box + "\受信" + "メール.ppm"
// and the like, by edition.
std::string trayMailFile(const FolderNameTable& names, HostEdition edition, MailBox box);
std::string trayListFile(const FolderNameTable& names, HostEdition edition, MailBox box);

// Copies the drawer's mail file and list file over the current tray, and
// says so. Refused, with its message, when the pet's name breaks the name
// rules, the tray holds mail (it is never copied over) or the drawer lacks
// either file. When a copy fails the user is told and both tray files are
// as they were.
ImportOutcome ImportMail(InstallDir& dir, const FolderNameTable& names, const MailImportRequest& request,
                         Prompts& prompts);

}  // namespace orvane
