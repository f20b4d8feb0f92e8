#pragma once

#include "ColorScheme.h"
#include "PageLayout.h"
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
    bool subjectSenses = true;  // 按学科选择词义, within the choice by context
    bool wordCard = true;       // 完整词条卡片; off: the one-line popup
    // The default scheme's colours (ColorsOf(ColorScheme::Default)).
    ColorScheme colorScheme = ColorScheme::Default;
    ColorRef pageColor = Rgb(251, 250, 246);
    ColorRef textColor = Rgb(34, 34, 38);
    ColorRef glossColor = Rgb(40, 90, 180);
    PageLayout pageLayout = PageLayout::Book;
    ReadingFont font;
    int glossPercent = 60;         // 注释字号: one of kGlossPercents
    int autoScrollInterval = 120;  // 滚屏速度: one of kAutoScrollIntervals

    bool operator==(const ReadingSettings&) const = default;
};
