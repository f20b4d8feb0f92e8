// The vocabulary dialog's preview: while the slider moves, the page behind is glossed at
// the step it shows, and the dialog says how many glosses a page that gives. And the level
// test, from that dialog, the menu, or offered at the first start.
#include <QDate>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>

#include "CMainFrame.h"
#include "CVellumwiseDoc.h"
#include "LevelTestDialog.h"
#include "LevelTestWords.h"
#include "SettingsStore.h"
#include "StripGeometry.h"
#include "VocabularyTable.h"

QString CMainFrame::PreviewVocabularyStep(int level, double threshold) {
    if (level == m_doc.m_nVocabLevel && threshold == m_doc.m_dThreshold) {
        // Opening, or back at the step the text has: nothing to gloss again.
    } else {
        m_doc.ApplyVocabulary(level, threshold, m_doc.m_bShowMedical, m_doc.m_bShowScience);
    }
    if (m_doc.m_paragraphs.m_arrParagraphs.empty()) {
        return QStringLiteral("打开一个文本，这里会显示这一档每页大约有多少个注释。");
    }
    const std::int64_t pages = PageCount(m_doc.m_nTextHeight);
    const double perPage = static_cast<double>(m_doc.GlossedTokenCount()) /
                           static_cast<double>(std::max<std::int64_t>(pages, 1));
    return QStringLiteral("这一档下，这个文本每页约有 %1 个注释（共 %2 页）。")
        .arg(perPage, 0, 'f', 1)
        .arg(pages);
}

std::optional<int> CMainFrame::RunLevelTest(QWidget* parent) {
    const CDicMain& dic = m_doc.m_dicMain;
    PseudowordMaker maker([&dic](std::string_view text) { return IsDictionaryWord(dic, text); });
    LevelTestDialog dlg(TestableWords(FrequencyOrder(dic)), std::move(maker),
                        QRandomGenerator::global()->generate(), parent);
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    if (m_pStore != nullptr) {
        const int step = dlg.ChosenStep();
        const double words = dlg.EstimatedWords();
        m_pStore->Change([&](QVariantMap& values) {
            values.insert(QStringLiteral("LevelTest/Words"), static_cast<int>(words));
            values.insert(QStringLiteral("LevelTest/Step"), step);
            values.insert(QStringLiteral("LevelTest/Date"),
                          QDate::currentDate().toString(Qt::ISODate));
        });
    }
    return dlg.ChosenStep();
}

void CMainFrame::OnLevelTest() {
    if (const std::optional<int> step = RunLevelTest(this)) {
        m_doc.ApplyVocabulary(*step, ThresholdForLevel(*step), m_doc.m_bShowMedical,
                              m_doc.m_bShowScience);
    }
}

void CMainFrame::OfferLevelTestOnce() {
    static const QString kOffered = QStringLiteral("LevelTest/Offered");
    if (m_pStore == nullptr || !m_pStore->Writable() || m_pStore->Values().contains(kOffered) ||
        qEnvironmentVariable("VELLUMWISE_NONINTERACTIVE") == QLatin1String("1") ||
        // No reader can answer a box on a platform without a screen: it would wait forever.
        QGuiApplication::platformName() == QLatin1String("offscreen") ||
        QGuiApplication::platformName() == QLatin1String("minimal")) {
        return;
    }
    // Marked first: a reader who closes the box has answered too.
    if (!m_pStore->Change([](QVariantMap& values) { values.insert(kOffered, true); })) return;
    QMessageBox box(QMessageBox::Question, QStringLiteral("词汇量测试"),
                    QStringLiteral("要先用大约三分钟测一下词汇量吗？程序会据此建议注释的档位。\n"
                                   "以后也可以在“显示 › 词汇量测试”里再测。"),
                    QMessageBox::NoButton, this);
    QPushButton* now = box.addButton(QStringLiteral("现在测"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("以后再说"), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() == now) OnLevelTest();
}
