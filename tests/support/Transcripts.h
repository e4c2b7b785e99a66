// Transcript tests: sections "== name" of steps ("> " lines) and what playing them printed, each
// played afresh and compared; TALDRIN_UPDATE_GOLDEN=1 rewrites the file, keeping the steps.
#pragma once

#include "framework/DeviceContext.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <vector>

// A step: a verb, up to six numbers (0x: hexadecimal), after "|" a text (\n \r \b \xNN, \\ escapes).
struct Step
{
    explicit Step(const std::string& strStep)
    {
        std::istringstream in(strStep.substr(0, strStep.find('|')));
        in >> verb;
        for (std::string strNumber; count < 6 && in >> strNumber;)
            n[count++] = std::stoll(strNumber, nullptr, 0);
        for (std::size_t i = strStep.find('|') + 1; i > 0 && i < strStep.size(); ++i)
        {
            const char c = strStep[i] == '\\' && i + 1 < strStep.size() ? strStep[++i] : 0;
            text += !c ? strStep[i] : c == 'n' ? '\n' : c == 'r' ? '\r' : c == 'b' ? '\b' : c != 'x' ? c : char(std::stoi(strStep.substr(i + 1, 2), nullptr, 16));
            i += c == 'x' ? 2 : 0;
        }
    }
    Rect rect() const { return {int(n[0]), int(n[1]), int(n[2]), int(n[3])}; }

    std::string verb, text;
    long long n[6] = {};
    int count = 0; // of numbers
};

// What steps do, by verb ("" runs after each). fnSection starts a section afresh and returns its
// verbs, which write what they print to out.
using Verbs = std::map<std::string, std::function<void(const Step&)>>;

inline void CheckTranscripts(const std::string& strPath, const std::function<Verbs(std::string& out)>& fnSection)
{
    std::vector<std::pair<std::string, std::string>> sections; // name, transcript
    std::istringstream in(TempDir::Read(strPath));
    for (std::string strLine; std::getline(in, strLine);)
        if (strLine.rfind("== ", 0) == 0)
            sections.emplace_back(strLine.substr(3), "");
        else if (!sections.empty())
            sections.back().second += strLine + "\n";
    ASSERT_GE(sections.size(), 10u) << strPath;
    std::string strPlayed;
    for (const auto& [strName, strExpected] : sections)
    {
        std::string strActual;
        const Verbs verbs = fnSection(strActual);
        const auto play = [&verbs](const std::string& strStep) {
            const Step step(strStep);
            EXPECT_TRUE(verbs.count(step.verb) || strStep.empty()) << "no such step: " << strStep;
            if (verbs.count(step.verb))
                verbs.at(step.verb)(step);
        };
        std::istringstream lines(strExpected);
        for (std::string strLine; std::getline(lines, strLine);)
            if (strLine.rfind("> ", 0) == 0)
                strActual += strLine + "\n", play(strLine.substr(2)), play("");
        strPlayed += "== " + strName + "\n" + strActual;
        EXPECT_EQ(strExpected, strActual) << "\"" << strName << "\" in " << strPath;
    }
    if (std::getenv("TALDRIN_UPDATE_GOLDEN"))
        std::ofstream(strPath, std::ios::binary) << strPlayed;
}
