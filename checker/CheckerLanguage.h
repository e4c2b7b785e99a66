// The language taldrin-check speaks: the catalog for the user's language, found beside the
// program, installed before anything is said.
#pragma once

void UseCheckerLanguage(const char* argv0);
