// What a lesson says and when: the question's word, and after a verdict the answer that
// was expected. Knows the document and a Speaker; draws nothing and needs no toolkit.
#pragma once

#include "framework/Speaker.h"

#include <memory>
#include <string>
#include <vector>

class CVespinDoc;
class SettingsStore;

struct SpeechSettings
{
    bool m_bAfterVerdict = false;
    SpeechAccent m_accent = SpeechAccent::British;
    // The question's word is heard, not shown.
    bool m_bByEar = false;
};

// Kept in the program's own section; a missing or strange value reads as the default.
SpeechSettings ReadSpeechSettings(SettingsStore& store);
void WriteSpeechSettings(SettingsStore& store, const SpeechSettings& settings);

// The words of the question being asked, and of the answer it expects (each spelling of a
// list); none when no question is asked.
std::vector<SpokenWord> PromptToSay(const CVespinDoc& doc, SpeechAccent accent);
std::vector<SpokenWord> AnswerToSay(const CVespinDoc& doc, SpeechAccent accent);

class SpokenLesson
{
public:
    explicit SpokenLesson(Speaker& speaker) : m_speaker(speaker) {}

    bool CanSpeak() const { return m_speaker.WhyUnavailable().empty(); }
    // Without speech the word stays on the screen, whatever the setting.
    bool HidesPrompt() const { return m_settings.m_bByEar && CanSpeak(); }

    // After the answer check: the expected answer while its verdict shows, or the next
    // question's word when the lesson went straight on.
    void AfterAnswer(const CVespinDoc& doc);
    // A new question is on the screen.
    void OnQuestion(const CVespinDoc& doc);
    // The key and the button: the answer while a verdict shows, else the question's word.
    void Repeat(const CVespinDoc& doc);
    void Stop() { m_speaker.Stop(); }

    SpeechSettings m_settings;

private:
    void Say(const std::vector<SpokenWord>& words);

    Speaker& m_speaker;
};

// A Speaker that also appends each utterance, as "en-GB" or "en-US", a tab and the words
// parted by " / ", as a line to the file at strLogPath. The file is the user's: a failure
// to write is left unsaid.
std::unique_ptr<Speaker> LoggingSpeaker(std::unique_ptr<Speaker> pInner, const std::string& strLogPath);
