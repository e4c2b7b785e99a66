// Fuzzes the verb list checker on any bytes as a list file (a memfd: regular, nameless): no
// crash, no hang, it counts the lesson reader's questions, and its JSON parses and says what
// its text says. Byte 0 holds the group flags and, in bit 6, --notes.
#include "checker/CheckReport.h"
#include "tests/support/LessonChoices.h"
#include "verbdata/ListEncoding.h"
#include "verbdata/VerbListFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string_view>
#include <vector>

#include <sys/mman.h>

namespace
{

// A JSON value as far as the check needs it: strings decoded, numbers as text.
struct Json
{
    std::string m_str;
    std::map<std::string, Json> m_members;
    std::vector<Json> m_items;
};

// A strict reader of the JSON subset the checker writes; aborts on anything else.
class JsonReader
{
public:
    explicit JsonReader(const std::string& str) : m_str(str) {}

    Json Document()
    {
        Json value = Value();
        Space();
        Expect(m_nPos == m_str.size());
        return value;
    }

private:
    static void Expect(bool b)
    {
        if (!b)
            std::abort();
    }
    void Space()
    {
        while (m_nPos < m_str.size() && std::strchr(" \n", m_str[m_nPos]))
            ++m_nPos;
    }
    bool Take(char c)
    {
        Space();
        const bool b = m_nPos < m_str.size() && m_str[m_nPos] == c;
        m_nPos += b;
        return b;
    }
    Json Value()
    {
        Json value;
        if (Take('{'))
            for (bool bFirst = true; !Take('}'); bFirst = false)
            {
                Expect(bFirst || Take(','));
                const std::string strKey = String();
                Expect(Take(':'));
                Expect(value.m_members.emplace(strKey, Value()).second);
            }
        else if (Take('['))
            for (bool bFirst = true; !Take(']'); bFirst = false)
            {
                Expect(bFirst || Take(','));
                value.m_items.push_back(Value());
            }
        else if (Space(), m_nPos < m_str.size() && m_str[m_nPos] == '"')
            value.m_str = String();
        else
        {
            for (; m_nPos < m_str.size() && std::strchr("0123456789truefals", m_str[m_nPos]);
                 ++m_nPos)
                value.m_str += m_str[m_nPos];
            Expect(!value.m_str.empty());
        }
        return value;
    }
    std::string String()
    {
        Expect(Take('"'));
        std::string str;
        for (;;)
        {
            Expect(m_nPos < m_str.size());
            const auto c = static_cast<unsigned char>(m_str[m_nPos]);
            Expect(c >= 0x20);
            if (c == '"')
                break;
            if (c == '\\')
            {
                Expect(m_nPos + 1 < m_str.size());
                const char e = m_str[++m_nPos];
                if (e == 'u')
                {
                    Expect(m_nPos + 4 < m_str.size());
                    const unsigned long ch =
                        std::strtoul(m_str.substr(m_nPos + 1, 4).c_str(), nullptr, 16);
                    AppendUtf8(str, ch);
                    m_nPos += 5;
                    continue;
                }
                Expect(e == '"' || e == '\\');
                str += e;
                ++m_nPos;
                continue;
            }
            char32_t ch = 0;
            const std::size_t nLength = DecodeUtf8(std::string_view(m_str).substr(m_nPos), ch);
            Expect(nLength > 0);
            str.append(m_str, m_nPos, nLength);
            m_nPos += nLength;
        }
        ++m_nPos;
        return str;
    }
    static void AppendUtf8(std::string& str, unsigned long ch)
    {
        if (ch < 0x80)
            str += static_cast<char>(ch);
        else if (ch < 0x800)
            str += {static_cast<char>(0xC0 | ch >> 6), static_cast<char>(0x80 | (ch & 0x3F))};
        else
            str += {static_cast<char>(0xE0 | ch >> 12), static_cast<char>(0x80 | (ch >> 6 & 0x3F)),
                    static_cast<char>(0x80 | (ch & 0x3F))};
    }

    const std::string& m_str;
    std::size_t m_nPos = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static const std::string strPath = "/proc/self/fd/" + std::to_string(::memfd_create("list", 0));
    if (nSize == 0 || !std::ofstream(strPath, std::ios::binary)
                           .write(reinterpret_cast<const char*>(pData) + 1, nSize - 1))
        return 0;
    GroupSet groups;
    for (std::size_t k = 0; k < kGroupCount; ++k)
        groups.Set(k, (pData[0] >> k & 1) != 0);
    const ListCheck check = CheckVerbListFile(strPath, groups);
    QuestionPool pool;
    ReadVerbListFile(strPath, false, Flags<DirectionSet>("012345"), groups, pool);
    if (!check.m_bRead || check.m_summary.m_pool.size() != pool.size())
        std::abort();

    ReportOptions options;
    options.m_bNotes = (pData[0] & 0x40) != 0;
    const std::string strText = TextReport(strPath, check, options);
    const Json json = JsonReader(JsonReport(strPath, check, options)).Document();
    const std::vector<Finding> shown = ShownFindings(check, options);
    const std::vector<Json>& findings = json.m_members.at("findings").m_items;
    if (findings.size() != shown.size() ||
        json.m_members.at("summary").m_members.at("questions").m_str !=
            std::to_string(pool.size()) ||
        strText.find(": " + std::to_string(pool.size()) + " question") == std::string::npos)
        std::abort();
    for (std::size_t i = 0; i < shown.size(); ++i)
    {
        const auto& members = findings[i].m_members;
        // The line ends with the rule, after the other lines of a repeated message.
        const std::string strShown =
            ": " + members.at("severity").m_str + ": " + members.at("message").m_str;
        const std::string strRule = " [" + members.at("rule").m_str + "]\n";
        const std::size_t nAt = strText.find(strShown);
        const std::size_t nEnd = strText.find('\n', nAt);
        if (members.at("line").m_str != std::to_string(shown[i].m_nLine) ||
            nAt == std::string::npos ||
            strText.compare(nEnd + 1 - strRule.size(), strRule.size(), strRule) != 0)
            std::abort();
    }
    return 0;
}
