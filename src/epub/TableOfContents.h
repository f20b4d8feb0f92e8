#pragma once

#include <string>
#include <vector>

#include "BookPath.h"

class ZipArchive;
struct PackageDocument;

struct TocEntry {
    std::string title;
    int depth = 0;
    BookTarget target;
};

// The book's table of contents in document order, from its EPUB 3 navigation
// document ("toc" nav) or, when that gives nothing, its EPUB 2 NCX. A missing or
// unreadable table only means a book without chapters.
std::vector<TocEntry> ReadTableOfContents(ZipArchive& zip, const PackageDocument& package);
