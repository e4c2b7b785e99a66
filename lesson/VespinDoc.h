// The lesson document: every piece of lesson state and the four stored settings.
// Knows nothing of windows; the view reads its members and calls its operations.
#pragma once

#include "framework/Document.h"
#include "lesson/LessonStatistics.h"
#include "lesson/VerbListFiles.h"
#include "verbdata/DirectionSet.h"
#include "verbdata/GroupSet.h"
#include "verbdata/QuestionPool.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class SettingsStore;
class VerdictObserver;

// A question of the verb list in use: its verb (the Infinitive, as stored), the index of
// its direction in kDirections, and what it asks (the prompt as stored; empty for any).
// Of questions asked alike, the one expecting m_strExpected is taken first.
struct QuestionId
{
    std::string m_strVerb;
    std::size_t m_nDirection = 0;
    std::string m_strPrompt;
    std::string m_strExpected;
};

class CVespinDoc : public CDocument
{
public:
    // The settings are read from and written to this store; it must outlive the document.
    explicit CVespinDoc(SettingsStore& profile);

    // A new lesson: empty pool, zero counts, title "New Game". The first call of the
    // run also chooses the verb list and reads the settings.
    bool OnNewDocument() override;
    // Writes the four settings; a failure is reported on standard error.
    void OnCloseDocument() override;
    // Writes the four settings and makes them durable; false when the store failed.
    bool SaveSettings();
    // After SaveSettings failed: "could not be saved to <file>: <reason>".
    std::string DescribeSaveFailure() const;

    bool SetDirections(DirectionSet directions);
    bool SetGroups(GroupSet groups);
    // Times in milliseconds; the fraction is dropped. Values below 0 (or not a number)
    // become 0 and values beyond 32 bits the largest time.
    bool SetOptions(float fRightTime, float fWrongTime, bool bCorrecting);

    // Reads the verb list in use into the pool and asks its first question. Always true.
    bool LoadQuestions();
    // A lesson on these questions of the list in use, whatever directions and groups are
    // chosen: the first is asked first, then the random walk goes on from it in this order.
    // Those the list no longer holds are left out, and each question of the list is taken
    // once. False, with nothing changed, when none is left. bPractice marks the lesson as
    // one of Practise Mistakes in the history; a review of due questions is not one.
    bool LoadChosenQuestions(const std::vector<QuestionId>& questions, bool bPractice = true);
    // Every question of the list in use, whatever directions and groups are chosen.
    QuestionPool ReadAllQuestions() const;
    // How many questions a lesson of Review Due asks at most, kept in the settings.
    std::uint32_t GetReviewLimit() const;
    void SetReviewLimit(std::uint32_t nLimit);
    // The verb list the lessons read.
    const std::string& GetListInUse() const { return m_strVerbListPath; }
    // Told of every lesson's start, verdicts and end; nullptr for none. Must outlive
    // the document or be taken away first.
    void SetVerdictObserver(VerdictObserver* pObserver) { m_pVerdictObserver = pObserver; }

    // The list the lessons read from now on, in place of the one the folders give; before
    // the first new lesson it is also the list that lesson finds.
    void UseVerbList(const VerbListLocation& list);
    // Back to the list the folders give, looked for afresh; false, changing nothing, when
    // no folder holds one any more.
    bool UseStandardVerbList();
    // Before a lesson: a chosen list that can no longer be read as one (gone, or now a
    // folder, a pipe or a device) gives way to the list the folders give, as at start, and
    // m_fnChosenListGone is told. False when the list in use stays.
    bool FallBackFromGoneList();

    // Steps forward a random 1 .. n/2+1 places, wrapping; with one question left
    // the same question is asked again. Shows the prompt as the title.
    bool ChooseNextQuestion();
    // Judges m_strTyped against the current question. False when this answer ended
    // the lesson. With correcting on, the verdict stays until ContinueAfterVerdict.
    bool CheckAnswer();
    // Ends the verdict shown since CheckAnswer; false when the lesson ended.
    bool ContinueAfterVerdict();
    // How long the verdict of the last answer stays, in milliseconds; 0 before any.
    std::uint32_t GetVerdictTime() const;
    void GiveUp();

    std::string GetPrompt() const;
    std::string GetAskedFormName() const;
    std::string GetRemainingText() const;
    // What the user is told when memory ran out before the whole list was read.
    std::string GetCutShortText() const;

    std::string m_strTyped;
    std::string m_strVerdict;
    LessonStatistics m_stats;
    std::int32_t m_nCaret = 0;
    bool m_bSettingsRead = false;
    QuestionPool m_pool;
    std::size_t m_nCurrent = 0;
    // -1 no answer yet in this lesson, 0 wrong, 1 right.
    std::int32_t m_nLastResult = -1;
    bool m_bRabbit = true;
    bool m_bFinished = false;
    bool m_bCaretOn = false;
    std::uint32_t m_nWrongTime = 2000;
    std::uint32_t m_nRightTime = 400;
    bool m_bShowingCorrection = false;
    bool m_bCorrecting = true;
    bool m_bAlternativeFile = false;
    // Memory ran out before LoadQuestions had read the whole list; see GetCutShortText.
    bool m_bListCutShort = false;
    // The list every lesson of the run reads, found at the first new lesson in the first
    // of m_verbListFolders that holds one (see FindVerbList); the application sets the
    // folders, by default only the working directory is searched.
    std::string m_strVerbListPath = "irregu.ver";
    std::vector<std::string> m_verbListFolders{"."};
    // Set while a list the user chose is in use.
    std::optional<VerbListLocation> m_chosenList;
    DirectionSet m_directions;
    GroupSet m_groups;
    // The last save failure the user was told of, so that it is told once.
    std::string m_strSaveFailureTold;

    // Where the question order comes from: the seed taken at every new lesson (the
    // time by default) and one value per random step (std::rand by default). Tests
    // replace them to replay a lesson.
    std::function<unsigned()> m_fnSeed;
    std::function<int()> m_fnRand;
    // Told when LoadQuestions has filled the pool: a lesson has started.
    std::function<void()> m_fnLessonStarted;
    // Told whenever the list the lessons read changes, and when it is first found.
    std::function<void()> m_fnListChanged;
    // Told by FallBackFromGoneList of the chosen list it gave up, and whether a list of
    // the folders took its place (else no lesson has a list).
    std::function<void(const std::string& strPath, bool bStandard)> m_fnChosenListGone;

private:
    void RemoveCurrentQuestion();
    void EndLesson();
    // bPractice: a lesson marked as practice in the history. bFirstFirst: a lesson of chosen
    // questions, whose first (the most recent mistake) is asked first, without a random step.
    void StartAsking(bool bPractice, bool bFirstFirst);
    void NotifyLessonEnd();

    SettingsStore& m_profile;
    VerdictObserver* m_pVerdictObserver = nullptr;
};
