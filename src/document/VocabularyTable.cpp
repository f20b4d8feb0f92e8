#include "VocabularyTable.h"

#include <algorithm>

double ThresholdForLevel(int level) {
    return kVocabThresholds[static_cast<std::size_t>(std::clamp(level, 0, kMaxVocabLevel))];
}

std::string VocabularyLabelText(int level) {
    return "当前已经记忆的单词量：" + std::to_string(level * kWordsPerVocabLevel) + "个";
}
