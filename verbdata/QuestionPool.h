// The questions of the running lesson, in order; empty means no lesson is running.
// The document keeps the index of the current question beside it.
#pragma once

#include "verbdata/Question.h"

#include <vector>

using QuestionPool = std::vector<Question>;
