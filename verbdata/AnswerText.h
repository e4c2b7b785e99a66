// The text rules of answers: accent escapes, blanks, and lists of alternatives.
// Texts are single bytes; accented letters are Latin-1 codes. Nothing here folds case.
#pragma once

#include <string>

// Replaces each of the 21 escapes (backslash, one of ' ` ^ ", a vowel a e i o u; and
// backslash c c) by its Latin-1 letter. Any other backslash is an ordinary character.
std::string ConvertAccents(std::string strText);
// The same escapes in a UTF-8 text (a verdict in the learner's language), each replaced by
// its letter in UTF-8; the rest of the text is left as it is.
std::string ConvertAccentsInUtf8(const std::string& strText);

// Collapses runs of spaces (0x20 only; tabs are ordinary characters) to one space and
// removes a space at either end.
std::string NormaliseSpaces(std::string strText);

// Whether the typed text counts as the expected one. An expected text beginning with
// "/" is a list "/one /two /three"; otherwise the texts must be equal. Both texts are
// taken as already normalised; this function changes neither spacing nor accents.
bool MatchAnswer(std::string strTyped, std::string strExpected);
