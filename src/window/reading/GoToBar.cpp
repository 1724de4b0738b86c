#include "window/reading/GoToBar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>

TGoToBar::TGoToBar(QWidget* window, QTabWidget* pages, TFind find) : QFrame(pages), Find(std::move(find)), Pages(pages)
{
    setObjectName("GoToBar");
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 2, 2);
    row->setSpacing(4);
    auto* caption = new QLabel("이동", this);
    Where = new QLineEdit(this);
    Where->setObjectName("GoToWhere");
    Where->setAccessibleName("이동할 위치");
    Where->setPlaceholderText("T01n0001_p0011a08, 중아함 30");
    caption->setBuddy(Where);
    Status = new QLabel(this);
    Status->setObjectName("GoToStatus");
    Status->setAccessibleName("이동 결과");
    auto* close = new QToolButton(this);
    close->setText("×");
    close->setAccessibleName("닫기");
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::NoFocus);
    row->addWidget(caption);
    row->addWidget(Where, 1);
    row->addWidget(Status);
    row->addWidget(close);
    hide();

    connect(close, &QToolButton::clicked, this, &TGoToBar::Close);
    connect(Where, &QLineEdit::textEdited, Status, &QLabel::clear);
    Where->installEventFilter(this);
    Pages->installEventFilter(this);
    auto* open = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), window, [this] { Open(); });
    open->setObjectName("GoToShortcut");
}

void TGoToBar::Open()
{
    if (!isVisible()) FocusBefore = QApplication::focusWidget();
    Status->clear();
    Place();
    show();
    raise();
    Where->setFocus();
    Where->selectAll();
}

void TGoToBar::Close()
{
    hide();
    if (FocusBefore) FocusBefore->setFocus();
}

bool TGoToBar::GoTo()
{
    const std::optional<TLinePlace> place = Find(Where->text().toStdU16String());
    if (!place) {
        Status->setText("찾을 수 없습니다");
        return false;
    }
    // Closed first, so that the focus the showing gives the view stays there.
    hide();
    emit PlaceChosen(*place);
    return true;
}

void TGoToBar::Place()
{
    // Over the bottom of the sheet, as wide as the find bar may grow and room for the message.
    const QWidget* sheet = Pages->currentWidget();
    const QRect area = sheet != nullptr ? QRect(sheet->mapTo(Pages, QPoint(0, 0)), sheet->size()) : Pages->rect();
    const int height = sizeHint().height();
    setGeometry(area.left(), area.bottom() + 1 - height, std::min(area.width(), 400), height);
}

bool TGoToBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Pages) {
        // After the page control has laid its sheets out for the new size.
        if (event->type() == QEvent::Resize && isVisible())
            QMetaObject::invokeMethod(this, &TGoToBar::Place, Qt::QueuedConnection);
        return QFrame::eventFilter(watched, event);
    }
    if (watched != Where || (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
        return QFrame::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape)
        return QFrame::eventFilter(watched, event);
    // Taken before any shortcut of the window sees it, then acted on as a key press.
    event->accept();
    if (event->type() == QEvent::KeyPress) {
        if (key == Qt::Key_Escape)
            Close();
        else
            GoTo();
    }
    return event->type() == QEvent::KeyPress;
}
