#include "CVocabularyDlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QVBoxLayout>

#include "ExamCoverage.h"
#include "OkCancelRow.h"
#include "StepScale.h"
#include "VocabularyTable.h"

CVocabularyDlg::CVocabularyDlg(QWidget* pParent)
    : QDialog(pParent), m_nVocabLevel(kDefaultVocabLevel), m_dThreshold(kDefaultThreshold) {
    setObjectName(QStringLiteral("vocabularyDialog"));
    setWindowTitle(QStringLiteral("设定词汇量参数"));

    m_labelVocab = new QLabel(this);
    m_labelVocab->setObjectName(QStringLiteral("vocabularyLabel"));
    m_labelVocab->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    m_labelPreview = new QLabel(this);
    m_labelPreview->setObjectName(QStringLiteral("previewLabel"));
    m_labelPreview->setWordWrap(true);
    m_sliderVocab = new QSlider(Qt::Horizontal, this);
    m_sliderVocab->setObjectName(QStringLiteral("vocabularySlider"));
    m_sliderVocab->setRange(kMinVocabLevel, kMaxVocabLevel);
    m_sliderVocab->setTickPosition(QSlider::TicksBothSides);
    m_sliderVocab->setTickInterval(1);
    m_sliderVocab->setSingleStep(1);
    m_sliderVocab->setPageStep(2);
    m_sliderVocab->setFocusPolicy(Qt::StrongFocus);
    // actionTriggered reports only the reader's moves (keys, channel clicks,
    // dragging, the wheel), never our own setValue, so opening the dialog keeps
    // the caller's threshold until the reader actually moves the slider.
    connect(m_sliderVocab, &QSlider::actionTriggered, this, &CVocabularyDlg::OnSliderAction);
    m_sliderVocab->installEventFilter(this);

    // What each step means to a reader who knows the exams: the names under the ticks
    // say where a list is first covered, the line below what the chosen step covers.
    auto* scale = new StepScale(m_sliderVocab, this);
    scale->setObjectName(QStringLiteral("stepScale"));
    m_labelExams = new QLabel(this);
    m_labelExams->setObjectName(QStringLiteral("examLabel"));
    m_labelExams->setWordWrap(true);

    m_btnLevelTest = new QPushButton(QStringLiteral("测一测我的词汇量(&T)…"), this);
    m_btnLevelTest->setObjectName(QStringLiteral("levelTestButton"));
    m_btnLevelTest->setAutoDefault(false);
    connect(m_btnLevelTest, &QPushButton::clicked, this, &CVocabularyDlg::OnLevelTest);

    m_checkMedical = new QCheckBox(QStringLiteral("显示医学生化词汇"), this);
    m_checkMedical->setObjectName(QStringLiteral("medicalCheck"));
    m_checkScience = new QCheckBox(QStringLiteral("显示基本科技词汇"), this);
    m_checkScience->setObjectName(QStringLiteral("scienceCheck"));

    const OkCancelRow buttons(this);
    m_btnOk = buttons.ok;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_labelVocab);
    layout->addWidget(m_sliderVocab);
    layout->addWidget(scale);
    layout->addWidget(m_labelExams);
    layout->addWidget(m_labelPreview);
    layout->addWidget(m_btnLevelTest, 0, Qt::AlignLeft);
    layout->addWidget(m_checkMedical);
    layout->addWidget(m_checkScience);
    layout->addLayout(buttons.layout);
    setMinimumWidth(460);

    setTabOrder(m_btnOk, buttons.cancel);
    setTabOrder(buttons.cancel, m_sliderVocab);
    setTabOrder(m_sliderVocab, m_checkMedical);
    setTabOrder(m_checkMedical, m_checkScience);
    setTabOrder(m_checkScience, m_btnLevelTest);
}

void CVocabularyDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    m_nLevelOnOpen = m_nVocabLevel;
    m_dThresholdOnOpen = m_dThreshold;
    m_checkMedical->setChecked(m_bShowMedical);
    m_checkScience->setChecked(m_bShowScience);
    m_btnLevelTest->setVisible(runLevelTest != nullptr);
    ShowVocabLevel();
    m_btnOk->setFocus(Qt::OtherFocusReason);
}

// A trackbar's keys as readers of this dialog know them: Up and Page Up step
// towards the left end, Down and Page Down towards the right (Qt's slider moves
// the other way for these four; Left, Right, Home and End agree).
bool CVocabularyDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_sliderVocab && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
        switch (key->key()) {
            case Qt::Key_Up:
                action = QAbstractSlider::SliderSingleStepSub;
                break;
            case Qt::Key_Down:
                action = QAbstractSlider::SliderSingleStepAdd;
                break;
            case Qt::Key_PageUp:
                action = QAbstractSlider::SliderPageStepSub;
                break;
            case Qt::Key_PageDown:
                action = QAbstractSlider::SliderPageStepAdd;
                break;
            default:
                break;
        }
        if (action != QAbstractSlider::SliderNoAction) {
            m_sliderVocab->triggerAction(action);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CVocabularyDlg::ShowVocabLevel() {
    m_sliderVocab->setValue(m_nVocabLevel);
    m_labelVocab->setText(QString::fromStdString(VocabularyLabelText(m_nVocabLevel)));
    if (previewStep) {
        m_labelPreview->setText(previewStep(m_nVocabLevel, m_dThreshold));
    }
    m_labelPreview->setVisible(previewStep != nullptr);
    m_labelExams->setText(QString::fromStdString(StepExamsText(m_nVocabLevel)));
}

void CVocabularyDlg::OnSliderAction() {
    // The slider has already moved its position but not yet its value.
    MoveTo(m_sliderVocab->sliderPosition());
}

void CVocabularyDlg::MoveTo(int level) {
    m_nVocabLevel = level;
    m_dThreshold = ThresholdForLevel(m_nVocabLevel);
    ShowVocabLevel();
}

void CVocabularyDlg::OnLevelTest() {
    if (!runLevelTest) return;
    if (const std::optional<int> step = runLevelTest()) {
        MoveTo(*step);  // shown and previewed like a move of the slider; OK keeps it
    }
}

void CVocabularyDlg::accept() {
    m_bShowMedical = m_checkMedical->isChecked();
    m_bShowScience = m_checkScience->isChecked();
    QDialog::accept();
}

void CVocabularyDlg::reject() {
    m_nVocabLevel = m_nLevelOnOpen;
    m_dThreshold = m_dThresholdOnOpen;
    if (previewStep) {
        previewStep(m_nVocabLevel, m_dThreshold);  // the page behind as it was
    }
    QDialog::reject();
}
