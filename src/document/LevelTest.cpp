#include "LevelTest.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "VocabularyTable.h"

namespace {

bool IsPlainWord(std::string_view word) {
    return word.size() >= 3 &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// The first sense of a gloss: up to the first separator a gloss lists senses with.
std::string FirstSense(std::string_view gloss) {
    static constexpr std::string_view kSeparators[] = {"；", "，", ";", ",", "（", "("};
    std::size_t end = gloss.size();
    for (std::string_view separator : kSeparators) {
        end = std::min(end, gloss.find(separator));
    }
    std::string sense(gloss.substr(0, end));
    while (!sense.empty() && sense.back() == ' ') sense.pop_back();
    return sense;
}

double Logistic(double x) { return 1.0 / (1.0 + std::exp(-x)); }

// A word known is still now and then answered wrongly, by a slip of the key.
constexpr double kSlip = 0.03;
// A known word's sense is picked out of four a little less surely than it is claimed.
constexpr double kSenseRight = 0.9;
constexpr double kSenseGuess = 0.25;
// Most readers claim few words they do not know.
constexpr std::array<double, LevelBelief::kGuessRates.size()> kGuessPrior = {0.3, 0.2,  0.15, 0.12,
                                                                             0.1, 0.08, 0.05};
// An exam says roughly, not exactly, where a reader is: most of the belief around it,
// some anywhere, so that answers soon outweigh it.
constexpr double kExamSpread = 4000.0;
constexpr double kExamWeight = 0.7;

// English syllable parts, as they are spelt at the start of a word, inside it, and at
// its end. Clusters only where English spells them there (no "ng" to start, no "bl" to end).
constexpr std::string_view kFirstOnsets[] = {
    "b",  "bl", "br", "c",   "cl", "cr", "d",  "dr", "f", "fl", "fr", "g",  "gl", "gr",
    "h",  "j",  "l",  "m",   "n",  "p",  "pl", "pr", "r", "s",  "sc", "sk", "sl", "sm",
    "sn", "sp", "st", "str", "t",  "tr", "v",  "w",  "z", "ch", "sh", "th"};
constexpr std::string_view kInnerOnsets[] = {"b", "d", "f", "g", "l",  "m",  "n",  "p",  "r",
                                             "s", "t", "v", "z", "ch", "sh", "th", "st", "tr"};
constexpr std::string_view kVowels[] = {"a", "e", "i",  "o",  "u",  "a",  "e",  "i",
                                        "o", "u", "ai", "ea", "ee", "oa", "oo", "ou"};
constexpr std::string_view kInnerCodas[] = {"", "", "", "", "l", "m", "n", "r", "s"};
constexpr std::string_view kFinalCodas[] = {
    "",   "b",  "ck", "d",  "ft", "g",  "l",  "ld", "lk", "m", "mp", "n", "nd", "nt", "p",  "r",
    "rd", "rk", "rm", "rn", "rt", "sh", "sk", "sp", "st", "t", "th", "x", "ss", "ll", "nk", "lt"};

template <std::size_t N>
std::string_view Pick(const std::string_view (&parts)[N], std::mt19937& random) {
    return parts[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

}  // namespace

std::vector<RankedWord> TestableWords(const std::vector<RankedWord>& order) {
    std::vector<RankedWord> words;
    for (const RankedWord& entry : order) {
        if (IsPlainWord(entry.word) && !FirstSense(entry.gloss).empty()) {
            RankedWord word = entry;
            word.gloss = FirstSense(entry.gloss);
            words.push_back(std::move(word));
        }
    }
    std::stable_sort(words.begin(), words.end(),
                     [](const RankedWord& a, const RankedWord& b) { return a.rank < b.rank; });
    return words;
}

std::string PseudowordMaker::Make(std::mt19937& random) const {
    for (;;) {
        const int syllables = std::discrete_distribution<int>({0, 2, 6, 2})(random);
        std::string word(Pick(kFirstOnsets, random));
        for (int i = 0; i < syllables; ++i) {
            if (i > 0) word += Pick(kInnerOnsets, random);
            word += Pick(kVowels, random);
            word += i + 1 == syllables ? Pick(kFinalCodas, random) : Pick(kInnerCodas, random);
        }
        // A single short syllable is as likely a real word as not; long ones look foreign.
        if (word.size() < 4 || word.size() > 9) continue;
        if (word.find("uu") != std::string::npos || word.find("ii") != std::string::npos) {
            continue;
        }
        if (!m_isWord || !m_isWord(word)) return word;
    }
}

LevelBelief::LevelBelief(std::optional<double> centre)
    : m_weight(static_cast<std::size_t>(kSizes) * kGuessRates.size()) {
    for (int s = 0; s < kSizes; ++s) {
        double sizeWeight = 1.0 / kSizes;
        if (centre) {
            const double z = (s * kSizeStep - *centre) / kExamSpread;
            const double near = std::exp(-0.5 * z * z) * kSizeStep / (kExamSpread * 2.5066283);
            sizeWeight = (1.0 - kExamWeight) * sizeWeight + kExamWeight * near;
        }
        for (std::size_t g = 0; g < kGuessRates.size(); ++g) {
            m_weight[s * kGuessRates.size() + g] = sizeWeight * kGuessPrior[g];
        }
    }
    const double total = std::accumulate(m_weight.begin(), m_weight.end(), 0.0);
    for (double& w : m_weight) w /= total;
}

template <class Likelihood>
void LevelBelief::Update(Likelihood&& likelihood) {
    double total = 0;
    for (int s = 0; s < kSizes; ++s) {
        for (std::size_t g = 0; g < kGuessRates.size(); ++g) {
            double& w = m_weight[s * kGuessRates.size() + g];
            w *= likelihood(static_cast<double>(s * kSizeStep), kGuessRates[g]);
            total += w;
        }
    }
    if (total <= 0) return;  // answers no model cell explains: keep what they told before
    for (double& w : m_weight) w /= total;
}

void LevelBelief::Claim(std::uint32_t rank, bool yes) {
    Update([&](double size, double guess) {
        const double known = Logistic((size - rank) / kAssumedSpread);
        const double p = known * (1 - kSlip) + (1 - known) * guess;
        return yes ? p : 1 - p;
    });
}

void LevelBelief::Pseudoword(bool claimed) {
    Update([&](double, double guess) {
        const double p = std::max(guess, 0.01);
        return claimed ? p : 1 - p;
    });
}

void LevelBelief::SenseCheck(std::uint32_t rank, bool right) {
    Update([&](double size, double) {
        const double known = Logistic((size - rank) / kAssumedSpread);
        const double p = known * kSenseRight + (1 - known) * kSenseGuess;
        return right ? p : 1 - p;
    });
}

double LevelBelief::MeanSize() const {
    double mean = 0;
    for (int s = 0; s < kSizes; ++s) {
        for (std::size_t g = 0; g < kGuessRates.size(); ++g) {
            mean += m_weight[s * kGuessRates.size() + g] * s * kSizeStep;
        }
    }
    return mean;
}

double LevelBelief::SizeSpread() const {
    const double mean = MeanSize();
    double variance = 0;
    for (int s = 0; s < kSizes; ++s) {
        for (std::size_t g = 0; g < kGuessRates.size(); ++g) {
            const double d = s * kSizeStep - mean;
            variance += m_weight[s * kGuessRates.size() + g] * d * d;
        }
    }
    return std::sqrt(variance);
}

double LevelBelief::MeanGuessRate() const {
    double mean = 0;
    for (int s = 0; s < kSizes; ++s) {
        for (std::size_t g = 0; g < kGuessRates.size(); ++g) {
            mean += m_weight[s * kGuessRates.size() + g] * kGuessRates[g];
        }
    }
    return mean;
}

double LevelBelief::SampleSize(std::mt19937& random) const {
    double pick = std::uniform_real_distribution<double>(0, 1)(random);
    for (int s = 0; s < kSizes; ++s) {
        for (std::size_t g = 0; g < kGuessRates.size(); ++g) {
            pick -= m_weight[s * kGuessRates.size() + g];
        }
        if (pick <= 0) {
            return s * kSizeStep +
                   std::uniform_real_distribution<double>(-0.5, 0.5)(random) * kSizeStep;
        }
    }
    return kMaxSize;
}

int StepForSize(double size) {
    const long step = std::lround(size / kWordsPerVocabLevel);
    return static_cast<int>(std::clamp<long>(step, kMinVocabLevel, kMaxVocabLevel));
}

LevelTest::LevelTest(std::vector<RankedWord> words, PseudowordMaker maker, std::uint32_t seed,
                     std::optional<double> centre)
    : m_words(std::move(words)),
      m_used(m_words.size(), false),
      m_maker(std::move(maker)),
      m_random(seed),
      m_belief(centre) {
    NextQuestion();
}

std::size_t LevelTest::NearestUnused(double rank) {
    const auto at = std::lower_bound(
        m_words.begin(), m_words.end(), rank,
        [](const RankedWord& word, double r) { return static_cast<double>(word.rank) < r; });
    const auto start = static_cast<std::ptrdiff_t>(at - m_words.begin());
    const auto count = static_cast<std::ptrdiff_t>(m_words.size());
    for (std::ptrdiff_t d = 0; d < count; ++d) {
        for (const std::ptrdiff_t i : {start + d, start - d - 1}) {
            if (i >= 0 && i < count && !m_used[static_cast<std::size_t>(i)]) {
                return static_cast<std::size_t>(i);
            }
        }
    }
    return 0;
}

std::vector<std::string> LevelTest::Choices(std::size_t index, int& right) {
    std::vector<std::string> choices{m_words[index].gloss};
    // Senses of words about as frequent, so that rarity gives nothing away.
    const std::size_t span = 1500;
    const std::size_t low = index > span ? index - span : 0;
    const std::size_t high = std::min(m_words.size() - 1, index + span);
    for (int tries = 0; choices.size() < 4 && tries < 200; ++tries) {
        const std::size_t other = std::uniform_int_distribution<std::size_t>(low, high)(m_random);
        const std::string& gloss = m_words[other].gloss;
        if (std::find(choices.begin(), choices.end(), gloss) == choices.end()) {
            choices.push_back(gloss);
        }
    }
    std::shuffle(choices.begin(), choices.end(), m_random);
    right = static_cast<int>(std::find(choices.begin(), choices.end(), m_words[index].gloss) -
                             choices.begin());
    return choices;
}

void LevelTest::NextQuestion() {
    m_current = Question{};
    if (Finished() || m_words.empty()) return;
    if (m_asked % 4 == 2) {
        m_current.kind = Kind::Pseudoword;
        do {
            m_current.word = m_maker.Make(m_random);
        } while (std::find(m_pseudowordsShown.begin(), m_pseudowordsShown.end(), m_current.word) !=
                 m_pseudowordsShown.end());
        m_pseudowordsShown.push_back(m_current.word);
        return;
    }
    const std::size_t index = NearestUnused(m_belief.SampleSize(m_random));
    m_used[index] = true;
    m_current.word = m_words[index].word;
    m_current.rank = m_words[index].rank;
    if (m_asked % 7 == 5) {
        m_current.kind = Kind::SenseCheck;
        m_current.choices = Choices(index, m_current.rightChoice);
        if (m_current.choices.size() < 4) m_current.kind = Kind::Claim;
    }
}

void LevelTest::Answer(int answer) {
    if (Finished()) return;
    switch (m_current.kind) {
        case Kind::Claim:
            m_belief.Claim(m_current.rank, answer != 0);
            break;
        case Kind::Pseudoword:
            m_belief.Pseudoword(answer != 0);
            break;
        case Kind::SenseCheck:
            m_belief.SenseCheck(m_current.rank, answer == m_current.rightChoice);
            break;
    }
    ++m_asked;
    NextQuestion();
}

LevelTest::Result LevelTest::Estimate() const {
    Result result;
    const double size = m_belief.MeanSize();
    result.words = std::round(size / 500.0) * 500.0;
    result.step = StepForSize(size);
    result.guessRate = m_belief.MeanGuessRate();
    result.questions = m_asked;
    return result;
}

std::string LevelResultText(double words, int step) {
    const long n = std::lround(words);
    std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) {
        digits.insert(static_cast<std::size_t>(i), ",");
    }
    return "约 " + digits + " 词 → 第 " + std::to_string(step) + " 档";
}
