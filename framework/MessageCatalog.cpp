#include "framework/MessageCatalog.h"

#include "framework/UserFile.h"
#include "verbdata/ListEncoding.h"

#include <cctype>
#include <cstring>

namespace
{

constexpr std::uintmax_t kMaxCatalogSize = 16u << 20;
// Enough for every rule gettext's own table lists, with room to spare.
constexpr std::size_t kMaxRuleNodes = 200;
constexpr int kMaxRuleDepth = 40;

bool IsUtf8(std::string_view text)
{
    while (!text.empty())
    {
        char32_t ch = 0;
        const std::size_t nLength = DecodeUtf8(text, ch);
        if (nLength == 0)
            return false;
        text.remove_prefix(nLength);
    }
    return true;
}

std::string Lower(std::string strText)
{
    for (char& c : strText)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return strText;
}

// The value of "name: value" in the header's lines; empty when missing.
std::string FieldOf(const std::string& strHeader, const std::string& strName)
{
    const std::string strWanted = Lower(strName) + ":";
    std::size_t nStart = 0;
    while (nStart < strHeader.size())
    {
        std::size_t nEnd = strHeader.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = strHeader.size();
        const std::string strLine = strHeader.substr(nStart, nEnd - nStart);
        if (Lower(strLine.substr(0, strWanted.size())) == strWanted)
        {
            std::size_t nValue = strWanted.size();
            while (nValue < strLine.size() && strLine[nValue] == ' ')
                ++nValue;
            return strLine.substr(nValue);
        }
        nStart = nEnd + 1;
    }
    return "";
}

} // namespace

// Recursive descent over the C operators gettext's rules use, by C's precedence.
class PluralParser
{
public:
    PluralParser(const std::string& strText, std::vector<PluralRule::Node>& nodes) : m_strText(strText), m_nodes(nodes) {}

    // The root node, or -1.
    int ParseAll()
    {
        const int nRoot = Conditional(0);
        Skip();
        return m_bFailed || m_nPos != m_strText.size() ? -1 : nRoot;
    }

private:
    void Skip()
    {
        while (m_nPos < m_strText.size() && std::isspace(static_cast<unsigned char>(m_strText[m_nPos])))
            ++m_nPos;
    }
    bool Take(const char* pszToken)
    {
        Skip();
        const std::size_t nLength = std::strlen(pszToken);
        if (m_strText.compare(m_nPos, nLength, pszToken) != 0)
            return false;
        // "<" is no "<=", "!" no "!=", "|" alone nothing.
        if (nLength == 1 && m_nPos + 1 < m_strText.size() && m_strText[m_nPos + 1] == '=' &&
            std::strchr("<>!=", pszToken[0]))
            return false;
        m_nPos += nLength;
        return true;
    }
    int Add(char op, int a = -1, int b = -1, int c = -1, unsigned long value = 0)
    {
        if (m_nodes.size() >= kMaxRuleNodes)
        {
            m_bFailed = true;
            return -1;
        }
        m_nodes.push_back({op, value, a, b, c});
        return static_cast<int>(m_nodes.size() - 1);
    }
    bool Deeper(int nDepth)
    {
        if (nDepth > kMaxRuleDepth)
            m_bFailed = true;
        return !m_bFailed;
    }

    int Conditional(int nDepth)
    {
        if (!Deeper(nDepth))
            return -1;
        const int nTest = Binary(0, nDepth);
        if (m_bFailed || !Take("?"))
            return nTest;
        const int nYes = Conditional(nDepth + 1);
        if (m_bFailed || !Take(":"))
        {
            m_bFailed = true;
            return -1;
        }
        const int nNo = Conditional(nDepth + 1);
        return m_bFailed ? -1 : Add('?', nTest, nYes, nNo);
    }

    // Levels from the loosest: || && (== !=) (< <= > >=) (+ -) (* / %).
    int Binary(int nLevel, int nDepth)
    {
        static const std::vector<std::vector<std::pair<const char*, char>>> levels = {
            {{"||", '|'}},
            {{"&&", '&'}},
            {{"==", '='}, {"!=", 'N'}},
            {{"<=", 'l'}, {">=", 'g'}, {"<", '<'}, {">", '>'}},
            {{"+", '+'}, {"-", '-'}},
            {{"*", '*'}, {"/", '/'}, {"%", '%'}},
        };
        if (nLevel == static_cast<int>(levels.size()))
            return Unary(nDepth);
        int nLeft = Binary(nLevel + 1, nDepth);
        while (!m_bFailed)
        {
            char op = 0;
            for (const auto& [pszToken, cOp] : levels[static_cast<std::size_t>(nLevel)])
                if (Take(pszToken))
                {
                    op = cOp;
                    break;
                }
            if (op == 0)
                break;
            const int nRight = Binary(nLevel + 1, nDepth);
            nLeft = m_bFailed ? -1 : Add(op, nLeft, nRight);
        }
        return nLeft;
    }

    int Unary(int nDepth)
    {
        if (!Deeper(nDepth))
            return -1;
        if (Take("!"))
        {
            const int nOperand = Unary(nDepth + 1);
            return m_bFailed ? -1 : Add('!', nOperand);
        }
        if (Take("("))
        {
            const int nInner = Conditional(nDepth + 1);
            if (!m_bFailed && !Take(")"))
                m_bFailed = true;
            return m_bFailed ? -1 : nInner;
        }
        Skip();
        if (m_nPos < m_strText.size() && m_strText[m_nPos] == 'n')
        {
            ++m_nPos;
            return Add('n');
        }
        unsigned long value = 0;
        const std::size_t nStart = m_nPos;
        while (m_nPos < m_strText.size() && std::isdigit(static_cast<unsigned char>(m_strText[m_nPos])) &&
               m_nPos - nStart < 9)
            value = value * 10 + static_cast<unsigned long>(m_strText[m_nPos++] - '0');
        if (m_nPos == nStart || (m_nPos < m_strText.size() && std::isalnum(static_cast<unsigned char>(m_strText[m_nPos]))))
        {
            m_bFailed = true;
            return -1;
        }
        return Add('#', -1, -1, -1, value);
    }

    const std::string& m_strText;
    std::vector<PluralRule::Node>& m_nodes;
    std::size_t m_nPos = 0;
    bool m_bFailed = false;
};

PluralRule::PluralRule()
{
    Parse("nplurals=2; plural=n != 1;");
}

bool PluralRule::Parse(const std::string& strPluralForms)
{
    const std::size_t nCount = strPluralForms.find("nplurals=");
    const std::size_t nPlural = strPluralForms.find("plural=", nCount == std::string::npos ? 0 : nCount + 9);
    if (nCount == std::string::npos || nPlural == std::string::npos)
        return false;
    unsigned long nForms = 0;
    for (std::size_t i = nCount + 9; i < strPluralForms.size() && std::isdigit(static_cast<unsigned char>(strPluralForms[i])); ++i)
        nForms = nForms * 10 + static_cast<unsigned long>(strPluralForms[i] - '0');
    if (nForms < 1 || nForms > 10)
        return false;
    std::string strExpression = strPluralForms.substr(nPlural + 7);
    strExpression = strExpression.substr(0, strExpression.find(';'));
    std::vector<Node> nodes;
    const int nRoot = PluralParser(strExpression, nodes).ParseAll();
    if (nRoot < 0)
        return false;
    m_nodes = std::move(nodes);
    m_nRoot = nRoot;
    m_nForms = nForms;
    return true;
}

unsigned long PluralRule::FormFor(unsigned long n) const
{
    bool bFailed = false;
    const unsigned long nForm = Evaluate(m_nRoot, n, bFailed);
    return bFailed || nForm >= m_nForms ? 0 : nForm;
}

// Unsigned, as gettext computes; a division by zero fails the whole rule.
unsigned long PluralRule::Evaluate(int nNode, unsigned long n, bool& bFailed) const
{
    if (bFailed || nNode < 0 || static_cast<std::size_t>(nNode) >= m_nodes.size())
    {
        bFailed = true;
        return 0;
    }
    const Node& node = m_nodes[static_cast<std::size_t>(nNode)];
    switch (node.op)
    {
    case 'n':
        return n;
    case '#':
        return node.value;
    case '!':
        return Evaluate(node.a, n, bFailed) == 0;
    case '?':
        return Evaluate(node.a, n, bFailed) != 0 ? Evaluate(node.b, n, bFailed) : Evaluate(node.c, n, bFailed);
    case '&':
        return Evaluate(node.a, n, bFailed) != 0 && Evaluate(node.b, n, bFailed) != 0;
    case '|':
        return Evaluate(node.a, n, bFailed) != 0 || Evaluate(node.b, n, bFailed) != 0;
    default:
        break;
    }
    const unsigned long a = Evaluate(node.a, n, bFailed), b = Evaluate(node.b, n, bFailed);
    switch (node.op)
    {
    case '=': return a == b;
    case 'N': return a != b;
    case '<': return a < b;
    case '>': return a > b;
    case 'l': return a <= b;
    case 'g': return a >= b;
    case '+': return a + b;
    case '-': return a - b;
    case '*': return a * b;
    case '/':
    case '%':
        if (b == 0)
        {
            bFailed = true;
            return 0;
        }
        return node.op == '/' ? a / b : a % b;
    default:
        bFailed = true;
        return 0;
    }
}

namespace
{

// The numbers of a .mo file, in its byte order.
class MoReader
{
public:
    explicit MoReader(const std::string& strBytes) : m_strBytes(strBytes) {}
    bool SetOrder()
    {
        if (m_strBytes.size() < 28)
            return false;
        m_bSwapped = false;
        if (Word(0) == 0x950412deu)
            return true;
        m_bSwapped = true;
        return Word(0) == 0x950412deu;
    }
    std::uint32_t Word(std::uint64_t nOffset) const
    {
        const auto* p = reinterpret_cast<const unsigned char*>(m_strBytes.data() + nOffset);
        return m_bSwapped ? std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3]
                          : std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
    }
    // The nIndex-th text of the table at nTable; false when it lies outside the file.
    bool Text(std::uint64_t nTable, std::uint64_t nIndex, std::string& strText) const
    {
        const std::uint64_t nEntry = nTable + nIndex * 8;
        if (nEntry + 8 > m_strBytes.size())
            return false;
        const std::uint64_t nLength = Word(nEntry), nOffset = Word(nEntry + 4);
        // Each text is followed by a NUL its length does not count.
        if (nOffset + nLength >= m_strBytes.size())
            return false;
        strText.assign(m_strBytes, static_cast<std::size_t>(nOffset), static_cast<std::size_t>(nLength));
        return true;
    }

private:
    const std::string& m_strBytes;
    bool m_bSwapped = false;
};

std::vector<std::string> SplitAtNul(const std::string& strText)
{
    std::vector<std::string> parts;
    std::size_t nStart = 0;
    for (;;)
    {
        const std::size_t nEnd = strText.find('\0', nStart);
        parts.push_back(strText.substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart));
        if (nEnd == std::string::npos)
            return parts;
        nStart = nEnd + 1;
    }
}

} // namespace

std::unique_ptr<MessageCatalog> MessageCatalog::FromBytes(const std::string& strBytes, std::string& strFailure)
{
    MoReader reader(strBytes);
    if (!reader.SetOrder())
    {
        strFailure = "it is no compiled message catalog";
        return nullptr;
    }
    if (reader.Word(4) >> 16 > 1)
    {
        strFailure = "its format revision is unknown";
        return nullptr;
    }
    const std::uint64_t nCount = reader.Word(8), nOriginals = reader.Word(12), nTranslations = reader.Word(16);
    auto pCatalog = std::unique_ptr<MessageCatalog>(new MessageCatalog);
    std::string strOriginal, strTranslation;
    for (std::uint64_t i = 0; i < nCount; ++i)
    {
        if (!reader.Text(nOriginals, i, strOriginal) || !reader.Text(nTranslations, i, strTranslation))
        {
            strFailure = "it is damaged or cut short";
            return nullptr;
        }
        if (!IsUtf8(strOriginal) || !IsUtf8(strTranslation))
        {
            strFailure = "its texts are not UTF-8";
            return nullptr;
        }
        if (strOriginal.empty())
        {
            pCatalog->m_strHeader = strTranslation;
            continue;
        }
        // A counted text is found by its singular; an untranslated one is left out.
        std::vector<std::string> forms = SplitAtNul(strTranslation);
        bool bTranslated = true;
        for (const std::string& strForm : forms)
            bTranslated = bTranslated && !strForm.empty();
        if (bTranslated)
            pCatalog->m_texts[strOriginal.substr(0, strOriginal.find('\0'))] = std::move(forms);
    }
    const std::string strType = Lower(FieldOf(pCatalog->m_strHeader, "Content-Type"));
    const std::size_t nCharset = strType.find("charset=");
    if (nCharset != std::string::npos)
    {
        const std::string strCharset = strType.substr(nCharset + 8);
        if (strCharset != "utf-8" && strCharset != "ascii" && strCharset != "us-ascii")
        {
            strFailure = "its texts are not UTF-8";
            return nullptr;
        }
    }
    const std::string strRule = pCatalog->HeaderField("Plural-Forms");
    if (!strRule.empty() && !pCatalog->m_rule.Parse(strRule))
    {
        // Every count would take the first form.
        pCatalog->m_rule.Parse("nplurals=1; plural=0;");
    }
    return pCatalog;
}

std::unique_ptr<MessageCatalog> MessageCatalog::FromFile(const std::filesystem::path& file, std::string& strFailure)
{
    std::string strBytes;
    bool bMissing = false;
    strFailure = ReadUserFile(file, kMaxCatalogSize, strBytes, bMissing);
    if (bMissing)
        strFailure = "it is not there";
    if (!strFailure.empty())
        return nullptr;
    return FromBytes(strBytes, strFailure);
}

const std::string* MessageCatalog::Find(const char* pszContext, const char* pszEnglish) const
{
    const std::string strKey = pszContext ? std::string(pszContext) + '\x04' + pszEnglish : std::string(pszEnglish);
    const auto it = m_texts.find(strKey);
    return it == m_texts.end() ? nullptr : &it->second.front();
}

const std::string* MessageCatalog::FindPlural(const char* pszSingular, unsigned long n) const
{
    const auto it = m_texts.find(pszSingular);
    if (it == m_texts.end())
        return nullptr;
    const unsigned long nForm = m_rule.FormFor(n);
    return nForm < it->second.size() ? &it->second[nForm] : &it->second.front();
}

std::string MessageCatalog::HeaderField(const std::string& strName) const
{
    return FieldOf(m_strHeader, strName);
}
