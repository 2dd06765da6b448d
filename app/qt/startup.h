#pragma once

// What the window's program does before it opens a window: answers --help and
// --version without a display, and turns the platform plugin's failure to
// reach one into a single line.
#include <string>

namespace rs::qt {

// Handles --help and --version on standard output. Returns true when one was
// given (the program then ends with status 0).
bool answerInformationSwitches(int argc, char** argv);

// The value of "--lang en|zh", empty when not given. A switch without a
// valid value prints one line and sets `ok` false (the program then ends with
// status 2).
std::string languageSwitch(int argc, char** argv, bool& ok);

// Shows the window in the language the switch, the remembered choice or the
// locale gives (the switch's choice is remembered in the settings).
void applyLanguage(const std::string& languageSwitch);

// While the application object is made, a platform plugin that reaches no
// display ends the program with one line on standard error and status 1
// instead of the plugin's report; its warnings before that are dropped.
void reportMissingDisplayInOneLine();
// From here on Qt's messages go where they went before.
void restoreMessageHandler();

}  // namespace rs::qt
