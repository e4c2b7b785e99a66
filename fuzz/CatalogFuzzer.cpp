// Fuzzes the catalog reader with the input as a .mo file, and as the header's plural rule.
#include "framework/MessageCatalog.h"

#include <cstdio>
#include <cstdlib>

#define REQUIRE(c) ((c) ? void() : (std::fprintf(stderr, "broken: %s\n", #c), std::abort()))

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* pData, std::size_t nSize)
{
    const std::string strBytes(reinterpret_cast<const char*>(pData), nSize);
    const unsigned long counts[] = {0, 1, 2, 5, 11, 22, 111, ~0ul};
    std::string strFailure;
    if (const auto pCatalog = MessageCatalog::FromBytes(strBytes, strFailure))
    {
        for (unsigned long n : counts)
        {
            REQUIRE(pCatalog->GetPluralRule().FormFor(n) < pCatalog->GetPluralRule().FormCount());
            pCatalog->FindPlural("1 question", n);
        }
        pCatalog->Find(nullptr, "&Lesson");
        pCatalog->Find("language name", "English");
    }
    else
        REQUIRE(!strFailure.empty());
    PluralRule rule;
    if (rule.Parse(strBytes))
        for (unsigned long n : counts)
            REQUIRE(rule.FormFor(n) < rule.FormCount());
    return 0;
}
