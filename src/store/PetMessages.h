#pragma once

#include <string>
#include <string_view>

#include "platform/Prompts.h"

// What the pet maintenance operations tell the user, word for word.
namespace orvane::petmessage {

inline constexpr std::string_view ErrorTitle = "エラー";
inline constexpr std::string_view WarningTitle = "警告";
inline constexpr std::string_view DoneTitle = "完了";
inline constexpr std::string_view InformationTitle = "お知らせ";

inline constexpr std::string_view NoName = "名前が設定されていません。";
inline constexpr std::string_view ReservedName = "この名前は予約されています。";
inline constexpr std::string_view ForbiddenCharacterOnAdd = "ペットの名前に次の文字はつかえません。";
inline constexpr std::string_view ForbiddenCharacterOnChange = "ペットの名前に以下の文字はつかえません。";
// The second line of the forbidden-character message: six full-width
// spaces, then the characters a pet name must not contain.
inline constexpr std::string_view ForbiddenCharacterList = "　　　　　　\\ / : ; , * ? \" < > |";
inline constexpr std::string_view UnusableCharacter = "ペットの名前に使えない文字が含まれています。";
inline constexpr std::string_view NameTooLong = "ペットの名前が長すぎます。";
inline constexpr std::string_view DuplicateName = "既に同じ名前のペットが存在します。";
inline constexpr std::string_view WrongPassword = "パスワードが不正です。";
// After a pet's name in 「」: why its password is asked for.
inline constexpr std::string_view PasswordToPack = "を暗号化ペットのファイルに戻します。\nこのペットのパスワードを入力してください。";
// After a pet's name in 「」: a session that a crash, a failed pack or a
// host that was given up left unfinished.
inline constexpr std::string_view SessionRecovered = "の前回の起動は正しく終わっていませんでした。\nペットのファイルを片付けました。";
inline constexpr std::string_view HostStillRuns = "のヴェルモラが前回から動いています。\nヴェルモラが終了したら、ペットのファイルを片付けます。";
inline constexpr std::string_view HostStillRunsAtExit = "のヴェルモラが終了しないまま、オルヴェインを終了します。\nペットのファイルは次に起動したときに片付けます。";
inline constexpr std::string_view NotPacked = "を暗号化ペットのファイルに戻せませんでした。\nペットのファイルはそのまま残してあります。次に起動したときにもう一度戻します。";
inline constexpr std::string_view PackPostponed = "は暗号化ペットのファイルに戻していません。\n次に起動したときにもう一度戻します。";
inline constexpr std::string_view UnfinishedSession = "の前回の起動が終わっていないため、変更できません。\nいちどこのペットを起動して終了してください。";
inline constexpr std::string_view DiscardQuestion = "を捨てますか?\n捨てると二度と帰ってきません。";
inline constexpr std::string_view TooManyPets = "これ以上ペットを登録できません。";
inline constexpr std::string_view NamelessPet = "名前のないペットは操作できません。\n設定ファイルを確認してください。";

// A registered pet whose name breaks the name rules, as shownName shows it:
// 「name」は使えない名前のため操作できません。 and a line asking to check
// the settings file; NamelessPet for an empty name.
std::string unusablePetName(const std::string& shownName);

// A pet's name in Japanese quotes, as messages name it.
std::string quoted(const std::string& pet);

// A refusal: title "エラー", the error icon unless `icon` says otherwise.
void showError(Prompts& prompts, std::string_view text, MessageIcon icon = MessageIcon::Error);

}  // namespace orvane::petmessage
