// File > Print Test Sheet... of the verb list editor: which form each row gives, the
// order (shuffled as often as the teacher likes), then a preview or the print dialog.
#pragma once

class wxWindow;
class VerbTable;

// Says so and returns when the table has no verb with all three forms.
void RunTestSheet(wxWindow* pParent, const VerbTable& table);
