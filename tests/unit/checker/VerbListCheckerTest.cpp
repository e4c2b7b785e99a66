// The verb list checker: faulty lists' findings, agreement with a lesson, taldrin-check's status.
#include "checker/VerbListChecker.h"

#include "lesson/VespinDoc.h"
#include "support/CheckProgram.h"
#include "support/LessonChoices.h"
#include "support/MemorySettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <tuple>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace
{

const std::string kHeader = "# t\ntitle\n#\n#\n";

// A record of the tag "bas1" with these forms.
std::string Bas1(const char* pszPast, const char* pszInfinitive, const char* pszParticiple)
{
    return std::string("bas1\n") + pszPast + "\n" + pszInfinitive + "\n" + pszParticiple + "\n";
}

// The lists in tests/data/checker, the bundled ones, and small lists written out, with their
// findings, a line each: "line kind rule words", kind E, W or N, then words, split at '|', in
// its text. Notes count only where a list's findings name one.
struct CheckedList
{
    std::string strSource; // a file, or what the list is about
    const char* pszWant;
    std::string strText; // the list, when not a file
};
const CheckedList kLists[] = {
    {"data/irregu.ver", ""},
    {"data/irrtes.ver", ""},
    {"tests/data/checker/line-too-long.ver", "11 E line-too-long (60 > 59|2 verbs|shorten\n"},
    {"tests/data/checker/missing-line.ver", "5 E missing-line only 3 lines|line 8|2 records\n"},
    {"tests/data/checker/extra-lines.ver",
     "9 E repeated-line repeats line 8|delete line 9\n14 E blank-line 2 blank lines|14 to 15\n"},
    {"tests/data/checker/blank-line.ver", "9 E blank-line 3 records|up to line 23\n"},
    {"tests/data/checker/never-asked.ver",
     "7 E empty-form Infinitive is empty\n9 E cut-short after 3 lines\n"},
    {"tests/data/checker/no-header.ver", "1 E no-header before line 1\n"},
    {"tests/data/checker/header.ver", "4 E header-eats-verbs 1 to 13|2 verbs|before line 2\n"},
    {"tests/data/checker/utf-16.ver", "0 E utf-16 UTF-8\n"},
    {"tests/data/checker/cr-only.ver", "0 E cr-line-ends Mac\n"},
    {"tests/data/checker/comment-in-record.ver",
     "7 E comment-in-record its Infinitive|2 records|delete line 7\n"},
    {"tests/data/checker/repeated-form.ver", "8 E repeated-line delete line 8\n"},
    {"tests/data/checker/lit.ver",
     "5 W unknown-tag 'ess1'\n19 E blank-line record at line 18|delete line 19\n"},
    {"tests/data/checker/records.ver",
     "11 W list-as-prompt no question at all\n"
     "14 N list-as-prompt show the Past Tense or the Past Participle\n"
     "14 W list-accepts 'learnt' is never|'learn' is accepted, the Infinitive|'/learnt /learned'\n"
     "16 N extra-blanks\n17 W unknown-tag asked whatever|'bas2'\n"
     "23 W same-verb-twice 'go' is already at line 7\n24 W accent-code '\\'y'\n"
     "26 W control-character 0x01\n30 W mixed-encoding 0x92|line 36\n"
     "30 W windows-character apostrophe|'\n36 W mixed-encoding 'é'|'Ã©'\n"},
    {"tests/data/checker/answers.ver",
     "8 E comment-as-form Past Participle|before line 8\n"
     "10 W two-spellings '/learnt /learned'\n12 W two-spellings '/burnt /burned'\n"
     "13 W unknown-tag 'bas1'\n14 W invisible-character column 5|no-break space\n"
     "15 W same-verb-twice\n18 N list-as-prompt\n18 W list-accepts empty answer|'/dreamt'\n"
     "22 N list-as-prompt\n22 W list-accepts 'leap' is accepted, the Infinitive\n"
     "26 W accent-code column 5|'\\q'\n27 W invisible-character soft hyphen\n"
     "29 W unknown-tag 'ess1'\n33 N dos-end-mark\n"},
    {"tests/data/checker/utf-8.ver", "9 N harmless-blank-lines 4 blank lines\n15 W not-latin1 "
                                     "'€'\n17 N harmless-blank-lines at the end\n"},
    {"a form of blanks; capitals", "7 E blank-form Infinitive holds only blanks|empty answer\n"
     "10 W capital-letter 'Took'|write 'took'\n18 W capital-letter write '/learnt /learned'\n",
     kHeader + "ess1\nwent\n   \ngone\ness1\nTook\ntake\ntaken\ness1\nsaw\nsee\nseen\n" +
         Bas1("/learnt /Learned", "learn", "learnt")},
    {"capitals throughout", "", kHeader + "ess1\nWent\nGo\nGone\ness1\nTook\nTake\ntaken\n"},
    {"a header and no verb", "4 E no-question no verb after|after line 4\n", kHeader},
    {"blank lines after the header",
     "4 E no-question only blank lines\n5 N harmless-blank-lines 6 blank lines\n",
     kHeader + "\n\n\n\n\n\n"},
    {"blank lines alone", "1 E no-question only blank lines\n", "\n\n\n"},
    {"a spreadsheet's commas", "1 E spreadsheet one verb a line|commas|Edit Verb List|--convert\n",
     "Infinitive,Past Tense,Past Participle\ngo,went,gone\nbe,was/were,been\n"},
    {"tabs after a header", "5 E spreadsheet tabs\n",
     kHeader + "ess1\twent\tgo\tgone\ness1\ttook\ttake\ttaken\n"},
    {"two spellings", "6 W list-accepts 'learnt' is never|'learnt,' is|'/learnt /learned'\n"
     "10 W list-accepts 'learnt or' is|'/learnt /learned'\n"
     "14 W list-accepts 'learnt learned' is|'/learnt /learned'\n"
     "18 W two-spellings '/learnt /learned'\n22 W two-spellings '/learnt /learned'\n"
     "26 W two-spellings '/learnt /learned'\n30 W two-spellings brackets and all\n"
     "42 W list-accepts 'learnt' is never|'/learnt /learned',\n"
     "48 W note-in-form 'n/a'|delete the record at line 45\n"
     "52 W note-in-form after '//'|write 'taken'|above line 49\n"
     "56 W note-in-form in brackets|write 'taken'\n",
     kHeader + Bas1("/learnt, /learned", "learn", "learnt") +
         Bas1("/learnt or /learned", "burn", "learnt") + Bas1("/learnt learned", "dream", "learnt") +
         Bas1("learnt OR learned", "spell", "learnt") + Bas1("learnt | learned", "spill", "learnt") +
         Bas1("(learnt) learned", "smell", "learnt") + Bas1("learn(ed)", "spoil", "learnt") +
         Bas1("/learnt\t/learned", "leap", "learnt") + Bas1("/learnt\xA0/learned", "lean", "learnt") +
         Bas1("/learnt ,/learned", "kneel", "learnt") + Bas1("bore", "bear", "n/a") +
         Bas1("took", "take", "taken // careful") + Bas1("took", "tear", "taken (careful)")},
    {"two lists joined", "9 E joined-lists U+FEFF|header, lines 9 to 12|delete lines 9 to 12\n",
     kHeader + "ess1\nwent\ngo\ngone\n\xEF\xBB\xBF# second\ntitle\n#\n#\ness1\ntook\ntake\ntaken\n"},
    {"a mark on a verb", "9 E joined-lists delete the byte-order mark\n9 W unknown-tag '?ess1'\n",
     kHeader + "ess1\nwent\ngo\ngone\n\xEF\xBB\xBF" "ess1\ntook\ntake\ntaken\n"},
    {"commas in one form", "10 W two-spellings '/was /were /be'\n",
     kHeader + "ess1\nwent\ngo\ngone\ness1\nwas, were, be\nbe\nbeen\n"},
    {"UTF-16 without a mark", "0 E utf-16\n",
     std::string("#\0 \0t\0\n\0t\0\n\0#\0\n\0#\0\n\0", 18)},
    {"a long comment in the header", "1 E line-too-long 1 verb from here on is lost|not checked\n",
     "# " + std::string(70, 'x') + "\ntitle\n#\n#\ness1\nwent\ngo\ngone\n"},
    {"blanks at a line's end", "6 E line-too-long 60 of them blanks|delete the blanks\n",
     kHeader + "ess1\nwent" + std::string(60, ' ') + "\ngo\ngone\n"},
    {"more blanks than a lesson holds", "6 E line-too-long (304 > 59|300 of them|2 verbs\n",
     kHeader + "ess1\nwent" + std::string(300, ' ') + "\ngo\ngone\ness1\ntook\ntake\ntaken\n"},
    {"a longer comment in the header", "1 E line-too-long (302 > 59|1 verb from here\n",
     "# " + std::string(300, 'x') + "\ntitle\n#\n#\ness1\nwent\ngo\ngone\n"},
    {"behind a shift", "9 E blank-line 3 records\n14 W unknown-tag 'Ess1'\n"
     "19 W two-spellings '/learnt /learned'\n20 W capital-letter 'Learn'\n",
     kHeader + "ess1\nwent\ngo\ngone\n\ness1\ntook\ntake\ntaken\nEss1\nsaw\nsee\nseen\n" +
         "ess1\nlearnt/learned\nLearn\nlearnt\n"},
    {"Latin-1 in a comment, UTF-8 in the title", "",
     "# caf\xE9\nt\xC3\xA9\n#\n#\ness1\nwent\ngo\ngone\n"},
    {"Latin-1 in a comment, UTF-8 in a form",
     "1 W mixed-encoding 0xE9|line 6\n6 W mixed-encoding 'é'|'Ã©'\n",
     "# caf\xE9\nt\n#\n#\ness1\nw\xC3\xA9nt\ngo\ngone\n"},
    {"a mark that turns the text", "6 W not-latin1 U+202E|write it without\n",
     kHeader + "ess1\nwent\xE2\x80\xAE\ngo\ngone\n"},
};

// "line kind" and the wanted words when the text holds them all, else the text.
std::string Shown(const Finding& finding, const std::string& strWant)
{
    const std::string strWhere = std::to_string(finding.m_nLine) + " " +
                                 "NWE"[static_cast<int>(finding.m_nKind)] + " " + finding.m_strRule;
    bool bHeld = strWant.compare(0, strWhere.size(), strWhere) == 0;
    const std::string strWords = bHeld ? strWant.substr(strWhere.size()) : "";
    std::istringstream words(strWords);
    for (std::string strWord; std::getline(words >> std::ws, strWord, '|');)
        bHeld = bHeld && finding.m_strText.find(strWord) != std::string::npos;
    return strWhere + (bHeld ? strWords : " " + finding.m_strText) + "\n";
}

} // namespace

// Each list as the main list of a lesson (the short one as the alternative, which a lesson
// takes with every group); then taldrin-check on it, and on a pipe (on Windows
// the devices NUL and CON) and a folder.
TEST(VerbListChecker, FindsTheFaultsAndCountsTheQuestionsOfALesson)
{
    TempDir dir;
    dir.Enter();
    for (const auto& [strSource, strWant, strText] : kLists)
    {
        const char* pszName = strSource == "data/irrtes.ver" ? "irrtes.ver" : "irregu.ver";
        const std::string strPath =
            dir.Write(pszName, strText.empty() ? TempDir::Read(TALDRIN_SOURCE_DIR "/" + strSource)
                                               : strText)
                .string();
        MemorySettingsStore profile;
        CVespinDoc doc(profile);
        for (const auto& [groups, directions] :
             {std::pair(Flags<GroupSet>("012345"), Flags<DirectionSet>("012345")),
              std::pair(Flags<GroupSet>("14") /* ess1, bas2 */, Flags<DirectionSet>("124"))})
        {
            const ListCheck check = CheckVerbListFile(strPath, groups, directions);
            std::istringstream wanted(strWant);
            std::string strGot, strLine;
            for (const Finding& finding : check.m_findings)
                if (std::strstr(strWant, " N ") || finding.m_nKind != FindingKind::Note)
                    strGot += Shown(finding, std::getline(wanted, strLine) ? strLine : "");
            EXPECT_EQ(strGot, strWant) << strSource;

            ASSERT_TRUE(doc.OnNewDocument());
            doc.SetDirections(directions);
            doc.SetGroups(groups);
            doc.LoadQuestions();
            const QuestionPool &pool = check.m_summary.m_pool, &lesson = doc.m_pool;
            ASSERT_EQ(pool.size(), lesson.size()) << strSource;
            for (std::size_t i = 0; i < pool.size(); ++i)
                EXPECT_EQ(
                    std::tie(pool[i].m_strPrompt, pool[i].m_nAskedForm, pool[i].m_strExpected),
                    std::tie(lesson[i].m_strPrompt, lesson[i].m_nAskedForm,
                             lesson[i].m_strExpected));
            // By the form asked: directions 2 and 4, 0 and 5, 1 and 3.
            const auto& n = check.m_summary.m_nQuestions;
            std::size_t nByForm[] = {n[2] + n[4], n[0] + n[5], n[1] + n[3]};
            for (const Question& q : pool)
                --nByForm[q.m_nAskedForm];
            EXPECT_EQ(nByForm[0] | nByForm[1] | nByForm[2], 0u) << strSource;
        }
        EXPECT_EQ(RunCheck("--quiet " + strPath), std::strstr(strWant, " E ") ? 1 : 0) << strSource;
        std::filesystem::remove(strPath);
    }
#ifdef _WIN32
    EXPECT_EQ(RunCheck("NUL"), 2);
    EXPECT_EQ(RunCheck("CON"), 2);
#else
    ASSERT_EQ(::mkfifo("pipe", 0600), 0);
    EXPECT_EQ(RunCheck("pipe"), 2);
#endif
    EXPECT_EQ(RunCheck("."), 2);
}

#ifndef _WIN32 // control characters in file names, and a shell's quoting
// The command line as a user meets it: several lists at once, the worst exit status, each
// option; a list with CR LF line ends, one in big-endian UTF-16, one that is missing.
TEST(VerbListChecker, CommandLine)
{
    TempDir dir;
    dir.Enter();
    const std::string strGood = TempDir::Read(TALDRIN_SOURCE_DIR "/data/irrtes.ver");
    std::string strCrLf, strUtf16 = "\xFE\xFF";
    for (const char c : strGood)
    {
        strCrLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        strUtf16 += std::string(1, '\0') + c;
    }
    dir.Write("crlf.ver", strCrLf);
    dir.Write("utf16.ver", strUtf16);
    dir.Write("bad\033.ver", strGood);
    dir.Write("caf\xE9.ver", strGood);
    dir.Write("short/irrtes.ver",
              TempDir::Read(TALDRIN_SOURCE_DIR "/tests/data/checker/answers.ver"));
    dir.Write("twice.ver", strGood + strGood.substr(strGood.find("\ness1") + 1));
    // Arguments, exit status, then texts the output holds, or with '!' does not hold.
    const std::tuple<const char*, int, std::vector<const char*>> kRuns[] = {
        {"crlf.ver", 0, {"crlf.ver: 30 verbs", "170 questions", "and 3 notes", "!note:"}},
        {"bad?.ver", 0, {"'bad'$'\\033''.ver': 30 verbs"}},
        {"--notes crlf.ver",
         0,
         {"crlf.ver:14: note:", "(also line 133) [list-as-prompt]\n", "!crlf.ver:133:",
          "3 notes\n"}},
        {"crlf.ver utf16.ver", 1, {"utf16.ver: error: the list is saved as UTF-16", "[utf-16]"}},
        {"crlf.ver missing.ver utf16.ver", 2, {"missing.ver: error: cannot open", "crlf.ver: 30"}},
        {"--quiet crlf.ver utf16.ver", 1, {"!verbs", "UTF-16"}},
        {"--ignore=utf-16,same-verb-twice utf16.ver twice.ver", 0, {"![utf-16]", "![same"}},
        {"twice.ver",
         0,
         {"twice.ver:138: warning: 'be' is already at line 15", "[same-verb-twice]"}},
        {"--directions 3 crlf.ver", 0, {"28 verbs"}},
        {"--notes short/irrtes.ver",
         1,
         {"irrtes.ver:13: note: 'bas 1' is none", "on the short list"}},
        {"--groups=ess1 --directions 1,3 crlf.ver",
         0,
         {"15 verbs", "(ess1 15)", "29 questions with these directions",
          "Past Tense to Infinitive"}},
        {"--format=json --notes crlf.ver missing.ver",
         2,
         {"[{\"file\": \"crlf.ver\"",
          "{\"file\": \"crlf.ver\", \"line\": 14, \"column\": 0, "
          "\"severity\": \"note\", \"rule\": \"list-as-prompt\"",
          "\"questions\": 170", "{\"file\": \"missing.ver\", \"read\": false"}},
        {"--quiet --format=json crlf.ver utf16.ver",
         1,
         {"{\"file\": \"crlf.ver\", \"read\": true, \"findings\": []}", "\"rule\": \"utf-16\"",
          "!summary"}},
        {"--format=json caf?.ver", 0, {"[{\"file\": \"caf\\uDCE9.ver\"", "\"summary\""}},
        {"--directions 7 crlf.ver", 2, {""}},
        {"--ignore=no-such-rule crlf.ver", 2, {""}},
        {"--format=xml crlf.ver", 2, {""}},
    };
    for (const auto& [pszArguments, nStatus, texts] : kRuns)
    {
        std::string strOut;
        EXPECT_EQ(RunCheck(pszArguments, &strOut), nStatus) << pszArguments;
        for (const char* pszText : texts)
            EXPECT_EQ(strOut.find(pszText + (*pszText == '!')) == std::string::npos,
                      *pszText == '!')
                << pszArguments << " / " << pszText << "\n"
                << strOut;
    }
}
#endif
