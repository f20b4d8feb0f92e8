// How long the EPUB reader takes, and how much memory, on books made to exhaust it:
// each about 3 MB as an archive, each read in a process of its own so that its peak
// resident size is its own. Prints one line per book.
//   hostile_epub_bench [ARCHIVE_MB]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "EpubBook.h"
#include "HostileBooks.h"

namespace {

void Measure(const char* name, const std::function<std::string()>& make) {
    const std::string book = make();
    const pid_t child = ::fork();
    if (child == 0) {
        const auto start = std::chrono::steady_clock::now();
        const EpubResult result = ReadEpub(book);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        std::printf("%-34s %5.1f MB book  %6.2f s  peak %6.0f MB  %s\n", name,
                    static_cast<double>(book.size()) / (1 << 20), seconds,
                    static_cast<double>(usage.ru_maxrss) / 1024,
                    result.Ok() ? "read" : result.reason.c_str());
        std::fflush(stdout);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t archive = (argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 3) << 20;
    for (const int labels : {100, 1000, 20000}) {
        Measure(("100 KB entity in " + std::to_string(labels) + " labels").c_str(),
                [&] { return EntityBombBook(archive, labels); });
    }
    Measure("dense markup (3 M elements)", [&] { return DenseMarkupBook(archive, 3'000'000); });
    Measure("dense markup (7 M elements)", [&] { return DenseMarkupBook(archive, 7'000'000); });
    Measure("table of contents (20000 x 1 KB)", [&] { return LongTocBook(20000, 1000); });
    return 0;
}
