// The level test dialog, answered through its buttons, and the vocabulary dialog's
// exam line and test button.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "CDicMain.h"
#include "CVocabularyDlg.h"
#include "DictionaryFile.h"
#include "ExamCoverage.h"
#include "LevelTestDialog.h"
#include "LevelTestWords.h"
#include "SimulatedReader.h"
#include "VocabularyTable.h"

namespace {

// A fixture order: word0 … word29999, each rank its number; "made" words never clash.
std::vector<RankedWord> FixtureWords() {
    std::vector<RankedWord> order;
    for (std::uint32_t i = 0; i < 30000; ++i) {
        std::string letters;
        for (std::uint32_t n = i + 1; n > 0; n /= 26) letters += static_cast<char>('a' + n % 26);
        order.push_back({"wor" + letters, i, "义" + std::to_string(i % 997)});
    }
    return TestableWords(order);
}

PseudowordMaker FixtureMaker() {
    return PseudowordMaker([](std::string_view w) { return w.starts_with("wor"); });
}

QPushButton* Button(QWidget& dlg, const QString& name) {
    auto* button = dlg.findChild<QPushButton*>(name);
    Q_ASSERT(button != nullptr);
    return button;
}

// Answers every question of `dlg` as `answer` says, by clicking the buttons.
template <class Answer>
void AnswerAll(LevelTestDialog& dlg, Answer&& answer) {
    while (dlg.Test() != nullptr && !dlg.Test()->Finished()) {
        const LevelTest::Question& q = dlg.Test()->Current();
        const int choice = answer(q);
        if (q.kind == LevelTest::Kind::SenseCheck) {
            QTest::mouseClick(choice < 0 ? Button(dlg, "dontKnowButton")
                                         : Button(dlg, QStringLiteral("choice%1").arg(choice + 1)),
                              Qt::LeftButton);
        } else {
            QTest::mouseClick(Button(dlg, choice ? "yesButton" : "noButton"), Qt::LeftButton);
        }
    }
}

const CDicMain& Dictionary() {
    static const CDicMain* dic = [] {
        auto* loaded = new CDicMain();
        LoadMainAndSupplement(*loaded, std::string(VELLUMWISE_BIN_DIR) + "/main.dic");
        return loaded;
    }();
    return *dic;
}

// Every headword of data/entries.tsv with its exam tags.
std::map<std::string, std::set<std::string>> ExamTags() {
    std::map<std::string, std::set<std::string>> tags;
    std::ifstream in(std::string(VELLUMWISE_DATA_DIR) + "/entries.tsv");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::stringstream row(line);
        for (std::string field; std::getline(row, field, '\t');) fields.push_back(field);
        if (fields.size() < 6) continue;
        std::stringstream words(fields[5]);
        for (std::string tag; words >> tag;) tags[fields[0]].insert(tag);
    }
    return tags;
}

}  // namespace

class LevelTestDialogTest : public QObject {
    Q_OBJECT
private slots:
    void answeringEveryQuestionProposesAStepTheReaderCanMove();
    void keysAnswerAsTheButtonsDo();
    void honestReadersOfEachExamGetRisingSteps();
    void vocabularyDialogNamesTheExamsOfEachStepAndTakesTheTestsStep();
};

void LevelTestDialogTest::answeringEveryQuestionProposesAStepTheReaderCanMove() {
    LevelTestDialog dlg(FixtureWords(), FixtureMaker(), 3);
    dlg.show();
    QVERIFY(dlg.Test() == nullptr);
    auto* exam = dlg.findChild<QComboBox*>("examChoice");
    QCOMPARE(exam->itemText(0), QStringLiteral("不回答"));
    QCOMPARE(exam->findText(QStringLiteral("四级")), 3);
    exam->setCurrentIndex(exam->findText(QStringLiteral("四级")));
    QTest::mouseClick(Button(dlg, "startButton"), Qt::LeftButton);
    QVERIFY(dlg.Test() != nullptr);
    QCOMPARE(dlg.findChild<QLabel*>("progressLabel")->text(), QStringLiteral("第 1 / 45 题"));
    QCOMPARE(dlg.findChild<QLabel*>("wordLabel")->text(),
             QString::fromStdString(dlg.Test()->Current().word));

    const SimulatedReader reader{.size = 9000, .spread = 1200, .overclaim = 0.05};
    std::mt19937 random(11);
    AnswerAll(dlg, [&](const LevelTest::Question& q) { return reader.Answer(q, random); });
    auto* result = dlg.findChild<QLabel*>("resultLabel");
    QVERIFY(result->isVisible());
    const int proposed = dlg.ChosenStep();
    QVERIFY2(std::abs(proposed - 4) <= 1, qPrintable(QString::number(proposed)));
    QVERIFY(result->text().contains(QStringLiteral("→ 第 %1 档").arg(proposed)));
    auto* step = dlg.findChild<QSlider*>("stepSlider");
    QCOMPARE(step->value(), proposed);
    step->setValue(7);
    QVERIFY(dlg.findChild<QLabel*>("stepLabel")->text().startsWith(QStringLiteral("第 7 档")));
    QTest::mouseClick(Button(dlg, "takeButton"), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.ChosenStep(), 7);
    QVERIFY(std::abs(dlg.EstimatedWords() - 9000) <= 2500);
}

void LevelTestDialogTest::keysAnswerAsTheButtonsDo() {
    LevelTestDialog dlg(FixtureWords(), FixtureMaker(), 4);
    dlg.show();
    QTest::mouseClick(Button(dlg, "startButton"), Qt::LeftButton);
    QCOMPARE(Button(dlg, "yesButton")->shortcut(), QKeySequence(Qt::Key_Y));
    QCOMPARE(Button(dlg, "noButton")->shortcut(), QKeySequence(Qt::Key_N));
    QCOMPARE(Button(dlg, "dontKnowButton")->shortcut(), QKeySequence(Qt::Key_0));
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(Button(dlg, QStringLiteral("choice%1").arg(i + 1))->shortcut(),
                 QKeySequence(Qt::Key_1 + i));
    }
    // Yes to everything real, no to the made-up ones, the right sense: the top of the scale.
    AnswerAll(dlg, [](const LevelTest::Question& q) {
        if (q.kind == LevelTest::Kind::SenseCheck) return q.rightChoice;
        return q.kind == LevelTest::Kind::Pseudoword ? 0 : 1;
    });
    QCOMPARE(dlg.ChosenStep(), 11);
}

// Tried as readers who know exactly the words of the exams they passed (ECDICT's lists,
// not the program's order), who never claim a made-up word and pick the right sense of
// a word they know. Their steps rise with their exams; the figures go to the log.
void LevelTestDialogTest::honestReadersOfEachExamGetRisingSteps() {
    const auto tags = ExamTags();
    const std::vector<RankedWord> words = TestableWords(FrequencyOrder(Dictionary()));
    const CDicMain& dic = Dictionary();
    const struct {
        const char* passed;
        std::set<std::string> lists;
    } readers[] = {{"中考", {"zk"}},
                   {"高考", {"zk", "gk"}},
                   {"四级", {"zk", "gk", "cet4"}},
                   {"六级", {"zk", "gk", "cet4", "cet6"}},
                   {"考研+雅思", {"zk", "gk", "cet4", "cet6", "ky", "ielts"}},
                   {"托福+GRE", {"zk", "gk", "cet4", "cet6", "ky", "ielts", "toefl", "gre"}}};
    int last = 0;
    for (const auto& reader : readers) {
        auto knows = [&](const std::string& word) {
            const auto found = tags.find(word);
            if (found == tags.end()) return false;
            for (const std::string& tag : found->second) {
                if (reader.lists.contains(tag)) return true;
            }
            return false;
        };
        int sum = 0;
        for (std::uint32_t seed = 1; seed <= 3; ++seed) {
            LevelTestDialog dlg(words, PseudowordMaker([&dic](std::string_view t) {
                                    return IsDictionaryWord(dic, t);
                                }),
                                seed);
            dlg.show();
            QTest::mouseClick(Button(dlg, "startButton"), Qt::LeftButton);
            AnswerAll(dlg, [&](const LevelTest::Question& q) {
                switch (q.kind) {
                    case LevelTest::Kind::Pseudoword:
                        return 0;
                    case LevelTest::Kind::Claim:
                        return knows(q.word) ? 1 : 0;
                    case LevelTest::Kind::SenseCheck:
                        return knows(q.word) ? q.rightChoice : -1;
                }
                return 0;
            });
            qInfo("passed %s, run %u: %s", reader.passed, seed,
                  LevelResultText(dlg.EstimatedWords(), dlg.ChosenStep()).c_str());
            sum += dlg.ChosenStep();
        }
        QVERIFY2(sum >= last, reader.passed);
        last = sum;
    }
}

void LevelTestDialogTest::vocabularyDialogNamesTheExamsOfEachStepAndTakesTheTestsStep() {
    CVocabularyDlg dlg;
    dlg.m_nVocabLevel = 4;
    dlg.m_dThreshold = ThresholdForLevel(4);
    int runs = 0;
    dlg.runLevelTest = [&runs]() -> std::optional<int> {
        return ++runs == 1 ? std::optional<int>(6) : std::nullopt;
    };
    dlg.show();
    auto* exams = dlg.findChild<QLabel*>("examLabel");
    QCOMPARE(exams->text(), QString::fromStdString(StepExamsText(4)));
    QVERIFY(exams->text().contains(QStringLiteral("四级")));
    auto* slider = dlg.findChild<QSlider*>("vocabularySlider");
    slider->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(exams->text(), QStringLiteral("这一档还没有覆盖任何考试词表的八成；中考 55%"));
    // A step taken from the test moves the slider as the reader would; none taken, nothing.
    QTest::mouseClick(Button(dlg, "levelTestButton"), Qt::LeftButton);
    QCOMPARE(dlg.m_nVocabLevel, 6);
    QCOMPARE(dlg.m_dThreshold, ThresholdForLevel(6));
    QCOMPARE(slider->value(), 6);
    QTest::mouseClick(Button(dlg, "levelTestButton"), Qt::LeftButton);
    QCOMPARE(dlg.m_nVocabLevel, 6);
    // Without a test to run, no button.
    CVocabularyDlg plain;
    plain.show();
    QVERIFY(!Button(plain, "levelTestButton")->isVisible());
}

QTEST_MAIN(LevelTestDialogTest)
#include "LevelTestDialogTest.moc"
