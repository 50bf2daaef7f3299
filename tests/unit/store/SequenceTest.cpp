// Random sequences of launches, host sessions, backups, mail imports, restarts and pet changes in
// both editions, with file steps failing or the process dying anywhere, passwords cancelled or
// wrong. A model keeps the newest bytes each pet's host wrote; once the next start has finished what
// was left half done, they must be where the pet is kept, an encrypted pet plain only while its
// unfinished session says so, and no private mail in a shared item. A failure prints its seed;
// ORVANE_SEQUENCES=<n> runs n sequences, ORVANE_FIRST_SEQUENCE=<seed> starts at that seed.
#include <algorithm>
#include <cstdlib>
#include <random>

#include "StoreTestSupport.h"
#include "import/MailImport.h"
#include "platform/FileError.h"
#include "session/BackupRun.h"
#include "session/PetPreparation.h"
#include "store/ChangePet.h"
#include "store/ContainerErrors.h"
#include "store/DiscardPet.h"
#include "store/PetLayout.h"
#include "store/SettleSession.h"
#include "store/UnpackPet.h"
#include "text/FileNameCase.h"

namespace orvane {
namespace {

// newest: the pet file its host wrote last (empty: none yet).
struct ModelPet { std::string name; int status = 0; std::string password = {}, newest = {}; int versions = 0; };

// Answers with the password of the pet asked about, now and then with a cancel or a wrong one.
class ModelPrompts : public Prompts {
public:
    ModelPrompts(std::mt19937& random, const std::vector<ModelPet>& pets, InstallDir& dir) : random_(random), pets_(pets), dir_(dir) {}
    std::string about;  // the pet the operation at hand concerns

    std::optional<std::string> askPassword() override {
        const std::string asked = named_.empty() ? about : named_;
        named_.clear();
        // Only a container can tell a wrong password; a new one is taken.
        if (dir_.exists(PetLayout::containerName(asked))) {
            const auto roll = random_() % 10;
            if (roll == 0) return std::nullopt;
            if (roll == 1) return std::string("wrong-pw");
        }
        const auto pet = std::find_if(pets_.begin(), pets_.end(), [&](const ModelPet& p) { return p.name == asked; });
        return pet == pets_.end() || pet->password.empty() ? "fresh-pw" : pet->password;
    }

    MessageAnswer showMessage(const std::string& text, const std::string&, MessageIcon, MessageButtons buttons) override {
        // A question about another pet's password names that pet just before.
        const auto open = text.find("「"), close = text.find("」");
        if (text.find("パスワード") != std::string::npos && open != std::string::npos && close != std::string::npos) {
            named_ = text.substr(open + 3, close - open - 3);
        }
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }

private:
    std::mt19937& random_;
    const std::vector<ModelPet>& pets_;
    InstallDir& dir_;
    std::string named_;
};

class SequenceTest : public test::StoreTest {
protected:
    explicit SequenceTest(HostEdition edition = HostEdition::Standard) : StoreTest(edition), edition_(edition) {}

    void runSequences() {
#ifdef _WIN32
        constexpr unsigned usualRuns = 4;  // every file step costs far more under Wine
#else
        constexpr unsigned usualRuns = 30;
#endif
        const auto setting = [](const char* name, unsigned otherwise) {
            const char* value = std::getenv(name);
            return value ? static_cast<unsigned>(std::atoi(value)) : otherwise;
        };
        const unsigned from = setting("ORVANE_FIRST_SEQUENCE", 1), runs = setting("ORVANE_SEQUENCES", usualRuns);
        for (unsigned seed = from; seed < from + runs && !HasFailure(); ++seed) run(seed, 60);
    }

private:
    void run(unsigned seed, int steps) {
        random_.seed(seed_ = seed);
        clearInstallDir();
        running_ = history_ = "";
        namesMade_ = backups_ = 0;
        registry_.setSession(SessionRecord{});
        put(executable());
        if (edition_ == HostEdition::Kids) {
            // The Kids host needs a treasures folder with its plug-in files.
            const std::string shared = PetLayout::sharedItemName(names_.treasuresFolder);
            put(shared + "\\tzl001.pac", std::string(4144, 'x') + "NONE");
            put(shared + "\\tzl020w.pac", "plug-in");
        }
        pets_ = {{"A", 7}, {"B", 3}, {"E", 11, "pw-E"}};
        registerPets({{"A", 7}, {"B", 3}, {"E", 11}}, 0);
        password_ = "pw-E";
        for (int step = 0; step < steps && !HasFailure(); ++step) {
            const unsigned roll = random_() % 10;
            const auto pick = [&] { return random_() % pets_.size(); };
            std::string what;
            if (!running_.empty()) {
                ModelPet& pet = pets_[numberOf(running_)];
                if (roll < 5) {
                    const bool backup = roll == 4 && random_() % 2 == 0;
                    note(step, roll < 4 ? "host writes" : backup ? "backup" : "import");
                    roll < 4 ? hostWrites(pet) : backup ? backUp(pet) : importMail();
                    continue;
                }
                note(step, what = roll < 8 ? "host ends" : "program killed");
                if (roll < 8) withFaults([&](const StoreContext& context) { SettleSession(context, [&](const std::string&) { return std::optional(pet.password); }); });
                restart();
            } else if (roll < 8 || pets_.size() < 2) {
                ModelPet& pet = pets_[pick()];
                const bool launching = roll < 5 || pets_.size() < 2;
                note(step, what = (launching ? "launch " : "change ") + pet.name);
                launching ? launch(pet) : change(pet);
            } else if (roll < 9) {
                const std::size_t index = pick();
                note(step, what = "discard " + pets_[index].name);
                discard(index);
            } else {
                note(step, what = "add");
                const std::string name = "a" + std::to_string(++namesMade_);
                if (registry_.append(name, 7) >= 0) pets_.push_back({name, 7});
            }
            // Someone removes what blocked a pack.
            const std::string blocker = PetLayout(names_).inPlaceName(PetPiece::ReceiveFolder) + "\\café.ppm";
            if (running_.empty() && random_() % 2 && has(blocker)) dir_->deleteFile(blocker);
            if (running_.empty()) check("step " + std::to_string(step) + ": " + what);
        }
    }

    std::string executable() const { return edition_ == HostEdition::Kids ? "VelmoraKids.exe" : "Velmora.exe"; }
    void note(int step, const std::string& what) { history_ += "\n" + std::to_string(step) + " " + what; }
    int numberOf(const std::string& name) const {
        const auto pet = std::find_if(pets_.begin(), pets_.end(), [&](const ModelPet& p) { return p.name == name; });
        return pet == pets_.end() ? -1 : static_cast<int>(pet - pets_.begin());
    }

    PasswordFor passwordFor() {
        return [this](const std::string& pet) { const int n = numberOf(pet); return n < 0 ? std::nullopt : std::optional(pets_[n].password); };
    }

    // Runs the operation over a directory that fails, or dies, at a random file step in a third of
    // the runs. True when it ran through.
    template <typename Operation>
    bool withFaults(Operation operation) {
        test::ScriptedDir scripted(*dir_);
        if (random_() % 3 == 0) {
            scripted.fault = test::Fault{1 + random_() % 30, random_() % 2 ? test::FaultMode::Fail : test::FaultMode::Crash};
            history_ += (scripted.fault->mode == test::FaultMode::Crash ? " crash at " : " fail at ") + std::to_string(scripted.fault->at);
        }
        try {
            operation(StoreContext{scripted, names_, registry_, password_});
            return true;
        } catch (const test::SimulatedCrash&) {
            history_ += " -> crashed";
        } catch (const FileError& error) {
            history_ += " -> " + error.fileName() + ": " + error.reason();
        }
        return false;
    }

    // The next start: the host has ended, and what the session record says was left half done is
    // finished with the right passwords; what stands in the way stays, and so do the plain pieces.
    void restart() {
        running_.clear();
        try {
            SettleSession(context_, passwordFor());
        } catch (const FileError&) {
        }
    }

    void launch(ModelPet& pet) {
        prompts_.about = pet.name;
        std::optional<PreparedPet> prepared;
        if (!withFaults([&](const StoreContext& context) {
                prepared = preparePetForLaunch(context, prompts_, numberOf(pet.name), pet.name, passwordFor());
            })) {
            return restart();
        }
        if (prepared) running_ = pet.name;
    }

    // A new pet file, and mail into the receive folder; now and then a name no container can hold.
    void hostWrites(ModelPet& pet) {
        const PetLayout layout(names_);
        pet.newest = pet.name + "#" + std::to_string(++pet.versions);
        put(layout.inPlaceName(PetPiece::PetFile), pet.newest);
        const std::string receive = layout.inPlaceName(PetPiece::ReceiveFolder);
        const std::string mail = ((pet.status & PetStatusFlags::ShareLogs) ? "shared " : "private ") + pet.newest;
        for (const char* extension : {".ppm", ".ppl"}) put(receive + "\\" + pet.name + extension, mail);
        if ((pet.status & PetStatusFlags::Encrypted) && random_() % 6 == 0) put(receive + "\\café.ppm", "x");
    }

    // A backup during the session never holds a plain piece of an encrypted pet.
    void backUp(const ModelPet& pet) {
        const LocalTime time{2026, 12, 7, 10, ++backups_ / 60, backups_ % 60, 0};
        withFaults([&](const StoreContext& context) {
            RunBackup({context.dir, names_, executable(), ini_.path(), pet.status, pet.name, pet.password}, time, prompts_);
        });
        const PetLayout layout(names_);
        for (const std::string& plain : {layout.inPlaceName(PetPiece::PetFile), layout.ownName(pet.name, PetPiece::PetFile)}) {
            EXPECT_FALSE((pet.status & PetStatusFlags::Encrypted) && has(backupFolderName(time) + "\\" + plain))
                << "a backup holds " << plain << " of an encrypted pet in the clear, seed " << seed_;
        }
    }

    // Another pet's drawer over the tray in place: the user's own choice, not held to the privacy rule.
    void importMail() {
        const auto pets = importablePets(*dir_, names_);
        if (pets.empty()) return;
        const std::string from = pets[random_() % pets.size()];
        withFaults([&](const StoreContext& context) {
            ImportMail(context.dir, names_, MailImportRequest{edition_, MailBox::Receive, from, from}, prompts_);
        });
    }

    void change(ModelPet& pet) {
        prompts_.about = pet.name;
        const int number = numberOf(pet.name);
        PetChange request{number, pet.name, random_() % 2 ? pet.name : "n" + std::to_string(++namesMade_), {}, {}};
        const bool encrypt = random_() % 2 == 0;
        request.options = PetOptions{!encrypt && random_() % 2 != 0, random_() % 2 != 0, random_() % 2 != 0, encrypt};
        for (const ModelPet& other : pets_) request.listedNames.push_back(other.name);
        if (encrypt && pet.password.empty()) pet.password = "pw-" + request.newName;
        const bool done = withFaults([&](const StoreContext& context) { ChangePet(context, prompts_, request); });
        // The registry says what took effect: it changes in one rewrite.
        pet.name = registry_.name(number);
        pet.status = registry_.status(number);
        if (!(pet.status & PetStatusFlags::Encrypted) && !has(PetLayout::containerName(pet.name))) pet.password.clear();
        if (!done) restart();
    }

    void discard(std::size_t index) {
        prompts_.about = pets_[index].name;
        const int count = registry_.count();
        withFaults([&](const StoreContext& context) {
            DiscardPet(context, prompts_, static_cast<int>(index), pets_[index].name, pets_[index].status);
        });
        if (registry_.count() < count) pets_.erase(pets_.begin() + static_cast<std::ptrdiff_t>(index));
        restart();
    }

    // The pet file of a resting pet: plain under its own name, in place, or in its container.
    std::string kept(const ModelPet& pet) {
        const PetLayout layout(names_);
        const std::string own = layout.ownName(pet.name, PetPiece::PetFile), inPlace = layout.inPlaceName(PetPiece::PetFile);
        if (has(own)) return read(own);
        if (registry_.petInPlace() == numberOf(pet.name) && has(inPlace)) return read(inPlace);
        // The container's own copy, unpacked in a scratch folder.
        const std::string container = PetLayout::containerName(pet.name);
        if (!has(container)) return "";
        const test::TempDir scratch;
        scratch.writeFile(container, read(container));
        const auto copy = openInstallDir(scratch.path());
        try {
            const bool unpacked = UnpackPet(StoreContext{*copy, names_, registry_, pet.password}, pet.name, true) == UnpackResult::Done;
            return unpacked && copy->exists(own) ? scratch.readFile(own) : "";
        } catch (const DamagedContainer&) {
            return "";
        }
    }

    void check(const std::string& step) {
        std::string where = "seed " + std::to_string(seed_) + ", " + step + "; steps:" + history_ + "\n" + ini_.path() + "\n";
        for (const auto& [name, bytes] : snapshot()) where += "  " + name + " = " + (name.find(".apd") != std::string::npos ? "<container>" : bytes) + "\n";
        for (const ModelPet& pet : pets_) where += "  model " + pet.name + " " + std::to_string(pet.status) + " pw " + pet.password + "\n";
        const SessionRecord session = registry_.session();
        const std::string& plain = session.plain;
        const auto isContainerOf = [](const std::string& pet, const std::string& name) { return text::sameFileName(PetLayout::containerName(pet), name); };
        for (const ModelPet& pet : pets_) {
            EXPECT_EQ(kept(pet), pet.newest) << "pet " << pet.name << ", " << where;
            const bool encrypted = has(PetLayout::containerName(pet.name));
            for (const PetPiece piece : AllPetPieces) {
                // An empty folder holds nothing plain.
                const std::string own = PetLayout(names_).ownName(pet.name, piece);
                const bool left = has(own) && !(dir_->isFolder(own) && dir_->list(own + "\\*").empty());
                EXPECT_FALSE(encrypted && plain != pet.name && running_ != pet.name && left) << own << " left plain, " << where;
            }
        }
        for (const auto& [name, bytes] : snapshot()) {
            const bool tray = name.find("メール.ppm") != std::string::npos || name.find("リスト.ppl") != std::string::npos;
            EXPECT_FALSE(name.rfind("共有_", 0) == 0 && !tray && bytes.rfind("private ", 0) == 0) << name << " holds private mail, " << where;
            // A container nobody owns would meet the next pet of that name.
            const bool owned = isContainerOf(session.drop, name) || isContainerOf(session.discard, name) ||
                               std::any_of(pets_.begin(), pets_.end(), [&](const ModelPet& pet) { return isContainerOf(pet.name, name); });
            EXPECT_TRUE(owned || !name.ends_with(".apd") || name.find('\\') != std::string::npos) << name << " belongs to no pet, " << where;
        }
    }

    HostEdition edition_;
    std::mt19937 random_;
    unsigned seed_ = 0;
    int backups_ = 0, namesMade_ = 0;
    std::vector<ModelPet> pets_;
    ModelPrompts prompts_{random_, pets_, *dir_};
    std::string running_;  // the pet whose host session runs
    std::string history_;  // the steps so far, for a failure's report
};

TEST_F(SequenceTest, NoPetLosesItsNewestBytesWhateverFails) { runSequences(); }

struct KidsSequenceTest : SequenceTest {
    KidsSequenceTest() : SequenceTest(HostEdition::Kids) {}
};

TEST_F(KidsSequenceTest, NoPetLosesItsNewestBytesWhateverFails) { runSequences(); }

}  // namespace
}  // namespace orvane
