#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <vector>

#include "LevelTest.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QStackedWidget;

// The three-minute level test: an optional question on the highest exam passed, then
// yes/no words (some of them made up) with a four-choice sense check now and then, then
// the step it proposes, which the reader may move before taking it.
class LevelTestDialog : public QDialog {
    Q_OBJECT
public:
    // `words` from TestableWords over the program's frequency order; `maker` refuses
    // every headword; `seed` varies the words asked from run to run.
    LevelTestDialog(std::vector<RankedWord> words, PseudowordMaker maker, std::uint32_t seed,
                    QWidget* parent = nullptr);
    ~LevelTestDialog() override;

    // After Accepted: the step the reader took and the size the test estimated.
    int ChosenStep() const;
    double EstimatedWords() const { return m_result.words; }
    // The test under way, for the tests that answer it as a simulated reader would.
    const LevelTest* Test() const { return m_test.get(); }

private:
    void Start();
    void ShowQuestion();
    void AnswerWith(int answer);
    void ShowResult();
    void ShowChosenStep();

    std::vector<RankedWord> m_words;
    PseudowordMaker m_maker;
    std::uint32_t m_seed;
    std::unique_ptr<LevelTest> m_test;
    LevelTest::Result m_result;

    QStackedWidget* m_pages;
    QComboBox* m_exam;
    QLabel* m_progress;
    QLabel* m_word;
    QStackedWidget* m_answers;
    std::vector<QPushButton*> m_choices;
    QLabel* m_resultText;
    QSlider* m_step;
    QLabel* m_stepText;
    QPushButton* m_take;
};
