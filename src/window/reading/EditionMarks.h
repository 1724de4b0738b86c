#pragma once

// The two Chinese editions of the 함께보기 sheet compared. A toggle "비교" over the 신수대장경
// title bar, left of the hit indication, marks in both Chinese views the characters where the
// editions differ with a tinted background (a difference inside a variant group lighter than
// any other) that leaves the red runs of a search as they are, shows "차이 N" with two step
// buttons, steps through the differences with F4 and Shift+F4, and while it is on the two
// views scroll together: the line at the top of one has its aligned line at the top of the
// other.

#include "search/EditionCompare.h"
#include "search/Matcher.h"

#include <QColor>
#include <QObject>

#include <vector>

class QLabel;
class QToolButton;
class QWidget;
class TRichEdit;

inline const QColor DifferenceTint(255, 205, 150);
inline const QColor VariantDifferenceTint(255, 240, 205);

class TEditionMarks : public QObject
{
    Q_OBJECT
public:
    // The shortcuts belong to window; the strip sits in titleBar, left of hitStrip when that
    // is on show.
    TEditionMarks(QWidget* window, TRichEdit* kor, TRichEdit* sinsu, QLabel* titleBar, QWidget* hitStrip,
                  const TVariantFiles& variants);

    void SetOn(bool on);
    bool IsOn() const { return On; }
    // The views hold a new sutra: compared again when on.
    void TextsReplaced();
    // Makes the next (step 1) or previous (-1) difference current in both views, without wrapping.
    void Step(int step);

    const std::vector<TEditionDifference>& Differences() const { return Found; }
    // "차이 N", and "차이 3 / N" once a difference is current; "끝" or "처음" follows at either end.
    QString Indication() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Compare();
    void Follow(TRichEdit* from, TRichEdit* to, bool fromKor);
    void ShowIndication();
    void PlaceStrip();

    TRichEdit *Kor, *Sinsu;
    QLabel* TitleBar;
    QWidget* HitStrip;
    const TVariantFiles& Variants;
    QWidget* Strip = nullptr;
    QToolButton* Toggle = nullptr;
    QLabel* Count = nullptr;
    QToolButton *Previous = nullptr, *Next = nullptr;

    bool On = false;
    bool Following = false; // one view is being brought after the other
    std::vector<TEditionDifference> Found;
    int Current = -1;
    int StoppedAt = 0; // -1 or 1 when the last step asked to go past the first or last
};
