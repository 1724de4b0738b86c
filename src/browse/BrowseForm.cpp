// The catalogue lists and the display of a chosen sutra: TMainForm's browse handlers.

#include "app/Unit1.h"

// TODO(issue 4): fill the lists and show the chosen sutra in the eight views.
void TMainForm::RadioGroup0_1Click() {}
void TMainForm::RadioGroup0_2Click() {}
void TMainForm::OrdGridClick() {}
void TMainForm::NameGridClick() {}
void TMainForm::SubjGrid1Click() {}
void TMainForm::SubjGrid2Click() {}
void TMainForm::FillSutraGrid(QTableWidget* grid, QLabel* countPanel, bool byName, int kind) {}
void TMainForm::FillSubjectGrid() {}
void TMainForm::FillSubjectSutraGrid() {}
