#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// How much of each exam's word list the vocabulary steps cover, as measured from
// ECDICT's exam tags against the program's frequency order (data/exam-steps.tsv,
// written by tools/derive-data.py and compiled in).
struct ExamShare {
    std::string_view exam;  // ECDICT's tag: zk, gk, cet4, cet6, ky, toefl, ielts, gre
    int step = 0;
    double share = 0;  // of the exam's tagged words, those the step takes as known
};

// A step "covers" an exam when it takes at least this share of the exam's words as known.
constexpr double kExamCoverage = 0.8;

std::span<const ExamShare> ShippedExamShares();

// The exam's Chinese name ("四级" for cet4); the tag itself for an unknown one.
std::string ExamName(std::string_view exam);

// The exams `step` covers, in the data's order (easiest first).
std::vector<std::string_view> ExamsCoveredAt(
    int step, std::span<const ExamShare> shares = ShippedExamShares());
// The first step covering `exam`; 0 when none does.
int FirstStepCovering(std::string_view exam,
                      std::span<const ExamShare> shares = ShippedExamShares());
// Every exam the data measures, in its order.
std::vector<std::string_view> MeasuredExams(
    std::span<const ExamShare> shares = ShippedExamShares());
// The exam's share at `step`; 0 when not measured.
double ExamShareAt(std::string_view exam, int step,
                   std::span<const ExamShare> shares = ShippedExamShares());

// The vocabulary dialog's line for a step, UTF-8: the exams it covers and how far it is
// into the next one ("这一档覆盖中考、高考、四级词表的八成以上；六级 70%").
std::string StepExamsText(int step, std::span<const ExamShare> shares = ShippedExamShares());
