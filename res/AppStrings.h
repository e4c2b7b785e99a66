// The application's own texts: captions, the idle message, the start-up error.
#pragma once

#include "framework/Translation.h"

// The frame caption is "<document title>" followed by this.
inline constexpr const char* kCaptionSuffix = " - Taldrin";
inline constexpr const char* kIdleMessage = "Ready";

inline constexpr const char* kMissingFilesText = "Unable to find the necessary files!";
// The application name: the caption of the framework's own message boxes.
inline constexpr const char* kAppName = "vespin";
// What a new document is called when it is first saved.
inline constexpr const char* kNewFileName = "Taldrin";

// The program's own message boxes.
inline constexpr const char* kMessageCaption = "Taldrin";

// The learner's history.
// The status bar says this once, followed by ": ", the reason and a full stop.
inline constexpr const char* kHistoryNotKeptText = TR_NOOP("Your answers are not being kept");
// Where there is no data folder; otherwise the history names its file, the reason and the remedy.
inline constexpr const char* kHistoryUnreadableText =
    TR_NOOP("Your history cannot be read. It is left as it is, and no answers are added to it.");
// After the file and why it cannot be read.
inline constexpr const char* kReplaceHistoryQuestion =
    TR_NOOP("Replace it with an empty history? What the file holds now is lost.");
inline constexpr const char* kNoMistakesText =
    TR_NOOP("There are no mistakes to practise in this verb list.");
inline constexpr const char* kForgetHistoryQuestion =
    TR_NOOP("Forget every answer in your history? This cannot be undone.");
// Followed by ": ", the reason and a full stop.
inline constexpr const char* kForgetHistoryFailedText = TR_NOOP("Your history could not be deleted");
