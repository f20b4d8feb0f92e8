#include "ReviewDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "CVellumwiseDoc.h"

namespace {

// The answers as SM-2 grades: known at sight is a perfect answer; known once the gloss
// was looked at, a correct one after a hesitation; not known, wrong but familiar once seen.
constexpr int kKnownAtSight = 5;
constexpr int kKnownAfterGloss = 4;
constexpr int kNotKnown = 1;

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString SentenceHtml(const WordBookEntry& e) {
    if (e.wordAt >= e.sentence.size()) {
        return FromUtf8(e.sentence).toHtmlEscaped();
    }
    const std::string_view sentence = e.sentence;
    const std::size_t length = std::min(e.word.size(), sentence.size() - e.wordAt);
    return FromUtf8(sentence.substr(0, e.wordAt)).toHtmlEscaped() + QStringLiteral("<b>") +
           FromUtf8(sentence.substr(e.wordAt, length)).toHtmlEscaped() + QStringLiteral("</b>") +
           FromUtf8(sentence.substr(e.wordAt + length)).toHtmlEscaped();
}

IsKnownWord KnownIn(const CVellumwiseDoc& doc) {
    return [&doc](std::string_view word) { return doc.MarkOf(word) == WordMark::Known; };
}

}  // namespace

std::size_t ReviewDialog::DueCount(const CVellumwiseDoc& doc, const std::string& today) {
    WordBook book;
    ReviewCards cards;
    if (!LoadWordBook(doc.m_strPersonalDir, book) ||
        !LoadReviewCards(doc.m_strPersonalDir, cards)) {
        return 0;
    }
    return DueItems(book, cards, today, KnownIn(doc)).size();
}

ReviewDialog::ReviewDialog(CVellumwiseDoc& doc, std::string today, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_today(std::move(today)) {
    setWindowTitle(QStringLiteral("复习"));
    setObjectName(QStringLiteral("ReviewDialog"));

    m_progress = new QLabel(this);
    m_progress->setObjectName(QStringLiteral("ProgressLabel"));
    m_word = new QLabel(this);
    m_word->setObjectName(QStringLiteral("WordLabel"));
    QFont big = m_word->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    m_word->setFont(big);
    m_word->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_phonetic = new QLabel(this);
    m_phonetic->setObjectName(QStringLiteral("PhoneticLabel"));
    m_sentence = new QLabel(this);
    m_sentence->setObjectName(QStringLiteral("SentenceLabel"));
    m_sentence->setTextFormat(Qt::RichText);
    m_sentence->setWordWrap(true);
    m_sentence->setMinimumHeight(m_sentence->fontMetrics().lineSpacing() * 4);
    m_sentence->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_gloss = new QLabel(this);
    m_gloss->setObjectName(QStringLiteral("GlossLabel"));
    m_gloss->setWordWrap(true);
    m_gloss->setMinimumHeight(m_gloss->fontMetrics().lineSpacing() * 2);
    m_gloss->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusLabel"));
    m_status->setWordWrap(true);

    // No button takes the focus: Space shows the gloss, whichever was pressed last.
    auto button = [this](const QString& text, const char* name, QKeySequence key,
                         void (ReviewDialog::*slot)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        if (!key.isEmpty()) {
            b->setShortcut(key);
        }
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    m_showButton = button(QStringLiteral("看释义（空格）"), "showButton",
                          QKeySequence(Qt::Key_Space), &ReviewDialog::ShowGloss);
    m_knownButton = button(QStringLiteral("认识（Y）"), "knownButton", QKeySequence(Qt::Key_Y),
                           &ReviewDialog::AnswerKnown);
    m_unknownButton = button(QStringLiteral("不认识（N）"), "unknownButton",
                             QKeySequence(Qt::Key_N), &ReviewDialog::AnswerUnknown);
    m_moveButton =
        button(QString(), "moveButton", QKeySequence(), &ReviewDialog::MoveReadyToKnownList);
    m_moveButton->setToolTip(QStringLiteral("连续 %1 次认识、下次复习在 %2 天以后的词，"
                                            "移入认识的词表：页面上不再注释它们")
                                 .arg(kRepetitionsToKnow)
                                 .arg(kIntervalToKnow));
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAutoDefault(false);
    close->setFocusPolicy(Qt::NoFocus);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* heading = new QHBoxLayout;
    heading->addWidget(m_word);
    heading->addWidget(m_phonetic);
    heading->addStretch();
    heading->addWidget(m_progress);
    auto* answers = new QHBoxLayout;
    answers->addWidget(m_showButton);
    answers->addWidget(m_knownButton);
    answers->addWidget(m_unknownButton);
    answers->addStretch();
    answers->addWidget(m_moveButton);
    answers->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(m_sentence, 1);
    layout->addWidget(m_gloss);
    layout->addWidget(m_status);
    layout->addLayout(answers);
    resize(640, 320);

    const bool read = LoadWordBook(m_doc.m_strPersonalDir, m_book);
    const bool scheduled = LoadReviewCards(m_doc.m_strPersonalDir, m_cards);
    if (!read || !scheduled) {
        Tell(QStringLiteral("无法读取 %1")
                 .arg(FromUtf8(read ? ReviewPath(m_doc.m_strPersonalDir)
                                    : WordBookPath(m_doc.m_strPersonalDir))));
    } else {
        const std::vector<ReviewItem> due = DueItems(m_book, m_cards, m_today, KnownTest());
        m_queue.assign(due.begin(), due.end());
    }
    ShowCard();
    UpdateMoveButton();
}

IsKnownWord ReviewDialog::KnownTest() const { return KnownIn(m_doc); }

std::string ReviewDialog::CurrentWord() const {
    return m_queue.empty() ? std::string() : m_queue.front().entry.word;
}

void ReviewDialog::Tell(const QString& text) { m_status->setText(text); }

void ReviewDialog::ShowCard() {
    m_glossShown = false;
    const bool any = !m_queue.empty();
    m_showButton->setEnabled(any);
    m_knownButton->setEnabled(any);
    m_unknownButton->setEnabled(any);
    if (!any) {
        m_phonetic->clear();
        m_gloss->clear();
        m_progress->clear();
        if (m_knownCount + m_unknownCount > 0) {
            m_word->setText(QStringLiteral("今天的复习完成了"));
            m_sentence->setText(
                QStringLiteral("认识 %1 次，不认识 %2 次。").arg(m_knownCount).arg(m_unknownCount));
        } else if (m_book.entries.empty()) {
            m_word->setText(QStringLiteral("单词本是空的"));
            m_sentence->setText(QStringLiteral("读书时把鼠标指向一个词，按 B 把它加入单词本。"));
        } else {
            m_word->setText(QStringLiteral("今天没有要复习的词"));
            const std::string next = NextDueDate(m_book, m_cards, m_today, KnownTest());
            m_sentence->setText(
                next.empty() ? QString() : QStringLiteral("下一次复习：%1").arg(FromUtf8(next)));
        }
        return;
    }
    const ReviewItem& item = m_queue.front();
    m_word->setText(FromUtf8(item.entry.word));
    m_phonetic->setText(item.entry.phonetic.empty()
                            ? QString()
                            : QStringLiteral("/%1/").arg(FromUtf8(item.entry.phonetic)));
    QString sentence = SentenceHtml(item.entry);
    if (!item.entry.source.empty()) {
        sentence += QStringLiteral("<br><small>— %1</small>")
                        .arg(FromUtf8(item.entry.source).toHtmlEscaped());
    }
    m_sentence->setText(sentence);
    m_gloss->setText(QStringLiteral("按空格键看释义"));
    m_gloss->setEnabled(false);
    m_progress->setText(QStringLiteral("还有 %1 个").arg(m_queue.size()));
}

void ReviewDialog::ShowGloss() {
    if (m_queue.empty()) {
        return;
    }
    m_glossShown = true;
    m_gloss->setEnabled(true);
    m_gloss->setText(FromUtf8(m_queue.front().entry.gloss));
}

void ReviewDialog::AnswerKnown() { Answer(true); }
void ReviewDialog::AnswerUnknown() { Answer(false); }

void ReviewDialog::Answer(bool known) {
    if (m_queue.empty()) {
        return;
    }
    ReviewItem item = std::move(m_queue.front());
    m_queue.pop_front();
    (known ? m_knownCount : m_unknownCount) += 1;
    const QString word = FromUtf8(item.entry.word);
    QString told =
        known ? QString()
              : QStringLiteral("%1：%2。稍后再来一次。").arg(word, FromUtf8(item.entry.gloss));
    // A word failed today was rescheduled by that answer; its repeats are practice.
    if (!m_failedToday.contains(item.entry.word)) {
        const int grade = !known ? kNotKnown : m_glossShown ? kKnownAfterGloss : kKnownAtSight;
        ReviewCard after;
        const std::string problem =
            RecordReviewAnswer(m_doc.m_strPersonalDir, item.entry.word, grade, m_today, &after);
        if (problem.empty()) {
            m_cards.cards[item.entry.word] = after;
            item.card = after;
            if (known) {
                told = QStringLiteral("%1：下次复习在 %2 天后（%3）。")
                           .arg(word)
                           .arg(after.interval)
                           .arg(FromUtf8(after.due));
            }
        } else {
            told = FromUtf8(problem);
        }
    }
    if (!known) {
        m_failedToday.insert(item.entry.word);
        m_queue.push_back(std::move(item));
    }
    Tell(told);
    ShowCard();
    UpdateMoveButton();
}

void ReviewDialog::UpdateMoveButton() {
    const std::size_t ready = WordsReadyForKnownList(m_book, m_cards, KnownTest()).size();
    m_moveButton->setText(QStringLiteral("移入认识的词：%1 个（M）").arg(ready));
    m_moveButton->setShortcut(QKeySequence(Qt::Key_M));  // a new text drops the old key
    m_moveButton->setEnabled(ready > 0);
}

void ReviewDialog::MoveReadyToKnownList() {
    const std::vector<std::string> words = WordsReadyForKnownList(m_book, m_cards, KnownTest());
    if (words.empty()) {
        return;
    }
    m_doc.MarkWords(words, WordMark::Known);
    std::erase_if(m_queue, [this](const ReviewItem& item) {
        return m_doc.MarkOf(item.entry.word) == WordMark::Known;
    });
    QStringList names;
    for (const std::string& word : words) {
        names << FromUtf8(word);
    }
    Tell(QStringLiteral("已把 %1 个词移入认识的词：%2")
             .arg(words.size())
             .arg(names.join(QStringLiteral("、"))));
    ShowCard();
    UpdateMoveButton();
}
