#pragma once

// The accessible text of TPlainMemo: a screen reader reads the memo's whole text, also while
// a long text is still being put into its document; moving the caret or the selection from
// the screen reader puts the rest in first. Qt's own interface for a plain memo reads the
// document alone.

// Makes every TPlainMemo answer with it; once per program, later calls do nothing.
void InstallPlainMemoAccessible();
