// The reading conversion tab: TMainForm's conversion handler.

#include "app/Unit1.h"

// TODO(issue 6): convert ConvertSrcMemo into the Korean readings in ConvertDestMemo.
void TMainForm::ConvertButtonClick() {}
