#include "CVocabularyDlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QVBoxLayout>

#include "OkCancelRow.h"
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

    m_checkMedical = new QCheckBox(QStringLiteral("显示医学生化词汇"), this);
    m_checkMedical->setObjectName(QStringLiteral("medicalCheck"));
    m_checkScience = new QCheckBox(QStringLiteral("显示基本科技词汇"), this);
    m_checkScience->setObjectName(QStringLiteral("scienceCheck"));

    const OkCancelRow buttons(this);
    m_btnOk = buttons.ok;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_labelVocab);
    layout->addWidget(m_sliderVocab);
    layout->addWidget(m_labelPreview);
    layout->addWidget(m_checkMedical);
    layout->addWidget(m_checkScience);
    layout->addLayout(buttons.layout);
    setMinimumWidth(280);

    setTabOrder(m_btnOk, buttons.cancel);
    setTabOrder(buttons.cancel, m_sliderVocab);
    setTabOrder(m_sliderVocab, m_checkMedical);
    setTabOrder(m_checkMedical, m_checkScience);
}

void CVocabularyDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    m_nLevelOnOpen = m_nVocabLevel;
    m_dThresholdOnOpen = m_dThreshold;
    m_checkMedical->setChecked(m_bShowMedical);
    m_checkScience->setChecked(m_bShowScience);
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
}

void CVocabularyDlg::OnSliderAction() {
    // The slider has already moved its position but not yet its value.
    m_nVocabLevel = m_sliderVocab->sliderPosition();
    m_dThreshold = ThresholdForLevel(m_nVocabLevel);
    ShowVocabLevel();
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
