// The Linux engine: libespeak-ng, opened with dlopen at the first utterance, its sound
// played through libpcaudio (which libespeak-ng itself needs, so it is there with it).
#pragma once

#include "framework/Speaker.h"
#include "framework/SpeechInput.h"

#include <functional>
#include <memory>
#include <string>

// Where libespeak-ng is looked for: the file the environment variable
// TALDRIN_ESPEAK_LIBRARY names, or "libespeak-ng.so.1" in the dynamic linker's folders.
std::string EspeakLibraryName();
// Whether the library is there, by looking for its file: loads nothing.
bool EspeakLibraryInstalled(const std::string& strLibrary);

struct EspeakOptions
{
    std::string m_strLibrary = EspeakLibraryName();
    // When set, the synthesized samples (16-bit mono at nRate) go here instead of to the
    // sound device; returning false cuts the utterance. For tests and measurements.
    std::function<bool(const short* pSamples, int nCount, int nRate)> m_fnSamples;
    // Told on the speech thread when an utterance ends: spoken to its end, or not.
    std::function<void(bool bToTheEnd)> m_fnEnded;
};

std::unique_ptr<Speaker> MakeEspeakSpeaker(EspeakOptions options);
