#pragma once
#include <string>

// The texts the game shows outside play (the start-up dialog, the error notices, the menus)
// are written in English in the code and translated through the gettext catalogue "velmoor"
// (po/ in the source tree) into the player's language, as LANGUAGE, LC_ALL, LC_MESSAGES and
// LANG ask. The game's own words in play (TIME, LIFE, the ranks, the title) are never
// translated. Without a catalogue for the language every text stays English, silently.

// Chooses the language and finds the catalogues: beside the program first (locale/, where an
// uninstalled build compiles them), then share/locale beside its bin/, then the prefix the
// game was built to be installed in. Call once at start-up, before any text is translated;
// calling it again (tests) takes the environment as it is then.
void SetUpTranslation();
// The same with the catalogues read from the given folder only.
void SetUpTranslationFrom(const std::string& folder);

// The player's words for an English text (a msgid of the catalogue); the text itself when the
// catalogue has none. The result lives as long as the program.
const char* Translate(const char* english);
// The same for a text whose words depend on where it stands: "Window" in the start-up dialog
// stays "Window" in Japanese, while the options' "Window" does not. The context is the
// catalogue's msgctxt.
const char* TranslateIn(const char* context, const char* english);

// Marks an English text for the catalogue where it stands in a table, to be translated with
// Translate where it is shown.
constexpr const char* ToTranslate(const char* english) { return english; }

// An English text with one "%s" in it, translated, with `value` put in place of the "%s".
std::string TranslateWith(const char* english, const std::string& value);

