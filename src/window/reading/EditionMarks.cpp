#include "window/reading/EditionMarks.h"

#include "window/widgets/RichEdit.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>

#include <algorithm>

namespace {

QToolButton* StripButton(QWidget* parent, const QString& name, const QString& text, const QString& tip)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TEditionMarks::TEditionMarks(QWidget* window, TRichEdit* kor, TRichEdit* sinsu, QLabel* titleBar, QWidget* hitStrip,
                             const TVariantFiles& variants)
    : QObject(window), Kor(kor), Sinsu(sinsu), TitleBar(titleBar), HitStrip(hitStrip), Variants(variants)
{
    setObjectName("EditionMarks");
    Strip = new QWidget(titleBar);
    Strip->setObjectName("EditionStrip");
    auto* row = new QHBoxLayout(Strip);
    row->setContentsMargins(0, 0, 4, 0);
    row->setSpacing(1);
    Toggle = StripButton(Strip, "EditionToggle", "비교", "두 판본이 다른 글자 표시");
    Toggle->setCheckable(true);
    Toggle->setFixedHeight(17);
    Count = new QLabel(Strip);
    Count->setObjectName("EditionCount");
    Count->setAccessibleName("판본 차이 수");
    Previous = StripButton(Strip, "PreviousDifference", "▲", "이전 차이 (Shift+F4)");
    Next = StripButton(Strip, "NextDifference", "▼", "다음 차이 (F4)");
    for (QToolButton* step : {Previous, Next})
        step->setFixedSize(17, 17);
    row->addWidget(Toggle);
    row->addWidget(Count);
    row->addWidget(Previous);
    row->addWidget(Next);
    ShowIndication();

    connect(Toggle, &QToolButton::toggled, this, &TEditionMarks::SetOn);
    connect(Previous, &QToolButton::clicked, this, [this] { Step(-1); });
    connect(Next, &QToolButton::clicked, this, [this] { Step(1); });
    auto* next = new QShortcut(QKeySequence(Qt::Key_F4), window, [this] { Step(1); });
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F4), window, [this] { Step(-1); });
    next->setObjectName("NextDifferenceShortcut");
    previous->setObjectName("PreviousDifferenceShortcut");
    for (const bool fromKor : {true, false}) {
        TRichEdit* from = fromKor ? Kor : Sinsu;
        TRichEdit* to = fromKor ? Sinsu : Kor;
        connect(from->verticalScrollBar(), &QScrollBar::valueChanged, this,
                [this, from, to, fromKor] { Follow(from, to, fromKor); });
        connect(from->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this, to](int value) {
            if (On && !Following) to->horizontalScrollBar()->setValue(value);
        });
    }
    titleBar->installEventFilter(this);
    if (HitStrip) HitStrip->installEventFilter(this);
    PlaceStrip();
}

void TEditionMarks::SetOn(bool on)
{
    if (on == On) return;
    On = on;
    if (Toggle->isChecked() != on) Toggle->setChecked(on);
    if (On) {
        Compare();
        Follow(Kor, Sinsu, true);
    } else {
        Found.clear();
        Current = -1;
        Kor->SetTints({});
        Sinsu->SetTints({});
    }
    ShowIndication();
}

void TEditionMarks::TextsReplaced()
{
    if (!On) return;
    Compare();
    ShowIndication();
}

void TEditionMarks::Compare()
{
    Found = AlignEditions(Kor->PositionText(), Sinsu->PositionText(), Variants);
    Current = -1;
    StoppedAt = 0;
    std::vector<TRichEdit::TTint> korTints, sinsuTints;
    for (const TEditionDifference& d : Found) {
        const QColor tint = d.Variant ? VariantDifferenceTint : DifferenceTint;
        if (d.KorEnd > d.KorBegin) korTints.push_back({{d.KorBegin, d.KorEnd}, tint});
        if (d.SinsuEnd > d.SinsuBegin) sinsuTints.push_back({{d.SinsuBegin, d.SinsuEnd}, tint});
    }
    Kor->SetTints(std::move(korTints));
    Sinsu->SetTints(std::move(sinsuTints));
}

void TEditionMarks::Step(int step)
{
    if (!On || Found.empty() || !Kor->isVisible() || !Sinsu->isVisible()) return;
    const int last = static_cast<int>(Found.size()) - 1;
    const int index = Current + step;
    StoppedAt = index < 0 ? -1 : index > last ? 1 : 0;
    Current = std::clamp(index, 0, last);
    const TEditionDifference& d = Found[static_cast<std::size_t>(Current)];
    // Each view shows its own side; the caret, not a selection, so that the tint shows.
    Following = true;
    Kor->PlaceCaret(d.KorBegin);
    Kor->ShowPosition(d.KorBegin, d.KorEnd);
    Sinsu->PlaceCaret(d.SinsuBegin);
    Sinsu->ShowPosition(d.SinsuBegin, d.SinsuEnd);
    Following = false;
    ShowIndication();
}

void TEditionMarks::Follow(TRichEdit* from, TRichEdit* to, bool fromKor)
{
    if (!On || Following || !from->isVisible() || !to->isVisible()) return;
    Following = true;
    const TRichEdit::TTopLine top = from->TopLine();
    to->ShowLineAt(AlignedPosition(Found, top.Position, fromKor), top.Offset);
    Following = false;
}

QString TEditionMarks::Indication() const
{
    QString text = QString("차이 %1").arg(Found.size());
    if (Current >= 0) text = QString("차이 %1 / %2").arg(Current + 1).arg(Found.size());
    if (StoppedAt != 0) text += StoppedAt < 0 ? " 처음" : " 끝";
    return text;
}

void TEditionMarks::ShowIndication()
{
    Count->setVisible(On);
    Previous->setVisible(On);
    Next->setVisible(On);
    Count->setText(On ? Indication() : QString());
    Previous->setEnabled(On && Current > 0);
    Next->setEnabled(On && Current + 1 < static_cast<int>(Found.size()));
    PlaceStrip();
}

void TEditionMarks::PlaceStrip()
{
    // Over the title bar, left of the hit indication when it shows, so that neither the bar
    // nor its caption moves.
    const QRect bar = TitleBar->contentsRect();
    const int right = HitStrip && !HitStrip->isHidden() ? HitStrip->geometry().left() : bar.right() + 1;
    const QSize size = Strip->sizeHint();
    Strip->setGeometry(right - size.width(), bar.top(), size.width(), bar.height());
    Strip->show();
}

bool TEditionMarks::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((watched == TitleBar && type == QEvent::Resize) ||
        (watched == HitStrip &&
         (type == QEvent::Show || type == QEvent::Hide || type == QEvent::Move || type == QEvent::Resize)))
        PlaceStrip();
    return QObject::eventFilter(watched, event);
}
