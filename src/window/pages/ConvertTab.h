#pragma once

// The 한자음변환 sheet: Chinese text pasted above is shown below line by line, each line
// followed by its Korean reading and an empty line.

#include "session/ReaderState.h"

#include <QObject>

#include <vector>

class QFont;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QWidget;
class TPlainMemo;
class TPageControl;
struct TColorScheme;
struct TVesko3Session;

class TConvertTab : public QObject
{
    Q_OBJECT
public:
    // Adds the sheet to viewPage.
    TConvertTab(TPageControl* viewPage, TVesko3Session& state);

    // ConvertSrcMemo and ConvertDestMemo, in editorFont.
    void BuildEditors(const QFont& editorFont);
    void ApplyColors(const TColorScheme& scheme);
    void SetHanmoonFont(const QString& family, int pointSize);

    // The splitter's first pane, and putting it back.
    std::vector<TSplitterPane> Panes() const;
    void KeepPanes(const std::vector<TSplitterPane>& panes);
    std::vector<QWidget*> FocusOrder() const;

    void ConvertButtonClick();

private:
    TVesko3Session& State;

    QWidget* ConvertTabSheet = nullptr;
    QWidget *ConvertPanel1 = nullptr, *ConvertPanel2 = nullptr, *ConvertButtonPanel = nullptr;
    QSplitter* ConvertSplitter = nullptr;
    QPushButton* ConvertButton = nullptr;
    QLabel* Panel1 = nullptr;
    QWidget *ConvertSrcMemoPanel = nullptr, *ConvertDestMemoPanel = nullptr;
    QPlainTextEdit* ConvertSrcMemo = nullptr;
    TPlainMemo* ConvertDestMemo = nullptr;
};
