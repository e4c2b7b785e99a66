// Speech through the system's engine: espeak-ng on Linux, SAPI on Windows. The engine is
// loaded at the first utterance, never at start-up, and works off the caller's thread.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class SpeechAccent { British, American };

// One word to say. m_strText is UTF-8. The phoneme fields are empty unless the
// pronunciation table overrides how the engine would read the word: m_strEspeak in
// espeak-ng's phoneme mnemonics (spoken as "[[...]]"), m_strSapi in the SAPI phone set
// (a <pron sym="..."> hint).
struct SpokenWord
{
    std::string m_strText;
    std::string m_strEspeak;
    std::string m_strSapi;
};

class Speaker
{
public:
    virtual ~Speaker() = default;

    // Empty when speech can be used; otherwise why not, as one sentence for the status
    // bar. Cheap enough to ask on every menu update, and loads no engine.
    virtual std::string WhyUnavailable() const = 0;
    // Starts saying the words, one after another, and returns at once. A later Say or
    // Stop cuts what is still being said.
    virtual void Say(const std::vector<SpokenWord>& words, SpeechAccent accent) = 0;
    virtual void Stop() = 0;
    // Loads the engine and the accent's voice off the caller's thread, saying nothing and
    // cutting nothing, so that the next utterance starts at once: for when speech is about
    // to be wanted (a lesson starts with speech on), never at start-up.
    virtual void Prepare(SpeechAccent /*accent*/) {}
    // Told, on the speech thread, when an utterance could not be played (no sound device,
    // the engine failed), with one sentence for the status bar.
    virtual void SetTroubleHandler(std::function<void(const std::string&)> fnTrouble) = 0;
};

// The engine of this platform.
std::unique_ptr<Speaker> MakeSystemSpeaker();
