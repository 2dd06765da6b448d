#include "app/model/language.h"

#include <gtest/gtest.h>

using namespace rs::shell;

// The switch wins over the remembered choice, which wins over the locale;
// only an English locale gives English, the C locale and any other the
// described texts.
TEST(Language, SwitchThenRememberedChoiceThenLocale) {
    struct Case {
        const char* option;
        const char* remembered;
        const char* locale;
        Language shown;
    };
    const Case cases[] = {
        {"", "", "en_US.UTF-8", Language::English},
        {"", "", "en_GB", Language::English},
        {"", "", "en", Language::English},
        {"", "", "en@quot", Language::English},
        {"", "", "zh_CN.UTF-8", Language::Described},
        {"", "", "de_DE.UTF-8", Language::Described},
        {"", "", "C", Language::Described},
        {"", "", "C.UTF-8", Language::Described},
        {"", "", "POSIX", Language::Described},
        {"", "", "", Language::Described},
        {"", "", "eno", Language::Described},
        {"", "zh", "en_US.UTF-8", Language::Described},
        {"", "en", "C", Language::English},
        {"", "fr", "C", Language::Described},
        {"zh", "en", "en_US.UTF-8", Language::Described},
        {"en", "zh", "C", Language::English},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseLanguage(c.option, c.remembered, c.locale), c.shown)
            << c.option << "|" << c.remembered << "|" << c.locale;
}

TEST(Language, NamesAndTheLocaleTheCLibraryPicks) {
    EXPECT_EQ(languageName(Language::English), "en");
    EXPECT_EQ(languageName(Language::Described), "zh");
    EXPECT_EQ(languageFromName("en"), Language::English);
    EXPECT_EQ(languageFromName("EN"), std::nullopt);
    EXPECT_EQ(messageLocale("de_DE", "en_US", "zh_CN"), "de_DE");
    EXPECT_EQ(messageLocale("", "en_US", "zh_CN"), "en_US");
    EXPECT_EQ(messageLocale(nullptr, nullptr, "zh_CN"), "zh_CN");
    EXPECT_EQ(messageLocale(nullptr, "", nullptr), "");
}
