#include "OwnSenseDlg.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "OkCancelRow.h"
#include "OwnSenseFile.h"

namespace {

constexpr int kGlossRole = Qt::UserRole;

// The senses of a line, as the entry separates them.
QStringList SensesOf(const QString& senses) {
    QStringList items;
    for (const QString& item : senses.split(QStringLiteral("，"), Qt::SkipEmptyParts)) {
        if (!item.trimmed().isEmpty()) {
            items.push_back(item.trimmed());
        }
    }
    return items;
}

void AddChoice(QListWidget* list, const QString& text, const QString& gloss) {
    auto* item = new QListWidgetItem(text, list);
    item->setData(kGlossRole, gloss);
}

}  // namespace

QString OwnSenseDlg::GlossProblem(const QString& gloss) {
    const std::string text = gloss.trimmed().toStdString();
    if (text.empty()) {
        return QStringLiteral("请选择一行释义，或键入自己的释义。");
    }
    if (text.size() > kLongestOwnGloss) {
        return QStringLiteral("释义太长：最多 %1 个字节（约 %2 个汉字）。")
            .arg(kLongestOwnGloss)
            .arg(kLongestOwnGloss / 3);
    }
    if (!IsOwnGloss(text)) {
        return QStringLiteral("释义中有页面无法显示的字符。");
    }
    return {};
}

OwnSenseDlg::OwnSenseDlg(QWidget* pParent, const OwnSenseQuestion& question)
    : QDialog(pParent),
      m_choices(new QListWidget(this)),
      m_edit(new QLineEdit(this)),
      m_problem(new QLabel(this)),
      m_thisBook(new QRadioButton(this)),
      m_everyBook(new QRadioButton(QStringLiteral("用于所有书(&A)"), this)) {
    setObjectName(QStringLiteral("ownSenseDialog"));
    setWindowTitle(QStringLiteral("选择释义 — %1").arg(question.word));

    auto* heading = new QLabel(this);
    heading->setTextFormat(Qt::PlainText);
    heading->setText(question.shown.isEmpty()
                         ? QStringLiteral("%1").arg(question.word)
                         : QStringLiteral("%1    本处：%2").arg(question.word, question.shown));
    auto* pick = new QLabel(QStringLiteral("词典中的释义(&L)："), this);
    pick->setBuddy(m_choices);
    m_choices->setObjectName(QStringLiteral("senseChoices"));
    // Whole lines, wrapped: a sense cut off at the edge cannot be chosen knowingly.
    m_choices->setWordWrap(true);
    m_choices->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_choices->setResizeMode(QListView::Adjust);
    // What shows now comes first, so that the list opens on it and a key moves from it.
    const QString now = question.current.value_or(question.shown).trimmed();
    if (!now.isEmpty()) {
        AddChoice(m_choices,
                  (question.current ? QStringLiteral("自定义：") : QStringLiteral("本处：")) + now,
                  now);
    }
    for (const OwnSenseQuestion::Line& line : question.lines) {
        const QStringList items = SensesOf(line.senses);
        AddChoice(m_choices,
                  (line.label.isEmpty() ? QString() : line.label + QLatin1Char(' ')) + line.senses,
                  line.senses.trimmed());
        // A line of several senses offers each alone too: one fits under a word.
        for (qsizetype i = 0; items.size() > 1 && i < items.size(); ++i) {
            AddChoice(m_choices, QStringLiteral("      ") + items[i], items[i]);
        }
    }
    auto* own = new QLabel(QStringLiteral("显示的释义(&G)："), this);
    own->setBuddy(m_edit);
    m_edit->setObjectName(QStringLiteral("ownGlossEdit"));
    m_edit->setPlaceholderText(QStringLiteral("选上面的一项，或键入自己的释义"));
    m_edit->setText(now);
    m_problem->setObjectName(QStringLiteral("glossProblem"));
    m_problem->setTextFormat(Qt::PlainText);

    m_thisBook->setObjectName(QStringLiteral("thisBook"));
    m_everyBook->setObjectName(QStringLiteral("everyBook"));
    if (question.book.isEmpty()) {
        m_thisBook->setText(QStringLiteral("只用于本书(&B)（这段文字不是书，不能单独保存）"));
        m_thisBook->setEnabled(false);
        m_everyBook->setChecked(true);
    } else {
        m_thisBook->setText(QStringLiteral("只用于本书(&B)：%1").arg(question.book));
        (question.current && question.currentEveryBook ? m_everyBook : m_thisBook)
            ->setChecked(true);
    }
    auto* scope = new QButtonGroup(this);
    scope->addButton(m_thisBook);
    scope->addButton(m_everyBook);

    const OkCancelRow buttons(this);
    m_ok = buttons.ok;
    m_clear = new QPushButton(QStringLiteral("清除自定义释义(&C)"), this);
    m_clear->setObjectName(QStringLiteral("clearOwnSense"));
    m_clear->setAutoDefault(false);
    m_clear->setEnabled(question.current.has_value());
    m_clear->setToolTip(QStringLiteral("这个词在本书（以及所有书）中恢复词典的释义"));
    buttons.layout->insertWidget(0, m_clear);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(pick);
    layout->addWidget(m_choices, 1);
    layout->addWidget(own);
    layout->addWidget(m_edit);
    layout->addWidget(m_problem);
    layout->addWidget(m_thisBook);
    layout->addWidget(m_everyBook);
    layout->addLayout(buttons.layout);

    connect(m_choices, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item != nullptr) {
            m_edit->setText(item->data(kGlossRole).toString());
        }
    });
    connect(m_choices, &QListWidget::itemActivated, this, [this] { accept(); });
    connect(m_edit, &QLineEdit::textChanged, this, [this] { UpdateState(); });
    connect(m_clear, &QPushButton::clicked, this, [this] {
        m_answer = OwnSenseAnswer{OwnSenseAnswer::Kind::Clear, {}, false};
        QDialog::accept();
    });
    UpdateState();
    if (m_choices->count() > 0) {
        const QSignalBlocker quiet(m_choices);
        m_choices->setCurrentRow(0);
    }
    m_choices->setFocus(Qt::OtherFocusReason);
    // About thirty-six characters a line, and room for a dozen choices.
    const int character = fontMetrics().horizontalAdvance(QStringLiteral("词"));
    resize(std::max(width(), character * 36), std::max(height(), fontMetrics().height() * 26));
}

void OwnSenseDlg::UpdateState() {
    const QString problem = GlossProblem(m_edit->text());
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
    m_ok->setEnabled(problem.isEmpty());
}

void OwnSenseDlg::accept() {
    if (!GlossProblem(m_edit->text()).isEmpty()) {
        return;
    }
    m_answer = OwnSenseAnswer{OwnSenseAnswer::Kind::Set, m_edit->text().trimmed(),
                              m_everyBook->isChecked()};
    QDialog::accept();
}

std::optional<OwnSenseAnswer> AskOwnSense(QWidget* pParent, const OwnSenseQuestion& question) {
    OwnSenseDlg dialog(pParent, question);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Answer();
}
