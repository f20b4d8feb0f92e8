#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

// Lets the reader choose a vocabulary size (slider step × 2000 words) and the
// two specialist glossaries. The caller copies its values into the fields
// before exec() and copies them back after Accepted.
class CVocabularyDlg : public QDialog {
    Q_OBJECT
public:
    explicit CVocabularyDlg(QWidget* pParent = nullptr);

    int m_nVocabLevel;
    double m_dThreshold;
    bool m_bShowMedical = false;
    bool m_bShowScience = false;
    // Called with each step the slider shows (on opening too): the window glosses the
    // page behind at that step and answers what the step gives the open text ("每页约
    // 12 个注释"), shown under the slider; unset, nothing is shown there.
    std::function<QString(int level, double threshold)> previewStep;
    // Runs the level test; the step the reader took from it, or nullopt. Unset, the
    // dialog offers no test.
    std::function<std::optional<int>()> runLevelTest;

    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowVocabLevel();
    void OnSliderAction();
    void MoveTo(int level);
    void OnLevelTest();

    QSlider* m_sliderVocab;
    QLabel* m_labelVocab;
    QLabel* m_labelPreview;
    QLabel* m_labelExams;
    QPushButton* m_btnLevelTest;
    QCheckBox* m_checkMedical;
    QCheckBox* m_checkScience;
    QPushButton* m_btnOk;

    // What the caller put in, so that Cancel hands the fields back untouched.
    int m_nLevelOnOpen = 0;
    double m_dThresholdOnOpen = 0.0;
};
