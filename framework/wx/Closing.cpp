#include "framework/wx/Closing.h"

namespace
{

bool g_bClosing = false;

} // namespace

void BeginClosing()
{
    g_bClosing = true;
}

bool IsClosing()
{
    return g_bClosing;
}
