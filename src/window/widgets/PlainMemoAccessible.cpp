#include "window/widgets/PlainMemoAccessible.h"

#include "window/widgets/PlainMemo.h"

#include <QAccessibleWidget>
#include <QScrollBar>

#include <algorithm>

namespace {

class TPlainMemoAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit TPlainMemoAccessible(TPlainMemo* memo) : QAccessibleWidget(memo, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !Memo()->isReadOnly();
        state.readOnly = Memo()->isReadOnly();
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? Memo()->Text() : QAccessibleWidget::text(kind);
    }

    QString text(int startOffset, int endOffset) const override
    {
        const QString whole = Memo()->Text();
        const qsizetype start = std::clamp<qsizetype>(startOffset, 0, whole.size());
        return whole.mid(start, std::clamp<qsizetype>(endOffset, start, whole.size()) - start);
    }
    int characterCount() const override { return static_cast<int>(Memo()->Text().size()); }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        const QTextCursor cursor = Memo()->textCursor();
        const bool selected = selectionIndex == 0 && cursor.hasSelection();
        *startOffset = selected ? cursor.selectionStart() : 0;
        *endOffset = selected ? cursor.selectionEnd() : 0;
    }
    int selectionCount() const override { return Memo()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex != 0) return;
        QTextCursor cursor = Memo()->textCursor();
        cursor.clearSelection();
        Memo()->setTextCursor(cursor);
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0) Select(startOffset, endOffset);
    }
    int cursorPosition() const override { return Memo()->textCursor().position(); }
    void setCursorPosition(int position) override { Select(position, position); }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        Select(startIndex, endIndex);
        Memo()->ensureCursorVisible();
    }

    QRect characterRect(int offset) const override
    {
        // Only a character in the document has a place on the screen.
        if (offset < 0 || offset >= Memo()->document()->characterCount()) return {};
        QTextCursor cursor = Memo()->textCursor();
        cursor.setPosition(offset);
        const QRect at = Memo()->cursorRect(cursor);
        return QRect(Memo()->viewport()->mapToGlobal(at.topLeft()), at.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return Memo()->cursorForPosition(Memo()->viewport()->mapFromGlobal(point)).position();
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        // One plain run: the memo has no formats of its own.
        *startOffset = offset < 0 ? -1 : 0;
        *endOffset = offset < 0 ? -1 : characterCount();
        return {};
    }

private:
    TPlainMemo* Memo() const { return static_cast<TPlainMemo*>(widget()); }
    void Select(int startOffset, int endOffset)
    {
        Memo()->FillRest();
        const int last = std::max(Memo()->document()->characterCount() - 1, 0);
        QTextCursor cursor = Memo()->textCursor();
        cursor.setPosition(std::clamp(startOffset, 0, last));
        cursor.setPosition(std::clamp(endOffset, 0, last), QTextCursor::KeepAnchor);
        Memo()->setTextCursor(cursor);
    }
};

QAccessibleInterface* PlainMemoAccessible(const QString& className, QObject* object)
{
    if (className != QLatin1String("TPlainMemo") || !object->isWidgetType()) return nullptr;
    return new TPlainMemoAccessible(static_cast<TPlainMemo*>(object));
}

} // namespace

void InstallPlainMemoAccessible()
{
    static const bool installed = [] {
        QAccessible::installFactory(PlainMemoAccessible);
        return true;
    }();
    (void)installed;
}
