// The rich edits' context menu and plain-text copying: TMainForm's clipboard handlers.

#include "window/widgets/ControlWidget.h"
#include "window/Unit1.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPlainTextEdit>

#include <algorithm>

namespace {

// The characters that Ctrl+C and Ctrl+X type.
constexpr char16_t CopyKey = 3;
constexpr char16_t CutKey = 24;

} // namespace

void TMainForm::RichPopupPopup()
{
    const bool selected = PopupComponent != nullptr && PopupComponent->textCursor().hasSelection();
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    CtrlC1->setEnabled(selected);
    CtrlV1->setEnabled(clipboard != nullptr && clipboard->hasText());
    CtrlA1->setEnabled(true);
    CtrlX1->setEnabled(selected);
}

void TMainForm::CtrlC1Click()
{
    if (PopupComponent == nullptr) return;
    PopupComponent->copy();
    MakeClipboardPlain(CopyKey);
}

void TMainForm::CtrlV1Click()
{
    if (PopupComponent != nullptr) PopupComponent->paste();
}

void TMainForm::CtrlA1Click()
{
    if (PopupComponent != nullptr) PopupComponent->selectAll();
}

void TMainForm::CtrlX1Click()
{
    if (PopupComponent == nullptr) return;
    PopupComponent->cut();
    MakeClipboardPlain(CutKey);
}

void TMainForm::RichEditKeyPress(TRichEdit* sender, char16_t key)
{
    const TRichEdit* const richEdits[] = {TotalHanRichEdit, TotalKorRichEdit, TotalSinsuRichEdit, HanRichEdit0,
                                          HanRichEdit1,     HanRichEdit2,     KorRichEdit,        SinsuRichEdit};
    if (std::find(std::begin(richEdits), std::end(richEdits), sender) != std::end(richEdits)) MakeClipboardPlain(key);
}

void TMainForm::MakeClipboardPlain(char16_t key)
{
    if (CopyRG->ItemIndex() != 0) return;
    if (key != CopyKey && key != CutKey) return;
    // A plain memo takes only the clipboard's text and gives back only text; cutting an
    // empty memo leaves the clipboard as it was.
    CopyMemo->clear();
    CopyMemo->paste();
    CopyMemo->selectAll();
    CopyMemo->cut();
}

void TMainForm::CopyRGClick()
{
    State.GlobalInfo.Settings.CopyTarget = CopyRG->ItemIndex();
}
