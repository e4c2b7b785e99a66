#include "framework/Speaker.h"
