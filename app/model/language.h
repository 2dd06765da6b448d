#pragma once

#include <optional>
#include <string>

namespace rs::shell {

// The language of the window's texts: the described texts (menus and
// messages in English, prompts and dialog labels in Chinese) or the English
// translation of all of them.
enum class Language { Described, English };

// "en" or "zh" (the --lang switch and the remembered choice); nothing for any
// other text.
std::optional<Language> languageFromName(const std::string& name);
std::string languageName(Language language);

// The locale whose messages the user reads: the first set of LC_ALL,
// LC_MESSAGES and LANG, as the C library picks it.
std::string messageLocale(const char* lcAll, const char* lcMessages, const char* lang);

// The language to show: the --lang switch, else the remembered choice, else
// English under an English locale ("en", "en_GB.UTF-8") and the described
// texts under any other and under the C locale.
Language chooseLanguage(const std::string& option, const std::string& remembered,
                        const std::string& locale);

}  // namespace rs::shell
