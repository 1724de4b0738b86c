#include "window/widgets/CharacterPanel.h"

#include "data/CharacterFile.h"
#include "browse/CharacterCard.h"
#include "util/MyUtils.h"
#include "util/MyWideString.h"
#include "util/TextCodec.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int PanelWidth = 300;

QString Escaped(const std::u16string& text)
{
    return ToQString(text).toHtmlEscaped();
}

QString Row(const QString& key, const QString& value)
{
    return "<tr><td style='color:#555555; padding-right:6px'>" + key + "</td><td>" + value + "</td></tr>";
}

QString ReadingsHtml(const TCharacterCard& card)
{
    // The card puts the conversion's reading first when there is one.
    const bool marked = card.Info != nullptr && card.Info->ConversionReading >= 0;
    QString html;
    for (std::size_t i = 0; i < card.Readings.size(); ++i) {
        if (i > 0) html += ", ";
        const QString reading = QString(QChar(card.Readings[i]));
        html += i == 0 && marked ? "<b><u>" + reading + "</u></b>" : reading;
    }
    return html;
}

} // namespace

QString CharacterCardHtml(const TCharacterCard& card, bool characterData, const QString& face)
{
    QString rows;
    if (!characterData) {
        rows += "<tr><td colspan='2'>" + Escaped(CharacterFileMissingText()) + "</td></tr>";
    } else if (card.Info == nullptr) {
        rows += "<tr><td colspan='2'>글자 정보에 없는 글자입니다.</td></tr>";
    } else {
        const TCharacterInfo& info = *card.Info;
        rows += Row("읽기", ReadingsHtml(card));
        if (!info.Gloss.empty()) rows += Row("훈", Escaped(info.Gloss));
        if (!info.Meaning.empty()) rows += Row("뜻", Escaped(info.Meaning));
        QString radical = Escaped(info.Radical);
        if (info.TotalStrokes > 0) radical += (radical.isEmpty() ? "" : " · ") + QString("%1획").arg(info.TotalStrokes);
        if (!radical.isEmpty()) rows += Row("부수", radical);
    }
    if (!card.Variants.empty()) rows += Row("이체", Escaped(card.Variants));
    rows += Row("고려",
                ToQString(DecimalText(card.KorCount)) + "번 · 신수 " + ToQString(DecimalText(card.SinsuCount)) + "번");
    return "<table cellspacing='0'><tr><td style='font-family:\"" + face.toHtmlEscaped() +
           "\"; font-size:44px; padding-right:10px' valign='top'>" + Escaped(CodePointText(card.Character)) +
           "</td><td valign='middle'><table cellspacing='0'>" + rows + "</table></td></tr></table>";
}

TCharacterPanel::TCharacterPanel(QWidget* window) : QFrame(window)
{
    setObjectName("CharacterPanel");
    setAccessibleName("글자 정보");
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 4, 4, 6);
    column->setSpacing(4);
    auto* top = new QHBoxLayout;
    Body = new QLabel(this);
    Body->setObjectName("CharacterPanelText");
    Body->setTextFormat(Qt::RichText);
    Body->setWordWrap(true);
    Body->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* close = new QToolButton(this);
    close->setObjectName("CharacterPanelClose");
    close->setText("×");
    close->setAccessibleName("글자 정보 닫기");
    close->setAutoRaise(true);
    top->addWidget(Body, 1);
    top->addWidget(close, 0, Qt::AlignTop);
    Search = new QPushButton("이 글자 검색", this);
    Search->setObjectName("CharacterSearchButton");
    Search->setAccessibleName("이 글자 검색");
    column->addLayout(top);
    column->addWidget(Search, 0, Qt::AlignRight);
    setFixedWidth(PanelWidth);
    hide();

    connect(close, &QToolButton::clicked, this, &QWidget::hide);
    connect(Search, &QPushButton::clicked, this, [this] {
        hide();
        emit SearchRequested(Shown);
    });
}

void TCharacterPanel::ShowCard(const TCharacterCard& card, bool characterData, const QRect& at, const QString& face)
{
    Shown = ToQString(CodePointText(card.Character));
    Body->setText(CharacterCardHtml(card, characterData, face));
    Body->setAccessibleName(Shown + " 글자 정보");
    adjustSize();
    // Below the character, else above it, and always inside the window.
    const QRect window = parentWidget()->rect();
    QPoint place(at.left(), at.bottom() + 4);
    if (place.y() + height() > window.bottom()) place.setY(at.top() - 4 - height());
    place.setX(std::clamp(place.x(), 0, std::max(window.width() - width(), 0)));
    place.setY(std::clamp(place.y(), 0, std::max(window.height() - height(), 0)));
    move(place);
    show();
    raise();
}
