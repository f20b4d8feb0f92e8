#pragma once

#include "ColorScheme.h"
#include "ReadingFont.h"
#include "VocabularyTable.h"

// The reader's choices that outlive a text: what a new start begins with. The values
// here are the defaults of a first start.
struct ReadingSettings {
    int vocabLevel = kDefaultVocabLevel;
    bool showMedical = false;
    bool showScience = false;
    bool skipNames = true;      // 不注释人名
    bool contextSenses = true;  // 按上下文选择词义
    ColorRef pageColor = Rgb(239, 239, 239);
    ColorRef textColor = Rgb(39, 39, 20);
    ColorRef glossColor = Rgb(128, 128, 255);
    ReadingFont font;
    int glossPercent = 60;  // 注释字号: one of kGlossPercents

    bool operator==(const ReadingSettings&) const = default;
};
