#include "window/reading/FindBar.h"

#include "window/widgets/RichEdit.h"
#include "search/WordFind.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTextCursor>
#include <QToolButton>

#include <algorithm>

TFindBar::TFindBar(QWidget* window, const TVariantFiles& variants, std::function<TTarget()> viewFor,
                   std::function<bool()> sameCharacter)
    : QFrame(window), Variants(variants), ViewFor(std::move(viewFor)), SameCharacter(std::move(sameCharacter))
{
    setObjectName("FindBar");
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 2, 2);
    row->setSpacing(4);
    auto* caption = new QLabel("찾기", this);
    Word = new QLineEdit(this);
    Word->setObjectName("FindWord");
    Status = new QLabel(this);
    Status->setObjectName("FindStatus");
    Status->setMinimumWidth(60);
    auto* close = new QToolButton(this);
    close->setText("×");
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::NoFocus);
    row->addWidget(caption);
    row->addWidget(Word, 1);
    row->addWidget(Status);
    row->addWidget(close);
    hide();

    connect(close, &QToolButton::clicked, this, &TFindBar::Close);
    connect(Word, &QLineEdit::textEdited, Status, &QLabel::clear);
    Word->installEventFilter(this);
    auto* open = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), window, [this] { Open(); });
    open->setObjectName("FindShortcut");
}

void TFindBar::Open()
{
    const TTarget target = ViewFor();
    if (target.View == nullptr) return;
    if (Target_.View != nullptr && Target_.View != target.View) {
        Target_.View->removeEventFilter(this);
        Target_.View->ReserveBottom(0);
    }
    Target_ = target;
    // A child of the view, so that it moves and hides with it.
    if (parentWidget() != Target_.View) setParent(Target_.View);
    Target_.View->installEventFilter(this);
    Status->clear();
    Place();
    show();
    raise();
    Word->setFocus();
    Word->selectAll();
}

void TFindBar::Close()
{
    hide();
    if (Target_.View == nullptr) return;
    Target_.View->ReserveBottom(0);
    Target_.View->setFocus();
}

bool TFindBar::FindStep(int step)
{
    if (Target_.View == nullptr) return false;
    const std::vector<THighlightRun> found =
        FindWordInText(Variants, Target_.View->PositionText(), Word->text().toStdU16String(), Target_.Family,
                       Target_.Family != 0 && SameCharacter());
    if (found.empty()) {
        Status->setText("없음");
        return false;
    }
    const QTextCursor selection = Target_.View->textCursor();
    const int from = selection.selectionStart();
    std::size_t index = 0;
    if (step > 0) {
        // After the selection's start, so that the occurrence selected now is passed over.
        const bool selected = selection.hasSelection();
        const auto next = std::find_if(found.begin(), found.end(), [&](const THighlightRun& run) {
            return selected ? run.Begin > from : run.Begin >= from;
        });
        index = next == found.end() ? 0 : static_cast<std::size_t>(next - found.begin());
    } else {
        const auto previous =
            std::find_if(found.rbegin(), found.rend(), [&](const THighlightRun& run) { return run.Begin < from; });
        index = previous == found.rend() ? found.size() - 1 : found.size() - 1 - (previous - found.rbegin());
    }
    Target_.View->Select(found[index].Begin, found[index].End);
    Status->setText(QString("%1 / %2").arg(index + 1).arg(found.size()));
    return true;
}

void TFindBar::Place()
{
    // Over the bottom of the view, inside its frame and clear of its scroll bars, on a strip
    // the view keeps free, so that a match the view scrolls to stands above the bar.
    const int height = sizeHint().height();
    Target_.View->ReserveBottom(height);
    const QRect area = Target_.View->viewport()->geometry();
    setGeometry(area.left(), area.bottom() + 1, area.width(), height);
}

bool TFindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Target_.View && event->type() == QEvent::Resize) {
        if (!isHidden()) Place();
        return QFrame::eventFilter(watched, event);
    }
    if (watched != Word || (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
        return QFrame::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool shift = key->modifiers() & Qt::ShiftModifier;
    const bool handled = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_F3 ||
                         key->key() == Qt::Key_Escape;
    if (!handled) return QFrame::eventFilter(watched, event);
    // Taken before the window's F3 shortcut sees it, then acted on as a key press.
    event->accept();
    if (event->type() == QEvent::KeyPress) {
        if (key->key() == Qt::Key_Escape)
            Close();
        else
            FindStep(shift ? -1 : 1);
    }
    return event->type() == QEvent::KeyPress;
}
