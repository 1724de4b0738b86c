#pragma once

// Ctrl+F: a small bar over the bottom of the active text view that finds one word by the
// search's rules, selecting what it finds. Enter or F3 finds the next, Shift+Enter or
// Shift+F3 the previous, Esc closes the bar and gives the focus back to the view.

#include "search/Matcher.h"
#include "search/SearchHit.h"

#include <QFrame>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class TRichEdit;

class TFindBar : public QFrame
{
    Q_OBJECT
public:
    // viewFor names the view Ctrl+F works on and its text family (0 Korean, 1 고려대장경,
    // 2 신수대장경); sameCharacter says whether variant forms count in a Chinese text.
    struct TTarget
    {
        TRichEdit* View = nullptr;
        int Family = 0;
    };
    TFindBar(QWidget* window, const TVariantFiles& variants, std::function<TTarget()> viewFor,
             std::function<bool()> sameCharacter);

    // Over the bottom of target's view, the word field focused and selected.
    void Open();
    void Close();
    // Selects the next (step 1) or previous (-1) occurrence after or before the selection,
    // going round at either end. False, with "없음" shown, when the word is nowhere.
    bool FindStep(int step);

    TRichEdit* Target() const { return Target_.View; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();

    const TVariantFiles& Variants;
    std::function<TTarget()> ViewFor;
    std::function<bool()> SameCharacter;
    TTarget Target_;
    QLineEdit* Word = nullptr;
    QLabel* Status = nullptr;
};
