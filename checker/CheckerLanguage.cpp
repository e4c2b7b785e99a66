#include "checker/CheckerLanguage.h"

void UseCheckerLanguage(const char* /*argv0*/)
{
    // Filled in when the catalog reader lands.
}
