#pragma once

#include <cmath>
#include <cstdint>
#include <random>

#include "LevelTest.h"

// A reader the level test is tried on: knows a word of rank r with probability
// logistic((size - r) / spread), claims an unknown word (real or made up) with
// probability overclaim, slips on a known word's key 2% of the time, and picks a
// sense out of four at random when the word is unknown.
struct SimulatedReader {
    double size = 8000;
    double spread = 1500;
    double overclaim = 0.0;
    // Made-up words look odd: some readers claim them less often than unknown real words.
    double pseudowordShare = 1.0;

    bool Knows(std::uint32_t rank, std::mt19937& random) const {
        const double p = 1.0 / (1.0 + std::exp((rank - size) / spread));
        return std::bernoulli_distribution(p)(random);
    }

    int Answer(const LevelTest::Question& question, std::mt19937& random) const {
        std::bernoulli_distribution claims(overclaim);
        std::bernoulli_distribution slips(0.02);
        switch (question.kind) {
            case LevelTest::Kind::Pseudoword:
                return std::bernoulli_distribution(overclaim * pseudowordShare)(random) ? 1 : 0;
            case LevelTest::Kind::Claim:
                if (Knows(question.rank, random)) return slips(random) ? 0 : 1;
                return claims(random) ? 1 : 0;
            case LevelTest::Kind::SenseCheck:
                if (Knows(question.rank, random) && !slips(random)) return question.rightChoice;
                return std::uniform_int_distribution<int>(
                    0, static_cast<int>(question.choices.size()) - 1)(random);
        }
        return 0;
    }

    // The step this reader's size fits, the one the test should propose.
    int TrueStep() const { return StepForSize(size); }
};

// Runs one test on `reader`; the proposed step.
inline LevelTest::Result RunSimulatedTest(const SimulatedReader& reader,
                                          const std::vector<RankedWord>& words,
                                          const PseudowordMaker& maker, std::uint32_t seed,
                                          std::optional<double> centre = std::nullopt) {
    LevelTest test(words, maker, seed, centre);
    std::mt19937 random(seed ^ 0x9e3779b9u);
    while (!test.Finished()) {
        test.Answer(reader.Answer(test.Current(), random));
    }
    return test.Estimate();
}
