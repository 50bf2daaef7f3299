#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ScriptedDir.h"
#include "ScriptedPrompts.h"
#include "TempDir.h"
#include "import/MailImport.h"

namespace orvane {
namespace {

class MailImportTest : public ::testing::Test {
protected:
    void put(const std::string& name, const std::string& bytes) const { temp_.writeFile(name, bytes); }
    void folder(const std::string& name) const { temp_.makeFolder(name); }

    ImportOutcome import(HostEdition edition, MailBox box, const std::string& pet, const std::string& drawer) {
        prompts_ = {};
        return ImportMail(*dir_, FolderNameTable::forEdition(edition), {edition, box, pet, drawer}, prompts_);
    }

    test::ShownMessage lastMessage() const { return prompts_.messages.back(); }

    test::TempDir temp_;
    std::unique_ptr<InstallDir> dir_ = openInstallDir(temp_.path());
    test::ScriptedPrompts prompts_;
    const FolderNameTable standard_ = FolderNameTable::forEdition(HostEdition::Standard);
};

const test::ShownMessage Completed{"メールのインポートを完了しました。", "完了", MessageIcon::Information};

TEST_F(MailImportTest, PetsAreTheEntriesEndingInTheReceiveFolderCutAtTheLastUnderscore) {
    for (const char* name : {"A_受信フォルダ", "a.b_c_受信フォルダ", "共有_受信フォルダ", "受信フォルダ", "B_送信フォルダ"}) {
        folder(name);
    }
    put("予_受信フォルダ", "a file is listed too");
    put("E.apd", "");
    // Names the pet rules refuse are no pet's.
    folder("a;b_受信フォルダ");
    folder("_受信フォルダ");
    folder(std::string(51, 'L') + "_受信フォルダ");
    EXPECT_EQ(importablePets(*dir_, standard_), (std::vector<std::string>{"a.b_c", "A", "予", "共有"}));
}

TEST_F(MailImportTest, APetWhoseNameBreaksTheRulesGivesNothing) {
    folder("受信フォルダ");
    folder("a;b_受信フォルダ");
    put("a;b_受信フォルダ\\受信メール.ppm", "mail");
    put("a;b_受信フォルダ\\受信リスト.ppl", "list");
    EXPECT_EQ(import(HostEdition::Standard, MailBox::Receive, "a;b", "受信メール"), ImportOutcome::UnusablePet);
    EXPECT_EQ(lastMessage(), (test::ShownMessage{"「a;b」は使えない名前のため操作できません。\n設定ファイルを確認してください。",
                                                 "エラー", MessageIcon::Error}));
    EXPECT_FALSE(temp_.exists("受信フォルダ\\受信メール.ppm"));
}

TEST_F(MailImportTest, DrawersAreTheCurrentBoxsMailFilesWithoutExtension) {
    folder("受信フォルダ");
    for (const char* name : {"受信フォルダ\\受信メール.ppm", "受信フォルダ\\予定.ppm", "受信フォルダ\\受信リスト.ppl",
                             "受信フォルダ\\v1.2.ppm"}) {
        put(name, "");
    }
    folder("送信フォルダ");
    EXPECT_EQ(drawersOf(*dir_, standard_, MailBox::Receive), (std::vector<std::string>{"v1.2", "予定", "受信メール"}));
    EXPECT_TRUE(drawersOf(*dir_, standard_, MailBox::Send).empty());
}

TEST_F(MailImportTest, TheDrawerGoesOverTheTrayOfTheEditionAndBox) {
    const struct {
        HostEdition edition;
        MailBox box;
        const char* drawer;
        const char* sourceMail;
        const char* sourceList;
        const char* trayMail;
        const char* trayList;
    } cases[] = {
        {HostEdition::Standard, MailBox::Receive, "受信メール", "A_受信フォルダ\\受信メール.ppm",
         "A_受信フォルダ\\受信リスト.ppl", "受信フォルダ\\受信メール.ppm", "受信フォルダ\\受信リスト.ppl"},
        {HostEdition::Kids, MailBox::Send, "そうしんメール", "A_そうしん箱\\そうしんメール.ppm",
         "A_そうしん箱\\そうしんリスト.ppl", "そうしん箱\\そうしんメール.ppm", "そうしん箱\\そうしんリスト.ppl"},
        {HostEdition::Kids, MailBox::Receive, "old", "A_じゅしん箱\\old.ppm", "A_じゅしん箱\\oldリスト.ppl",
         "じゅしん箱\\じゅしんメール.ppm", "じゅしん箱\\じゅしんリスト.ppl"},
        {HostEdition::Standard, MailBox::Send, "old", "A_送信フォルダ\\old.ppm", "A_送信フォルダ\\oldリスト.ppl",
         "送信フォルダ\\送信メール.ppm", "送信フォルダ\\送信リスト.ppl"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sourceMail);
        const std::string source(c.sourceMail);
        const std::string tray(c.trayMail);
        folder(source.substr(0, source.find('\\')));
        folder(tray.substr(0, tray.find('\\')));
        put(c.sourceMail, std::string("mail of ") + c.drawer);
        put(c.sourceList, std::string("list of ") + c.drawer);
        put(c.trayMail, "");  // an empty tray file counts as empty
        EXPECT_EQ(trayMailFile(FolderNameTable::forEdition(c.edition), c.edition, c.box), c.trayMail);
        EXPECT_EQ(trayListFile(FolderNameTable::forEdition(c.edition), c.edition, c.box), c.trayList);
        EXPECT_EQ(import(c.edition, c.box, "A", c.drawer), ImportOutcome::Imported);
        EXPECT_EQ(temp_.readFile(c.trayMail), std::string("mail of ") + c.drawer);
        EXPECT_EQ(temp_.readFile(c.trayList), std::string("list of ") + c.drawer);
        EXPECT_EQ(lastMessage(), Completed);
    }
}

TEST_F(MailImportTest, ATrayWithMailIsNeverCopiedOver) {
    const struct {
        HostEdition edition;
        MailBox box;
        const char* tray;
        const char* message;
    } cases[] = {
        {HostEdition::Standard, MailBox::Receive, "受信フォルダ\\受信メール.ppm", "受信トレイを空にして下さい。"},
        {HostEdition::Kids, MailBox::Receive, "じゅしん箱\\じゅしんメール.ppm", "じゅしん箱を空にして下さい。"},
        {HostEdition::Standard, MailBox::Send, "送信フォルダ\\送信メール.ppm", "ポストを空にして下さい。"},
        {HostEdition::Kids, MailBox::Send, "そうしん箱\\そうしんメール.ppm", "ポストを空にして下さい。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tray);
        const std::string tray(c.tray);
        const std::string box = tray.substr(0, tray.find('\\'));
        folder(box);
        folder("A_" + box);
        put(c.tray, "unread mail");
        put("A_" + box + "\\d.ppm", "imported");
        put("A_" + box + "\\dリスト.ppl", "imported list");
        EXPECT_EQ(import(c.edition, c.box, "A", "d"), ImportOutcome::TrayNotEmpty);
        EXPECT_EQ(temp_.readFile(c.tray), "unread mail");
        EXPECT_EQ(lastMessage(), (test::ShownMessage{c.message, "エラー", MessageIcon::Error}));
    }
}

TEST_F(MailImportTest, ADrawerThePetLacksCopiesNothingAndSaysSo) {
    folder("受信フォルダ");
    folder("A_受信フォルダ");
    put("A_受信フォルダ\\受信メール.ppm", "mail without its list");
    for (const auto& [pet, drawer] : std::vector<std::pair<std::string, std::string>>{
             {"A", "受信メール"}, {"B", "受信メール"}, {"", ""}}) {
        EXPECT_EQ(import(HostEdition::Standard, MailBox::Receive, pet, drawer), ImportOutcome::NothingToImport);
        EXPECT_EQ(lastMessage(),
                  (test::ShownMessage{"インポートするメールが見つかりません。", "エラー", MessageIcon::Error}));
    }
    EXPECT_FALSE(temp_.exists("受信フォルダ\\受信メール.ppm"));
}

TEST_F(MailImportTest, AFailedCopyIsReportedAndTheTrayPutBack) {
    folder("A_受信フォルダ");
    put("A_受信フォルダ\\受信メール.ppm", "mail");
    put("A_受信フォルダ\\受信リスト.ppl", "list");
    // No receive folder: the mail file has nowhere to go.
    EXPECT_EQ(import(HostEdition::Standard, MailBox::Receive, "A", "受信メール"), ImportOutcome::CopyFailed);
    EXPECT_EQ(lastMessage(), (test::ShownMessage{"メールをコピーできませんでした。\nA_受信フォルダ\\受信メール.ppm",
                                                 "エラー", MessageIcon::Error}));

    // A folder where the list file goes: the mail copied first is taken back.
    folder("受信フォルダ\\受信リスト.ppl");
    EXPECT_EQ(import(HostEdition::Standard, MailBox::Receive, "A", "受信メール"), ImportOutcome::CopyFailed);
    EXPECT_FALSE(temp_.exists("受信フォルダ\\受信メール.ppm"));
    put("受信フォルダ\\受信メール.ppm", "");
    EXPECT_EQ(import(HostEdition::Standard, MailBox::Receive, "A", "受信メール"), ImportOutcome::CopyFailed);
    EXPECT_EQ(temp_.readFile("受信フォルダ\\受信メール.ppm"), "");
    EXPECT_EQ(lastMessage().text, "メールをコピーできませんでした。\nA_受信フォルダ\\受信リスト.ppl");
}

// A copy that fails partway, as on a full disk, leaves the start of the
// file at its target.
class CopiesCutShort : public test::ScriptedDir {
public:
    explicit CopiesCutShort(InstallDir& real) : ScriptedDir(real), real_(real) {}

    bool copyFile(const std::string& from, const std::string& to) override {
        if (ScriptedDir::copyFile(from, to)) return true;
        const auto source = real_.openRead(from);
        char start = 0;
        if (source && source->read(&start, 1) == 1) real_.openWrite(to, OpenForWrite::CreateOrTruncate)->write(&start, 1);
        return false;
    }

private:
    InstallDir& real_;
};

TEST_F(MailImportTest, ACopyThatFailsAtAnyStepLeavesBothTrayFilesAsTheyWere) {
    folder("A_受信フォルダ");
    put("A_受信フォルダ\\受信メール.ppm", "mail");
    put("A_受信フォルダ\\受信リスト.ppl", "list");
    folder("受信フォルダ");
    put("受信フォルダ\\受信メール.ppm", "");
    put("受信フォルダ\\受信リスト.ppl", "list of the empty tray");
    for (std::uint64_t failing = 1;; ++failing) {
        ASSERT_LT(failing, 20u) << "the import never got through";
        CopiesCutShort dir(*dir_);
        dir.fault = test::Fault{failing, test::FaultMode::Fail};
        prompts_ = {};
        const auto outcome = ImportMail(dir, standard_, {HostEdition::Standard, MailBox::Receive, "A", "受信メール"},
                                        prompts_);
        if (outcome == ImportOutcome::Imported) break;  // no step left to fail
        EXPECT_EQ(outcome, ImportOutcome::CopyFailed) << failing;
        EXPECT_EQ(temp_.readFile("受信フォルダ\\受信メール.ppm"), "") << failing;
        EXPECT_EQ(temp_.readFile("受信フォルダ\\受信リスト.ppl"), "list of the empty tray") << failing;
        EXPECT_EQ(dir_->list("受信フォルダ\\*").size(), 2u) << "a copy stays beside the tray, step " << failing;
    }
}

}  // namespace
}  // namespace orvane
