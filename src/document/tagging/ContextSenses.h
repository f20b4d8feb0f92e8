#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "PosTagger.h"
#include "SenseTable.h"
#include "SubjectTable.h"
#include "TaggerData.h"

class CDicMain;

// What choosing a word's sense by its use reads: the part-of-speech tagger and each
// entry's senses by part of speech. Loaded once; the texts point to it.
class ContextSenses {
public:
    ContextSenses(TaggerData taggerData, SenseTable senses);
    // The tagger points into its data.
    ContextSenses(const ContextSenses&) = delete;
    ContextSenses& operator=(const ContextSenses&) = delete;

    // tagger.dat and senses.dat from `folder`; nullptr, with what went wrong in
    // `error`, when either is missing or damaged. subject.dat is read too: without
    // it no text has a subject, and SubjectProblem says why.
    static std::unique_ptr<ContextSenses> Load(const std::string& folder, std::string& error);

    const PosTagger& Tagger() const { return m_tagger; }
    const SenseTable& Senses() const { return m_senses; }
    const SubjectTable& Subjects() const { return m_subjects; }
    void SetSubjects(SubjectTable subjects) { m_subjects = std::move(subjects); }
    // Empty, or what went wrong reading subject.dat.
    const std::string& SubjectProblem() const { return m_subjectProblem; }

    // The gloss of a lower-case word used as `wordClass`, when context chooses one:
    // the line of that class of the entry the word reaches (`entry`, a position in
    // the dictionary's list). A form reduced to another entry ("bore" to bear,
    // "booked" to book) is its base's verb when used as a verb; used otherwise it
    // keeps a line of its own where its own entry has one ("wound", the injury), and
    // a plural is its base's noun. Empty when nothing is chosen: the entry's gloss
    // stands.
    std::string_view Choose(const CDicMain& dic, std::string_view word, std::uint32_t entry,
                            WordClass wordClass) const;

    // Whether the entry of `reached` with this gloss is the one the senses were taken
    // from: one of its senses is among them. An imported dictionary's entry, or a
    // test's, is not, and keeps its gloss whatever the use.
    bool DescribesEntry(std::string_view reached, std::string_view gloss) const;

private:
    TaggerData m_taggerData;
    SenseTable m_senses;
    SubjectTable m_subjects;
    std::string m_subjectProblem;
    PosTagger m_tagger;  // after m_taggerData, which it reads
};
