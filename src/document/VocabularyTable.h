#pragma once

// The vocabulary steps of the reading settings: step × 2000 words known, and the
// frequency threshold each step glosses with.
constexpr int kMinVocabLevel = 1;
constexpr int kMaxVocabLevel = 11;
constexpr int kDefaultVocabLevel = 3;

// The threshold of a step from kMinVocabLevel to kMaxVocabLevel; 0.0 for step 0.
double ThresholdForLevel(int level);
