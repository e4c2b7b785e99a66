#include "editor/TableChecks.h"
