#include "ExamCoverage.h"

#include <algorithm>
#include <cstdlib>

#include "TsvFile.h"

namespace {

// data/exam-steps.tsv as the build found it.
constexpr std::string_view kExamStepsText =
#include "ExamStepsText.inc"
    ;

std::vector<ExamShare> Parse() {
    std::vector<ExamShare> shares;
    try {
        for (const TsvRow& row : ParseTsv(kExamStepsText, 3)) {
            const std::string step(row.fields[1]);
            const std::string share(row.fields[2]);
            shares.push_back(
                {row.fields[0], std::atoi(step.c_str()), std::strtod(share.c_str(), nullptr)});
        }
    } catch (const TsvError&) {
        shares.clear();  // the dialog then names no exam rather than wrong ones
    }
    return shares;
}

}  // namespace

std::span<const ExamShare> ShippedExamShares() {
    static const std::vector<ExamShare> shares = Parse();
    return shares;
}

std::string ExamName(std::string_view exam) {
    static constexpr std::pair<std::string_view, std::string_view> kNames[] = {
        {"zk", "中考"}, {"gk", "高考"},    {"cet4", "四级"},  {"cet6", "六级"},
        {"ky", "考研"}, {"toefl", "托福"}, {"ielts", "雅思"}, {"gre", "GRE"}};
    for (const auto& [tag, name] : kNames) {
        if (tag == exam) return std::string(name);
    }
    return std::string(exam);
}

std::vector<std::string_view> ExamsCoveredAt(int step, std::span<const ExamShare> shares) {
    std::vector<std::string_view> exams;
    for (const ExamShare& share : shares) {
        if (share.step == step && share.share >= kExamCoverage) exams.push_back(share.exam);
    }
    return exams;
}

int FirstStepCovering(std::string_view exam, std::span<const ExamShare> shares) {
    int first = 0;
    for (const ExamShare& share : shares) {
        if (share.exam == exam && share.share >= kExamCoverage &&
            (first == 0 || share.step < first)) {
            first = share.step;
        }
    }
    return first;
}

std::vector<std::string_view> MeasuredExams(std::span<const ExamShare> shares) {
    std::vector<std::string_view> exams;
    for (const ExamShare& share : shares) {
        if (std::find(exams.begin(), exams.end(), share.exam) == exams.end()) {
            exams.push_back(share.exam);
        }
    }
    return exams;
}

double ExamShareAt(std::string_view exam, int step, std::span<const ExamShare> shares) {
    for (const ExamShare& share : shares) {
        if (share.exam == exam && share.step == step) return share.share;
    }
    return 0;
}

std::string StepExamsText(int step, std::span<const ExamShare> shares) {
    std::string covered;
    std::string next;
    for (std::string_view exam : MeasuredExams(shares)) {
        const double share = ExamShareAt(exam, step, shares);
        if (share >= kExamCoverage) {
            covered += (covered.empty() ? "" : "、") + ExamName(exam);
        } else if (next.empty()) {
            next = ExamName(exam) + " " + std::to_string(static_cast<int>(share * 100 + 0.5)) + "%";
        }
    }
    std::string text = covered.empty() ? "这一档还没有覆盖任何考试词表的八成"
                                       : "这一档覆盖" + covered + "词表的八成以上";
    if (!next.empty()) text += "；" + next;
    return text;
}
