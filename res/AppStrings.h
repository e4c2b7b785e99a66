// The application's own texts: captions, the idle message, the start-up error.
#pragma once

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
