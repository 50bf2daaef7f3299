#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/PetForms.h"

namespace orvane {
namespace {

// One step of the user or the dialog, as the settings dialog hands it to
// its form.
struct Step {
    enum Kind { Select, Changed, Encrypted, Discarded } kind;
    int number = -1;
    std::string name;
    int status = 0;       // Select: the stored status
    bool ticked = false;  // Encrypted: the box's value after the click
};

Step select(int number, std::string name, int status) { return {Step::Select, number, std::move(name), status, false}; }
Step changed() { return {Step::Changed, -1, {}, 0, false}; }
Step encrypted(bool ticked) { return {Step::Encrypted, -1, {}, 0, ticked}; }
Step discarded() { return {Step::Discarded, -1, {}, 0, false}; }

void run(SettingsForm& form, const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        switch (step.kind) {
        case Step::Select: form.selectPet(step.number, step.name, step.status); break;
        case Step::Changed: form.userChanged(); break;
        case Step::Encrypted:
            form.options.encrypted = step.ticked;
            form.encryptedClicked();
            break;
        case Step::Discarded: form.discarded(); break;
        }
    }
}

// The four boxes as a status value, the share-logs bit included even where
// statusOf would drop it, so that what is shown is compared.
int shown(const PetOptions& options) {
    return (options.shareFriendsBook ? 1 : 0) | (options.shareTreasures ? 2 : 0) | (options.shareLogs ? 4 : 0) |
           (options.encrypted ? 8 : 0);
}

TEST(SettingsForm, EnablesApplyAndTheShareLogsBoxAsTheUserWorks) {
    const struct {
        const char* what;
        std::vector<Step> steps;
        int selected;
        std::string name;
        int boxes;
        bool apply;
        bool shareLogs;
    } cases[] = {
        {"no pet: nothing selected, all clear", {}, -1, "", 0, false, true},
        {"no pet: a change enables nothing", {changed(), encrypted(true)}, -1, "", 8, false, true},
        {"first pet shown unchanged", {select(0, "ぽすけ", 7)}, 0, "ぽすけ", 7, false, true},
        {"encrypted pet: share-logs cleared and disabled", {select(0, "ひみつ", 11)}, 0, "ひみつ", 11, false, false},
        {"a sharing box or the name enables apply", {select(0, "a", 7), changed()}, 0, "a", 7, true, true},
        {"ticking encrypted clears share-logs", {select(0, "a", 7), encrypted(true)}, 0, "a", 11, true, false},
        {"unticking leaves share-logs cleared but enabled", {select(0, "a", 7), encrypted(true), encrypted(false)},
         0, "a", 3, true, true},
        {"another pet drops the unapplied change",
         {select(0, "a", 7), encrypted(true), select(1, "b", 3)}, 1, "b", 3, false, true},
        {"a change applied and shown again", {select(0, "a", 7), changed(), select(0, "a2", 11)}, 0, "a2", 11, false,
         false},
        {"discarded: nothing selected, all clear", {select(0, "a", 11), changed(), discarded()}, -1, "", 0, false,
         true},
        {"after discarding a change enables nothing", {select(0, "a", 7), discarded(), changed()}, -1, "", 0, false,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsForm form(false);
        run(form, c.steps);
        EXPECT_EQ(form.selected(), c.selected);
        EXPECT_EQ(form.name, c.name);
        EXPECT_EQ(shown(form.options), c.boxes);
        EXPECT_EQ(form.applyEnabled(), c.apply);
        EXPECT_EQ(form.shareLogsEnabled(), c.shareLogs);
    }
}

// Discard tests the status the pet is stored with, not an unapplied box.
TEST(SettingsForm, KeepsTheStoredStatusForDiscard) {
    SettingsForm form(false);
    run(form, {select(2, "a", 7), encrypted(true)});
    EXPECT_EQ(form.storedStatus(), 7);
    run(form, {select(2, "a", 11)});
    EXPECT_EQ(form.storedStatus(), 11);
}

TEST(PetForms, TreasuresBoxIsFixedInTheStandardEditionOnly) {
    for (const bool standard : {true, false}) {
        SCOPED_TRACE(standard ? "standard" : "kids");
        EXPECT_EQ(SettingsForm(standard).shareTreasuresEnabled(), !standard);
        EXPECT_EQ(AddPetForm(standard).shareTreasuresEnabled(), !standard);
    }
}

TEST(AddPetForm, StartsSharingAndNeverSharesTheLogsOfAnEncryptedPet) {
    const struct {
        const char* what;
        std::vector<bool> encryptedClicks;
        int status;
        bool shareLogs;
    } cases[] = {
        {"defaults", {}, 7, true},
        {"encrypted", {true}, 11, false},
        {"encrypted and back", {true, false}, 3, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AddPetForm form(true);
        for (const bool ticked : c.encryptedClicks) {
            form.options.encrypted = ticked;
            form.encryptedClicked();
        }
        EXPECT_EQ(form.name, "");
        EXPECT_EQ(statusOf(form.options), c.status);
        EXPECT_EQ(form.shareLogsEnabled(), c.shareLogs);
    }
}

TEST(PetForms, OptionsOfAStatusAreItsFourBits) {
    for (int status = 0; status < 16; ++status) EXPECT_EQ(shown(optionsOfStatus(status)), status) << status;
}

}  // namespace
}  // namespace orvane
