#pragma once

// What the window benchmarks share: a started document with the build's main.dic,
// and the way from the open-text command to the first painted full-HD image.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <filesystem>
#include <optional>
#include <string>

#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "FakePlatformServices.h"
#include "PagePainter.h"

inline const QSize kFullHd(1920, 1080);

// One document for the whole run, started with the build's main.dic and no text.
inline CVellumwiseDoc& StartedDocument() {
    static FakePlatformServices platform;
    static CVellumwiseDoc* doc = [] {
        auto* started = new CVellumwiseDoc(platform);
        started->SetProgramDir(std::filesystem::path(VELLUMWISE_MAIN_DIC).parent_path().string());
        started->OnNewDocument();
        return started;
    }();
    return *doc;
}

// Opens `path` (at `place`, if given) in a fresh view each time, so that no width
// is cached yet, and paints the first image.
inline void OpenToFirstImage(benchmark::State& state, const std::string& path,
                             const std::optional<ReadingPlace>& place = {}) {
    CVellumwiseDoc& doc = StartedDocument();
    QImage image(kFullHd, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        CVellumwiseView view(doc);
        view.resize(kFullHd);
        doc.OpenTextFile(path, place);
        QPainter painter(&image);
        PaintPage(painter, kFullHd, view.Scene(), view.Glosses());
    }
}
