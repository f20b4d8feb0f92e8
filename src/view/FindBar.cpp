#include "FindBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>

#include "CVellumwiseView.h"

namespace {

// A selection longer than this is no query a reader meant.
constexpr int kLongestSelectionQuery = 200;

QToolButton* MakeButton(QWidget* parent, const char* name, const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

FindBar::FindBar(CVellumwiseView& view, QWidget* parent)
    : QWidget(parent),
      m_view(view),
      m_pQuery(new QLineEdit(this)),
      m_pWholeWord(new QCheckBox(QStringLiteral("全词匹配"), this)),
      m_pGlosses(new QCheckBox(QStringLiteral("查释义"), this)),
      m_pCount(new QLabel(this)) {
    setObjectName(QStringLiteral("FindBar"));
    m_pQuery->setObjectName(QStringLiteral("FindQuery"));
    m_pWholeWord->setObjectName(QStringLiteral("FindWholeWord"));
    m_pGlosses->setObjectName(QStringLiteral("FindGlosses"));
    m_pCount->setObjectName(QStringLiteral("FindCount"));
    m_pWholeWord->setToolTip(QStringLiteral("只找完整的词：the 不会找到 there"));
    m_pGlosses->setToolTip(QStringLiteral("在词下的中文释义里找：输入“属”，找到释义含“属”的词"));
    m_pQuery->setClearButtonEnabled(true);
    m_pQuery->setMinimumWidth(240);
    m_pCount->setMinimumWidth(90);

    auto* previous = MakeButton(this, "FindPrevious", QStringLiteral("上一个 (Shift+F3)"));
    previous->setArrowType(Qt::UpArrow);
    auto* next = MakeButton(this, "FindNext", QStringLiteral("下一个 (F3)"));
    next->setArrowType(Qt::DownArrow);
    auto* close = MakeButton(this, "FindClose", QStringLiteral("关闭查找 (Esc)"));
    close->setText(QStringLiteral("✕"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(new QLabel(QStringLiteral("查找："), this));
    layout->addWidget(m_pQuery);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(m_pWholeWord);
    layout->addWidget(m_pGlosses);
    layout->addWidget(m_pCount);
    layout->addStretch(1);
    layout->addWidget(close);

    connect(m_pQuery, &QLineEdit::textChanged, this, &FindBar::Search);
    connect(m_pWholeWord, &QCheckBox::toggled, this, &FindBar::Search);
    connect(m_pGlosses, &QCheckBox::toggled, this, [this](bool glosses) {
        // A gloss is Chinese: it has no words to match whole.
        m_pWholeWord->setEnabled(!glosses);
        m_pQuery->setPlaceholderText(glosses ? QStringLiteral("输入中文释义，如：属、灭绝")
                                             : QStringLiteral("输入要找的英文"));
        m_pQuery->setFocus(Qt::OtherFocusReason);  // the reader goes on typing
        Search();
    });
    connect(previous, &QToolButton::clicked, this, &FindBar::FindPrevious);
    connect(next, &QToolButton::clicked, this, &FindBar::FindNext);
    connect(close, &QToolButton::clicked, this, &FindBar::Close);
    connect(&m_view, &CVellumwiseView::findChanged, this, &FindBar::ShowCount);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &FindBar::Close);
    m_pQuery->installEventFilter(this);
    m_pQuery->setPlaceholderText(QStringLiteral("输入要找的英文"));
    hide();
}

void FindBar::Open() {
    const QString selected = m_view.SelectedText();
    if (!selected.isEmpty() && selected.size() <= kLongestSelectionQuery &&
        !selected.contains(QLatin1Char('\n'))) {
        m_pQuery->setText(selected);
    }
    const bool wasHidden = isHidden();
    show();
    m_pQuery->setFocus(Qt::ShortcutFocusReason);
    m_pQuery->selectAll();
    if (wasHidden) {
        Search();  // the query kept from the last time, marked again
    }
}

void FindBar::Close() {
    hide();
    m_view.StopFinding();
    m_view.setFocus(Qt::OtherFocusReason);
}

void FindBar::FindNext() {
    if (isHidden()) {
        Open();
        return;
    }
    m_view.FindNext();
}

void FindBar::FindPrevious() {
    if (isHidden()) {
        Open();
        return;
    }
    m_view.FindPrevious();
}

void FindBar::Search() {
    if (isHidden()) {
        return;
    }
    m_view.Find({m_pQuery->text().toStdString(),
                 m_pGlosses->isChecked() ? SearchField::Glosses : SearchField::Words,
                 m_pWholeWord->isChecked()});
}

void FindBar::ShowCount() {
    const CVellumwiseView::FindStatus status = m_view.FindState();
    if (m_pQuery->text().isEmpty() || isHidden()) {
        m_pCount->clear();
        return;
    }
    if (status.total == 0) {
        m_pCount->setText(QStringLiteral("无结果"));
        return;
    }
    m_pCount->setText(QStringLiteral("%1/%2%3")
                          .arg(status.current)
                          .arg(status.total)
                          .arg(status.capped ? QStringLiteral("+") : QString()));
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pQuery && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ShiftModifier) {
                FindPrevious();
            } else {
                FindNext();
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
