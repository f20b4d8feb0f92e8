#pragma once

#include <array>
#include <string>

// The vocabulary slider's steps and the frequency threshold each one selects.
// A word is glossed when the threshold is greater than its frequency score, so
// the thresholds fall as the reader's vocabulary grows.
struct VocabularyThresholds {
    static constexpr int kFirstStep = 1;
    static constexpr int kLastStep = 11;
    static constexpr int kWordsPerStep = 2000;
    static constexpr int kDefaultStep = 3;

    // Indexed by step; entry 0 is never selected because the slider starts at 1.
    // The values are the exact doubles the dictionary's frequency scores were
    // tuned against: do not round them.
    static constexpr std::array<double, 12> kTable = {
        0.0,          111.360763,  39.04262172, 18.96670773,
        10.47903619,  6.142363749, 3.677666117, 2.079185981,
        1.141791663,  0.75879347,  0.447185898, 0.128595482,
    };

    static constexpr double kDefaultThreshold = kTable[kDefaultStep];

    // The threshold of a step, with out-of-range steps held at the nearest end.
    static double Threshold(int step);

    // The label under the slider, UTF-8: "当前已经记忆的单词量：6000个" for step 3.
    static std::string LabelText(int step);
};
