#include "editor/CsvFile.h"
