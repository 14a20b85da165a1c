#include "style/JapaneseLocale.h"

#include "platform/JapaneseTypeface.h"
#include "platform/PasswordPrompt.h"
#include "platform/UserLanguage.h"

namespace
{
    const char* const japaneseTranslation =
        "language: Japanese\n"
        "countries: jp\n"
        "\"Cancel\" = \"キャンセル\"\n"
        "\"Uninstall Driver\" = \"ドライバーの削除\"\n"
        "\"This uninstaller removes PELK USB MIDI Driver from the system. You may prompt to enter your password in the uninstallation process.\""
            " = \"このアンインストーラーはシステムからPELK USB MIDIドライバーを削除します。アンインストールの途中パスワードを聞かれますので、<account password>を入力してください\"\n"
        "\"Completed\" = \"処理が完了しました\"\n"
        "\"The uninstallation was completed.\" = \"ドライバーの削除が正常に終了しました。\"\n"
        "\"in\" = \"場所:\"\n"
        "\"Not all files were removed\" = \"削除できなかったファイルがあります\"\n"
        "\"Asks for an administrator's password, then removes the driver.\" = \"管理者のパスワードを確認してから、ドライバーを削除します。\"\n"
        "\"Description\" = \"説明\"\n"
        "\"What the uninstaller removes.\" = \"このアンインストーラーが削除するもの。\"\n"
        "\"The result of the uninstallation.\" = \"アンインストールの結果。\"\n"
        "\"Details\" = \"詳細\"\n"
        "\"What was removed, and what could not be.\" = \"削除されたものと、削除できなかったもの。\"\n"
        "\"Closes the uninstaller.\" = \"アンインストーラーを終了します。\"\n"
        "\"The password prompt cannot be shown: pkexec is not installed. Install the pkexec package, then try again.\""
            " = \"パスワードの入力画面を表示できません。pkexec がインストールされていません。pkexec パッケージをインストールしてから、もう一度お試しください。\"\n"
        "\"The password prompt cannot be shown: its helper is missing. Install this program again, then try again.\""
            " = \"パスワードの入力画面を表示できません。ヘルパーが見つかりません。このプログラムをインストールし直してから、もう一度お試しください。\"\n"
        "\"The password prompt cannot be shown: its helper must be installed by root, in folders that only root may change. Install this program as root.\""
            " = \"パスワードの入力画面を表示できません。ヘルパーは、root だけが変更できるフォルダーに root がインストールしたものでなければなりません。このプログラムを root としてインストールしてください。\"\n"
        "\"No password prompt could be shown: no authentication agent is running. Start one, such as lxpolkit or mate-polkit (a desktop session usually starts one), then try again.\""
            " = \"パスワードの入力画面を表示できませんでした。認証エージェントが動いていません。lxpolkit や mate-polkit などの認証エージェントを起動してから（ふつうはデスクトップのセッションが起動します）、もう一度お試しください。\"\n"
        "\"The password prompt cannot be shown: this version of macOS no longer lets a program start its helper with administrator rights. Remove the driver with this program's --uninstall option, run as root.\""
            " = \"パスワードの入力画面を表示できません。この macOS では、プログラムがヘルパーを管理者の権限で起動できなくなりました。このプログラムの --uninstall オプションを root として実行して、ドライバーを削除してください。\"\n"
        "\"No password dialog could be shown: this session has no desktop to show it on. Log in at the Mac's own screen, or run this program's --uninstall option as root.\""
            " = \"パスワードの入力画面を表示できませんでした。このセッションには画面を表示するデスクトップがありません。Mac の画面からログインするか、このプログラムの --uninstall オプションを root として実行してください。\"\n"
        "\"Administrator rights were given, but the system could not start this program's helper with them. Install this program again, then try again.\""
            " = \"管理者の権限は与えられましたが、システムがその権限でこのプログラムのヘルパーを起動できませんでした。このプログラムをインストールし直してから、もう一度お試しください。\"\n"
        "\"Enter an administrator's name and password to remove the PELK USB MIDI Driver.\""
            " = \"PELK USB MIDI ドライバーを削除するには、管理者の名前とパスワードを入力してください。\"\n"
        "\n"
        "\n";
}

namespace JapaneseLocale
{
    bool isJapaneseCode (const juce::String& languageCode)
    {
        return languageCode == "ja";
    }

    juce::String getTranslationText()
    {
        // Whose password the prompt asks for depends on the system.
        return juce::String::fromUTF8 (japaneseTranslation)
                   .replace ("<account password>", PasswordPrompt::getJapaneseAccountPasswordName());
    }

    std::unique_ptr<juce::LocalisedStrings> createTranslations (const juce::String& languageCode)
    {
        // Without a face that draws them, Japanese texts would be boxes: English reads better.
        const auto japanese = isJapaneseCode (languageCode) && getTypefaceName().isNotEmpty();
        return std::make_unique<juce::LocalisedStrings> (japanese ? getTranslationText() : juce::String(), false);
    }

    juce::String getTypefaceName()
    {
        // Looking through the installed fonts is slow; the answer does not change while we run.
        static const auto name = JapaneseTypeface::findFamilyName (getTranslationText());
        return name;
    }

    void applyTypeface (juce::LookAndFeel& lookAndFeel, const juce::String& languageCode)
    {
        if (! isJapaneseCode (languageCode))
            return;

        if (auto name = getTypefaceName(); name.isNotEmpty())
            lookAndFeel.setDefaultSansSerifTypefaceName (name);
    }

    void applyTypeface (juce::LookAndFeel& lookAndFeel)
    {
        applyTypeface (lookAndFeel, UserLanguage::getCode());
    }
}
