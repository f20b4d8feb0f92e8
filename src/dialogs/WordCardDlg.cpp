#include "WordCardDlg.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "SpeakButton.h"

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8).toHtmlEscaped(); }

// At most this many English definitions: the card is read at a glance.
constexpr std::size_t kDefinitionsShown = 3;

}  // namespace

QString WordCardHtml(const WordCardContent& content, const QString& note, const QColor& mark,
                     bool offerSense) {
    const QString markStyle = QStringLiteral("color:%1").arg(mark.name());
    QString html;
    // A piece of a phrase: the phrase and its gloss first, each of its words with its
    // own gloss, then the held word's entry.
    if (!content.phrase.empty()) {
        html += QStringLiteral("<div style='white-space:pre-wrap'><big><b>%1</b></big></div>")
                    .arg(Text(content.phrase));
        html += QStringLiteral("<div><span style='%1'>▶ 本处：</span><b>%2</b></div>")
                    .arg(markStyle, Text(content.phraseGloss));
        for (const auto& [word, gloss] : content.phraseWords) {
            html += QStringLiteral("<div>· %1 %2</div>").arg(Text(word), Text(gloss));
        }
        html += QStringLiteral("<hr>");
    }
    html += QStringLiteral("<div style='white-space:pre-wrap'><big><b>%1</b></big>")
                .arg(Text(content.word));
    if (!content.phonetic.empty()) {
        html += QStringLiteral(" &nbsp;/%1/").arg(Text(content.phonetic));
    }
    if (content.asked != content.word && !content.asked.empty()) {
        html += QStringLiteral(" &nbsp;← %1").arg(Text(content.asked));
    }
    html += QStringLiteral("</div>");
    if (!content.shown.empty()) {
        const QString label = !content.occurrence ? QStringLiteral("注释：")
                              : content.ownSense  ? QStringLiteral("本处（自定义）：")
                                                  : QStringLiteral("本处：");
        html += QStringLiteral("<div><span style='%1'>▶ %2</span><b>%3</b></div>")
                    .arg(markStyle, label, Text(content.shown));
    }
    for (const auto& line : content.lines) {
        html += QStringLiteral("<div>%1<i>%2</i> %3</div>")
                    .arg(line.chosen ? QStringLiteral("<span style='%1'>▶ </span>").arg(markStyle)
                                     : QString(),
                         Text(line.label), Text(line.senses));
    }
    const std::size_t shownDefinitions = std::min(content.definitions.size(), kDefinitionsShown);
    if (shownDefinitions > 0) {
        html += QStringLiteral("<div style='margin-top:4px'><small>");
        for (std::size_t i = 0; i < shownDefinitions; ++i) {
            html += (i ? QStringLiteral("<br>") : QString()) + Text(content.definitions[i]);
        }
        html += QStringLiteral("</small></div>");
    }
    if (!content.forms.empty()) {
        html += QStringLiteral("<div style='margin-top:4px'>%1</div>").arg(Text(content.forms));
    }
    if (!content.tags.empty()) {
        html += QStringLiteral("<div><small>%1</small></div>").arg(Text(content.tags));
    }
    if (!note.isEmpty()) {
        html += QStringLiteral("<div style='margin-top:4px'><small><i>%1</i></small></div>")
                    .arg(note.toHtmlEscaped());
    }
    if (offerSense) {
        html += QStringLiteral(
                    "<div style='margin-top:4px'><small><a href='%1' style='color:%2'>"
                    "选择释义…</a> (E)</small></div>")
                    .arg(WordCardDlg::kSenseLink, mark.name());
    }
    return html;
}

WordCardDlg::WordCardDlg(QWidget* pParent, const QFont& pageFont)
    : QWidget(pParent ? pParent->window() : nullptr,
              Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_label(new QLabel(this)) {
    setObjectName(QStringLiteral("wordCard"));
    // Opened while the button is down in the view: the focus stays there.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    if (pParent != nullptr) {
        setPalette(pParent->window()->palette());
    }
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setFont(pageFont);
    m_label->setTextFormat(Qt::RichText);
    m_label->setWordWrap(true);
    // Only the link takes the pointer: the card is read, not edited.
    m_label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(m_label, &QLabel::linkActivated, this, [this](const QString& link) {
        if (link == kSenseLink) {
            emit ownSenseRequested();
        }
    });
    m_label->setForegroundRole(QPalette::WindowText);
    // About thirty Chinese characters of the page's font a line.
    m_width = std::max(320, QFontMetrics(pageFont).horizontalAdvance(QStringLiteral("词")) * 30);
    auto* layout = new QHBoxLayout(this);
    const int margin = std::max(8, QFontMetrics(pageFont).height() / 2);
    layout->setContentsMargins(margin, margin / 2, margin, margin / 2);
    layout->addWidget(m_label, 1);
}

void WordCardDlg::SetContent(const WordCardContent& content, const QString& note, bool offerSense) {
    m_label->setText(WordCardHtml(content, note, palette().color(QPalette::Link), offerSense));
    m_words = QString::fromStdString(content.phrase.empty() ? content.word : content.phrase);
    if (m_speak != nullptr) {
        m_speak->SetWords(m_words);
    }
}

void WordCardDlg::SetSpeaker(WordSpeaker* speaker) {
    if (m_speak == nullptr) {
        m_speak = new SpeakButton(speaker, this);
        m_speak->setFont(QApplication::font());
        static_cast<QHBoxLayout*>(layout())->addWidget(m_speak, 0, Qt::AlignTop);
    }
    m_speak->SetWords(m_words);
    m_speak->UpdateState();
}

QString WordCardDlg::Html() const { return m_label->text(); }

void WordCardDlg::ShowByLine(const QPoint& globalPointer, const QRect& line) {
    QScreen* screen = QGuiApplication::screenAt(globalPointer);
    const QRect available = screen != nullptr ? screen->availableGeometry()
                                              : QRect(line.topLeft(), QSize(100000, 100000));
    const int width = std::min(m_width, available.width());
    const QSize size(width, layout()->totalHeightForWidth(width));
    int x = globalPointer.x() + 1;
    x = std::max(available.left(), std::min(x, available.right() + 1 - size.width()));
    int y = line.bottom() + 1;
    if (y + size.height() > available.bottom() + 1) {
        // Above the line, or, where neither side has room, as low as the screen allows.
        y = std::max(available.top(), line.top() - size.height());
    }
    setGeometry(QRect(QPoint(x, y), size));
    show();
    raise();
}

void WordCardDlg::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void WordCardDlg::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    hide();
}
