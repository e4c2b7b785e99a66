// A test sheet on paper: each verb with one form given and the other two left blank, in
// the list's order or shuffled, and the answer key. The printing draws it.
#pragma once

#include "editor/VerbTable.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

enum class GivenForm
{
    Infinitive,
    PastTense,
    PastParticiple,
    Mixed // one of the three per row, at random
};

struct TestSheetRow
{
    VerbForm m_given = Infinitive;
    // By VerbForm, UTF-8 as shown (ShowCell): the given form's text, the others empty.
    std::array<std::string, kVerbFormCount> m_cells;
    std::array<std::string, kVerbFormCount> m_answers; // all three
};

struct TestSheet
{
    std::string m_strTitle; // UTF-8
    std::vector<TestSheetRow> m_rows;
};

// A number in [0, nBelow); tests give a fixed sequence.
using RandomBelow = std::function<std::size_t(std::size_t nBelow)>;

// Rows with an empty form are left out. With bShuffle the order is random (every order
// equally likely given a fair source); Mixed draws the given form per row.
TestSheet MakeTestSheet(const VerbTable& table, GivenForm given, bool bShuffle,
                        const RandomBelow& random);
