#include "app/model/language.h"

namespace rs::shell {

std::optional<Language> languageFromName(const std::string& name) {
    if (name == "en") return Language::English;
    if (name == "zh") return Language::Described;
    return std::nullopt;
}

std::string languageName(Language language) {
    return language == Language::English ? "en" : "zh";
}

std::string messageLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang})
        if (value && *value) return value;
    return {};
}

Language chooseLanguage(const std::string& option, const std::string& remembered,
                        const std::string& locale) {
    if (const auto chosen = languageFromName(option)) return *chosen;
    if (const auto kept = languageFromName(remembered)) return *kept;
    const bool english = locale.rfind("en", 0) == 0 && (locale.size() == 2 || locale[2] == '_' ||
                                                        locale[2] == '.' || locale[2] == '@');
    return english ? Language::English : Language::Described;
}

}  // namespace rs::shell
