#pragma once

#include <gtest/gtest.h>

#include <string>

#include "CDicMain.h"
#include "DictionaryFile.h"

// The dictionary as the program ships it: the built main.dic with the word lists
// compiled in. Loaded once per test program.
inline const CDicMain& ShippedDictionary() {
    static const CDicMain* dic = [] {
        auto* loaded = new CDicMain();
        const DicFileResult result =
            LoadDictionaryFile(*loaded, std::string(VELLUMWISE_BIN_DIR) + "/main.dic");
        EXPECT_TRUE(result.Ok()) << result.detail;
        return loaded;
    }();
    return *dic;
}
