// The text translation from the engine's single-byte Latin-1 strings to the toolkit's.
#include "framework/wx/Latin1.h"

#include <gtest/gtest.h>

#include <string>

TEST(FromLatin1, EveryByteBecomesTheCharacterOfTheSameCodeNulIncluded)
{
    EXPECT_EQ(FromLatin1(std::string("A\xE9\0\xFF\x80", 5)), wxString(L"A\u00E9\0\u00FF\u0080", 5));
}
