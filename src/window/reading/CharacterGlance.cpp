#include "window/reading/CharacterGlance.h"

#include "data/CharacterFile.h"
#include "data/Vesko3Common.h"
#include "browse/CharacterCard.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolTip>

namespace {

// The two kinds of text share these calls without a common base that has them.
QTextCursor CursorAt(const QAbstractScrollArea* text, QPoint point)
{
    if (const auto* rich = qobject_cast<const QTextEdit*>(text)) return rich->cursorForPosition(point);
    return static_cast<const QPlainTextEdit*>(text)->cursorForPosition(point);
}

QRect CursorRectangle(const QAbstractScrollArea* text, const QTextCursor& cursor)
{
    if (const auto* rich = qobject_cast<const QTextEdit*>(text)) return rich->cursorRect(cursor);
    return static_cast<const QPlainTextEdit*>(text)->cursorRect(cursor);
}

bool HasSelection(const QAbstractScrollArea* text)
{
    if (const auto* rich = qobject_cast<const QTextEdit*>(text)) return rich->textCursor().hasSelection();
    return static_cast<const QPlainTextEdit*>(text)->textCursor().hasSelection();
}

} // namespace

TCharacterGlance::TCharacterGlance(QWidget* window, const TLoadedData& data)
    : QObject(window), Window(window), Data(data), CardPanel(new TCharacterPanel(window))
{
    setObjectName("CharacterGlance");
    connect(CardPanel, &TCharacterPanel::SearchRequested, this, &TCharacterGlance::SearchRequested);
}

void TCharacterGlance::Watch(QAbstractScrollArea* text)
{
    if (qobject_cast<QTextEdit*>(text) == nullptr && qobject_cast<QPlainTextEdit*>(text) == nullptr) return;
    Texts.push_back(text);
    text->installEventFilter(this);
    text->viewport()->installEventFilter(this);
    // The card stays by its character: when the text moves under it, it goes.
    for (QScrollBar* bar : {text->verticalScrollBar(), text->horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this, text] {
            if (PanelSource == text) CardPanel->hide();
        });
}

std::optional<TCharacterGlance::TFound> TCharacterGlance::HanCharacterAt(const QAbstractScrollArea* text, QPoint point)
{
    const QTextCursor nearest = CursorAt(text, point);
    const QTextDocument* document = nearest.document();
    if (document == nullptr) return std::nullopt;
    // The nearest boundary has the character under the point before or after it.
    for (const int start : {nearest.position() - 1, nearest.position()}) {
        if (start < 0 || start >= document->characterCount() - 1) continue;
        QTextCursor left(const_cast<QTextDocument*>(document));
        left.setPosition(start);
        QTextCursor right = left;
        if (!right.movePosition(QTextCursor::NextCharacter) || right.block() != left.block()) continue;
        // A cursor's rectangle is wider than the caret on either side alike: its middle is the edge.
        const QRect from = CursorRectangle(text, left), to = CursorRectangle(text, right);
        const int begin = from.center().x(), end = to.center().x();
        // Both edges on one line, the point between them.
        if (from.top() != to.top() || point.x() < begin || point.x() >= end || point.y() < from.top() ||
            point.y() > from.bottom())
            continue;
        char32_t c = document->characterAt(start).unicode();
        if (QChar::isHighSurrogate(c) && right.position() == start + 2)
            c = QChar::surrogateToUcs4(static_cast<char16_t>(c), document->characterAt(start + 1).unicode());
        if (!IsHanCharacter(c)) return std::nullopt;
        return TFound{c, QRect(QPoint(begin, from.top()), QPoint(end - 1, from.bottom()))};
    }
    return std::nullopt;
}

bool TCharacterGlance::ShowPanelAt(QAbstractScrollArea* text, QPoint point)
{
    const std::optional<TFound> found = HanCharacterAt(text, point);
    if (!found) {
        CardPanel->hide();
        PanelSource = nullptr;
        return false;
    }
    const TCharacterCard card = MakeCharacterCard(Data, found->Character);
    const QRect at(text->viewport()->mapTo(Window, found->Rect.topLeft()), found->Rect.size());
    CardPanel->ShowCard(card, Data.CharacterFile.Loaded, at, text->font().family());
    PanelSource = text;
    return true;
}

bool TCharacterGlance::ShowToolTip(QAbstractScrollArea* text, QPoint point, QPoint global)
{
    const std::optional<TFound> found = HanCharacterAt(text, point);
    if (!found) {
        QToolTip::hideText();
        return false;
    }
    const TCharacterCard card = MakeCharacterCard(Data, found->Character);
    QToolTip::showText(global, CharacterCardHtml(card, Data.CharacterFile.Loaded, text->font().family()),
                       text->viewport(), found->Rect);
    return true;
}

QAbstractScrollArea* TCharacterGlance::WatchedOf(QObject* object) const
{
    for (QAbstractScrollArea* text : Texts)
        if (object == text || object == text->viewport()) return text;
    return nullptr;
}

bool TCharacterGlance::eventFilter(QObject* watched, QEvent* event)
{
    QAbstractScrollArea* text = WatchedOf(watched);
    if (text == nullptr) return QObject::eventFilter(watched, event);
    const bool onViewport = watched == text->viewport();
    switch (event->type()) {
    case QEvent::ToolTip:
        if (onViewport) {
            const auto* help = static_cast<QHelpEvent*>(event);
            ShowToolTip(text, help->pos(), help->globalPos());
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
        if (onViewport) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            Pressed = mouse->button() == Qt::LeftButton && mouse->modifiers() == Qt::NoModifier;
            PressedAt = mouse->position().toPoint();
        }
        break;
    case QEvent::MouseButtonRelease:
        if (onViewport && Pressed) {
            Pressed = false;
            // A drag or a double click has made its selection by now.
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            const bool moved = (at - PressedAt).manhattanLength() >= QApplication::startDragDistance();
            if (!moved && !HasSelection(text))
                ShowPanelAt(text, at);
            else
                CardPanel->hide();
        }
        break;
    case QEvent::KeyPress:
        if (!onViewport && CardPanel->isVisible() && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            CardPanel->hide();
            return true;
        }
        break;
    case QEvent::Hide:
        if (!onViewport && text == PanelSource) CardPanel->hide();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
