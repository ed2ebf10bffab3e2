#include "core/Translation.h"

#include "core/DataFiles.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <libintl.h>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* Domain = "velmoor";
constexpr char ContextSeparator = '\004';   // how msgfmt joins a msgctxt to its msgid

// "C", "POSIX" and "C.UTF-8" (C.utf8 and the like): no language of their own.
bool NamesPlainC(const char* locale)
{
    if (locale == nullptr || *locale == '\0') return true;
    return std::strcmp(locale, "POSIX") == 0 || std::strcmp(locale, "C") == 0 || std::strncmp(locale, "C.", 2) == 0;
}

// The first of LANGUAGE, LC_ALL, LC_MESSAGES and LANG that is set: what the player asked for.
std::string AskedLanguage()
{
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return value;
    }
    return {};
}

// Whether a folder holds a catalogue of the game in any language.
bool HoldsCatalogues(const fs::path& folder)
{
    std::error_code error;
    for (fs::directory_iterator language(folder, error), end; !error && language != end; language.increment(error)) {
        if (fs::exists(language->path() / "LC_MESSAGES" / (std::string(Domain) + ".mo"), error)) return true;
    }
    return false;
}

std::string FindCatalogueFolder()
{
    const std::string executableFolder = ExecutableDirectory();
    std::string installed;
#ifdef VELMOOR_LOCALE_DIR
    installed = VELMOOR_LOCALE_DIR;
#endif
    const std::string beside = executableFolder.empty() ? "" : executableFolder + "/locale";
    const std::string besideInstall = executableFolder.empty() ? "" : executableFolder + "/../share/locale";
    for (const std::string& folder : {beside, besideInstall, installed}) {
        if (!folder.empty() && HoldsCatalogues(folder)) return folder;
    }
    return installed.empty() ? beside : installed;   // holds none: every text stays English
}

}  // namespace

void SetUpTranslation() { SetUpTranslationFrom(FindCatalogueFolder()); }

void SetUpTranslationFrom(const std::string& folder)
{
    // Only the messages follow the locale: numbers, character classes and the like stay as
    // the game's files and traces need them.
    const char* messages = std::setlocale(LC_MESSAGES, "");
    if (NamesPlainC(messages)) {
        // gettext ignores LANGUAGE under the C locale, and a LANG naming a locale the machine
        // has not generated (ja_JP.UTF-8 on a bare system) leaves the locale at C: the
        // language asked for is then handed to gettext as LANGUAGE under C.UTF-8, which it
        // heeds. A machine without C.UTF-8 stays English.
        const std::string asked = AskedLanguage();
        if (!NamesPlainC(asked.c_str()) && std::setlocale(LC_MESSAGES, "C.UTF-8") != nullptr) {
            setenv("LANGUAGE", asked.c_str(), 1);
        }
    }
    bindtextdomain(Domain, folder.c_str());
    bind_textdomain_codeset(Domain, "UTF-8");
}

const char* Translate(const char* english) { return dgettext(Domain, english); }

const char* TranslateIn(const char* context, const char* english)
{
    const std::string key = std::string(context) + ContextSeparator + english;
    const char* translated = dgettext(Domain, key.c_str());
    return translated == key.c_str() ? english : translated;
}

std::string TranslateWith(const char* english, const std::string& value)
{
    std::string text = Translate(english);
    const size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, value);
    return text;
}
