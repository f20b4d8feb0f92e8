#pragma once

#include <QDialog>

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

    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowVocabLevel();
    void OnSliderAction();

    QSlider* m_sliderVocab;
    QLabel* m_labelVocab;
    QCheckBox* m_checkMedical;
    QCheckBox* m_checkScience;
    QPushButton* m_btnOk;

    // What the caller put in, so that Cancel hands the fields back untouched.
    int m_nLevelOnOpen = 0;
    double m_dThresholdOnOpen = 0.0;
};
