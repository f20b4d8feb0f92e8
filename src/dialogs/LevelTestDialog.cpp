#include "LevelTestDialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "ExamCoverage.h"
#include "VocabularyTable.h"

namespace {

enum Page { kIntroPage, kQuestionPage, kResultPage };
enum AnswerPage { kYesNoPage, kChoicePage };

QString StepSummary(int step) {
    QStringList exams;
    for (std::string_view exam : ExamsCoveredAt(step)) {
        exams << QString::fromStdString(ExamName(exam));
    }
    const QString words =
        QStringLiteral("第 %1 档：认识最常用的 %L2 词").arg(step).arg(step * kWordsPerVocabLevel);
    if (exams.isEmpty()) return words;
    return words + QStringLiteral("，覆盖 %1 词表的八成以上").arg(exams.join(QStringLiteral("、")));
}

// The size the reader's exam suggests: where the program's order covers most of its list.
std::optional<double> ExamCentre(const QString& exam) {
    if (exam.isEmpty()) return std::nullopt;
    int step = FirstStepCovering(exam.toStdString());
    if (step == 0) step = kMaxVocabLevel;  // a list no step covers lies beyond the last
    return step * kWordsPerVocabLevel;
}

}  // namespace

LevelTestDialog::LevelTestDialog(std::vector<RankedWord> words, PseudowordMaker maker,
                                 std::uint32_t seed, QWidget* parent)
    : QDialog(parent), m_words(std::move(words)), m_maker(std::move(maker)), m_seed(seed) {
    setObjectName(QStringLiteral("levelTestDialog"));
    setWindowTitle(QStringLiteral("词汇量测试"));
    m_pages = new QStackedWidget(this);

    // The introduction and the exam question.
    auto* intro = new QWidget(m_pages);
    auto* introText = new QLabel(
        QStringLiteral(
            "大约三分钟。每次出现一个英文单词：认识就按“认识”（Y），不认识按“不认识”（N）。"
            "其中有些词是程序编的假词，认识与否请如实回答；偶尔会请你从四个中文意思里选出"
            "正确的一个。测完会建议一个词汇量档位，你可以再调整。"),
        intro);
    introText->setWordWrap(true);
    m_exam = new QComboBox(intro);
    m_exam->setObjectName(QStringLiteral("examChoice"));
    m_exam->addItem(QStringLiteral("不回答"), QString());
    for (std::string_view exam : MeasuredExams()) {
        m_exam->addItem(QString::fromStdString(ExamName(exam)),
                        QString::fromUtf8(exam.data(), static_cast<qsizetype>(exam.size())));
    }
    auto* start = new QPushButton(QStringLiteral("开始"), intro);
    start->setObjectName(QStringLiteral("startButton"));
    start->setDefault(true);
    connect(start, &QPushButton::clicked, this, &LevelTestDialog::Start);
    auto* introLayout = new QVBoxLayout(intro);
    introLayout->addWidget(introText);
    auto* examRow = new QHBoxLayout;
    examRow->addWidget(new QLabel(QStringLiteral("你通过的最高英语考试（可不答）："), intro));
    examRow->addWidget(m_exam);
    introLayout->addLayout(examRow);
    introLayout->addStretch();
    introLayout->addWidget(start, 0, Qt::AlignRight);
    m_pages->addWidget(intro);

    // A question: the word, and either yes/no or four senses.
    auto* question = new QWidget(m_pages);
    m_progress = new QLabel(question);
    m_progress->setObjectName(QStringLiteral("progressLabel"));
    m_word = new QLabel(question);
    m_word->setObjectName(QStringLiteral("wordLabel"));
    m_word->setAlignment(Qt::AlignCenter);
    QFont big = m_word->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    m_word->setFont(big);
    m_answers = new QStackedWidget(question);
    auto* yesNo = new QWidget(m_answers);
    auto* yes = new QPushButton(QStringLiteral("认识 (&Y)"), yesNo);
    yes->setObjectName(QStringLiteral("yesButton"));
    yes->setShortcut(Qt::Key_Y);
    auto* no = new QPushButton(QStringLiteral("不认识 (&N)"), yesNo);
    no->setObjectName(QStringLiteral("noButton"));
    no->setShortcut(Qt::Key_N);
    connect(yes, &QPushButton::clicked, this, [this] { AnswerWith(1); });
    connect(no, &QPushButton::clicked, this, [this] { AnswerWith(0); });
    auto* yesNoLayout = new QHBoxLayout(yesNo);
    yesNoLayout->addWidget(yes);
    yesNoLayout->addWidget(no);
    m_answers->addWidget(yesNo);
    auto* choice = new QWidget(m_answers);
    auto* choiceLayout = new QVBoxLayout(choice);
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(choice);
        button->setObjectName(QStringLiteral("choice%1").arg(i + 1));
        button->setShortcut(Qt::Key_1 + i);
        connect(button, &QPushButton::clicked, this, [this, i] { AnswerWith(i); });
        choiceLayout->addWidget(button);
        m_choices.push_back(button);
    }
    auto* dontKnow = new QPushButton(QStringLiteral("0. 不知道"), choice);
    dontKnow->setObjectName(QStringLiteral("dontKnowButton"));
    dontKnow->setShortcut(Qt::Key_0);
    connect(dontKnow, &QPushButton::clicked, this, [this] { AnswerWith(-1); });
    choiceLayout->addWidget(dontKnow);
    m_answers->addWidget(choice);
    auto* questionLayout = new QVBoxLayout(question);
    questionLayout->addWidget(m_progress);
    questionLayout->addStretch();
    questionLayout->addWidget(m_word);
    questionLayout->addStretch();
    questionLayout->addWidget(m_answers);
    m_pages->addWidget(question);

    // The result, and the step to take.
    auto* result = new QWidget(m_pages);
    m_resultText = new QLabel(result);
    m_resultText->setObjectName(QStringLiteral("resultLabel"));
    m_resultText->setWordWrap(true);
    m_resultText->setAlignment(Qt::AlignCenter);
    m_step = new QSlider(Qt::Horizontal, result);
    m_step->setObjectName(QStringLiteral("stepSlider"));
    m_step->setRange(kMinVocabLevel, kMaxVocabLevel);
    m_step->setTickPosition(QSlider::TicksBelow);
    m_step->setTickInterval(1);
    m_step->setPageStep(1);
    m_stepText = new QLabel(result);
    m_stepText->setObjectName(QStringLiteral("stepLabel"));
    m_stepText->setWordWrap(true);
    connect(m_step, &QSlider::valueChanged, this, &LevelTestDialog::ShowChosenStep);
    m_take = new QPushButton(QStringLiteral("采用这一档"), result);
    m_take->setObjectName(QStringLiteral("takeButton"));
    m_take->setDefault(true);
    connect(m_take, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("取消"), result);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* resultLayout = new QVBoxLayout(result);
    resultLayout->addWidget(m_resultText);
    resultLayout->addWidget(new QLabel(QStringLiteral("可以拖动滑块调整档位："), result));
    resultLayout->addWidget(m_step);
    resultLayout->addWidget(m_stepText);
    resultLayout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_take);
    buttons->addWidget(cancel);
    resultLayout->addLayout(buttons);
    m_pages->addWidget(result);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    setMinimumSize(420, 320);
}

LevelTestDialog::~LevelTestDialog() = default;

int LevelTestDialog::ChosenStep() const { return m_step->value(); }

void LevelTestDialog::Start() {
    m_test = std::make_unique<LevelTest>(m_words, m_maker, m_seed,
                                         ExamCentre(m_exam->currentData().toString()));
    m_pages->setCurrentIndex(kQuestionPage);
    ShowQuestion();
}

void LevelTestDialog::ShowQuestion() {
    if (m_test->Finished()) {
        ShowResult();
        return;
    }
    const LevelTest::Question& question = m_test->Current();
    m_progress->setText(
        QStringLiteral("第 %1 / %2 题").arg(m_test->Asked() + 1).arg(LevelTest::kQuestions));
    if (question.kind == LevelTest::Kind::SenseCheck) {
        m_word->setText(QStringLiteral("%1 的意思是？").arg(QString::fromStdString(question.word)));
        for (std::size_t i = 0; i < m_choices.size(); ++i) {
            m_choices[i]->setText(QStringLiteral("%1. %2").arg(i + 1).arg(
                QString::fromStdString(question.choices[i])));
        }
        m_answers->setCurrentIndex(kChoicePage);
    } else {
        m_word->setText(QString::fromStdString(question.word));
        m_answers->setCurrentIndex(kYesNoPage);
    }
}

void LevelTestDialog::AnswerWith(int answer) {
    if (!m_test || m_test->Finished()) return;
    m_test->Answer(answer);
    ShowQuestion();
}

void LevelTestDialog::ShowResult() {
    m_result = m_test->Estimate();
    QString text = QStringLiteral("<p style=\"font-size:x-large\">%1</p>")
                       .arg(QString::fromStdString(LevelResultText(m_result.words, m_result.step)));
    if (m_result.guessRate > 0.25) {
        text += QStringLiteral("<p>你对不少编出来的假词也选了“认识”，估计已按此校正。</p>");
    }
    m_resultText->setText(text);
    m_step->setValue(m_result.step);
    ShowChosenStep();
    m_pages->setCurrentIndex(kResultPage);
    m_take->setFocus(Qt::OtherFocusReason);
}

void LevelTestDialog::ShowChosenStep() { m_stepText->setText(StepSummary(m_step->value())); }
