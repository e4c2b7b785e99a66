#include "editor/ListFiles.h"
