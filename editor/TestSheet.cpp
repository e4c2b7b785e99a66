#include "editor/TestSheet.h"
