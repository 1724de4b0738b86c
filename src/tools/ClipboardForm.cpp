// The rich edits' context menu and plain-text copying: TMainForm's clipboard handlers.

#include "app/Unit1.h"

// TODO(issue 6): item states, the editor's copy, cut and paste, and plain-text conversion.
void TMainForm::RichPopupPopup() {}
void TMainForm::CtrlC1Click() {}
void TMainForm::CtrlV1Click() {}
void TMainForm::CtrlA1Click() {}
void TMainForm::CtrlX1Click() {}
void TMainForm::RichEditKeyPress(TRichEdit* sender, char16_t key) {}
void TMainForm::CopyRGClick() {}
