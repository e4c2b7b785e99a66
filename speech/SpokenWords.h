// What is spoken for a verb form: its spellings one by one, each as the learner reads it
// and, where the shipped pronunciation table knows better than the engine, as phonemes.
#pragma once

#include "framework/Speaker.h"
#include "verbdata/VerbForm.h"

#include <string>
#include <vector>

// The words for a form as the verb data holds it (Latin-1, accent escapes allowed): a
// list "/learnt /learned" gives one word per spelling, in its order; blanks inside a
// spelling stay. An empty form gives no words. nForm is which of the verb's forms it is,
// for the spellings said differently as another form ("read", "read").
std::vector<SpokenWord> WordsToSay(const std::string& strForm, SpeechAccent accent,
                                   VerbForm nForm = Infinitive);
