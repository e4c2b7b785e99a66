// The pseudo-language is header-only (PseudoCatalog.h); this file stays for the builds that list it.
#include "support/PseudoCatalog.h"
