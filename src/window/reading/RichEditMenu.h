#pragma once

// The context menu of the text views (copy, paste, select all, cut, and after a separator the
// copy with a citation) and plain-text copying: in the copy mode for all programs, what
// Ctrl+C, Ctrl+X or the menu leaves on the clipboard is reduced to its plain text by passing
// it through a hidden plain memo. The copy with a citation, by the menu or Ctrl+Shift+C, is
// asked of whoever knows what the view shows.

#include <QObject>

#include <vector>

class QAction;
class QFont;
class QMenu;
class QPlainTextEdit;
class QWidget;
class TRichEdit;
struct TSettings;

class TRichEditMenu : public QObject
{
    Q_OBJECT
public:
    // The menu and the hidden memo belong to window; settings gives the copy mode.
    TRichEditMenu(QWidget* window, const TSettings& settings);

    // CopyMemo, in the window's font.
    void BuildCopyMemo();
    // Opens the menu on a right click in edit and watches its copy, cut and cite keys.
    void Attach(TRichEdit* edit);

    void RichPopupPopup();
    void CtrlC1Click();
    void CtrlV1Click();
    void CtrlA1Click();
    void CtrlX1Click();
    void RichEditKeyPress(TRichEdit* sender, char16_t key);
    void MakeClipboardPlain(char16_t key);
    void CiteCopy1Click();

signals:
    // The reader asked for edit's selection with its citation.
    void CiteRequested(TRichEdit* edit);

private:
    const TSettings& Settings;
    std::vector<TRichEdit*> RichEdits;

    QMenu* RichPopup = nullptr;
    QAction *CtrlC1 = nullptr, *CtrlV1 = nullptr, *CtrlA1 = nullptr, *CtrlX1 = nullptr, *CiteCopy1 = nullptr;
    // The editor the menu was last opened on.
    TRichEdit* PopupComponent = nullptr;
    QWidget* CopyMemoPanel = nullptr;
    QPlainTextEdit* CopyMemo = nullptr;
};
