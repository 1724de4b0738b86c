#include "window/reading/RichEditMenu.h"

#include "window/pages/PageParts.h"
#include "window/widgets/RichEdit.h"
#include "session/Settings.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QShortcut>

#include <algorithm>

namespace {

// The characters that Ctrl+C and Ctrl+X type.
constexpr char16_t CopyKey = 3;
constexpr char16_t CutKey = 24;

} // namespace

TRichEditMenu::TRichEditMenu(QWidget* window, const TSettings& settings) : Settings(settings)
{
    RichPopup = Named(new QMenu(window), "RichPopup");
    CtrlC1 = Named(RichPopup->addAction("복사하기(&C)"), "CtrlC1");
    CtrlV1 = Named(RichPopup->addAction("붙이기(&P)"), "CtrlV1");
    CtrlA1 = Named(RichPopup->addAction("모두 선택(&A)"), "CtrlA1");
    CtrlX1 = Named(RichPopup->addAction("잘라내기(&T)"), "CtrlX1");
    RichPopup->addSeparator();
    CiteCopy1 = Named(RichPopup->addAction("인용 복사"), "CiteCopy1");
    CopyMemoPanel = MakePanel(window, "CopyMemoPanel");
    CopyMemoPanel->hide();

    connect(RichPopup, &QMenu::aboutToShow, this, &TRichEditMenu::RichPopupPopup);
    connect(CtrlC1, &QAction::triggered, this, &TRichEditMenu::CtrlC1Click);
    connect(CtrlV1, &QAction::triggered, this, &TRichEditMenu::CtrlV1Click);
    connect(CtrlA1, &QAction::triggered, this, &TRichEditMenu::CtrlA1Click);
    connect(CtrlX1, &QAction::triggered, this, &TRichEditMenu::CtrlX1Click);
    connect(CiteCopy1, &QAction::triggered, this, &TRichEditMenu::CiteCopy1Click);
}

void TRichEditMenu::BuildCopyMemo()
{
    CopyMemo = PlaceholderMemo(CopyMemoPanel, "CopyMemo", CopyMemoPanel->font());
}

void TRichEditMenu::Attach(TRichEdit* edit)
{
    RichEdits.push_back(edit);
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edit, &QWidget::customContextMenuRequested, this, [this, edit](const QPoint& at) {
        PopupComponent = edit;
        RichPopup->exec(edit->viewport()->mapToGlobal(at));
    });
    connect(edit, &TRichEdit::KeyPressed, this, [this, edit](char16_t key) { RichEditKeyPress(edit, key); });
    // A shortcut of the view alone: the key never reaches the view, so the plain-copy pass
    // that follows Ctrl+C does not follow it.
    auto* cite = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), edit);
    cite->setContext(Qt::WidgetShortcut);
    connect(cite, &QShortcut::activated, this, [this, edit] { emit CiteRequested(edit); });
}

void TRichEditMenu::RichPopupPopup()
{
    const bool selected = PopupComponent != nullptr && PopupComponent->textCursor().hasSelection();
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    CtrlC1->setEnabled(selected);
    CtrlV1->setEnabled(clipboard != nullptr && clipboard->hasText());
    CtrlA1->setEnabled(true);
    CtrlX1->setEnabled(selected);
    CiteCopy1->setEnabled(selected);
}

void TRichEditMenu::CtrlC1Click()
{
    if (PopupComponent == nullptr) return;
    PopupComponent->copy();
    MakeClipboardPlain(CopyKey);
}

void TRichEditMenu::CtrlV1Click()
{
    if (PopupComponent != nullptr) PopupComponent->paste();
}

void TRichEditMenu::CtrlA1Click()
{
    if (PopupComponent != nullptr) PopupComponent->selectAll();
}

void TRichEditMenu::CtrlX1Click()
{
    if (PopupComponent == nullptr) return;
    PopupComponent->cut();
    MakeClipboardPlain(CutKey);
}

void TRichEditMenu::CiteCopy1Click()
{
    if (PopupComponent != nullptr) emit CiteRequested(PopupComponent);
}

void TRichEditMenu::RichEditKeyPress(TRichEdit* sender, char16_t key)
{
    if (std::find(RichEdits.begin(), RichEdits.end(), sender) != RichEdits.end()) MakeClipboardPlain(key);
}

void TRichEditMenu::MakeClipboardPlain(char16_t key)
{
    // The option group writes the copy mode into the settings as soon as it changes.
    if (Settings.CopyTarget != 0) return;
    if (key != CopyKey && key != CutKey) return;
    // A plain memo takes only the clipboard's text and gives back only text; cutting an
    // empty memo leaves the clipboard as it was.
    CopyMemo->clear();
    CopyMemo->paste();
    CopyMemo->selectAll();
    CopyMemo->cut();
}
