// Once the program has begun to close, no dialog, message box or help window opens: each
// returns at once as if cancelled (a Yes/No box as No).
#pragma once

void BeginClosing();
bool IsClosing();
