#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "PhraseTable.h"
#include "PosTagger.h"
#include "SenseTable.h"
#include "SubjectTable.h"
#include "TaggerData.h"

class CDicMain;

// What choosing a word's sense by its use reads: the part-of-speech tagger, each
// entry's senses by part of speech and the phrases. Loaded once; the texts point to it.
class ContextSenses {
public:
    ContextSenses(TaggerData taggerData, SenseTable senses, PhraseTable phrases = {});
    // The tagger points into its data.
    ContextSenses(const ContextSenses&) = delete;
    ContextSenses& operator=(const ContextSenses&) = delete;

    // tagger.dat, senses.dat, phrases.dat and subject.dat from `folder`; nullptr, with
    // what went wrong in `error`, when the tagger's or the senses' file is missing or
    // damaged. Without a good phrases.dat the senses are still chosen, no phrase is
    // found and PhraseProblem says why; without subject.dat no text has a subject, and
    // SubjectProblem says why.
    static std::unique_ptr<ContextSenses> Load(const std::string& folder, std::string& error);

    const PosTagger& Tagger() const { return m_tagger; }
    const SenseTable& Senses() const { return m_senses; }
    const PhraseTable& Phrases() const { return m_phrases; }
    // What was wrong with phrases.dat, or empty.
    const std::string& PhraseProblem() const { return m_phraseProblem; }
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
    PhraseTable m_phrases;
    std::string m_phraseProblem;
    SubjectTable m_subjects;
    std::string m_subjectProblem;
    PosTagger m_tagger;  // after m_taggerData, which it reads
};
