// What each engine is handed for the words to say; plain text building, the same on
// every platform, so that both are tested everywhere.
#pragma once

#include "framework/Speaker.h"

#include <string>
#include <vector>

// espeak-ng: the words apart, phonemes as "[[...]]" (read with espeakPHONEMES).
std::string EspeakInput(const std::vector<SpokenWord>& words);
const char* EspeakVoice(SpeechAccent accent);
// SAPI, spoken with SPF_IS_XML: the words apart, escaped, with a <pron sym="..."> hint
// where the table has phones. UTF-8.
std::string SapiInput(const std::vector<SpokenWord>& words);
// The language attribute of a SAPI voice for the accent ("Language=809").
const wchar_t* SapiLanguage(SpeechAccent accent);
