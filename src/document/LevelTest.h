#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

// The level test: a short yes/no test over the program's own frequency order that
// estimates how many of its words the reader knows, and so which step fits.
//
// The reader model behind it: a word of rank r (0 = most frequent) is known with
// probability logistic((R - r) / kAssumedSpread), R being the reader's size; an
// unknown word, real or made up, is claimed with the reader's own guess rate g. The
// made-up words measure g; a four-choice sense check now and then is evidence a claim
// cannot fake. R and g are estimated together on a grid, and each next word is drawn at
// a rank sampled from what is believed about R, which puts the questions where the
// answer is least certain while still trying the neighbourhood.

// One word of the frequency order as the test shows it.
struct RankedWord {
    std::string word;
    std::uint32_t rank = 0;
    std::string gloss;  // UTF-8, the short sense the four-choice check offers
};

// The words of the order fit to ask: plain lower-case words of three letters or more
// with a gloss. `order` is every headword by falling frequency (rank = position).
std::vector<RankedWord> TestableWords(const std::vector<RankedWord>& order);

// Makes pronounceable letter strings from English syllable parts, refusing any that
// `isWord` takes (the caller checks every headword and the forms that reduce to one).
class PseudowordMaker {
public:
    explicit PseudowordMaker(std::function<bool(std::string_view)> isWord)
        : m_isWord(std::move(isWord)) {}
    std::string Make(std::mt19937& random) const;

private:
    std::function<bool(std::string_view)> m_isWord;
};

// What is believed about the reader's size and guess rate.
class LevelBelief {
public:
    static constexpr double kAssumedSpread = 1500.0;  // ranks, from unsure to sure
    static constexpr int kSizeStep = 200;
    static constexpr int kMaxSize = 26000;
    static constexpr std::array<double, 7> kGuessRates = {0.0, 0.05, 0.1, 0.2, 0.3, 0.45, 0.6};

    // Flat over sizes; with a centre (the exam the reader passed), leaning towards it.
    explicit LevelBelief(std::optional<double> centre = std::nullopt);

    void Claim(std::uint32_t rank, bool yes);
    void Pseudoword(bool claimed);
    void SenseCheck(std::uint32_t rank, bool right);

    double MeanSize() const;
    double SizeSpread() const;  // standard deviation
    double MeanGuessRate() const;
    // A size drawn from the belief.
    double SampleSize(std::mt19937& random) const;

private:
    static constexpr int kSizes = kMaxSize / kSizeStep + 1;
    // Multiplies each cell by the likelihood of an answer; p(known) and g give P(answer).
    template <class Likelihood>
    void Update(Likelihood&& likelihood);
    std::vector<double> m_weight;  // kSizes × kGuessRates, size-major, normalised
};

// The step a size of vocabulary fits: the one whose known words end nearest it.
int StepForSize(double size);

// One run of the test.
class LevelTest {
public:
    enum class Kind { Claim, Pseudoword, SenseCheck };
    struct Question {
        Kind kind = Kind::Claim;
        std::string word;
        std::uint32_t rank = 0;            // real words only
        std::vector<std::string> choices;  // sense checks: four glosses
        int rightChoice = -1;
    };
    struct Result {
        double words = 0;  // estimated size, rounded to 500
        int step = 0;
        double guessRate = 0;  // how often unknown words were claimed
        int questions = 0;
    };

    static constexpr int kQuestions = 45;

    // `words` from TestableWords; `centre` the size the reader's exam suggests.
    LevelTest(std::vector<RankedWord> words, PseudowordMaker maker, std::uint32_t seed,
              std::optional<double> centre = std::nullopt);

    bool Finished() const { return m_asked >= kQuestions; }
    int Asked() const { return m_asked; }
    // The question to answer now; call only while not Finished.
    const Question& Current() const { return m_current; }
    // Yes/no questions: claimed or not; sense checks: the chosen index (-1: 不知道).
    void Answer(int answer);
    Result Estimate() const;

private:
    void NextQuestion();
    std::size_t NearestUnused(double rank);
    std::vector<std::string> Choices(std::size_t index, int& right);

    std::vector<RankedWord> m_words;
    std::vector<bool> m_used;
    PseudowordMaker m_maker;
    std::mt19937 m_random;
    LevelBelief m_belief;
    Question m_current;
    std::vector<std::string> m_pseudowordsShown;
    int m_asked = 0;
};

// "约 8,000 词 → 第 4 档", UTF-8.
std::string LevelResultText(double words, int step);
