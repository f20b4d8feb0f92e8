#pragma once

#include <array>
#include <string>

// The vocabulary steps of the reading settings: step × 2000 words known, and the
// frequency threshold each step glosses with. A word is glossed when the threshold
// is greater than its frequency score, so the thresholds fall as the vocabulary
// grows. The one table the document, the vocabulary dialog and the tool share.
constexpr int kMinVocabLevel = 1;
constexpr int kMaxVocabLevel = 11;
constexpr int kDefaultVocabLevel = 3;
constexpr int kWordsPerVocabLevel = 2000;

// Indexed by step; entry 0 is never selected because the slider starts at 1. The
// values are the exact doubles the dictionary's frequency scores were tuned
// against: do not round them.
constexpr std::array<double, kMaxVocabLevel + 1> kVocabThresholds = {
    0.0,         111.360763,  39.04262172, 18.96670773, 10.47903619, 6.142363749,
    3.677666117, 2.079185981, 1.141791663, 0.75879347,  0.447185898, 0.128595482,
};
constexpr double kDefaultThreshold = kVocabThresholds[kDefaultVocabLevel];

// The threshold of a step, with out-of-range steps held at the nearest end.
double ThresholdForLevel(int level);

// The vocabulary dialog's label, UTF-8: "当前已经记忆的单词量：6000个" for step 3.
std::string VocabularyLabelText(int level);
