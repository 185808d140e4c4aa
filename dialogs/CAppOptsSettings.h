#pragma once

#include <functional>

// The values of the "Global Options" page, kept in section "Settings" of the profile. The start-up
// values take effect at the next start; "Font ID Messages" is read whenever a font is checked.
namespace qrl::appopts {

// Start-up options: reopen the last project, create a new project, do nothing.
inline constexpr int kOpenLastProject = 0;
inline constexpr int kCreateNewProject = 1;
inline constexpr int kDoNothing = 2;
inline constexpr int kStartUpChoices = 3;

struct Values {
    int splash = 0;
    int startUpOption = kCreateNewProject;
    int fontIdMessages = 0;
};

// Hands the new start-up values to the application object once they are stored.
using StartUpSink = std::function<void(int splash, int startUpOption)>;

// The page's values when it opens: the start-up values the application runs with, and
// "Font ID Messages" as stored (default 0).
Values initialValues(int appSplash, int appStartUpOption);

// The start-up option of a radio group: the checked choice, or `current` when none is checked
// (a stored value outside 0..2 is kept rather than replaced by -1).
int startUpOptionFromChoice(int checkedChoice, int current);

// Writes the three values in order. False as soon as the profile refuses one; the sink is called
// only after all three were stored.
bool store(const Values& values, const StartUpSink& sink);

} // namespace qrl::appopts
