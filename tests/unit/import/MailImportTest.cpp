#include "StoreTestSupport.h"
#include "import/MailImport.h"

namespace orvane {
namespace {

using test::Entries;
using test::ShownMessage;

using MailImportTest = test::StoreTest;

TEST_F(MailImportTest, PetsAreTheEntriesEndingInTheReceiveFolderAndDrawersTheBoxsMailFiles) {
    // A file is listed too; names the pet rules refuse are no pet's; the pet is cut at the last underscore.
    putAll({{"A_受信フォルダ", "<folder>"}, {"a.b_c_受信フォルダ", "<folder>"}, {"共有_受信フォルダ", "<folder>"},
            {"B_送信フォルダ", "<folder>"}, {"予_受信フォルダ", "file"}, {"E.apd", ""}, {"a;b_受信フォルダ", "<folder>"},
            {"_受信フォルダ", "<folder>"}, {std::string(51, 'L') + "_受信フォルダ", "<folder>"}, {"送信フォルダ", "<folder>"},
            {"受信フォルダ\\受信メール.ppm", ""}, {"受信フォルダ\\予定.ppm", ""}, {"受信フォルダ\\受信リスト.ppl", ""},
            {"受信フォルダ\\v1.2.ppm", ""}});
    EXPECT_EQ(importablePets(*dir_, names_), (std::vector<std::string>{"a.b_c", "A", "予", "共有"}));
    EXPECT_EQ(drawersOf(*dir_, names_, MailBox::Receive), (std::vector<std::string>{"v1.2", "予定", "受信メール"}));
    EXPECT_TRUE(drawersOf(*dir_, names_, MailBox::Send).empty());
}

TEST_F(MailImportTest, TheDrawerGoesOverAnEmptyTrayOfTheEditionAndBoxOrNothingChanges) {
    const Entries fromA = {{"A_受信フォルダ\\受信メール.ppm", "mail"}, {"A_受信フォルダ\\受信リスト.ppl", "list"}};
    const Entries emptyTray = {{"受信フォルダ\\受信メール.ppm", ""}};
    const auto error = [](const std::string& text) { return ShownMessage{text, "エラー", MessageIcon::Error}; };
    const ShownMessage completed{"メールのインポートを完了しました。", "完了", MessageIcon::Information};
    const ShownMessage nothing = error("インポートするメールが見つかりません。");
    using enum ImportOutcome;
    using enum HostEdition;
    // After the import the directory is as before but for the entries changed.
    const struct { std::string name; Entries before; ImportOutcome outcome; ShownMessage message; Entries changed = {};
                   HostEdition edition = Standard; MailBox box = MailBox::Receive; std::string drawer = "受信メール", pet = "A"; } rows[] = {
        {"standard receive", fromA + emptyTray, Imported, completed, {{"受信フォルダ\\受信メール.ppm", "mail"}, {"受信フォルダ\\受信リスト.ppl", "list"}}},
        {"kids send", {{"A_そうしん箱\\そうしんメール.ppm", "m"}, {"A_そうしん箱\\そうしんリスト.ppl", "l"}, {"そうしん箱", "<folder>"}}, Imported,
         completed, {{"そうしん箱\\そうしんメール.ppm", "m"}, {"そうしん箱\\そうしんリスト.ppl", "l"}}, Kids, MailBox::Send, "そうしんメール"},
        {"kids receive, a drawer of its own", {{"A_じゅしん箱\\old.ppm", "m"}, {"A_じゅしん箱\\oldリスト.ppl", "l"}, {"じゅしん箱", "<folder>"}},
         Imported, completed, {{"じゅしん箱\\じゅしんメール.ppm", "m"}, {"じゅしん箱\\じゅしんリスト.ppl", "l"}}, Kids, MailBox::Receive, "old"},
        {"standard send", {{"A_送信フォルダ\\old.ppm", "m"}, {"A_送信フォルダ\\oldリスト.ppl", "l"}, {"送信フォルダ", "<folder>"}}, Imported,
         completed, {{"送信フォルダ\\送信メール.ppm", "m"}, {"送信フォルダ\\送信リスト.ppl", "l"}}, Standard, MailBox::Send, "old"},
        {"standard receive tray with mail", fromA + Entries{{"受信フォルダ\\受信メール.ppm", "unread"}}, TrayNotEmpty, error("受信トレイを空にして下さい。")},
        {"kids receive tray with mail", {{"A_じゅしん箱\\d.ppm", "m"}, {"A_じゅしん箱\\dリスト.ppl", "l"}, {"じゅしん箱\\じゅしんメール.ppm", "unread"}},
         TrayNotEmpty, error("じゅしん箱を空にして下さい。"), {}, Kids, MailBox::Receive, "d"},
        {"kids send tray with mail", {{"A_そうしん箱\\d.ppm", "m"}, {"A_そうしん箱\\dリスト.ppl", "l"}, {"そうしん箱\\そうしんメール.ppm", "unread"}},
         TrayNotEmpty, error("ポストを空にして下さい。"), {}, Kids, MailBox::Send, "d"},
        {"a drawer without its list", {{"A_受信フォルダ\\受信メール.ppm", "mail"}, {"受信フォルダ", "<folder>"}}, NothingToImport, nothing},
        {"a pet without the drawer", fromA + emptyTray, NothingToImport, nothing, {}, Standard, MailBox::Receive, "受信メール", "B"},
        {"a pet the name rules refuse", {{"a;b_受信フォルダ\\受信メール.ppm", "mail"}, {"a;b_受信フォルダ\\受信リスト.ppl", "list"}, {"受信フォルダ", "<folder>"}},
         UnusablePet, error("「a;b」は使えない名前のため操作できません。\n設定ファイルを確認してください。"), {}, Standard, MailBox::Receive, "受信メール", "a;b"},
        {"no tray folder", fromA, CopyFailed, error("メールをコピーできませんでした。\nA_受信フォルダ\\受信メール.ppm")},
        // The mail copied first is taken back.
        {"a folder where the list goes", fromA + Entries{{"受信フォルダ\\受信リスト.ppl", "<folder>"}}, CopyFailed,
         error("メールをコピーできませんでした。\nA_受信フォルダ\\受信リスト.ppl")},
    };
    for (const auto& row : rows) {
        clearInstallDir();
        putAll(row.before);
        const Entries before = snapshot();
        test::ScriptedPrompts prompts;
        const auto names = FolderNameTable::forEdition(row.edition);
        EXPECT_EQ(ImportMail(*dir_, names, {row.edition, row.box, row.pet, row.drawer}, prompts), row.outcome) << row.name;
        EXPECT_EQ(prompts.messages, std::vector<ShownMessage>{row.message}) << row.name;
        EXPECT_EQ(snapshot(), before + row.changed) << row.name;
    }
}

TEST_F(MailImportTest, ACopyThatFailsAtAnyStepLeavesBothTrayFilesAsTheyWere) {
    putAll({{"A_受信フォルダ\\受信メール.ppm", "mail"}, {"A_受信フォルダ\\受信リスト.ppl", "list"},
            {"受信フォルダ\\受信メール.ppm", ""}, {"受信フォルダ\\受信リスト.ppl", "list of the empty tray"}});
    const Entries before = snapshot();
    for (std::uint64_t failing = 1;; ++failing) {
        ASSERT_LT(failing, 20u) << "the import never got through";
        test::ScriptedDir dir(*dir_);
        dir.fault = test::Fault{failing, test::FaultMode::Fail};
        test::ScriptedPrompts prompts;
        const auto outcome = ImportMail(dir, names_, {HostEdition::Standard, MailBox::Receive, "A", "受信メール"}, prompts);
        if (outcome == ImportOutcome::Imported) break;  // no step left to fail
        EXPECT_EQ(outcome, ImportOutcome::CopyFailed) << "step " << failing;
        EXPECT_EQ(snapshot(), before) << "step " << failing;
    }
}

}  // namespace
}  // namespace orvane
