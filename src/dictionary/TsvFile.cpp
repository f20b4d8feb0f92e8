#include "TsvFile.h"

#include "TextLines.h"

std::vector<TsvRow> ParseTsv(std::string_view text, std::size_t fieldCount) {
    std::vector<TsvRow> rows;
    std::size_t lineNumber = 0;
    ForEachTextLine(text, [&](std::string_view line) {
        ++lineNumber;
        if (line.empty() || line.front() == '#') {
            return;
        }
        TsvRow row{lineNumber, {}};
        for (;;) {
            const std::size_t tab = line.find('\t');
            row.fields.push_back(line.substr(0, tab));
            if (tab == std::string_view::npos) {
                break;
            }
            line.remove_prefix(tab + 1);
        }
        if (row.fields.size() != fieldCount) {
            throw TsvError(lineNumber, "expected " + std::to_string(fieldCount) +
                                           " tab-separated fields, found " +
                                           std::to_string(row.fields.size()));
        }
        rows.push_back(std::move(row));
    });
    return rows;
}
