#include "VocabularyTable.h"

#include <array>

namespace {

constexpr std::array<double, 12> kThresholds = {
    0.0,         111.360763,  39.04262172, 18.96670773, 10.47903619, 6.142363749,
    3.677666117, 2.079185981, 1.141791663, 0.75879347,  0.447185898, 0.128595482,
};

}  // namespace

double ThresholdForLevel(int level) {
    if (level < 0 || level > kMaxVocabLevel) {
        return 0.0;
    }
    return kThresholds[static_cast<std::size_t>(level)];
}
