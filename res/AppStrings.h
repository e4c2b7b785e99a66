// The application's own texts: captions, the idle message, the start-up error, the
// About box.
#pragma once

// The frame caption is "<document title>" followed by this.
inline constexpr const char* kCaptionSuffix = " - Taldrin";
inline constexpr const char* kIdleMessage = "Ready";

inline constexpr const char* kMissingFilesText = "Unable to find the necessary files!";
inline constexpr const char* kMissingFilesCaption = "vespin";

inline constexpr const char* kAboutTitle = "About Taldrin";
inline constexpr const char* kAboutVersion = "Taldrin Version 1.0";
inline constexpr const char* kAboutCopyright = "Copyright (C) 2002";
