#pragma once

#include <string>
#include <vector>

class ZipArchive;

// What the container and the package document say about a book: the content
// documents in reading order and where its table of contents is.
struct PackageDocument {
    std::string path;                  // the package document's member name
    std::vector<std::string> reading;  // content documents' member names, reading order
    std::string nav;                   // the EPUB 3 navigation document, or empty
    std::string ncx;                   // the EPUB 2 NCX, or empty
};

// Follows META-INF/container.xml to the package document and reads its manifest
// and spine. Items marked linear="no" (notes, answers, pop-ups a reader reaches
// through links) are not dropped: the reader has no links to follow, so they come
// after all the linear items, in spine order. Spine items that are not (X)HTML
// (an image, an SVG page) carry no text and are passed over. Throws EpubError:
// NoContainer, NoPackage, BrokenPackage, MissingItem, Encrypted, Empty.
PackageDocument ReadPackageDocument(ZipArchive& zip);
