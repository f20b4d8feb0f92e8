#include "VocabularyThresholds.h"

#include <algorithm>

double VocabularyThresholds::Threshold(int step)
{
    return kTable[static_cast<std::size_t>(std::clamp(step, 0, kLastStep))];
}

std::string VocabularyThresholds::LabelText(int step)
{
    return "当前已经记忆的单词量：" + std::to_string(step * kWordsPerStep) + "个";
}
