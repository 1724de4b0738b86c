// The search tab and the display of its hits: TMainForm's search handlers.

#include "app/Unit1.h"

// TODO(issue 5): run the search, fill SearchGrid and highlight the hits of a chosen row.
void TMainForm::SearchButtonClick() {}
void TMainForm::TitleComboSelect() {}
void TMainForm::SearchGridClick() {}
