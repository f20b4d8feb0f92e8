// The word card: what holding a word (or the card key) opens when 完整词条卡片 is on.
#include <QAction>
#include <QCursor>
#include <QTimer>

#include "CVellumwiseView.h"
#include "EntrySearch.h"
#include "LowerCaseWord.h"
#include "OwnSenseDlg.h"
#include "WordCardContent.h"
#include "WordCardDlg.h"
#include "WordSpeaker.h"

namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

}  // namespace

WordCardContent CVellumwiseView::CardContentAt(const WordHit& hit) {
    const CParagraph& paragraph = m_doc.m_paragraphs.m_arrParagraphs[hit.paragraph];
    const std::string word(paragraph.Word(hit.token));
    // The gloss under this occurrence, or the dictionary's where the step hides it.
    std::string shown;
    if (const std::string_view gloss = paragraph.Gloss(hit.token); !gloss.empty()) {
        shown = Utf8(m_glosses.Text(gloss));
    }
    LowerCaseWord lower;
    std::string headword = word;
    if (const auto entry = m_doc.m_dicMain.FindReachedEntry(lower.Of(word))) {
        const CDicItem& item = m_doc.m_dicMain.m_arrItems[*entry];
        headword = item.m_strWord;
        if (shown.empty()) {
            shown = Utf8(m_glosses.Text(item.m_strGloss));
        }
    }
    if (m_doc.m_paragraphs.IsSkippedName(paragraph, hit.token)) {
        shown = "（人名）";
    }
    // A piece of a phrase: the phrase's gloss is the phrase's, the word shows its own.
    const auto phrase = m_doc.m_paragraphs.PhraseAt(paragraph, hit.token);
    if (phrase) {
        shown = ShortGloss(m_doc.m_dicMain, word);
    }
    EntryDatabase& entries = m_doc.FullEntries();
    std::optional<FullEntry> entry = entries.Find(headword);
    if (!entry && headword != word) {
        entry = entries.Find(word);
    }
    WordCardContent card = ComposeWordCard(word, shown, entry);
    if (phrase) {
        card.phrase = std::string(phrase->headword);
        card.phraseGloss = Utf8(m_glosses.Text(phrase->gloss));
        for (const std::string& piece : PhraseWords(hit.paragraph, *phrase)) {
            card.phraseWords.emplace_back(piece, ShortGloss(m_doc.m_dicMain, piece));
        }
    }
    card.ownSense = paragraph.GlossIsOwnSense(hit.token);
    return card;
}

std::vector<std::string> CVellumwiseView::PhraseWords(
    std::size_t paragraph, const CParagraphList::PhraseSpan& phrase) const {
    // A phrase may run on across a hard-wrapped line: its tokens are numbered in the
    // store, and the paragraphs around the held one hold them.
    const auto& paragraphs = m_doc.m_paragraphs.m_arrParagraphs;
    std::size_t p = paragraph;
    while (p > 0 && paragraphs[p].FirstToken() > phrase.firstToken) {
        --p;
    }
    std::vector<std::string> words;
    for (std::size_t k = phrase.firstToken; k <= phrase.lastToken && p < paragraphs.size();) {
        const CParagraph& here = paragraphs[p];
        if (k >= here.FirstToken() + here.TokenCount()) {
            ++p;
            continue;
        }
        const std::size_t j = k - here.FirstToken();
        if (here.WordId(j) != WordTable::kNoWord) {
            words.emplace_back(here.Word(j));
        }
        ++k;
    }
    return words;
}

bool CVellumwiseView::OpenWordCard(QPoint point) {
    CloseWordCard();
    const std::optional<WordHit> hit = HitWord(point);
    if (!hit || m_doc.m_paragraphs.m_arrParagraphs[hit->paragraph].WordId(hit->token) ==
                    WordTable::kNoWord) {
        return false;
    }
    const WordCardContent content = CardContentAt(*hit);
    QString note;
    // Said on the first card of the run only: after that the short gloss speaks for itself.
    if (!content.full && !m_doc.FullEntries().Available() && !m_bCardNoteShown) {
        m_bCardNoteShown = true;
        note = WordCardDlg::kUnavailable;
    }
    const StripGeometry geometry = StripGeometry::ForWindow(
        WindowSize().width(), WindowSize().height(), m_doc.m_nPageWidth, m_doc.m_nScrollPos);
    const WordBox box = WordBoxOf(m_doc.m_paragraphs.m_arrParagraphs[hit->paragraph], hit->token,
                                  geometry, m_nLineUnit);
    const QRect line(
        viewport()->mapToGlobal(QPoint(0, static_cast<int>(box.top))),
        viewport()->mapToGlobal(QPoint(viewport()->width() - 1, static_cast<int>(box.bottom) - 1)));
    m_pCard = new WordCardDlg(this, m_fontText);
    m_pCard->SetContent(content, note, true);
    m_pCard->SetSpeaker(Speaker());
    m_cardWord = *hit;
    m_nCardText = m_doc.TextSerial();
    connect(m_pCard, &WordCardDlg::ownSenseRequested, this, [this] {
        if (m_cardWord && m_nCardText == m_doc.TextSerial()) {
            const WordHit word = *m_cardWord;
            ChooseOwnSense(word);
        }
    });
    m_pCard->ShowByLine(viewport()->mapToGlobal(point), line);
    emit wordLookedUp(content);
    return true;
}

void CVellumwiseView::CloseWordCard() {
    if (m_pCard) {
        m_pCard->hide();
        m_pCard->deleteLater();  // it may be the card whose link asks for this
    }
    m_pCard = nullptr;
    m_cardWord.reset();
}

bool CVellumwiseView::ChooseOwnSense(const WordHit& hit) {
    if (!m_dialogs.ownSense || hit.paragraph >= m_doc.m_paragraphs.m_arrParagraphs.size() ||
        hit.token >= m_doc.m_paragraphs.m_arrParagraphs[hit.paragraph].TokenCount()) {
        return false;
    }
    const std::string word(m_doc.m_paragraphs.m_arrParagraphs[hit.paragraph].Word(hit.token));
    SyncFonts();
    const WordCardContent card = CardContentAt(hit);
    CloseWordCard();
    auto text = [](const std::string& utf8) { return QString::fromStdString(utf8); };
    OwnSenseQuestion question;
    question.word = text(card.word);
    for (const WordCardContent::Line& line : card.lines) {
        question.lines.push_back({text(line.label), text(line.senses)});
    }
    // The gloss under this occurrence, or the dictionary's where none shows (a name's).
    const std::string_view gloss =
        m_doc.m_paragraphs.m_arrParagraphs[hit.paragraph].Gloss(hit.token);
    LowerCaseWord lower;
    const std::optional<std::uint32_t> entry = m_doc.m_dicMain.FindReachedEntry(lower.Of(word));
    const std::string_view own =
        entry ? std::string_view(m_doc.m_dicMain.m_arrItems[*entry].m_strGloss)
              : std::string_view();
    question.shown = m_glosses.Text(gloss.empty() ? own : gloss);
    if (question.lines.empty() && !own.empty()) {
        // Without the whole entries, the senses of the dictionary's own gloss.
        question.lines.push_back({QString(), m_glosses.Text(own)});
    }
    if (const std::optional<OwnSenseChoice> current = m_doc.OwnSenseOf(word)) {
        question.current = text(current->gloss);
        question.currentEveryBook = current->everyBook;
    }
    question.book = text(m_doc.BookKey());
    const std::optional<OwnSenseAnswer> answer = m_dialogs.ownSense(this, question);
    if (!answer) {
        return false;
    }
    if (answer->kind == OwnSenseAnswer::Kind::Clear) {
        m_doc.ClearOwnSense(word);
        emit statusMessage(QStringLiteral("%1 恢复了词典的释义。").arg(question.word));
    } else {
        m_doc.SetOwnSense(word, answer->gloss.toStdString(), answer->everyBook);
        emit statusMessage(
            answer->everyBook
                ? QStringLiteral("%1 在所有书中显示为：%2").arg(question.word, answer->gloss)
                : QStringLiteral("%1 在本书中显示为：%2").arg(question.word, answer->gloss));
    }
    return true;
}

QAction* CVellumwiseView::CardCommand() {
    if (m_pCardCommand == nullptr) {
        m_pCardCommand = new QAction(QStringLiteral("查看词条"), this);
        m_pCardCommand->setObjectName(QStringLiteral("ID_WORD_CARD_SHOW"));
        m_pCardCommand->setShortcut(QKeySequence(Qt::Key_D));
        connect(m_pCardCommand, &QAction::triggered, this, [this] {
            SyncFonts();
            const QPoint point = viewport()->mapFromGlobal(QCursor::pos());
            if (!OpenWordCard(point)) {
                CloseWordCard();
            }
        });
    }
    return m_pCardCommand;
}

WordSpeaker* CVellumwiseView::Speaker() {
    if (m_pSpeaker == nullptr) {
        m_pSpeaker = new WordSpeaker(this);
    }
    return m_pSpeaker;
}

QAction* CVellumwiseView::SpeakCommand() {
    if (m_pSpeakCommand == nullptr) {
        Speaker();
        m_pSpeakCommand = new QAction(QStringLiteral("朗读"), this);
        m_pSpeakCommand->setObjectName(QStringLiteral("ID_SPEAK_WORD"));
        m_pSpeakCommand->setShortcut(QKeySequence(Qt::Key_S));
        m_pSpeakCommand->setToolTip(QStringLiteral("朗读指针下的单词，或选中的文字"));
        connect(m_pSpeakCommand, &QAction::triggered, this, [this] {
            const QString selected = SelectedText();
            if (!selected.isEmpty()) {
                m_pSpeaker->Say(selected);
                return;
            }
            const std::optional<WordHit> hit = HitWord(viewport()->mapFromGlobal(QCursor::pos()));
            if (hit) {
                const std::string_view word =
                    m_doc.m_paragraphs.m_arrParagraphs[hit->paragraph].Word(hit->token);
                m_pSpeaker->Say(
                    QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size())));
            }
        });
        // The engines are looked for once the window is up, never before it shows.
        QTimer::singleShot(500, this, [this] { UpdateSpeakCommand(); });
    }
    return m_pSpeakCommand;
}

void CVellumwiseView::UpdateSpeakCommand() {
    if (m_pSpeakCommand != nullptr && !m_pSpeaker->Available()) {
        m_pSpeakCommand->setEnabled(false);
        m_pSpeakCommand->setToolTip(m_pSpeaker->Problem());
        m_pSpeakCommand->setStatusTip(m_pSpeaker->Problem());
    }
}
